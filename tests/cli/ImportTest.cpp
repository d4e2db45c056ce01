#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

// A small Tiled map as Tiled itself might write it: 3 x 2 cells of 16 pixels, firstgid 5.
std::string TiledMap(const std::string& data = "[5, 6, 0, 7, 8, 9]",
                     const std::string& objects = R"([
      {"id": 4, "x": 32, "y": 16, "width": 16, "height": 16,
       "properties": [{"name": "id", "type": "int", "value": 3}]},
      {"id": 9, "gid": 6, "x": 0.0, "y": 32, "width": 16, "height": 16,
       "properties": [{"name": "id", "type": "int", "value": 12}]}])",
                     const std::string& extraLayer = "", const std::string& extraTileset = "") {
  return R"({"type": "map", "orientation": "orthogonal", "renderorder": "left-up",
    "width": 3, "height": 2, "tilewidth": 16, "tileheight": 16, "infinite": false,
    "properties": [{"name": "human_resources", "type": "int", "value": 42}],
    "tilesets": [{"firstgid": 5, "source": "terrain.tsx"})" +
         extraTileset + R"(],
    "layers": [
      {"type": "tilelayer", "name": "ground", "width": 3, "height": 2, "data": )" +
         data + R"(},
      {"type": "objectgroup", "name": "things", "objects": )" +
         objects + "}" + extraLayer + "]}";
}

// The default map with its first `from` replaced by `to`.
std::string Replaced(const std::string& from, const std::string& to) {
  std::string t = TiledMap();
  return t.replace(t.find(from), from.size(), to);
}

using CliImport = CliTest;

TEST_F(CliImport, ReadsAMapMadeInTiled) {
  WriteText(Path("in.tmj"), TiledMap());
  const RunResult r = Run({"import", Path("in.tmj"), "-o", Path("out.map")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const auto parsed = ParseMapFile(ReadBytes(Path("out.map")));
  ASSERT_TRUE(std::holds_alternative<MapFileContents>(parsed));
  const auto& map = std::get<MapFileContents>(parsed);
  EXPECT_TRUE(map.HasStandardSignature());
  EXPECT_EQ(map.humanResources, 42);
  EXPECT_EQ(map.computerResources, 0);  // absent: a new map's value
  // Tile numbers count from the tileset's first id; an empty cell lies on no sheet.
  EXPECT_EQ(map.tiles, Grid(3, 2, {0, 1, -1, 2, 3, 4}));
  // The tile object stands on its bottom-left corner, so it covers cell (0, 1).
  EXPECT_EQ(map.overlay, Grid(3, 2, {0, 0, 0, 12, 0, 3}));
}

// Every refusal names its reason on one line and leaves the map already at the output alone.
TEST_F(CliImport, RefusesWhatAMapCannotHoldAndLeavesTheOutputAlone) {
  struct Case {
    std::string text;
    const char* reason;
  };
  const std::string one = R"([{"id": 1, "x": 0, "y": 0, "properties": [{"name": "id",
                              "type": "int", "value": 1}]}])";
  const std::vector<Case> cases = {
      {"{\"width\": 3,", "not valid JSON: at line 1, column 13"},
      {"[1, 2]", "does not hold a JSON object"},
      {std::string(100000, '['), "not valid JSON"},  // nesting deeper than the stack allows
      {R"({"type": "tileset"})", "holds a Tiled tileset, not a map"},
      {Replaced("orthogonal", "isometric"), "orientation is \"isometric\""},
      {Replaced("\"infinite\": false", "\"infinite\": true"), "is infinite"},
      {TiledMap("[5, 6, 0, 7, 8]"), "holds 5 ids but the map has 6 cells"},
      {TiledMap("\"eJzt\""), "no data array"},
      {TiledMap("[5, 6, 0, 7, 8, 2147483657]"), "tile at (2, 1) is flipped or rotated"},
      {TiledMap("[5, 6, 0, 7, 8, 32773]"), "gives tile number 32768"},
      {TiledMap("[5, 6, 0, 4, 8, 9]"), "tile id 4 at (0, 1) lies before the tileset's first id 5"},
      {TiledMap("[5, 6, 0, 7, 8, 9.5]"), "something other than tile ids"},
      {TiledMap("[5, 6, 0, 7, 8, 9]", R"([{"id": 2, "x": 0, "y": 0}])"),
       "Object 2 has no integer property \"id\""},
      {TiledMap("[5, 6, 0, 7, 8, 9]", R"([{"id": 2, "x": 0, "y": 0, "properties":
           [{"name": "id", "type": "string", "value": "3"}]}])"),
       "Object 2's property \"id\" must be an integer"},
      {TiledMap("[5, 6, 0, 7, 8, 9]", R"([{"id": 2, "x": 0, "y": 0, "properties":
           [{"name": "id", "type": "int", "value": 0}]}])"),
       "property \"id\" is 0, outside 1 to 32767"},
      {TiledMap("[5, 6, 0, 7, 8, 9]", R"([{"id": 2, "x": 48, "y": 0, "properties":
           [{"name": "id", "type": "int", "value": 1}]}])"),
       "Object 2 lies outside the 3 x 2 map"},
      {TiledMap("[5, 6, 0, 7, 8, 9]", R"([{"id": 2, "x": 1, "y": 1, "properties":
           [{"name": "id", "type": "int", "value": 1}]}, {"id": 3, "x": 15, "y": 15,
           "properties": [{"name": "id", "type": "int", "value": 2}]}])"),
       "Object 2 and Object 3 both lie on cell (0, 0)"},
      {TiledMap("[5, 6, 0, 7, 8, 9]", one, R"(, {"type": "group", "name": "g", "layers": []})"),
       "Layer \"g\" is of type \"group\""},
      {TiledMap("[5, 6, 0, 7, 8, 9]", one, R"(, {"type": "objectgroup", "objects": []})"),
       "2 object layers"},
      {TiledMap("[5, 6, 0, 7, 8, 9]", one,
                R"(, {"type": "tilelayer", "width": 3, "height": 2, "data": [0,0,0,0,0,0]})"),
       "2 tile layers"},
      {TiledMap("[5, 6, 0, 7, 8, 9]", one, "", R"(, {"firstgid": 100})"), "uses 2 tilesets"},
      {Replaced("\"value\": 42", "\"value\": 4.5"),
       "The map's property \"human_resources\" must be an integer"},
      {Replaced("\"width\": 3, \"height\": 2, \"tilewidth\"",
                "\"width\": 0, \"height\": 2, \"tilewidth\""),
       "The map width must be a whole number from 1 to 32767"},
      {Replaced("\"tilewidth\": 16,", "\"tilewidth\": 16, \"tilewidth\": 32,"),
       "line 2, column 47, the member name \"tilewidth\" appears twice in one object"},
      {TiledMap() + std::string(17 << 20, ' '), "more than a map of 3 x 2 cells can take"},
  };
  const std::string out = WriteMap("out.map", Grid(1, 1, {3}), Grid(1, 1));
  const auto before = ReadBytes(out);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    WriteText(Path("in.tmj"), c.text);
    const RunResult r = Run({"import", Path("in.tmj"), "-o", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(ReadBytes(out), before);
  }
  EXPECT_EQ(Run({"import", Path("missing.tmj"), "-o", out}).code, 1);
  // A byte-order mark before the text is no reason to refuse it.
  WriteText(Path("in.tmj"), "\xEF\xBB\xBF" + TiledMap());
  EXPECT_EQ(Run({"import", Path("in.tmj"), "-o", out}).code, 0);
}

}  // namespace
}  // namespace korvane::clitest
