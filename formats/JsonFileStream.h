#pragma once

// A JSON text read from a file a block at a time, as RapidJSON's readers take their input: a
// document of any length costs one block of memory, never its whole text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/FileSystem.h"

namespace korvane {

class JsonFileStream {
 public:
  using Ch = char;

  // Starts at the file's first byte, after a UTF-8 byte-order mark (which JSON readers commonly
  // accept); offsets still count the mark.
  explicit JsonFileStream(toolkit::InputFile& file);

  // The next byte, or '\0' once the file has ended (or could not be read further).
  Ch Peek() const { return *at_; }
  Ch Take() {
    const Ch c = *at_;
    if (at_ != end_ && ++at_ == end_) Refill();
    return c;
  }
  // The offset of the next byte in the file.
  size_t Tell() const {
    return static_cast<size_t>(blockStart_ + static_cast<uint64_t>(at_ - begin_));
  }

  // Only for parsing in place, which a file cannot be.
  Ch* PutBegin() { return nullptr; }
  void Put(Ch) {}
  void Flush() {}
  size_t PutEnd(Ch*) { return 0; }

  // Why the text stopped before the file's end, if it did.
  const std::optional<toolkit::FileError>& ReadError() const { return readError_; }

  // Line and column (both from 1; the column in bytes) of a byte offset, counted by reading the
  // file again up to it.
  std::pair<uint64_t, uint64_t> LineAndColumn(uint64_t offset);
  // The offset of the quote that opens the string whose closing quote lies just before `end`.
  uint64_t StringStart(uint64_t end);
  // The offset where the number that ends just before `end` begins, looking back no further
  // than `longest` bytes (and one more, to tell that it is longer).
  uint64_t NumberStart(uint64_t end, uint64_t longest = UINT64_MAX);
  // The bytes from `start` to `end`, read again.
  std::string Text(uint64_t start, uint64_t end);
  // One byte of the file, read again ('\0' past its end), for the rare look back at a refusal.
  char ByteAt(uint64_t offset);

 private:
  void Refill();

  toolkit::InputFile& file_;
  std::vector<char> block_;
  const char* begin_ = nullptr;
  const char* at_ = nullptr;
  const char* end_ = nullptr;
  uint64_t blockStart_ = 0;  // the offset of begin_
  uint64_t next_ = 0;        // the offset of the byte after end_
  std::optional<toolkit::FileError> readError_;
  std::vector<char> lookBack_;
  uint64_t lookBackStart_ = UINT64_MAX;
};

}  // namespace korvane
