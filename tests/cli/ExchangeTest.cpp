// export to Tiled's .tmj and .tmx and import back: the round trip, what export writes that the
// round trip cannot show, and every refusal of import.

#include <QImage>

#include "formats/TmjSize.h"
#include "model/Catalogue.h"
#include "model/SampleSheet.h"
#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

using JsonValue = rapidjson::Value;

// The whole-number members named, in order (-999 for one that is missing).
std::vector<int64_t> Ints(const JsonValue& owner, std::initializer_list<const char*> keys) {
  std::vector<int64_t> values;
  for (const char* key : keys)
    values.push_back(owner.HasMember(key) ? owner[key].GetInt64() : -999);
  return values;
}

using CliExchange = CliTest;

TEST_F(CliExchange, ExportWritesTheSampleSheetBesideTheMapAndNamesTheObjects) {
  WriteMap("m.map", Grid(3, 2, {0, 269, 270, -1, 25, 7}), Grid(3, 2, {0, 2, 0, 5, 0, -4}));
  // Entry 2 is "2: Big Tree", 3 cells wide and 2 high, written in Windows-1252 and ending in a
  // control character; 5 lies beyond the catalogue.
  WriteBytes(Path("O.dat"), WriteCatalogue(std::vector<CatalogueEntry>{
                                {"1: Rock", 129}, {"2: Big Tr\xE9\x80\x1B", 3 * 128 + 2}}));
  ASSERT_EQ(Line("export @m.map -o @out.tmj --catalogue @O.dat").code, 0);
  // Beside it the sample sheet, pixel for pixel.
  const QImage sheet(QString::fromStdString(Path("out-sheet.png")));
  const toolkit::RgbImage sample = MakeSampleSheet();
  ASSERT_EQ(sheet.size(), QSize(sample.width, sample.height));
  int wrong = 0;
  for (int y = 0; y < sample.height; ++y)
    for (int x = 0; x < sample.width; ++x) {
      const toolkit::Color c = sample.At(x, y);
      wrong += sheet.pixel(x, y) != qRgb(c.r, c.g, c.b);
    }
  EXPECT_EQ(wrong, 0);
  const rapidjson::Document tmj = ParsedJson(ReadText(Path("out.tmj")));
  // Cells off the sheet show the map display's background in Tiled too.
  EXPECT_STREQ(tmj["backgroundcolor"].GetString(), "#000000");
  const JsonValue& tileset = tmj["tilesets"][0];
  EXPECT_STREQ(tileset["image"].GetString(), "out-sheet.png");
  EXPECT_EQ(Ints(tileset, {"firstgid", "margin", "spacing", "columns", "tilecount", "imagewidth",
                           "imageheight"}),
            (std::vector<int64_t>{1, 0, 1, 18, 270, 305, 256}));
  const JsonValue& layers = tmj["layers"];
  // Tile number + 1; 0 for numbers off the sheet (270 and -1).
  std::vector<int64_t> data;
  for (const JsonValue& id : layers[0]["data"].GetArray()) data.push_back(id.GetInt64());
  EXPECT_EQ(data, (std::vector<int64_t>{1, 270, 0, 0, 26, 8}));
  // A row of the map to a line, as Tiled writes them.
  EXPECT_NE(
      ReadText(Path("out.tmj")).find("\"data\": [\n        1, 270, 0,\n        0, 26, 8\n      ]"),
      std::string::npos);
  const JsonValue& objects = layers[1]["objects"];
  ASSERT_EQ(objects.Size(), 2u);  // -4 is an empty cell
  EXPECT_EQ(std::string(objects[0]["name"].GetString()) + "|" + objects[1]["name"].GetString(),
            "Big Tr\xC3\xA9\xE2\x82\xAC\x1B|");
  // XML cannot hold the control character even as a reference.
  ASSERT_EQ(Line("export @m.map -o @out.tmx --catalogue @O.dat").code, 0);
  EXPECT_NE(ReadText(Path("out.tmx")).find("name=\"Big Tr\xC3\xA9\xE2\x82\xAC\xEF\xBF\xBD\""),
            std::string::npos);
  for (const auto& [i, place] : {std::pair{0u, std::vector<int64_t>{1, 16, 0, 48, 32}},
                                 {1u, std::vector<int64_t>{2, 0, 16, 16, 16}}})
    EXPECT_EQ(Ints(objects[i], {"id", "x", "y", "width", "height"}), place) << i;
  // Sheets that hold no tile, and inputs that cannot be read, are refused before any writing.
  WriteText(Path("art.bmp"), "stand-in");
  pictureSize_ = {5, 0};
  ExpectRefused("export @m.map -o @x.tmj --sheet @art.bmp", 1, "The tile sheet picture is empty.");
  EXPECT_FALSE(std::filesystem::exists(Path("x.tmj")));
}

