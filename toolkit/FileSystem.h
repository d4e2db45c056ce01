#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvane::toolkit {

// A file being written. Closing (or destroying) it releases the handle.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual const std::string& Path() const = 0;
  // Each returns false on failure (no room, an I/O error); the file is then in an unknown state.
  virtual bool Write(std::span<const uint8_t> bytes) = 0;
  // Pushes the written bytes to the disk (fsync).
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
};

// The disk as the editor sees it. Nothing here creates a file as a side effect of reading.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The whole content of an existing regular file; nullopt when it is missing or unreadable.
  virtual std::optional<std::vector<uint8_t>> ReadAll(const std::string& path) = 0;
  // A new, empty, uniquely named file in the same folder as `target`; null on failure.
  virtual std::unique_ptr<OutputFile> CreateTemporaryBeside(const std::string& target) = 0;
  // Replaces `to` by `from` in one step.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Whether the running user may create files in an existing folder.
  virtual bool CanCreateFilesIn(const std::string& folder) = 0;
  // Creates the folder and any missing folders above it, private to the user; true when it
  // exists afterwards.
  virtual bool CreateFolders(const std::string& folder) = 0;
};

}  // namespace korvane::toolkit
