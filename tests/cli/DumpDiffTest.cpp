// dump and diff, the two commands for maps kept in Git.

#include <cstdio>
#include <cstdlib>

#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

const std::filesystem::path kSource = KORVANE_SOURCE_DIR;

using CliDump = CliTest;

TEST_F(CliDump, DumpsTheDemoMapAndTheRowsAskedFor) {
  // The program itself, as Git runs it for textconv ("korvane-cli dump FILE", text on stdout).
  const std::string demo = (kSource / "examples/demo.map").string();
  ASSERT_EQ(std::system((KORVANE_CLI_PATH " dump '" + demo + "' > '" + Path("out") + "'").c_str()),
            0);
  EXPECT_EQ(ReadText(Path("out")), ReadText(kSource / "tests/cli/demo.dump"));

  WriteMap("m.map", Grid(2, 3, {1, 2, -3, 4, 5, 32767}), Grid(2, 3, {0, 7, 0, 0, 9, 0}));
  const std::string header =
      "korvane map\nsize: 2 x 3\nhuman resources: 0\ncomputer resources: 0\n"
      "signature: standard\noverlay entries: 2\n";
  EXPECT_EQ(Line("dump @m.map --rows 2..99").out, header + "row 2: 5 32767\noverlay 0,2 = 9\n");
  EXPECT_EQ(Line("dump @m.map --rows 3..4").out, header);  // past the last row: none

  // Another signature is shown byte by byte, so that a change from one to another shows too.
  std::vector<uint8_t> bytes = ReadBytes(Path("m.map"));
  bytes[0] = 0x0a;
  bytes[15] = 0xff;
  WriteBytes(Path("odd.map"), bytes);
  EXPECT_EQ(Line("dump @odd.map --rows 3..4").out,
            header.substr(0, header.find("standard")) +
                "other 0a 00 00 10 75 00 00 10 c1 0e 00 10 c1 ab 07 ff\noverlay entries: 2\n");
  EXPECT_EQ(Line("diff @m.map @odd.map").out, "signature: standard -> other\n");
  bytes[1] = 0x01;
  WriteBytes(Path("odder.map"), bytes);
  EXPECT_EQ(Line("diff @odd.map @odder.map").out, "signature: other -> other (other bytes)\n");
  EXPECT_NE(Line("diff @odd.map @odder.map --json").out.find("\"same_bytes\": false"),
            std::string::npos);
  // On a terminal the rows count up to the last one asked for.
  EXPECT_TRUE(Line("dump @m.map --rows 1..2", true).err.ends_with("dump: 100%\n"));
}

// The diff cases change one old map: 6 x 4, tiles numbered by cell, overlay 5 at (2, 0) and 3 at
// (5, 3), resources 10 and 20. Edits: "sW,H" (first) resizes, keeping the cells both sizes
// have; "tX0,Y0,X1,Y1" clears a rectangle of tiles to -1; "oX,Y,V" sets an overlay value; "hV"
// and "cV" set the resources.
class CliDiff : public CliTest {
 protected:
  void WriteVersion(const std::string& name, const std::string& edits) {
    int w = 6, h = 4, human = 10, computer = 20;
    std::sscanf(edits.c_str(), "s%d,%d", &w, &h);
    Grid16 tiles = Grid(w, h);
    Grid16 overlay = Grid(w, h);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) tiles.Set(x, y, static_cast<int16_t>(x + 6 * y));
    overlay.Set(2, 0, 5);
    if (overlay.Contains(5, 3)) overlay.Set(5, 3, 3);
    std::istringstream words(edits);
    for (std::string e; words >> e;) {
      int a = 0, b = 0, c = 0, d = 0;
      std::sscanf(e.c_str() + 1, "%d,%d,%d,%d", &a, &b, &c, &d);
      if (e[0] == 'h') human = a;
      if (e[0] == 'c') computer = a;
      if (e[0] == 'o') overlay.Set(a, b, static_cast<int16_t>(c));
      for (int y = b; e[0] == 't' && y <= d; ++y)
        for (int x = a; x <= c; ++x) tiles.Set(x, y, -1);
    }
    WriteMap(name, tiles, overlay, human, computer);
  }
};

