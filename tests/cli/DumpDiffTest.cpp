#include <gtest/gtest.h>

#include <functional>

#include "app/cli/Json.h"
#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

const std::filesystem::path kSource = KORVANE_SOURCE_DIR;

using CliDump = CliTest;

TEST_F(CliDump, DumpOfTheDemoMapIsTheCheckedInText) {
  const RunResult r = Run({"dump", (kSource / "examples/demo.map").string()});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, ReadText(kSource / "tests/cli/demo.dump"));
}

TEST_F(CliDump, RowsLimitTheRowsAndTheirOverlayCells) {
  const std::string map =
      WriteMap("m.map", Grid(2, 3, {1, 2, -3, 4, 5, 32767}), Grid(2, 3, {0, 7, 0, 0, 9, 0}));
  const std::string header =
      "korvane map\nsize: 2 x 3\nhuman resources: 0\ncomputer resources: 0\n"
      "signature: standard\noverlay entries: 2\n";
  struct Case {
    const char* rows;
    std::string body;
  };
  for (const Case& c : {
           Case{"0..2",
                "row 0: 1 2\nrow 1: -3 4\nrow 2: 5 32767\noverlay 1,0 = 7\noverlay 0,2 = 9\n"},
           Case{"1..1", "row 1: -3 4\n"},
           Case{"2..99", "row 2: 5 32767\noverlay 0,2 = 9\n"},
           Case{"3..4", ""},
       }) {
    const RunResult r = Run({"dump", map, "--rows", c.rows});
    EXPECT_EQ(r.code, 0) << c.rows;
    EXPECT_EQ(r.out, header + c.body) << c.rows;
  }
  for (const char* bad : {"2..1", "1", "-1..2", "a..b", "1..", "..3"})
    EXPECT_EQ(Run({"dump", map, "--rows", bad}).code, 2) << bad;
}

TEST_F(CliDump, ADamagedMapIsRefusedWithItsByteOffsetByDumpAndDiff) {
  std::vector<uint8_t> bytes = testing_document::MapBytes(4, 4, 0, 0, {1, 2, 3}, {});
  WriteBytes(Path("cut.map"), bytes);
  const std::string good = WriteMap("good.map", Grid(1, 1), Grid(1, 1));
  const RunResult dump = Run({"dump", Path("cut.map")});
  EXPECT_EQ(dump.code, 1);
  EXPECT_EQ(dump.out, "");
  EXPECT_NE(dump.err.find("cut.map: byte 28: "), std::string::npos) << dump.err;
  // diff follows cmp: any trouble is 2, not "different".
  const RunResult diff = Run({"diff", good, Path("cut.map")});
  EXPECT_EQ(diff.code, 2);
  EXPECT_NE(diff.err.find("cut.map: byte 28: "), std::string::npos) << diff.err;
  EXPECT_EQ(Run({"diff", good, Path("missing.map")}).code, 2);
  EXPECT_EQ(Run({"diff", good}).code, 2);
  EXPECT_EQ(Run({"diff", good, good, "--zoom", "2"}).code, 2);
}

// The old map of every diff case: 6 x 4, tiles numbered by cell, two overlay entries.
struct Version {
  Grid16 tiles = Grid(
      6, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23});
  Grid16 overlay =
      Grid(6, 4, {0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3});
  int32_t human = 10;
  int32_t computer = 20;
};

