#include <gtest/gtest.h>

#include "overlay/Catalogue.h"
#include "overlay/CatalogueHome.h"

namespace korvane {
namespace {

using Entries = std::vector<CatalogueEntry>;

// Names survive whatever quotes, commas and blanks they hold; sizes beyond 16 bits are written
// clamped.
TEST(CatalogueFormat, WriteThenReadGivesTheEntriesBack) {
  const Entries two{{"1: Tree", 259}, {"2: Rock", 129}};
  const std::vector<uint8_t> bytes = WriteCatalogue(two);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "2\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\n129\r\n");
  for (const Entries& entries :
       {Entries{}, two, Entries{{"3: the \"big\" one, really", 645}, {"\"", 1}, {"", 2}},
        Entries{{" a , b ", -32768}, {"ends in a quote\"", 32767}, {"\"starts with one", 128}}}) {
    const CatalogueReading r = ReadCatalogue(WriteCatalogue(entries));
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.entries, entries);
  }
  EXPECT_EQ(ReadCatalogue(WriteCatalogue({{{"x", 70000}, {"y", -70000}}})).entries,
            (Entries{{"x", 32767}, {"y", -32768}}));
}

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
      {"negative count", "-3\r\n\"1: Tree\"\r\n259\r\n", 0, true},
      {"second size not a number", "2\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\nbig\r\n", 1, false},
      {"fewer entries than counted", "5\r\n\"1: Tree\"\r\n259\r\n", 1, false},
      {"unclosed quote", "1\r\n\"1: Tree\r\n259\r\n", 1, true},
      {"binary garbage", std::string("\x00\xff\x80\"\r\n\x01", 6), 0, false}};
  const Entries full{{"1: Tree", 259}, {"2: Rock", 129}};
  for (const auto& c : cases) {
    const CatalogueReading r = ReadCatalogue(std::vector<uint8_t>(c.text.begin(), c.text.end()));
    EXPECT_EQ(r.entries, Entries(full.begin(), full.begin() + c.entriesKept)) << c.name;
    EXPECT_EQ(r.complete, c.complete) << c.name;
  }
}

// Beside a writable executable, else in the user's data folder (only an absolute one counts),
// with the installed copy to start from.
TEST(CatalogueHome, FollowsTheExecutableFolderAndTheEnvironment) {
  const std::string installed = "|/opt/k/../share/korvane/Overlay.dat",
                    local = "/h/.local/share/korvane";
  const struct {
    bool writable;
    const char *xdg, *home;
    std::string expected;  // file|folder|installed default
  } cases[] = {{true, "/x", "/h", "/opt/k/Overlay.dat||"},
               {false, "/x", "/h", "/x/korvane/Overlay.dat|/x/korvane" + installed},
               {false, "", "/h", local + "/Overlay.dat|" + local + installed},
               {false, "data", "/h", local + "/Overlay.dat|" + local + installed},
               {false, "data", "home", "/opt/k/Overlay.dat||"}};
  for (const auto& c : cases) {
    const CatalogueHome home = ChooseCatalogueHome({"/opt/k", c.writable, c.xdg, c.home});
    EXPECT_EQ(home.file + "|" + home.folder + "|" + home.installedDefault, c.expected);
  }
}

}  // namespace
}  // namespace korvane
