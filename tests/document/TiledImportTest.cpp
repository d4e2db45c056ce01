#include "tests/document/DocumentFixture.h"

namespace korvane {
namespace {

using testing_document::DocumentTest;

// The tileset's geometry a sheet can take: tiles square, 1 to 32767 pixels, spacing and margin
// 0 to 32767. The picture cannot be read, so a geometry that passes is refused for that instead.
TEST_F(DocumentTest, AnImportedTilesetIsTheSheetOnlyWithAUsableGeometry) {
  const struct {
    int width, height, spacing, margin;
    const char* why;
  } rows[] = {{1, 1, 0, 0, "cannot read it"},       {32767, 32767, 32767, 32767, "cannot read it"},
              {0, 0, 0, 0, "no tile size"},         {32768, 32768, 0, 0, "no tile size"},
              {-1, -1, 0, 0, "no tile size"},       {16, 17, 0, 0, "16 x 17 pixels, not square"},
              {16, 16, -1, 0, "spacing or margin"}, {16, 16, 32768, 0, "spacing or margin"},
              {16, 16, 0, -1, "spacing or margin"}, {16, 16, 0, 32768, "spacing or margin"}};
  for (const auto& row : rows) {
    const auto number = [](int v) { return std::to_string(v); };
    std::ofstream(Path("in.tmj"))
        << R"({"type": "map", "orientation": "orthogonal", "width": 1, "height": 1,
      "tilewidth": 16, "tileheight": 16, "layers": [{"type": "tilelayer", "name": "Tiles",
      "width": 1, "height": 1, "data": [0]}], "tilesets": [{"firstgid": 1,
      "image": "sheet.png", "imagewidth": 16, "imageheight": 16, "tilewidth": )"
        << number(row.width) << R"(, "tileheight": )" << number(row.height) << R"(, "spacing": )"
        << number(row.spacing) << R"(, "margin": )" << number(row.margin) << "}]}";
    tk.failuresReported.clear();
    tk.fileAnswers = {Path("in.tmj")};
    view().Map.MapChanged = 0;
    view().MENU_IMPORT_TILED_Click();
    ASSERT_EQ(tk.failuresReported.size(), 1u) << row.width;
    EXPECT_NE(tk.failuresReported[0].find(row.why), std::string::npos) << tk.failuresReported[0];
    EXPECT_EQ(global().TileSize, 16) << "the current sheet stays";
  }
}

}  // namespace
}  // namespace korvane