Version Resized(const Version& v, int32_t w, int32_t h) {
  Version r = v;
  r.tiles = Grid(w, h);
  r.overlay = Grid(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      if (v.tiles.Contains(x, y)) {
        r.tiles.Set(x, y, v.tiles.At(x, y));
        r.overlay.Set(x, y, v.overlay.At(x, y));
      }
  return r;
}

using CliDiff = CliTest;

TEST_F(CliDiff, ReportsEveryKindOfChange) {
  struct Case {
    const char* name;
    std::function<void(Version&)> change;
    int code;
    std::string text;
  };
  const Case cases[] = {
      {"equal", [](Version&) {}, 0, ""},
      {"one cell", [](Version& v) { v.tiles.Set(4, 2, 99); }, 1,
       "tiles: 1 cell changed in 1 rectangle\n  4,2 .. 4,2 (1 x 1)\n"},
      {"rectangle",
       [](Version& v) {
         for (int y = 1; y <= 3; ++y)
           for (int x = 1; x <= 2; ++x) v.tiles.Set(x, y, -1);
       },
       1, "tiles: 6 cells changed in 1 rectangle\n  1,1 .. 2,3 (2 x 3)\n"},
      {"L shape and a lone cell",
       [](Version& v) {
         for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {5, 0}})
           v.tiles.Set(x, y, 300);
       },
       1,
       "tiles: 6 cells changed in 3 rectangles\n  0,0 .. 1,1 (2 x 2)\n  5,0 .. 5,0 (1 x 1)\n"
       "  0,2 .. 0,2 (1 x 1)\n"},
      {"resources",
       [](Version& v) {
         v.human = -1;
         v.computer = 70000;
       },
       1, "human resources: 10 -> -1\ncomputer resources: 20 -> 70000\n"},
      {"overlay entries",
       [](Version& v) {
         v.overlay.Set(2, 0, 6);
         v.overlay.Set(5, 3, 0);
         v.overlay.Set(0, 1, 1);
       },
       1, "overlay changed 2,0: 5 -> 6\noverlay added 0,1 = 1\noverlay removed 5,3 (was 3)\n"},
      {"wider and shorter", [](Version& v) { v = Resized(v, 7, 3); }, 1,
       "size: 6 x 4 -> 7 x 3 (tiles compared within 6 x 3)\noverlay entries stored: 2 -> 1\n"
       "overlay removed 5,3 (was 3)\n"},
  };
  const Version old;
  const std::string oldPath = WriteMap("old.map", old.tiles, old.overlay, old.human, old.computer);
  for (const Case& c : cases) {
    Version v;
    c.change(v);
    const std::string newPath = WriteMap("new.map", v.tiles, v.overlay, v.human, v.computer);
    const RunResult r = Run({"diff", oldPath, newPath});
    EXPECT_EQ(r.code, c.code) << c.name << r.err;
    EXPECT_EQ(r.out, c.text) << c.name;
    const RunResult json = Run({"diff", oldPath, newPath, "--json"});
    EXPECT_EQ(json.code, c.code) << c.name;
    const auto parsed = cli::ParseJson(json.out);
    ASSERT_TRUE(std::holds_alternative<cli::JsonValue>(parsed)) << c.name;
    const cli::JsonValue& root = std::get<cli::JsonValue>(parsed);
    EXPECT_EQ(root.Find("equal")->boolean, c.code == 0) << c.name;
    EXPECT_EQ(root.Find("bounds") != nullptr, c.text.find(',') != std::string::npos) << c.name;
  }
}

TEST_F(CliDiff, JsonCarriesTheSameFacts) {
  const Version old;
  Version v = Resized(old, 6, 5);
  v.tiles.Set(1, 1, 50);
  v.tiles.Set(2, 1, 51);
  v.overlay.Set(2, 0, 0);
  v.overlay.Set(3, 4, 8);
  v.human = 11;
  const RunResult r =
      Run({"diff", WriteMap("old.map", old.tiles, old.overlay, old.human, old.computer),
           WriteMap("new.map", v.tiles, v.overlay, v.human, v.computer), "--json"});
  EXPECT_EQ(r.code, 1);
  const cli::JsonValue root = std::get<cli::JsonValue>(cli::ParseJson(r.out));
  const auto at = [&root](const char* a, const char* b) { return root.Find(a)->Find(b)->integer; };
  EXPECT_EQ(at("height", "old"), 4);
  EXPECT_EQ(at("height", "new"), 5);
  EXPECT_EQ(at("human_resources", "new"), 11);
  EXPECT_EQ(at("tiles", "changed_cells"), 2);
  const cli::JsonValue& rect = root.Find("tiles")->Find("rectangles")->array.at(0);
  EXPECT_EQ(rect.Find("x")->integer, 1);
  EXPECT_EQ(rect.Find("width")->integer, 2);
  const cli::JsonValue& overlay = *root.Find("overlay");
  EXPECT_EQ(overlay.Find("added")->array.at(0).Find("new")->integer, 8);
  EXPECT_EQ(overlay.Find("removed")->array.at(0).Find("old")->integer, 5);
  EXPECT_EQ(overlay.Find("changed")->ArraySize(), 0u);
  // From the removed entry in row 0 to the row that only the new map has.
  EXPECT_EQ(at("bounds", "x"), 0);
  EXPECT_EQ(at("bounds", "y"), 0);
  EXPECT_EQ(at("bounds", "width"), 6);
  EXPECT_EQ(at("bounds", "height"), 5);
}

// A checkerboard of changes: every changed cell is its own rectangle; 50 are listed.
TEST_F(CliDiff, ListsFiftyRectanglesAndCountsTheRest) {
  const Grid16 none = Grid(20, 20);
  Grid16 checked = Grid(20, 20);
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = (y % 2); x < 20; x += 2) checked.Set(x, y, 1);
  const RunResult r =
      Run({"diff", WriteMap("a.map", none, none), WriteMap("b.map", checked, none)});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out.rfind("tiles: 200 cells changed in 200 rectangles\n  0,0 .. 0,0 (1 x 1)\n", 0),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("\n  18,4 .. 18,4 (1 x 1)\n  and 150 more\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace korvane::clitest
