#include "formats/JsonFileStream.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace korvane {

namespace {

constexpr size_t kBlock = size_t{1} << 16;

std::span<uint8_t> Bytes(std::vector<char>& block, size_t n) {
  return {reinterpret_cast<uint8_t*>(block.data()), n};
}

}  // namespace

JsonFileStream::JsonFileStream(toolkit::InputFile& file) : file_(file), block_(kBlock + 1, '\0') {
  Refill();
  // A file that is the mark alone leaves `at_` on the '\0' after it: the text is empty.
  if (end_ - at_ >= 3 && std::memcmp(at_, "\xEF\xBB\xBF", 3) == 0) at_ += 3;
}

void JsonFileStream::Refill() {
  blockStart_ = next_;
  size_t n = readError_ ? 0 : static_cast<size_t>(std::min<uint64_t>(file_.Size() - next_, kBlock));
  toolkit::FileError error;
  if (n > 0 && !file_.ReadAt(next_, Bytes(block_, n), error)) {
    readError_ = error;
    n = 0;
  }
  // A '\0' after the text is how the reader sees the end.
  block_[n] = '\0';
  begin_ = at_ = block_.data();
  end_ = begin_ + n;
  next_ += n;
}

std::pair<uint64_t, uint64_t> JsonFileStream::LineAndColumn(uint64_t offset) {
  offset = std::min(offset, file_.Size());
  std::vector<char> block(kBlock);
  uint64_t line = 1;
  uint64_t lineStart = 0;
  toolkit::FileError error;
  for (uint64_t at = 0; at < offset;) {
    const auto n = static_cast<size_t>(std::min<uint64_t>(offset - at, kBlock));
    if (!file_.ReadAt(at, Bytes(block, n), error)) break;
    for (size_t i = 0; i < n; ++i)
      if (block[i] == '\n') {
        ++line;
        lineStart = at + i + 1;
      }
    at += n;
  }
  return {line, offset - lineStart + 1};
}

std::string JsonFileStream::Text(uint64_t start, uint64_t end) {
  end = std::min(end, file_.Size());
  std::string text(start < end ? end - start : 0, '\0');
  toolkit::FileError error;
  if (!file_.ReadAt(start, std::span(reinterpret_cast<uint8_t*>(text.data()), text.size()), error))
    text.clear();
  return text;
}

char JsonFileStream::ByteAt(uint64_t offset) {
  if (offset >= file_.Size()) return '\0';
  const uint64_t start = offset / kBlock * kBlock;
  if (start != lookBackStart_) {
    lookBack_.resize(kBlock);
    toolkit::FileError error;
    const auto n = static_cast<size_t>(std::min<uint64_t>(file_.Size() - start, kBlock));
    if (!file_.ReadAt(start, Bytes(lookBack_, n), error)) return '\0';
    lookBackStart_ = start;
  }
  return lookBack_[offset - start];
}

uint64_t JsonFileStream::StringStart(uint64_t end) {
  // Within a string every quote is escaped, so the opening one is the first quote before the
  // closing one that follows an even number of backslashes.
  for (uint64_t at = end > 0 ? end - 1 : 0; at > 0;) {
    if (ByteAt(--at) != '"') continue;
    uint64_t slashes = 0;
    while (slashes < at && ByteAt(at - slashes - 1) == '\\') ++slashes;
    if (slashes % 2 == 0) return at;
  }
  return 0;
}

uint64_t JsonFileStream::NumberStart(uint64_t end, uint64_t longest) {
  const auto inNumber = [](char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
  };
  uint64_t start = end;
  while (start > 0 && end - start <= longest && inNumber(ByteAt(start - 1))) --start;
  return start;
}

}  // namespace korvane
