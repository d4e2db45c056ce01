#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlay/Catalogue.h"

namespace korvane {
namespace {

// Whatever a file holds, what was read before its first fault stays, and the reading says whether
// it got to the end.
TEST(CatalogueFormat, KeepsWhatWasReadBeforeTheFirstFault) {
  const struct {
    const char* name;
    std::string text;
    size_t entriesKept;
    bool complete;
  } cases[] = {
      {"bare line feeds", "2\n\"1: Tree\"\n259\n\"2: Rock\"\n129\n", 2, true},
      {"blanks and commas", "  2 \r\n  \"1: Tree\"  \r\n 259\t\r\n\r\n\"2: Rock\",129", 2, true},
      {"byte order mark",
       "\xEF\xBB\xBF"
       "1\r\n\"1: Tree\"\r\n259\r\n",
       1, true},
      {"empty file", "", 0, true},
      {"count not a number", "two\r\n\"1: Tree\"\r\n259\r\n", 0, false},
      {"count beyond 16 bits", "40000\r\n\"1: Tree\"\r\n259\r\n", 0, false},
      {"negative count", "-3\r\n\"1: Tree\"\r\n259\r\n", 0, true},
      {"second size not a number", "2\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\nbig\r\n", 1, false},
      {"size beyond 16 bits", "2\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\n99999\r\n", 1, false},
      {"fewer entries than counted", "5\r\n\"1: Tree\"\r\n259\r\n", 1, false},
      {"unclosed quote", "1\r\n\"1: Tree\r\n259\r\n", 1, true},
      {"binary garbage", std::string("\x00\xff\x80\"\r\n\x01", 6), 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CatalogueReading r = ReadCatalogue(std::vector<uint8_t>(c.text.begin(), c.text.end()));
    ASSERT_EQ(r.entries.size(), c.entriesKept);
    EXPECT_EQ(r.complete, c.complete);
    if (c.entriesKept > 0) {
      EXPECT_EQ(r.entries[0], (CatalogueEntry{"1: Tree", 259}));
    }
    if (c.entriesKept > 1) {
      EXPECT_EQ(r.entries[1], (CatalogueEntry{"2: Rock", 129}));
    }
  }
}

}  // namespace
}  // namespace korvane