// Export then import gives back the map byte for byte, with the sample sheet and with a sheet of
// the designer's own, which the .tmj names relative to itself instead of writing a copy.
TEST_F(CliExchange, ExportThenImportGivesBackTheSameBytes) {
  std::filesystem::create_directories(dir_ / "art");
  std::filesystem::create_directories(dir_ / "maps");
  WriteText(Path("art/t\xEEles.bmp"), "stand-in");  // a name in Windows-1252
  pictureSize_ = {64, 1};
  // 64 x 1 pixels, 1-pixel tiles 8 apart: (64 - 1) / 8 + 1 = 8 tiles in one row.
  for (const auto& [options, maxTile] :
       {std::pair{"--sheet @art/t\xEEles.bmp --tile-size 1 --spacing=7 --offset +0", 7},
        {"", 269}}) {
    // Every tile the sheet has, the empty -1, and the smallest and largest overlay ids.
    Grid16 tiles = Grid(7, 5);
    for (int i = 0; i < 35; ++i)
      tiles.Cells()[i] = static_cast<int16_t>(i * 37 % (maxTile + 2) - 1);
    tiles.Set(6, 4, static_cast<int16_t>(maxTile));
    const Grid16 overlay = Grid(7, 5, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 32767});
    const std::string map = WriteMap("m.map", tiles, overlay, -2147483647 - 1, 2147483647);
    // The same in XML, also under a name whose ending says nothing.
    for (const auto& [out, format] :
         {std::pair{"maps/m.TMX", ""}, {"maps/m.xml", "--format tmx"}}) {
      ASSERT_EQ(Line("export @m.map -o @" + std::string(out) + " " + format + " " + options).code,
                0);
      if (maxTile == 7) {  // names converted to UTF-8 in XML too
        EXPECT_NE(ReadText(Path(out)).find("name=\"t\xC3\xAEles\" tilewidth=\"1\""),
                  std::string::npos);
      }
      EXPECT_EQ(Line("import --format tmx @" + std::string(out) + " -o @back.map").code, 0);
      EXPECT_EQ(ReadBytes(Path("back.map")), ReadBytes(map)) << out;
    }
    const RunResult exported = Line("export @m.map -o @maps/m.tmj " + std::string(options), true);
    ASSERT_TRUE(exported.err.ends_with("export: 100%\n")) << exported.err;
    if (maxTile == 7) {
      const rapidjson::Document tmj = ParsedJson(ReadText(Path("maps/m.tmj")));
      const JsonValue& tileset = tmj["tilesets"][0];
      EXPECT_EQ(std::string(tileset["image"].GetString()) + " " + tileset["name"].GetString(),
                "../art/t\xC3\xAEles.bmp t\xC3\xAEles");
      EXPECT_FALSE(std::filesystem::exists(Path("maps/m-sheet.png")));
    }
    EXPECT_EQ(Line("import @maps/m.tmj -o @back.map").code, 0);
    EXPECT_EQ(ReadBytes(Path("back.map")), ReadBytes(map));
  }
}

std::string Object(int id, int x, int y, const std::string& idProperty = "1") {
  return R"({"id": )" + std::to_string(id) + R"(, "x": )" + std::to_string(x) + R"(, "y": )" +
         std::to_string(y) + R"(, "properties": {"id": )" + idProperty + "}}";
}

