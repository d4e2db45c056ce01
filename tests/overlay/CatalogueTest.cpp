#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlay/Catalogue.h"

namespace korvane {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}
std::string Text(const std::vector<uint8_t>& b) {
  return {b.begin(), b.end()};
}
CatalogueReading Read(const std::string& s) {
  return ReadCatalogue(Bytes(s));
}

const std::string kTreeAndRock = "2\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\n129\r\n";

TEST(CatalogueFormat, WritesTheExactFileText) {
  const std::vector<CatalogueEntry> entries = {{"1: Tree", 259}, {"2: Rock", 129}};
  EXPECT_EQ(Text(WriteCatalogue(entries)), kTreeAndRock);
  EXPECT_EQ(Text(WriteCatalogue({})), "0\r\n");
}

TEST(CatalogueFormat, RoundTripKeepsTextsOrderAndSizes) {
  const std::vector<CatalogueEntry> entries = {
      {"1: Tree", 259}, {"3: ", 16383}, {"2: a, b", 129},  {"4: say \"hi\"", 130},
      {"5: \"", 131},   {"", 0},        {"  padded  ", -7}};
  const CatalogueReading back = ReadCatalogue(WriteCatalogue(entries));
  EXPECT_TRUE(back.complete);
  EXPECT_EQ(back.entries, entries);
}

TEST(CatalogueFormat, ReadsBareLineFeedsBlanksAndCommas) {
  const std::vector<CatalogueEntry> expected = {{"1: Tree", 259}, {"2: Rock", 129}};
  EXPECT_EQ(Read("2\n\"1: Tree\"\n259\n\"2: Rock\"\n129\n").entries, expected);
  EXPECT_EQ(Read("  2 \r\n  \"1: Tree\"  \r\n 259\t\r\n\"2: Rock\",129").entries, expected);
  EXPECT_EQ(Read("\xEF\xBB\xBF" + kTreeAndRock).entries, expected);
  EXPECT_EQ(Read("2,\"1: Tree\",259\r\n\r\n\"2: Rock\"\r\n129").entries, expected);
}

// Broken files: whatever was read before the fault stays, and the reading says it stopped short.
struct BrokenCase {
  const char* name;
  std::string text;
  size_t entriesKept;
  bool complete;
};

TEST(CatalogueFormat, BrokenFilesKeepWhatWasRead) {
  const BrokenCase cases[] = {
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
  for (const BrokenCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CatalogueReading r = Read(c.text);
    EXPECT_EQ(r.entries.size(), c.entriesKept);
    EXPECT_EQ(r.complete, c.complete);
    if (!r.entries.empty()) {
      EXPECT_EQ(r.entries[0].text, "1: Tree");
    }
  }
}

TEST(CatalogueFormat, EveryTruncationReadsAPrefixOfTheEntries) {
  const std::vector<CatalogueEntry> full = {{"1: Tree", 259}, {"2: Rock", 129}};
  for (size_t length = 0; length <= kTreeAndRock.size(); ++length) {
    SCOPED_TRACE(length);
    const CatalogueReading r = Read(kTreeAndRock.substr(0, length));
    ASSERT_LE(r.entries.size(), full.size());
    for (size_t i = 0; i < r.entries.size(); ++i) {
      EXPECT_EQ(r.entries[i].text, full[i].text);
      // Only the last entry read can have lost digits of its size.
      if (i + 1 < r.entries.size()) {
        EXPECT_EQ(r.entries[i].packedSize, full[i].packedSize);
      }
    }
    if (r.complete && length > 0) {
      EXPECT_EQ(r.entries.size(), full.size());
    }
  }
}

}  // namespace
}  // namespace korvane
