#pragma once

#include <cstdint>
#include <string>

#include "toolkit/FileSystem.h"
#include "toolkit/TemporaryName.h"

namespace korvane::win32 {

// The real disk through the Windows API, with the same promises as on Linux. Paths are UTF-8 for
// the editor and UTF-16 for the system, so names with any characters work.
//
// Inputs and outputs must be files on a disk: device names (NUL, CON, COM1, LPT1, ... in any
// folder and with any extension), the device and pipe namespaces (\\.\...) and whatever opens as
// a device or a pipe are refused, never opened for writing and never waited on. A temporary file
// is created beside the file its target names, with symbolic links and junctions followed (the
// link stays a link), flushed to the disk and put in place in one rename (MoveFileExW), taking
// on the old file's hidden, system and archive marks. While it
// is written the temporary file is open to nobody else; leftovers of a save that was killed are
// removed by the next save to the same target.
class Win32FileSystem : public toolkit::FileSystem {
 public:
  std::unique_ptr<toolkit::InputFile> OpenForReading(const std::string& path,
                                                     toolkit::FileError& error) override;
  std::unique_ptr<toolkit::OutputFile> CreateTemporaryBeside(const std::string& target,
                                                             toolkit::FileError& error) override;
  bool Rename(const std::string& from, const std::string& to, toolkit::FileError& error) override;
  void Remove(const std::string& path) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  // Whether a file can be made there now: tried with a file that is gone again when it closes,
  // as only trying tells (permissions, a read-only medium, the protected program folders).
  bool CanCreateFilesIn(const std::string& folder) override;
  bool CreateFolders(const std::string& folder) override;
};

// Removes the temporary files that earlier, killed saves to a target left in `folder`: those named
// `prefix` and six characters more, last written before `startedAt` (this process's start) and
// more than a minute before `now`, both in FILETIME ticks. One that a program holds open stays.
void RemoveLeftovers(const std::wstring& folder, const std::wstring& prefix, uint64_t startedAt,
                     uint64_t now);

// The words for a failed call's Windows error code; `creating` tells a missing folder from a
// missing file.
std::string DescribeWindowsError(uint32_t code, bool creating = false);

// Why a path cannot be a file on a disk (a device name, the device or pipe namespace); empty
// when it may be one.
std::string DeviceReason(const std::string& path);

}  // namespace korvane::win32
