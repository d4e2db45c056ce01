#include <gtest/gtest.h>

#include "app/cli/Json.h"
#include "app/cli/SheetGeometry.h"
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

TEST(CliSheetLayout, CutsSheetsByTheEditorsRule) {
  const auto sample = std::get<cli::SheetLayout>(cli::LayOutSheet(305, 256, {16, 1, 0}));
  EXPECT_EQ(sample.columns, 18);
  EXPECT_EQ(sample.rows, 15);
  EXPECT_EQ(sample.tileCount, 270);
  // 64 x 48 with 16-pixel tiles, spacing 2, offset 3: (64-3-16)/18+1 = 3, (48-3-16)/18+1 = 2.
  const auto odd = std::get<cli::SheetLayout>(cli::LayOutSheet(64, 48, {16, 2, 3}));
  EXPECT_EQ(odd.columns * 10 + odd.rows, 32);
  EXPECT_TRUE(std::holds_alternative<std::string>(cli::LayOutSheet(64, 48, {16, 0, 60})));
  EXPECT_TRUE(std::holds_alternative<std::string>(cli::LayOutSheet(64, 48, {2185, 0, 0})));
  // 2 x 2-pixel tiles across a 400 x 400 sheet are 40000 tiles, more than a tile number holds.
  EXPECT_TRUE(std::holds_alternative<std::string>(cli::LayOutSheet(400, 400, {2, 0, 0})));
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
  EXPECT_EQ(Int(tileset, "firstgid"), 1);
  EXPECT_EQ(Int(tileset, "margin"), 0);
  EXPECT_EQ(Int(tileset, "spacing"), 1);
  EXPECT_EQ(Int(tileset, "columns"), 18);
  EXPECT_EQ(Int(tileset, "tilecount"), 270);

  const auto& layers = tmj.Find("layers")->array;
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_EQ(layers[0].Find("type")->string, "tilelayer");
  // Tile number + 1; 0 for numbers off the sheet (270 and -1).
  EXPECT_EQ(layers[0].Find("data")->integers, (std::vector<int64_t>{1, 270, 0, 0, 26, 8}));
  EXPECT_EQ(layers[1].Find("type")->string, "objectgroup");
  const auto& objects = layers[1].Find("objects")->array;
  ASSERT_EQ(objects.size(), 2u);  // -4 is an empty cell
  EXPECT_EQ(objects[0].Find("name")->string, "Tree");
  EXPECT_EQ(PropertyValue(objects[0], "id"), 2);
  EXPECT_EQ(Int(objects[0], "x") * 100 + Int(objects[0], "y"), 1600);
  EXPECT_EQ(Int(objects[0], "width") * 100 + Int(objects[0], "height"), 48 * 100 + 32);
  EXPECT_EQ(objects[1].Find("name")->string, "");
  EXPECT_EQ(PropertyValue(objects[1], "id"), 5);
  EXPECT_EQ(Int(objects[1], "x") * 100 + Int(objects[1], "y"), 16);
  EXPECT_EQ(Int(objects[1], "width") * 100 + Int(objects[1], "height"), 1616);
  EXPECT_NE(Int(objects[0], "id"), Int(objects[1], "id"));
  EXPECT_EQ(Int(tmj, "nextobjectid"), 3);
}

TEST_F(CliExchange, ExportNamesAGivenSheetRelativeToTheOutput) {
  std::filesystem::create_directories(dir_ / "art");
  std::filesystem::create_directories(dir_ / "maps");
  WriteText(Path("art/tiles.bmp"), "stand-in");
  const std::string map = WriteMap("m.map", Grid(2, 1, {5, 6}), Grid(2, 1));
  const RunResult r = Run({"export", map, "-o", Path("maps/out.tmj"), "--sheet",
                           Path("art/tiles.bmp"), "--spacing", "2", "--offset", "3"});
  ASSERT_EQ(r.code, 0) << r.err;
  const JsonValue tmj = ParseFile(Path("maps/out.tmj"));
  const JsonValue& tileset = tmj.Find("tilesets")->array.at(0);
  EXPECT_EQ(tileset.Find("image")->string, "../art/tiles.bmp");
  EXPECT_EQ(tileset.Find("name")->string, "tiles");
  EXPECT_EQ(Int(tileset, "margin") * 10 + Int(tileset, "spacing"), 32);
  EXPECT_EQ(Int(tileset, "tilecount"), 6);  // 64 x 48 pixels: 3 columns, 2 rows
  EXPECT_FALSE(std::filesystem::exists(Path("maps/out-sheet.png")));

  // A sheet that cannot be read, or that holds no tile, is bad input.
  EXPECT_EQ(Run({"export", map, "-o", Path("x.tmj"), "--sheet", Path("none.bmp")}).code, 1);
  const RunResult noTile =
      Run({"export", map, "-o", Path("x.tmj"), "--sheet", Path("art/tiles.bmp"), "--offset", "60"});
  EXPECT_EQ(noTile.code, 1);
  EXPECT_NE(noTile.err.find("holds no whole tile"), std::string::npos) << noTile.err;
  EXPECT_FALSE(std::filesystem::exists(Path("x.tmj")));
}

// Export then import gives back the map byte for byte, for sample and other sheet geometries.
TEST_F(CliExchange, ExportThenImportGivesBackTheSameBytes) {
  struct Case {
    std::vector<std::string> sheetOptions;
    int16_t maxTile;
  };
  WriteText(Path("sheet.bmp"), "stand-in");
  const std::vector<Case> cases = {
      {{}, 269},
      {{"--sheet", Path("sheet.bmp"), "--tile-size", "8", "--spacing", "0", "--offset", "0"}, 47},
  };
  for (const Case& c : cases) {
    Grid16 tiles = Grid(7, 5);
    Grid16 overlay = Grid(7, 5);
    for (int i = 0; i < 35; ++i) tiles.Cells()[i] = static_cast<int16_t>(i * 37 % (c.maxTile + 1));
    tiles.Set(6, 4, c.maxTile);
    overlay.Set(0, 0, 1);
    overlay.Set(6, 4, 32767);
    overlay.Set(3, 2, 12);
    const std::string map = WriteMap("m.map", tiles, overlay, -2147483647 - 1, 2147483647);
    std::vector<std::string> exportArgs = {"export", map, "-o", Path("m.tmj")};
    exportArgs.insert(exportArgs.end(), c.sheetOptions.begin(), c.sheetOptions.end());
    ASSERT_EQ(Run(exportArgs).code, 0);
    const RunResult r = Run({"import", Path("m.tmj"), "-o", Path("back.map")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadBytes(Path("back.map")), ReadBytes(map)) << c.maxTile;
  }
}

}  // namespace
}  // namespace korvane::clitest