// A small Tiled map as Tiled itself might write it: 3 x 2 cells of 16 pixels, firstgid 5.
std::string TiledMap(const std::string& objects = R"([
      {"id": 4, "x": 32, "y": 16, "properties": [{"name": "id", "type": "int", "value": 3}]},
      {"id": 9, "gid": 6, "x": 0.0, "y": 32, "width": 16, "height": 16,
       "properties": {"id": 12}}])",
                     const std::string& layer = "") {
  return R"({"type": "map", "orientation": "orthogonal", "renderorder": "left-up",
    "width": 3, "height": 2, "tilewidth": 16, "tileheight": 16, "infinite": false,
    "properties": [{"name": "human_resources", "type": "int", "value": 42}],
    "tilesets": [{"firstgid": 5, "source": "terrain.tsx"}],
    "layers": [{"type": "tilelayer", "name": "ground", "width": 3, "height": 2,
      "data": [5, 6, 0, 7, 8, 9]}, {"type": "objectgroup", "objects": )" +
         objects + "}" + layer + "]}";
}

std::string Replaced(const std::string& from, const std::string& to) {
  std::string t = TiledMap("[" + Object(1, 0, 0) + "]");
  return t.replace(t.find(from), from.size(), to);
}

TEST_F(CliExchange, ImportReadsAMapMadeInTiled) {
  WriteText(Path("terrain.tsx"), R"(<tileset name="t" tilewidth="16" tileheight="16"/>)");
  WriteText(Path("in.tmj"), "\xEF\xBB\xBF" + TiledMap());  // after a byte-order mark
  ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0);
  // Tile numbers count from the tileset's first id; an empty cell lies on no sheet; the tile
  // object stands on its bottom-left corner, so it covers cell (0, 1), the other cell (2, 1);
  // computer resources are absent, so a new map's value; the signature is the standard one.
  const std::string dumped =
      "korvane map\nsize: 3 x 2\nhuman resources: 42\ncomputer resources: 0\n"
      "signature: standard\noverlay entries: 2\nrow 0: 0 1 -1\nrow 1: 2 3 4\n"
      "overlay 0,1 = 12\noverlay 2,1 = 3\n";
  EXPECT_EQ(Line("dump @out.map").out, dumped);
  // The tileset the map names is an input as well: it is never written over.
  ExpectRefused("import @in.tmj -o @./terrain.tsx", 2, "is the input file " + Path("terrain.tsx"));
  EXPECT_EQ(ReadText(Path("terrain.tsx")), R"(<tileset name="t" tilewidth="16" tileheight="16"/>)");
  // Arrays where korvane reads nothing (a member of its own, an object's outline) change nothing.
  std::string arrays = TiledMap();
  arrays.insert(arrays.find("\"infinite\""), R"("notes": [[1, 2], {"a": [3]}], )");
  arrays.insert(arrays.find("\"x\": 32"), R"("polygon": [{"x": 0, "y": 0}, [5]], )");
  WriteText(Path("in.tmj"), arrays);
  ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0);
  EXPECT_EQ(Line("dump @out.map").out, dumped);

  // Ids as far apart as a tileset's tile numbers can be (32767 and 0); a size written as 3.0,
  // which the first look for the size passes over; and a text as long as a 3 x 2 map may be.
  std::string edges = Replaced("[5, 6, 0, 7, 8, 9]", "[32772, 5, 0, 0, 0, 0]");
  edges.replace(edges.find("\"width\": 3,"), 11, "\"width\": 3.0,");
  WriteText(Path("in.tmj"), edges + std::string(MaxTmjBytes(3, 2) - edges.size(), ' '));
  ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0);
  EXPECT_NE(Line("dump @out.map").out.find("row 0: 32767 0 -1\nrow 1: -1 -1 -1\noverlay 0,0 = 1\n"),
            std::string::npos);

  // Properties written as one object, as older Tiled did: the map's resources, an object's id;
  // each name counts only where it belongs.
  std::string named = Replaced(R"([{"name": "human_resources", "type": "int", "value": 42}])",
                               R"({"id": 5, "computer_resources": 8, "human_resources": 7})");
  named.replace(named.find(R"({"id": 1})"), 9, R"({"human_resources": 9, "id": 4})");
  WriteText(Path("in.tmj"), named);
  ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0);
  EXPECT_NE(Line("dump @out.map").out.find("human resources: 7\ncomputer resources: 8\n"),
            std::string::npos);
  EXPECT_NE(Line("dump @out.map").out.find("overlay 0,0 = 4\n"), std::string::npos);

  // In a list of properties one of another name is passed over, and of two of one name the
  // first counts.
  WriteText(Path("in.tmj"), Replaced(R"([{"name": "human_resources", "type": "int", "value": 42}])",
                                     R"([{"name": "colour", "type": "string", "value": "red"},
                         {"name": "human_resources", "type": "int", "value": 42},
                         {"name": "human_resources", "type": "int", "value": 7}])"));
  ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0);
  EXPECT_NE(Line("dump @out.map").out.find("human resources: 42\n"), std::string::npos);
  WriteText(Path("in.tmj"), Replaced(R"({"id": 1})", R"([{"name": "note", "type": "int",
                                     "value": 9}, {"name": "id", "type": "int", "value": 4}])"));
  ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0);
  EXPECT_NE(Line("dump @out.map").out.find("overlay 0,0 = 4\n"), std::string::npos);

  // Only the tile layer gives tiles: a data list in an object layer is passed over, before its
  // type or after it, and before the tile layer or after it.
  WriteText(Path("in.tmj"), Replaced(R"("objectgroup", "objects")",
                                     R"("objectgroup", "data": [9, 9, 9, 9, 9, 9], "objects")"));
  ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0);
  EXPECT_NE(Line("dump @out.map").out.find("row 0: 0 1 -1\nrow 1: 2 3 4\n"), std::string::npos);
  std::string first = TiledMap("[" + Object(1, 0, 0) + "]");
  const size_t tiles = first.find(R"({"type": "tilelayer")");
  const size_t group = first.find(R"({"type": "objectgroup")");
  const std::string tileLayer = first.substr(tiles, group - tiles - 2);
  first.erase(tiles, group - tiles);
  first.insert(first.size() - 2, ", " + tileLayer);
  first.replace(first.find(R"({"type": "objectgroup")"), 1, R"({"data": [9, 9, 9, 9, 9, 9], )");
  WriteText(Path("in.tmj"), first);
  ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0) << first;
  EXPECT_NE(Line("dump @out.map").out.find("row 0: 0 1 -1\nrow 1: 2 3 4\n"), std::string::npos);

  // A map holds at most 32767 overlay entries.
  const auto objects = [](int n) {
    std::string text = R"({"orientation": "orthogonal", "width": 256, "height": 128,
        "tilewidth": 1, "tileheight": 1, "tilesets": [{"firstgid": 1}], "layers": [{"type":
        "tilelayer", "width": 256, "height": 128, "data": [0)";
    for (int i = 1; i < 256 * 128; ++i) text += ",0";
    text += R"(]}, {"type": "objectgroup", "objects": [)";
    for (int i = 0; i < n; ++i) text += (i ? "," : "") + Object(i + 1, i % 256, i / 256);
    return text + "]}]}";
  };
  WriteText(Path("in.tmj"), objects(32767));
  ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0);
  EXPECT_NE(Line("info @out.map").out.find("\"overlay_entries\": 32767,"), std::string::npos);
  WriteText(Path("in.tmj"), objects(32768));
  ExpectRefused("import @in.tmj -o @out.map", 1, "holds more than the 32767 objects");
}

