#include <gtest/gtest.h>

#include "model/Catalogue.h"
#include "overlay/CatalogueHome.h"
#include "toolkit/ForeignText.h"

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
        Entries{{" a , b ", -32768}, {"ends in a quote\"", 32767}, {"\"starts with one", 128}},
        Entries{{"ends in a comma,", 3}, {",", 4}}}) {
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
  // clang-format off
  struct Case { const char* name; std::string text; size_t entriesKept; bool complete; };
  // clang-format on
  const Case cases[] = {
      {"bare line feeds", "2\n\"1: Tree\"\n259\n\"2: Rock\"\n129\n", 2, true},
      {"lone carriage returns", "2\r\"1: Tree\"\r259\r\"2: Rock\",\r129\r", 2, true},
      {"an empty field", "2\r\"1: Tree\"\r259,,\"2: Rock\"\r129\r", 1, false},
      {"blanks and commas", "  2 \r\n  \"1: Tree\"  \r\n 259\t\r\n\r\n\"2: Rock\",129", 2, true},
      {"names without quotes", "2\r\n1: Tree \t\r\n259\r\n\t2: Rock,129", 2, true},
      {"a line that starts with a comma", "1\r\"1: Tree\"\r,259\r", 0, false},
      {"byte order mark", "\357\273\2771\r\n\"1: Tree\"\r\n259\r\n", 1, true},
      {"empty file", "", 0, true},
      {"count not a number", "two\r\n\"1: Tree\"\r\n259\r\n", 0, false},
      {"negative count", "-3\r\n\"1: Tree\"\r\n259\r\n", 0, false},
      {"blank lines after the entries", "1\r\n\"1: Tree\"\r\n259\r\n\r\n \t\n", 1, true},
      {"a stray field after the entries", "1\r\n\"1: Tree\"\r\n259\r\nx", 1, false},
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

// An installed copy (one with <prefix>/share/korvane) keeps the catalogue in the user's data
// folder (only an absolute one counts), with the installed one to start from, whoever runs it and
// however writable its own folder is; any other copy keeps it beside the executable.
// A name written in another code page is shown and exported as Windows-1252; UTF-8 passes as it
// is, at each edge of what UTF-8 allows.
TEST(CatalogueNames, OnlyWellFormedUtf8IsTakenAsItIs) {
  for (const char* utf8 :
       {"", "Tree", "\x7F", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80",
        "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF", "Caf\xC3\xA9"})
    EXPECT_EQ(toolkit::AsUtf8(utf8), utf8) << utf8;
  // Each is read byte by byte: stray continuations, overlong forms, surrogates, past U+10FFFF,
  // lead bytes that start nothing, and sequences cut short, at the end or by a plain byte.
  const std::pair<const char*, const char*> foreign[] = {
      {"\x80", "\xE2\x82\xAC"},
      {"\xBF", "\xC2\xBF"},
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},
      {"\xC1\xBF", "\xC3\x81\xC2\xBF"},
      {"\xC2", "\xC3\x82"},
      {"\xC2"
       "A",
       "\xC3\x82"
       "A"},
      {"\xC2\xC0", "\xC3\x82\xC3\x80"},
      {"\xE0\x9F\xBF", "\xC3\xA0\xC5\xB8\xC2\xBF"},
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"\xE1\x80", "\xC3\xA1\xE2\x82\xAC"},
      {"\xF0\x8F\xBF\xBF", "\xC3\xB0\xC2\x8F\xC2\xBF\xC2\xBF"},
      {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
      {"\xF5\x80\x80\x80", "\xC3\xB5\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"},
      {"\xE1\x80\x80\xFF", "\xC3\xA1\xE2\x82\xAC\xE2\x82\xAC\xC3\xBF"},
      {"\xE2\x82"
       "A",
       "\xC3\xA2\xE2\x80\x9A"
       "A"},
      // The Windows-1252 bytes between 80 and 9F, at their ends and unassigned ones, and 9F/A0.
      {"Caf\xE9", "Caf\xC3\xA9"},
      {"\x81\x9F\xA0", "\xC2\x81\xC5\xB8\xC2\xA0"},
      {"\x9D\x9E", "\xC2\x9D\xC5\xBE"}};
  for (const auto& [in, out] : foreign) EXPECT_EQ(toolkit::AsUtf8(in), out) << in;
}

TEST(CatalogueHome, FollowsHowTheEditorWasInstalled) {
  const std::string usr = "/usr/bin/../share/korvane/Overlay.dat";
  // expected: file|folder|installed default
  // clang-format off
  struct Case { const char* folder; bool installed; const char *xdg, *home; std::string expected; };
  // clang-format on
  const Case cases[] = {
      // Root's usual environment, then a user's, with and without XDG_DATA_HOME.
      {"/usr/bin", true, "", "/root",
       "/root/.local/share/korvane/Overlay.dat|/root/.local/share/korvane|" + usr},
      {"/usr/bin", true, "/x", "/h", "/x/korvane/Overlay.dat|/x/korvane|" + usr},
      {"/usr/bin", true, "data", "/h",
       "/h/.local/share/korvane/Overlay.dat|/h/.local/share/korvane|" + usr},
      {"/opt/k/bin", true, "", "/h",
       "/h/.local/share/korvane/Overlay.dat|/h/.local/share/korvane|"
       "/opt/k/bin/../share/korvane/Overlay.dat"},
      // Nowhere to keep it but the install prefix, which is never written.
      {"/usr/bin", true, "data", "", "||" + usr},
      // A build folder or an unpacked copy, whatever the environment says.
      {"/src/build", false, "/x", "/h", "/src/build/Overlay.dat||"},
      {"/src/build", false, "", "", "/src/build/Overlay.dat||"}};
  for (const auto& c : cases) {
    const CatalogueHome home = ChooseCatalogueHome({c.folder, c.installed, c.xdg, c.home});
    EXPECT_EQ(home.file + "|" + home.folder + "|" + home.installedDefault, c.expected)
        << c.folder << " " << c.xdg << " " << c.home;
  }
}

}  // namespace
}  // namespace korvane
