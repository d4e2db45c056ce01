#pragma once

#include <set>
#include <string>
#include <vector>

#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::headless {

// The real disk, with a switch that makes one chosen operation fail with kInjectedFailure.
// Operations are counted across OpenForReading, ReadAt, CreateTemporaryBeside, Write, Flush,
// Close, Rename and Remove, from 0.
class FaultyFileSystem : public toolkit::FileSystem {
 public:
  static constexpr const char* kInjectedFailure = "an input/output error occurred";

  std::unique_ptr<toolkit::InputFile> OpenForReading(const std::string& path,
                                                     toolkit::FileError& error) override;
  std::unique_ptr<toolkit::OutputFile> CreateTemporaryBeside(const std::string& target,
                                                             toolkit::FileError& error) override;
  bool Rename(const std::string& from, const std::string& to, toolkit::FileError& error) override;
  bool Remove(const std::string& path) override;
  bool SameFile(const std::string& a, const std::string& b) override {
    return disk_.SameFile(a, b);
  }
  // Not counted, so the numbers of the file operations above stay as they were.
  bool CanCreateFilesIn(const std::string& folder) override;
  bool CreateFolders(const std::string& folder) override;

  // -1: nothing fails. Otherwise the operation with this number fails (and later ones succeed).
  int failAt = -1;
  // Operations counted so far, and their names in order.
  int operations = 0;
  std::vector<std::string> log;
  // Folders taken as read-only, as /usr/bin is for a user (the tests may run as root).
  std::set<std::string> readOnlyFolders;

  // Counts one operation; true when it is the one to fail.
  bool Fails(const std::string& name);

 private:
  toolkit::PosixFileSystem disk_;
};

}  // namespace korvane::headless
