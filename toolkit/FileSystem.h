#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvane::toolkit {

// Why a file operation failed, in a few words for the person who asked for it: "permission
// denied", "no space left on the device", "the folder does not exist".
struct FileError {
  std::string reason;
  // True when nothing exists at the path, as opposed to something that exists but failed.
  bool notFound = false;
};

// An existing regular file opened for reading. Closing (or destroying) it releases the handle.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // The file's length when it was opened.
  virtual uint64_t Size() const = 0;
  // Fills `bytes` with the file's content from `offset` on. False when the file ends first or a
  // read fails; `error` then says why.
  virtual bool ReadAt(uint64_t offset, std::span<uint8_t> bytes, FileError& error) = 0;
};

// A temporary file being written, which is to replace `Target` as a whole once it is complete.
// Closing (or destroying) it releases the handle; it does not remove the file.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // The temporary file itself.
  virtual const std::string& Path() const = 0;
  // The file it is meant to replace: the path it was made for, with symbolic links followed.
  virtual const std::string& Target() const = 0;
  // Each returns false on failure (no room, an I/O error), with the reason in LastError(); the
  // file is then in an unknown state.
  virtual bool Write(std::span<const uint8_t> bytes) = 0;
  // Pushes the written bytes to the disk (fsync).
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
  virtual FileError LastError() const = 0;
};

// The disk as the editor sees it. Nothing here creates a file as a side effect of reading, and
// nothing waits on a FIFO or a device.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens an existing regular file for reading; null, with the reason, when there is none at the
  // path, when it cannot be opened, or when it is something else (a folder, a FIFO, a device).
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path, FileError& error) = 0;
  // A new, empty, uniquely named temporary file in the folder of the file that `target` names
  // (a symbolic link is followed to the file it points to). Null, with the reason, when the
  // target exists but is not a regular file, or when the folder takes no new file.
  virtual std::unique_ptr<OutputFile> CreateTemporaryBeside(const std::string& target,
                                                            FileError& error) = 0;
  // Replaces `to` by `from` in one step.
  virtual bool Rename(const std::string& from, const std::string& to, FileError& error) = 0;
  // As far as it can: a temporary file left behind goes with the next save beside it made by a
  // later run.
  virtual void Remove(const std::string& path) = 0;
  // Whether both paths name one existing file, however each is spelled.
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
  // Whether the running user may create files in an existing folder.
  virtual bool CanCreateFilesIn(const std::string& folder) = 0;
  // Creates the folder and any missing folders above it, private to the user; true when it
  // exists afterwards.
  virtual bool CreateFolders(const std::string& folder) = 0;

  // The whole content of an existing regular file; nullopt, with the reason, when it cannot be
  // opened or read, or is longer than `limit` bytes.
  std::optional<std::vector<uint8_t>> ReadAll(const std::string& path, FileError& error,
                                              uint64_t limit = UINT64_MAX) {
    const std::unique_ptr<InputFile> file = OpenForReading(path, error);
    if (!file) return std::nullopt;
    if (file->Size() > limit || file->Size() > SIZE_MAX) {
      error.reason = "it is larger than " + std::to_string(limit) + " bytes";
      return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    try {
      bytes.resize(static_cast<size_t>(file->Size()));
    } catch (const std::exception&) {
      error.reason = "there is not enough memory to read it";
      return std::nullopt;
    }
    if (!file->ReadAt(0, bytes, error)) return std::nullopt;
    return bytes;
  }
  std::optional<std::vector<uint8_t>> ReadAll(const std::string& path) {
    FileError ignored;
    return ReadAll(path, ignored);
  }

  // Whether anything (a file, a folder, a device) is at the path. Something that is there but
  // cannot be opened counts as there: only "nothing at this path" says no.
  bool Exists(const std::string& path) {
    FileError error;
    return OpenForReading(path, error) != nullptr || !error.notFound;
  }
};

}  // namespace korvane::toolkit
