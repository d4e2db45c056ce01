#include "formats/TiledMapFile.h"
#include "tests/document/DocumentFixture.h"

namespace korvane {
namespace {

using namespace testing_document;
using toolkit::MessageResult;

// The tileset's geometry a sheet can take: tiles square, 1 to 32767 pixels, spacing and margin
// 0 to 32767. The picture cannot be read, so a geometry that passes is refused for that instead.
TEST_F(DocumentTest, AnImportedTilesetIsTheSheetOnlyWithAUsableGeometry) {
  // A size given as "" is left out of the tileset.
  const struct {
    const char *width, *height;
    int spacing, margin;
    const char* why;
  } rows[] = {{"1", "1", 0, 0, "cannot read it"},
              {"32767", "32767", 32767, 32767, "cannot read it"},
              {"0", "0", 0, 0, "no tile size"},
              {"32768", "32768", 0, 0, "no tile size"},
              {"-1", "-1", 0, 0, "no tile size"},
              {"", "16", 0, 0, "no tile size"},
              {"16", "", 0, 0, "no tile size"},
              {"16.5", "16.5", 0, 0, "no tile size"},
              {"16", "17", 0, 0, "16 x 17 pixels, not square"},
              {"16", "16", -1, 0, "spacing or margin"},
              {"16", "16", 32768, 0, "spacing or margin"},
              {"16", "16", 0, -1, "spacing or margin"},
              {"16", "16", 0, 32768, "spacing or margin"}};
  for (const auto& row : rows) {
    const auto member = [](const char* name, const std::string& v) {
      return v.empty() ? std::string() : "\"" + std::string(name) + "\": " + v + ", ";
    };
    std::ofstream(Path("in.tmj"))
        << R"({"type": "map", "orientation": "orthogonal", "width": 1, "height": 1,
      "tilewidth": 16, "tileheight": 16, "layers": [{"type": "tilelayer", "name": "Tiles",
      "width": 1, "height": 1, "data": [0]}], "tilesets": [{"firstgid": 1,
      "image": "sheet.png", "imagewidth": 16, "imageheight": 16, )"
        << member("tilewidth", row.width) << member("tileheight", row.height)
        << member("spacing", std::to_string(row.spacing)) << R"("margin": )" << row.margin << "}]}";
    tk.failuresReported.clear();
    tk.fileAnswers = {Path("in.tmj")};
    view().Map.MapChanged = 0;
    view().MENU_IMPORT_TILED_Click();
    ASSERT_EQ(tk.failuresReported.size(), 1u) << row.width;
    EXPECT_NE(tk.failuresReported[0].find(row.why), std::string::npos) << tk.failuresReported[0];
    EXPECT_EQ(global().TileSize, 16) << "the current sheet stays";
  }
}

// A read that fails at any step of an import, in either format, is told as a file that could not
// be opened, and the map on screen stays as it was.
TEST_F(DocumentTest, AReadThatFailsAnywhereInAnImportLeavesTheMapAlone) {
  std::ofstream(Path("in.tmj"))
      << R"({"orientation": "orthogonal", "width": 2, "height": 1, "tilewidth": 16,
    "tileheight": 16, "layers": [{"type": "tilelayer", "width": 2, "height": 1, "data": [1, 2]}],
    "tilesets": [{"firstgid": 1}]})";
  std::ofstream(Path("in.tmx"))
      << R"(<map orientation="orthogonal" width="2" height="1" tilewidth="16" tileheight="16">
    <tileset firstgid="1"/><layer width="2" height="1"><data encoding="csv">1,2</data></layer>
    </map>)";
  for (const char* name : {"in.tmj", "in.tmx"}) {
    int failAt = 0;
    for (;; ++failAt) {
      PutMap(Pattern(3, 3, 1), MakeGrid(3, 3), Path("current.map"));
      const auto before = Snapshot(view());
      tk.failuresReported.clear();
      tk.files.operations = 0;
      tk.files.failAt = failAt;
      tk.fileAnswers = {Path(name)};
      tk.messageAnswers = {MessageResult::Yes};
      view().MENU_IMPORT_TILED_Click();
      tk.files.failAt = -1;
      if (failAt >= tk.files.operations) break;  // nothing failed: the import went through
      EXPECT_EQ(tk.failuresReported,
                std::vector<std::string>{"The Tiled map \"" + Path(name) +
                                         "\" could not be opened: an input/output error occurred."})
          << name << " " << failAt;
      EXPECT_EQ(Snapshot(view()), before) << name << " " << failAt;
    }
    EXPECT_GE(failAt, 2) << name;
    EXPECT_EQ(view().Map.MapWidth, 2) << name;
  }
}

// Export names the sheet the map is drawn with: a sheet applied from a file, by its path from the
// map; otherwise (none applied, the sample, a sheet with no picture or no screen scale) the sample
// sheet, written beside the map.
TEST_F(DocumentTest, ExportNamesTheAppliedSheetOrWritesTheSampleBeside) {
  testing_support::MakeTestMap(view(), 2, 1);
  const struct {
    int16_t size;
    const char* file;
    bool picture;
    float twips;
  } rows[] = {{16, "own.bmp", true, 15},
              {16, "", true, 15},
              {0, "own.bmp", true, 15},
              {16, "own.bmp", false, 15},
              {16, "own.bmp", true, 0}};
  for (size_t n = 0; n < std::size(rows); ++n) {
    const auto& r = rows[n];
    global().TileSize = r.size;
    global().TileSheetFile = *r.file ? Path(r.file) : "";
    global().TileSheet = r.picture ? std::make_shared<headless::HeadlessPicture>(52, 18) : nullptr;
    global().PixelTwipsX = r.twips;
    const std::string out = Path("out" + std::to_string(n) + ".tmj");
    tk.fileAnswers = {out};
    view().MENU_EXPORT_TILED_Click();
    std::ifstream in(out);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const bool own = n == 0;
    const std::string image = own ? "own.bmp" : "out" + std::to_string(n) + "-sheet.png";
    EXPECT_NE(text.find("\"image\": \"" + image + "\""), std::string::npos) << n;
    EXPECT_EQ(std::filesystem::exists(SampleSheetPathFor(out)), !own) << n;
  }
}

}  // namespace
}  // namespace korvane