// The map's sides, its tiles' size and the tileset's first id each import up to their largest
// value and are refused one past it or at 0.
TEST_F(CliExchange, ImportTakesEachNumberOfTheMapUpToItsBound) {
  const auto map = [](int64_t w, int64_t h, int64_t tile, int64_t first) {
    const auto n = [](int64_t v) { return std::to_string(v); };
    std::string ids = "0";
    for (int64_t i = 1; i < w * h; ++i) ids += ",0";
    return R"({"orientation": "orthogonal", "width": )" + n(w) + R"(, "height": )" + n(h) +
           R"(, "tilewidth": )" + n(tile) + R"(, "tileheight": )" + n(tile) +
           R"(, "tilesets": [{"firstgid": )" + n(first) +
           R"(}], "layers": [{"type": "tilelayer", "width": )" + n(w) + R"(, "height": )" + n(h) +
           R"(, "data": [)" + ids + "]}]}";
  };
  const int64_t tile = int64_t{1} << 30, first = 0x0FFFFFFF;
  const std::tuple<std::string, const char*> rows[] = {
      {map(32767, 1, 16, 1), "size: 32767 x 1\n"},
      {map(1, 32767, 16, 1), "size: 1 x 32767\n"},
      {map(1, 1, tile, first), "size: 1 x 1\n"},
      {map(1, 1, tile + 1, 1), "The map's tile width must be a whole number from 1 to 1073741824."},
      {map(1, 1, 0, 1), "The map's tile width must be"},
      {map(1, 1, 16, first + 1),
       "The tileset's first id must be a whole number from 1 to 268435455."},
      {map(1, 1, 16, 0), "The tileset's first id must be"},
  };
  for (const auto& [text, expected] : rows) {
    WriteText(Path("in.tmj"), text);
    if (std::string_view(expected).starts_with("size")) {
      ASSERT_EQ(Line("import @in.tmj -o @out.map").code, 0) << expected;
      EXPECT_NE(Line("dump @out.map --rows 0..0").out.find(expected), std::string::npos);
    } else {
      ExpectRefused("import @in.tmj -o @out.map", 1, expected);
    }
  }
}

