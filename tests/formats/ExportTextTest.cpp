// What a Tiled export of a small map says, word for word, against files checked by hand: every
// field Tiled reads (the round trips and real Tiled's drawing check that Tiled agrees).

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "formats/TmjExport.h"
#include "formats/TmxExport.h"
#include "tests/support/SourceFile.h"

namespace korvane {
namespace {

std::string Written(bool (*writer)(const TmjExport&, const JsonWriter::Sink&, const ProgressFn&),
                    const std::string& tilesetName = "sheet") {
  MapDocument map;
  map.MapWidth = 2;
  map.MapHeight = 1;
  map.HumanResources = -5;
  map.ComputerResources = 70000;
  map.MapTiles = TileLayer(*Grid16::TryCreate(2, 1));
  map.MapTiles.Set(0, 0, 1);
  map.MapTiles.Set(1, 0, 5);  // off the sheet of 3 tiles
  map.OverlayData = *OverlayLayer::TryCreate(2, 1);
  map.OverlayData.Set(1, 0, 2);  // the second entry: 2 x 3 cells
  const std::vector<CatalogueEntry> catalogue{{"1: Rock", 129}, {"2: Gold Mine", 2 * 128 + 3}};
  TmjExport input;
  input.map = &map;
  input.sheet = LayOutSheetPixels(52, 18, SheetSettings{16, 1, 1});
  input.imagePath = "sheet.png";
  input.tilesetName = tilesetName;
  input.catalogue = &catalogue;
  std::string text;
  writer(
      input, [&](std::string_view piece) { return text.append(piece), true; }, nullptr);
  return text;
}

std::string Golden(const std::string& name) {
  std::ifstream in(testing_support::SourceFile("tests/formats/golden/" + name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ExportText, TmjAndTmxSayEveryFieldTiledReads) {
  EXPECT_EQ(Written(&WriteTmj), Golden("small.tmj"));
  EXPECT_EQ(Written(&WriteTmx), Golden("small.tmx"));
  // The tileset is named after the sheet's file, which may hold any character XML gives a meaning
  // to, and blanks an XML reader would fold into spaces.
  EXPECT_NE(
      Written(&WriteTmx, "a&<>\"\n\r\tb").find(R"( name="a&amp;&lt;&gt;&quot;&#10;&#13;&#9;b" )"),
      std::string::npos);
}

}  // namespace
}  // namespace korvane
