#pragma once

#include "toolkit/FileSystem.h"

namespace korvane::toolkit {

// The real disk through POSIX calls. Temporary files are created beside their target so that
// the final rename stays within one file system.
class PosixFileSystem : public FileSystem {
 public:
  std::optional<std::vector<uint8_t>> ReadAll(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateTemporaryBeside(const std::string& target) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool CanCreateFilesIn(const std::string& folder) override;
  bool CreateFolders(const std::string& folder) override;
};

}  // namespace korvane::toolkit
