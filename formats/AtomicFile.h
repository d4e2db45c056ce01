#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "toolkit/FileSystem.h"

namespace korvane {

// A file being replaced as a whole. The new content goes to a temporary file beside the file
// that `path` names (a symbolic link is followed; a device, FIFO or folder is refused), and only
// Commit puts it in place, in one step. Dropped before that, it removes the temporary file and
// the target keeps its old content (or stays absent).
class FileReplacement {
 public:
  // Null, with the reason, when no temporary file can be made for `path`.
  static std::unique_ptr<FileReplacement> Begin(toolkit::FileSystem& files, const std::string& path,
                                                toolkit::FileError& error);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Where the content goes until Commit.
  toolkit::OutputFile& File() { return *temp_; }
  // Flushes the content to the disk and closes the temporary file, so that several files can
  // be made ready before any of them is committed.
  bool Finish(toolkit::FileError& error);
  // Finishes if that was not done, then renames the temporary file over the target.
  bool Commit(toolkit::FileError& error);

 private:
  FileReplacement(toolkit::FileSystem& files, std::unique_ptr<toolkit::OutputFile> temp)
      : files_(files), temp_(std::move(temp)) {}

  toolkit::FileSystem& files_;
  std::unique_ptr<toolkit::OutputFile> temp_;
  bool finished_ = false;
  bool committed_ = false;
};

// Replaces the file at `path` by the content that `write` puts into the file it is given (in as
// many writes as it likes; it returns false when a write failed). Returns true once the new
// content is in place. On any failure it returns false with the reason, the target keeps its
// old content (or stays absent) and the temporary file is removed.
bool WriteFileAtomically(toolkit::FileSystem& files, const std::string& path,
                         const std::function<bool(toolkit::OutputFile&)>& write,
                         toolkit::FileError& error);

// The same for bytes already in memory.
bool WriteFileAtomically(toolkit::FileSystem& files, const std::string& path,
                         std::span<const uint8_t> bytes, toolkit::FileError& error);

}  // namespace korvane