// Each pair of maps: the text, the exit code, and the JSON's counts and bounds.
TEST_F(CliDiff, ReportsEveryKindOfChange) {
  // JSON: changed cells, rectangles; overlay entries added, removed, changed; bounds x y w h.
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {"", "0 0 0 0 0", ""},
      {"t5,3,5,3", "1 1 0 0 0 5 3 1 1",
       "tiles: 1 cell changed in 1 rectangle\n  5,3 .. 5,3 (1 x 1)\n"},
      {"t1,1,2,3", "6 1 0 0 0 1 1 2 3",
       "tiles: 6 cells changed in 1 rectangle\n  1,1 .. 2,3 (2 x 3)\n"},
      {"t0,0,1,1 t0,2,0,2 t5,0,5,0", "6 3 0 0 0 0 0 6 3",
       "tiles: 6 cells changed in 3 rectangles\n  0,0 .. 1,1 (2 x 2)\n  5,0 .. 5,0 (1 x 1)\n"
       "  0,2 .. 0,2 (1 x 1)\n"},
      {"h-1 c70000", "0 0 0 0 0", "human resources: 10 -> -1\ncomputer resources: 20 -> 70000\n"},
      {"o2,0,6 o5,3,0 o0,1,1", "0 0 1 1 1 0 0 6 4",
       "overlay changed 2,0: 5 -> 6\noverlay added 0,1 = 1\noverlay removed 5,3 (was 3)\n"},
      {"s7,3", "0 0 0 1 0 0 0 7 4",
       "size: 6 x 4 -> 7 x 3 (tiles compared within 6 x 3)\noverlay entries stored: 2 -> 1\n"
       "overlay removed 5,3 (was 3)\n"},
      {"s6,5 t2,1,2,1 o3,4,8", "1 1 1 0 0 0 1 6 4",
       "size: 6 x 4 -> 6 x 5 (tiles compared within 6 x 4)\noverlay entries stored: 2 -> 3\n"
       "tiles: 1 cell changed in 1 rectangle\n  2,1 .. 2,1 (1 x 1)\noverlay added 3,4 = 8\n"},
  };
  WriteVersion("old.map", "");
  for (const auto& [edits, json, text] : cases) {
    SCOPED_TRACE(edits);
    WriteVersion("new.map", edits);
    const RunResult r = Line("diff @old.map @new.map");
    EXPECT_EQ(r.code, text.empty() ? 0 : 1) << r.err;
    EXPECT_EQ(r.out, text);
    const std::string jsonText = Line("diff @old.map @new.map --json").out;
    const rapidjson::Document root = ParsedJson(jsonText);
    EXPECT_EQ(root["equal"].GetBool(), text.empty());
    std::ostringstream got;
    got << root["tiles"]["changed_cells"].GetInt64() << ' ' << root["tiles"]["rectangles"].Size();
    for (const char* kind : {"added", "removed", "changed"})
      got << ' ' << root["overlay"][kind].Size();
    if (root.HasMember("bounds"))
      for (const char* key : {"x", "y", "width", "height"})
        got << ' ' << root["bounds"][key].GetInt();
    EXPECT_EQ(got.str(), json);
  }
  // Each overlay entry gives the value it had and the one it has, where there is one.
  WriteVersion("new.map", "o2,0,6 o5,3,0 o0,1,1");
  const rapidjson::Document root = ParsedJson(Line("diff @old.map @new.map --json").out);
  std::string entries;
  for (const char* kind : {"added", "removed", "changed"})
    for (const auto& e : root["overlay"][kind].GetArray()) {
      entries += std::string(kind) + " " + std::to_string(e["x"].GetInt()) + "," +
                 std::to_string(e["y"].GetInt());
      for (const char* value : {"old", "new"})
        if (e.HasMember(value))
          entries += " " + std::string(value) + " " + std::to_string(e[value].GetInt());
      entries += "\n";
    }
  EXPECT_EQ(entries, "added 0,1 new 1\nremoved 5,3 old 3\nchanged 2,0 old 5 new 6\n");
  // diff follows cmp: any trouble is 2, not "different".
  WriteBytes(Path("cut.map"), testing_document::MapBytes(4, 4, 0, 0, {1, 2, 3}, {}));
  ExpectRefused("diff @old.map @cut.map", 2, "cut.map: byte 28: ");
}

// A report longer than the writer's 64 KiB blocks comes out whole: 3,000 overlay objects added.
TEST_F(CliDiff, ALongJsonReportComesOutWhole) {
  const Grid16 tiles = Grid(60, 50);
  Grid16 overlay = Grid(60, 50);
  WriteMap("a.map", tiles, overlay);
  for (int i = 0; i < 3000; ++i) overlay.Set(i % 60, i / 60, 7);
  WriteMap("b.map", tiles, overlay);
  const std::string text = Line("diff @a.map @b.map --json").out;
  ASSERT_GT(text.size(), size_t{1} << 16);
  EXPECT_EQ(ParsedJson(text)["overlay"]["added"].Size(), 3000u);
}

}  // namespace
}  // namespace korvane::clitest