// Every refusal names its reason on one line and leaves the map already at the output alone.
TEST_F(CliExchange, ImportRefusesWhatAMapCannotHoldAndLeavesTheOutputAlone) {
  WriteText(Path("terrain.tsx"), R"(<tileset name="t" tilewidth="16" tileheight="16"/>)");
  const std::string one = "[" + Object(1, 0, 0) + "]";
  const std::vector<std::pair<std::string, const char*>> cases = {
      {"{\"width\": 3,", "not valid JSON: at line 1, column 13"},
      // Each JSON fault named in words, where it lies.
      {" \n", "line 2, column 1, the text ends where a value was expected."},
      {std::string(70000, '\n') + "x\n\n", "line 70001, column 1, a JSON value was expected."},
      // A byte-order mark is skipped only when whole.
      {"\xEF\xBB\xBF", "line 1, column 4, the text ends where a value was expected."},
      {"\xEF\xBB", "line 1, column 1, a JSON value was expected."},
      {"{\"a\":", "line 1, column 6, the text ends where a value was expected."},
      {"{\"a\": x}", "line 1, column 7, a JSON value was expected."},
      {"{} x", "line 1, column 4, nothing may follow the JSON value."},
      {"{1}", "line 1, column 2, a member name in double quotes was expected."},
      {"{\"a\" 1}", "line 1, column 6, a ':' was expected after the member name."},
      {"{\"a\": 1 2}", "line 1, column 9, a ',' or '}' was expected."},
      {"[1 2]", "line 1, column 4, a ',' or ']' was expected."},
      {R"(["\u12g4"])", "line 1, column 3, four hex digits were expected after \\u."},
      {R"(["\ud800"])", "line 1, column 3, a \\u escape holds half of a surrogate pair."},
      {R"(["\x"])", "line 1, column 3, an unknown escape sequence was found in a string."},
      {"[\"a\tb\"]", "line 1, column 4, a control character must be escaped."},
      {"[\"abc", "line 1, column 6, the text ends inside a string."},
      // A '\0' byte ends no text.
      {std::string("[\"a\0b\"]", 7), "line 1, column 4, a control character must be escaped."},
      {std::string("{}\0x", 4), "line 1, column 3, nothing may follow the JSON value."},
      {"[1e400]", "line 1, column 2, the number is out of range."},
      {"[1.]", "line 1, column 4, a digit was expected after the decimal point."},
      {std::string(200, '[') + std::string(200, ']'), "does not hold a JSON object"},
      {std::string(201, '[') + std::string(201, ']'), "nested too deeply"},
      {"5", "does not hold a JSON object"},
      {R"({"type": "tileset"})", "holds a Tiled tileset, not a map"},
      {Replaced("orthogonal", "isometric"), "orientation is \"isometric\""},
      {Replaced("false", "true"), "is infinite"},
      {Replaced("8, 9]", "8]"), "holds 5 ids but the map has 6 cells"},
      {Replaced("[5, 6, 0, 7, 8, 9]", "\"eJzt\""), "no data array"},
      {Replaced("\"ground\",", "\"g\", \"encoding\": \"base64\","), "has no base64 data"},
      {Replaced("\"ground\",", "\"g\", \"encoding\": \"gzip\","), "stored as gzip"},
      {Replaced("\"ground\",", "\"g\", \"compression\": \"zlib\","),
       "with zlib but not stored as base64"},
      {Replaced("\"ground\",", "\"g\", \"chunks\": [],"), "stored in chunks, as infinite maps are"},
      {Replaced("\"ground\", \"width\": 3", "\"g\", \"width\": 2"), "not the map's size"},
      {Replaced("8, 9]", "8, 2147483657]"), "tile at (2, 1) is flipped or rotated"},
      {Replaced("8, 9]", "8, 32773]"), "gives tile number 32768"},
      {Replaced("7, 8", "4, 8"), "tile id 4 at (0, 1) lies before the tileset's first id 5"},
      // Ids that are no whole numbers, named where the first one starts.
      {Replaced("8, 9]", "8, 9.5]"), "something other than tile ids, first at line 6, column 31."},
      {Replaced("8, 9]", "8, \"9\"]"), "other than tile ids, first at line 6, column 31."},
      {Replaced("8, 9]", "8, [9]]"), "other than tile ids, first at line 6, column 31."},
      {Replaced("8, 9]", "8, true]"), "other than tile ids, first at line 6, column 31."},
      {Replaced("8, 9]", "8, false]"), "other than tile ids, first at line 6, column 31."},
      {Replaced("8, 9]", "8, null]"), "other than tile ids, first at line 6, column 31."},
      {Replaced("8, 9]", "8, -1]"), "The tile id -1 at (2, 1) is not a Tiled tile id."},
      {Replaced("8, 9]", "8, 4294967296]"), "tile id 4294967296 at (2, 1) is not a Tiled tile id"},
      // The last whole number of 64 bits, and the first past it.
      {Replaced("8, 9]", "8, 9223372036854775807]"), "id 9223372036854775807 at (2, 1) is not"},
      {Replaced("8, 9]", "8, 9223372036854775808]"),
       "other than tile ids, first at line 6, column 31."},
      {Replaced("8, 9]", "8, 4294967295]"), "tile at (2, 1) is flipped or rotated"},
      // Ids farther apart than two tile numbers can be: the first cell no first id makes valid.
      {Replaced("[5, 6", "[100005, 6"), "tile id 100005 at (0, 0) gives tile number 100000,"},
      {Replaced("[5, 6", "[5, 40000"), "tile id 40000 at (1, 0) gives tile number 39995,"},
      {Replaced("[5, 6", "[3, 40000"), "tile id 3 at (0, 0) lies before the tileset's first id 5"},
      {Replaced("[5, 6", "[32772, 3"), "tile id 3 at (1, 0) lies before the tileset's first id 5"},
      {TiledMap(R"([{"id": 2, "x": 0, "y": 0}])"), "Object 2 has no integer property \"id\""},
      {TiledMap(R"([{"x": 0, "y": 0}])"), "Object number 1 has no integer property \"id\""},
      {TiledMap("[5]"), "The object layer holds numbers instead of objects."},
      {TiledMap("[5, [1]]"), "The object layer holds something that is not an object."},
      {TiledMap(R"([{"id": 2, "x": 0, "y": 0, "properties": [{"name": "id", "type": "string",
                    "value": "3"}]}])"),
       "Object 2's property \"id\" must be an integer"},
      {TiledMap("[" + Object(2, 0, 0, "0") + "]"), "property \"id\" is 0, outside 1 to 32767"},
      {TiledMap("[" + Object(2, 0, 0, "32768") + "]"), "is 32768, outside"},
      {TiledMap("[" + Object(2, 48, 0) + "]"), "Object 2 lies outside the 3 x 2 map"},
      {TiledMap("[" + Object(2, 0, -1) + "]"), "Object 2 lies outside"},
      {TiledMap("[" + Object(2, 0, 32) + "]"), "Object 2 lies outside"},
      {TiledMap("[" + Object(2, 1, 1) + "," + Object(3, 15, 15) + "]"),
       "Object 2 and Object 3 both lie on cell (0, 0)"},
      {TiledMap(one, R"(, {"type": "group", "name": "g"})"), "Layer \"g\" is of type \"group\""},
      {Replaced("\"layers\": [", "\"layers\": [5, "), "Layer \"\" is of type \"\""},
      {TiledMap(one, R"(, {"type": "objectgroup", "objects": []})"), "2 object layers"},
      {TiledMap(one, R"(, {"type": "tilelayer"})"), "2 tile layers"},
      {Replaced("\"terrain.tsx\"}", "\"terrain.tsx\"}, {\"firstgid\": 100}"), "uses 2 tilesets"},
      {Replaced("{\"firstgid\": 5, \"source\": \"terrain.tsx\"}", "5"), "tileset is not an object"},
      {Replaced("42", "4.5"), "The map's property \"human_resources\" must be an integer"},
      {Replaced("42", "2147483648"), "is 2147483648, outside -2147483648 to 2147483647."},
      {Replaced("42", "-2147483649"), "is -2147483649, outside -2147483648 to 2147483647."},
      // Numbers as long as the reader takes, and a digit longer.
      {Replaced("42", "4.5" + std::string(4093, '0')), "\"human_resources\" must be an integer"},
      {Replaced("42", "4.5" + std::string(4094, '0')),
       "line 3, column 72, a number is longer than 4096 characters"},
      // Numbers as far as a double reaches either way, and the next ones beyond.
      {Replaced("42", "1.7976931348623157e308"), "\"human_resources\" must be an integer"},
      {Replaced("42", "-1.7976931348623157e308"), "\"human_resources\" must be an integer"},
      {Replaced("42", "1.7976931348623159e308"), "line 3, column 72, the number is out of range"},
      {Replaced("42", "-1.7976931348623159e308"), "line 3, column 72, the number is out of range"},
      {Replaced("42", "10e308"), "line 3, column 72, the number is out of range"},
      {Replaced("42", "4e"), "line 3, column 74, a digit was expected in the exponent"},
      {Replaced("42", "4e+"), "line 3, column 75, a digit was expected in the exponent"},
      {Replaced("\"layers\": [", "\"layers\": 3, \"other\": ["), "The map has no list of layers."},
      {Replaced("\"layers\": [", "\"other\": ["), "The map has no list of layers."},
      {Replaced("\"width\": 3", "\"width\": 0"), "The map width must be a whole number from 1"},
      {Replaced("\"width\": 3", "\"width\": 32768"), "The map width must be a whole number"},
      {Replaced("\"height\": 2", "\"height\": -1"), "The map height must be a whole number"},
      {Replaced("\"tilewidth\": 16,", "\"tilewidth\": 16, \"tilewidth\": 32,"),
       "line 2, column 47, the member name \"tilewidth\" appears twice in one object"},
      {Replaced("\"infinite\": false", "\"infinite\": false, \"x\": {\"a\\\"\": 1, \"a\\\"\": 2}"),
       "line 2, column 100, the member name \"a\"\" appears twice in one object"},
      // Judged from the plain width and height before the text is parsed: a byte too long.
      {TiledMap() + std::string(MaxTmjBytes(3, 2) + 1 - TiledMap().size(), ' '),
       "is 16801985 bytes long, more than a map of 3 x 2 cells can take (16801984)."},
  };
  const std::string out = WriteMap("out.map", Grid(1, 1, {3}), Grid(1, 1));
  const auto before = ReadBytes(out);
  for (const auto& [text, reason] : cases) {
    WriteText(Path("in.tmj"), text);
    ExpectRefused("import @in.tmj -o @out.map", 1, reason);
  }
  ExpectRefused("import @missing.tmj -o @out.map", 1, "cannot read");
  // Judged by its length before a byte is read: the longest text any map may take, and a byte
  // more (sparse files: they take no room on the disk).
  const std::tuple<const char*, uint64_t, const char*> lengths[] = {
      {"in.tmj", LargestTmjBytes(), "line 1, column 1, a JSON value was expected."},
      {"in.tmx", LargestTmjBytes(), "more than a map whose size is not at its start"},
      {"in.tmj", LargestTmjBytes() + 1, "in.tmj: it is larger than 34508632096 bytes."},
      {"in.tmx", LargestTmjBytes() + 1, "in.tmx: it is larger than 34508632096 bytes."},
  };
  for (const auto& [name, length, reason] : lengths) {
    WriteText(Path(name), "");
    std::filesystem::resize_file(Path(name), length);
    ExpectRefused(std::string("import @") + name + " -o @out.map", 1, reason);
  }
  EXPECT_EQ(ReadBytes(out), before);
}

}  // namespace
}  // namespace korvane::clitest
