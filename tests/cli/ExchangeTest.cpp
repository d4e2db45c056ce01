#include <gtest/gtest.h>

#include <tuple>

#include "app/cli/Json.h"
#include "overlay/Catalogue.h"
#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

using cli::JsonValue;

JsonValue ParseFile(const std::string& path) {
  auto parsed = cli::ParseJson(ReadText(path));
  EXPECT_TRUE(std::holds_alternative<JsonValue>(parsed)) << ReadText(path);
  return std::holds_alternative<JsonValue>(parsed) ? std::get<JsonValue>(parsed) : JsonValue{};
}

int64_t Int(const JsonValue& owner, const char* key) {
  const JsonValue* v = owner.Find(key);
  EXPECT_TRUE(v && v->isInteger) << key;
  return v && v->isInteger ? v->integer : -999;
}

// Finds a property value by name in a Tiled property list.
int64_t PropertyValue(const JsonValue& owner, const std::string& name) {
  for (const JsonValue& p : owner.Find("properties")->array)
    if (p.Find("name")->string == name) {
      EXPECT_EQ(p.Find("type")->string, "int");
      return p.Find("value")->integer;
    }
  ADD_FAILURE() << "no property " << name;
  return -999;
}

using CliExchange = CliTest;

TEST_F(CliExchange, ExportWritesATiledMapWithTheSampleSheetBesideIt) {
  const std::string map = WriteMap("m.map", Grid(3, 2, {0, 269, 270, -1, 25, 7}),
                                   Grid(3, 2, {0, 2, 0, 5, 0, -4}), 100, -200);
  // Entry 2 is "2: Tree", 3 cells wide and 2 high; 5 lies beyond the catalogue.
  const std::vector<CatalogueEntry> entries = {{"1: Rock", 129}, {"2: Tree", 3 * 128 + 2}};
  WriteBytes(Path("Overlay.dat"), WriteCatalogue(entries));
  const RunResult r =
      Run({"export", map, "-o", Path("out.tmj"), "--catalogue", Path("Overlay.dat")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadBytes(Path("out-sheet.png")), (std::vector<uint8_t>{0x89, 'P', 'N', 'G'}));

  const JsonValue tmj = ParseFile(Path("out.tmj"));
  EXPECT_EQ(tmj.Find("orientation")->string, "orthogonal");
  EXPECT_EQ(tmj.Find("renderorder")->string, "right-down");
  EXPECT_EQ(Int(tmj, "width") * 10 + Int(tmj, "height"), 32);
  EXPECT_EQ(Int(tmj, "tilewidth"), 16);
  EXPECT_EQ(PropertyValue(tmj, "human_resources"), 100);
  EXPECT_EQ(PropertyValue(tmj, "computer_resources"), -200);

  const JsonValue& tileset = tmj.Find("tilesets")->array.at(0);
  EXPECT_EQ(tileset.Find("image")->string, "out-sheet.png");
  EXPECT_EQ(Int(tileset, "imagewidth") * 1000 + Int(tileset, "imageheight"), 305256);
  // The sample sheet: first id 1, no margin, spacing 1, 18 columns of 270 tiles.
  for (const auto& [key, value] : {std::pair{"firstgid", 1},
                                   {"margin", 0},
                                   {"spacing", 1},
                                   {"columns", 18},
                                   {"tilecount", 270}})
    EXPECT_EQ(Int(tileset, key), value) << key;

  const auto& layers = tmj.Find("layers")->array;
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_EQ(layers[0].Find("type")->string, "tilelayer");
  // Tile number + 1; 0 for numbers off the sheet (270 and -1).
  EXPECT_EQ(layers[0].Find("data")->integers, (std::vector<int64_t>{1, 270, 0, 0, 26, 8}));
  EXPECT_EQ(layers[1].Find("type")->string, "objectgroup");
  const auto& objects = layers[1].Find("objects")->array;
  ASSERT_EQ(objects.size(), 2u);  // -4 is an empty cell
  // name, id, then x, y, width and height packed two digits each.
  const auto object = [&](const JsonValue& o) {
    return std::tuple{
        o.Find("name")->string, PropertyValue(o, "id"),
        ((Int(o, "x") * 100 + Int(o, "y")) * 100 + Int(o, "width")) * 100 + Int(o, "height")};
  };
  EXPECT_EQ(object(objects[0]), std::tuple("Tree", int64_t{2}, int64_t{16004832}));
  EXPECT_EQ(object(objects[1]), std::tuple("", int64_t{5}, int64_t{161616}));
  EXPECT_NE(Int(objects[0], "id"), Int(objects[1], "id"));
  EXPECT_EQ(Int(tmj, "nextobjectid"), 3);
}

// Export then import gives back the map byte for byte, with the sample sheet and with a sheet of
// the designer's own, which the .tmj names relative to itself instead of writing a copy.
TEST_F(CliExchange, ExportThenImportGivesBackTheSameBytes) {
  std::filesystem::create_directories(dir_ / "art");
  std::filesystem::create_directories(dir_ / "maps");
  WriteText(Path("art/tiles.bmp"), "stand-in");
  const std::pair<std::vector<std::string>, int16_t> cases[] = {
      {{}, 269},
      // 64 x 48 pixels, 8-pixel tiles from pixel 1: (64 - 1 - 8) / 8 + 1 = 7 columns, 5 rows
      {{"--sheet", Path("art/tiles.bmp"), "--tile-size", "8", "--spacing", "0", "--offset", "1"},
       34},
  };
  for (const auto& [sheetOptions, maxTile] : cases) {
    SCOPED_TRACE(maxTile);
    Grid16 tiles = Grid(7, 5);
    Grid16 overlay = Grid(7, 5);
    for (int i = 0; i < 35; ++i) tiles.Cells()[i] = static_cast<int16_t>(i * 37 % (maxTile + 1));
    tiles.Set(6, 4, maxTile);
    overlay.Set(0, 0, 1);
    overlay.Set(6, 4, 32767);
    overlay.Set(3, 2, 12);
    const std::string map = WriteMap("m.map", tiles, overlay, -2147483647 - 1, 2147483647);
    std::vector<std::string> exportArgs = {"export", map, "-o", Path("maps/m.tmj")};
    exportArgs.insert(exportArgs.end(), sheetOptions.begin(), sheetOptions.end());
    ASSERT_EQ(Run(exportArgs).code, 0);
    const JsonValue tileset = ParseFile(Path("maps/m.tmj")).Find("tilesets")->array.at(0);
    EXPECT_EQ(Int(tileset, "tilecount"), maxTile + 1);
    if (!sheetOptions.empty()) {
      EXPECT_EQ(tileset.Find("image")->string, "../art/tiles.bmp");
      EXPECT_EQ(tileset.Find("name")->string, "tiles");
      EXPECT_EQ(Int(tileset, "margin") * 10 + Int(tileset, "spacing"), 10);
      EXPECT_FALSE(std::filesystem::exists(Path("maps/m-sheet.png")));
    }
    const RunResult r = Run({"import", Path("maps/m.tmj"), "-o", Path("back.map")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadBytes(Path("back.map")), ReadBytes(map));
    std::filesystem::remove(Path("maps/m-sheet.png"));
  }
}

}  // namespace
}  // namespace korvane::clitest
