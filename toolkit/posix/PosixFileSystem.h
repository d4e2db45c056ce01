#pragma once

#include "toolkit/FileSystem.h"
#include "toolkit/TemporaryName.h"

namespace korvane::toolkit {

// The real disk through POSIX calls.
//
// Inputs are opened without waiting (a FIFO with no writer would block forever) and refused
// unless they are regular files. A temporary file is created beside the file its target names,
// so that the final rename stays within one file system: a symbolic link is followed and the
// file it points to is replaced, the link stays. Temporary files are hidden and recognisable
// (".NAME.korvane-tmp-XXXXXX"), locked while they are written, and leftovers of a save that was
// killed are removed by the next save to the same target.
//
// A folder that CreateFolders could not make is remembered with the reason: a temporary file
// then asked for in it fails with that reason (say, "permission denied" for a parent the user
// may not write) rather than with "the folder does not exist", which would send the user
// looking for the wrong fault.
class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string& path, FileError& error) override;
  std::unique_ptr<OutputFile> CreateTemporaryBeside(const std::string& target,
                                                    FileError& error) override;
  bool Rename(const std::string& from, const std::string& to, FileError& error) override;
  void Remove(const std::string& path) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  bool CanCreateFilesIn(const std::string& folder) override;
  bool CreateFolders(const std::string& folder) override;

 private:
  std::string uncreatedFolder_;
  int uncreatedErrno_ = 0;
};

// The words for a failed system call's errno; `creating` tells a missing folder from a missing
// file.
std::string DescribeErrno(int err, bool creating = false);

}  // namespace korvane::toolkit
