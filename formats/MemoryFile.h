#pragma once

#include <cstdint>
#include <cstring>
#include <span>

#include "toolkit/FileSystem.h"

namespace korvane {

// A file's bytes already in memory, read through the same interface as a file on the disk. The
// bytes must outlive it.
class MemoryFile : public toolkit::InputFile {
 public:
  explicit MemoryFile(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool ReadAt(uint64_t offset, std::span<uint8_t> out, toolkit::FileError& error) override {
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset) {
      error = toolkit::FileError{"the file is shorter"};
      return false;
    }
    if (!out.empty()) std::memcpy(out.data(), bytes_.data() + offset, out.size());
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace korvane
