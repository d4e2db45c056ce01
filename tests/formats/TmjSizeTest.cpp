// The quick first look for a Tiled JSON map's size: it must find the top-level "width" and
// "height" through anything JSON can hold before them, and pass over anything but a plain side.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "formats/MemoryFile.h"
#include "formats/TmjSize.h"

namespace korvane {
namespace {

using Size = std::optional<std::pair<int32_t, int32_t>>;

Size TopLevelSizeOf(const std::string& text) {
  MemoryFile file({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
  JsonFileStream stream(file);
  return TopLevelSize(stream);
}

TEST(TmjSize, FindsOnlyThePlainTopLevelSides) {
  const Size none;
  const std::pair<std::string, Size> cases[] = {
      // Nested containers closed by both brackets, and nested sides that must not count.
      {R"({"a": {"width": 5, "l": [1, {"height": 7}]}, "width": 2, "height": 3})", std::pair(2, 3)},
      {R"({"width": 2, "height": 3, "a": [{"width": 9}], "b": {"height": 9}})", std::pair(2, 3)},
      {R"({"a": {"width": 5, "height": 6}})", none},
      // Strings holding every mark the scan watches for, and escaped quotes.
      {R"({"s": "}]{[,:", "width": 4, "height": 5})", std::pair(4, 5)},
      {R"({"s": "\"", "t\"": "\\", "width": 4, "height": 5})", std::pair(4, 5)},
      {R"({"s": "\", \"width\": 9, \"height\": 9", "width": 4, "height": 5})", std::pair(4, 5)},
      // Names that only begin like a side.
      {R"({"width": 1, "height": 1, "widths": 6, "heights": 7, "widthxx": 8})", std::pair(1, 1)},
      // The bounds of a side, and what is no plain whole number.
      {R"({"width": 32767, "height": 1})", std::pair(32767, 1)},
      {R"({"width": 10, "height": 209})", std::pair(10, 209)},
      {R"({"width": 32768, "height": 1})", none},
      {R"({"width": 1, "height": 0})", none},
      {R"({"width": 3.0, "height": 1})", none},
      {R"({"width": -1, "height": 1})", none},
      {R"({"width": 1e3, "height": 1})", none},
      {R"({"width": "5", "height": 1})", none},
      // Blanks before the number; after it a blank, a '}' or the end of the text.
      {"{\"height\":\n\t 9 , \"width\":  8}", std::pair(8, 9)},
      {R"({"height": 9, "width": 8)", std::pair(8, 9)},
      {R"({"width": 8})", none},
      {"", none},
  };
  for (const auto& [text, size] : cases) EXPECT_EQ(TopLevelSizeOf(text), size) << text;
}

}  // namespace
}  // namespace korvane
