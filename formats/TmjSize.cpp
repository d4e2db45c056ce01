#include "formats/TmjSize.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace korvane {

uint64_t MaxTmjBytes(int64_t width, int64_t height) {
  const uint64_t cells = static_cast<uint64_t>(std::max<int64_t>(width, 0)) *
                         static_cast<uint64_t>(std::max<int64_t>(height, 0));
  return 32 * cells + 4096 * std::min<uint64_t>(cells, 32767) + (uint64_t{16} << 20);
}

uint64_t LargestTmjBytes() {
  return MaxTmjBytes(32767, 32767);
}

namespace {

bool Blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The bytes the scan looks at; the rest (digits, blanks, letters) it passes over quickly.
constexpr auto kMarks = [] {
  std::array<bool, 256> marks{};
  for (const char c : std::string_view("\"{}[],:")) marks[static_cast<unsigned char>(c)] = true;
  return marks;
}();

}  // namespace

std::optional<std::pair<int32_t, int32_t>> TopLevelSize(JsonFileStream& text) {
  std::optional<int32_t> width, height;
  uint64_t depth = 0;
  bool expectKey = false;
  // A top-level member name, only as far as it takes to tell "width" and "height" from others.
  std::string key;
  for (char c; (c = text.Take()) != '\0';) {
    if (!kMarks[static_cast<unsigned char>(c)]) continue;
    if (c == '"') {
      const bool isKey = depth == 1 && expectKey;
      if (isKey) key.clear();
      for (char s; (s = text.Take()) != '"' && s != '\0';) {
        if (isKey && key.size() < 8) key.push_back(s);
        if (s == '\\') text.Take();
      }
      if (isKey) expectKey = false;
    } else if (c == '{' || c == '[') {
      if (++depth == 1 && c == '[') return std::nullopt;
      expectKey = depth == 1 && c == '{';
    } else if (c == '}' || c == ']') {
      if (depth > 0) --depth;
    } else if (c == ',' && depth == 1) {
      expectKey = true;
    } else if (c == ':' && depth == 1 && (key == "width" || key == "height")) {
      while (Blank(text.Peek())) text.Take();
      int32_t n = 0;
      int digits = 0;
      for (; text.Peek() >= '0' && text.Peek() <= '9' && digits < 6; ++digits)
        n = n * 10 + (text.Take() - '0');
      // Only a plain side a map can have; anything else is left for the full reading to judge.
      const char next = text.Peek();
      const bool ends = next == '\0' || Blank(next) || next == ',' || next == '}';
      if (digits > 0 && ends && n >= 1 && n <= 32767) (key == "width" ? width : height) = n;
      key.clear();
    }
  }
  if (!width || !height) return std::nullopt;
  return std::pair(*width, *height);
}

}  // namespace korvane
