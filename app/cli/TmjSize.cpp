#include "app/cli/TmjSize.h"

#include <algorithm>
#include <string>

namespace korvane::cli {

uint64_t MaxTmjBytes(int64_t width, int64_t height) {
  const uint64_t cells = static_cast<uint64_t>(std::max<int64_t>(width, 0)) *
                         static_cast<uint64_t>(std::max<int64_t>(height, 0));
  return 32 * cells + 4096 * std::min<uint64_t>(cells, 32767) + (uint64_t{16} << 20);
}

uint64_t LargestTmjBytes() {
  return MaxTmjBytes(32767, 32767);
}

std::optional<std::pair<int64_t, int64_t>> TopLevelSize(std::string_view text) {
  std::optional<int64_t> width, height;
  int depth = 0;
  bool expectKey = false;
  std::string key;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      const size_t start = ++i;
      while (i < text.size() && text[i] != '"') i += text[i] == '\\' ? 2 : 1;
      if (depth == 1 && expectKey) {
        key.assign(text.substr(start, std::min(i, text.size()) - start));
        expectKey = false;
      }
    } else if (c == '{' || c == '[') {
      ++depth;
      expectKey = depth == 1 && c == '{';
      if (depth == 1 && c == '[') return std::nullopt;
    } else if (c == '}' || c == ']') {
      --depth;
    } else if (c == ',' && depth == 1) {
      expectKey = true;
    } else if (c == ':' && depth == 1 && (key == "width" || key == "height")) {
      size_t j = i + 1;
      while (j < text.size() &&
             (text[j] == ' ' || text[j] == '\t' || text[j] == '\n' || text[j] == '\r'))
        ++j;
      int64_t n = 0;
      size_t digits = 0;
      for (; j < text.size() && text[j] >= '0' && text[j] <= '9' && digits < 6; ++j, ++digits)
        n = n * 10 + (text[j] - '0');
      // Only a plain side a map can have; anything else is left for the full reading to refuse.
      const bool ends =
          j == text.size() || std::string_view(" \t\r\n,}").find(text[j]) != std::string_view::npos;
      if (digits > 0 && ends && n >= 1 && n <= 32767) (key == "width" ? width : height) = n;
      key.clear();
    }
  }
  if (!width || !height) return std::nullopt;
  return std::pair(*width, *height);
}

}  // namespace korvane::cli
