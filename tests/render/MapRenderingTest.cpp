#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "overlay/DatView.h"
#include "tests/shell/MapViewFixture.h"

namespace korvane::shelltest {
namespace {

using Kind = DrawCall::Kind;

std::vector<DrawCall> Only(const std::vector<DrawCall>& calls, Kind kind) {
  std::vector<DrawCall> out;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
               [kind](const DrawCall& c) { return c.kind == kind; });
  return out;
}

// The arguments of the tile copied to destination (x, y); empty when none was.
std::vector<float> TileAt(const std::vector<DrawCall>& calls, float x, float y) {
  for (const DrawCall& c : calls)
    if (c.kind == Kind::PaintPicture && c.args[0] == x && c.args[1] == y) return c.args;
  return {};
}

// Where on the sheet the tile at destination (x, y) came from.
std::vector<float> SourceAt(const std::vector<DrawCall>& calls, float x, float y) {
  const std::vector<float> args = TileAt(calls, x, y);
  return args.empty() ? args : std::vector<float>{args[4], args[5]};
}

class MapRendering : public MapViewTest {
 protected:
  void OverlayMode() { editor->datView().window->SetVisible(true); }
};

TEST_F(MapRendering, DrawsTheWorkedExampleCell) {
  ShowMap(10, 10);
  view().MapZoom->onClick();
  view().Grid->onClick();
  view().MapTiles.Set(3, 1, 25);
  view().OverlayData.Set(3, 1, 3);
  OverlayMode();
  const std::vector<DrawCall> calls = Redraw();

  const auto it = std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) {
    return c.kind == Kind::PaintPicture && c.args[0] == 1485 && c.args[1] == 495;
  });
  ASSERT_NE(it, calls.end());
  EXPECT_EQ(it->args, (std::vector<float>{1485, 495, 480, 480, 1785, 255, 240, 240}));
  EXPECT_EQ(it->picture, editor->Global().TileSheet.get());
  // The marker follows its tile, before the next cell is drawn.
  ASSERT_GE(calls.end() - it, 4);
  EXPECT_EQ(it[1].kind, Kind::Circle);
  EXPECT_EQ(it[1].args, (std::vector<float>{1725, 735, 210}));
  EXPECT_EQ(it[1].color, toolkit::Rgb(0, 0, 192));
  EXPECT_EQ(it[2].kind, Kind::Print);
  EXPECT_EQ(it[2].text, "3");
  // Centred: (480 - 105) / 2 and (480 - 195) / 2, halved without truncating.
  EXPECT_EQ(it[2].args, (std::vector<float>{1485 + 187.5f, 495 + 142.5f}));
  EXPECT_EQ(it[3].kind, Kind::PaintPicture);

  // 8 x 6 whole cells fit 4000 x 3000 twips at this pitch; the map fills them all.
  EXPECT_EQ(Only(calls, Kind::PaintPicture).size(), 48u);
  EXPECT_EQ(Only(calls, Kind::Circle).size(), 1u);
  // Tile 0 of a cell with the gap: the next cell starts one pitch on.
  EXPECT_EQ(TileAt(calls, 495, 0), (std::vector<float>{495, 0, 480, 480, 0, 0, 240, 240}));
}

TEST_F(MapRendering, OverlayMarkersOnlyInOverlayModeAndOnlyForPlacedObjects) {
  ShowMap(10, 10);
  view().OverlayData.Set(1, 1, 7);
  view().OverlayData.Set(2, 1, 0);
  view().OverlayData.Set(3, 1, -2);
  EXPECT_TRUE(Only(Redraw(), Kind::Circle).empty());
  EXPECT_TRUE(Only(Redraw(), Kind::Print).empty());

  OverlayMode();
  const std::vector<DrawCall> calls = Redraw();
  const auto circles = Only(calls, Kind::Circle);
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_EQ(circles[0].args, (std::vector<float>{240 + 120, 240 + 120, 105}));
  const auto prints = Only(calls, Kind::Print);
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].text, "7");
}

TEST_F(MapRendering, CellsWithoutASheetTileShowTheBackground) {
  ShowMap(10, 10);
  OverlayMode();
  view().MapTiles.Set(1, 0, 270);  // one past the last tile: neither tile nor marker
  view().OverlayData.Set(1, 0, 5);
  view().MapTiles.Set(2, 0, -1);  // names no place on the sheet: no tile, but its marker
  view().OverlayData.Set(2, 0, 4);
  view().MapTiles.Set(3, 0, 269);  // the last tile, row 14 column 17
  const std::vector<DrawCall> calls = Redraw();
  EXPECT_TRUE(TileAt(calls, 240, 0).empty());
  EXPECT_TRUE(TileAt(calls, 480, 0).empty());
  EXPECT_EQ(SourceAt(calls, 720, 0), (std::vector<float>{17 * 255, 14 * 255}));
  const auto prints = Only(calls, Kind::Print);
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].text, "4");

  editor->Global().TileCount = 0;  // the palette has not counted the sheet yet
  EXPECT_TRUE(Only(Redraw(), Kind::PaintPicture).empty());
}

TEST_F(MapRendering, OnlyCellsInsideTheMapAreDrawn) {
  ShowMap(5, 3);  // room for 16 x 12 cells
  std::vector<DrawCall> tiles = Only(Redraw(), Kind::PaintPicture);
  EXPECT_EQ(tiles.size(), 15u);
  for (const DrawCall& c : tiles) {
    EXPECT_LE(c.args[0], 4 * 240);
    EXPECT_LE(c.args[1], 2 * 240);
  }

  // The last page of a 40-column map shows columns 32 to 39 at the left.
  MakeTestMap(view(), 40, 3);
  view().MapTiles.Set(32, 0, 25);
  view().MapTiles.Set(39, 2, 1);
  display().Refresh();
  hscroll().UserSetValue(3);
  const std::vector<DrawCall> calls = Redraw();
  EXPECT_EQ(Only(calls, Kind::PaintPicture).size(), 24u);
  EXPECT_EQ(SourceAt(calls, 0, 0), (std::vector<float>{1785, 255}));
  EXPECT_EQ(SourceAt(calls, 7 * 240, 2 * 240), (std::vector<float>{255, 0}));
  EXPECT_TRUE(TileAt(calls, 8 * 240, 0).empty());
}

TEST_F(MapRendering, NothingIsDrawnWithoutAMapOrASheet) {
  ApplyTestSheet(editor->Global());
  SizeDisplay(4000, 3000);
  display().Refresh();  // no map
  EXPECT_TRUE(Only(display().calls, Kind::PaintPicture).empty());
  EXPECT_EQ(hscroll().Max(), 32767);  // the bars keep the state they were made with

  MakeTestMap(view(), 10, 10);
  editor->Global().TileSize = 0;  // no sheet
  display().Refresh();
  EXPECT_TRUE(Only(display().calls, Kind::PaintPicture).empty());
  EXPECT_EQ(hscroll().Max(), 32767);
}

TEST_F(MapRendering, ADirectCallOverdrawsWithoutClearing) {
  ShowMap(10, 10);
  display().ClearLog();
  view().Display_Paint();
  EXPECT_TRUE(Only(display().calls, Kind::Clear).empty());
  EXPECT_EQ(Only(display().calls, Kind::PaintPicture).size(), 100u);
}

TEST_F(MapRendering, SingleCellDrawingMatchesTheFullDrawing) {
  ShowMap(10, 10);
  view().MapZoom->onClick();
  view().Grid->onClick();
  display().ClearLog();
  view().DrawTileInCell(25, 3, 1);
  view().DrawOverlayMarker(3, 3, 1);
  view().DrawOverlayMarker(0, 4, 1);  // an empty cell: no marker
  view().DrawTileInCell(-1, 4, 1);    // no place on the sheet: nothing
  ASSERT_EQ(display().calls.size(), 3u);
  EXPECT_EQ(display().calls[0].args,
            (std::vector<float>{1485, 495, 480, 480, 1785, 255, 240, 240}));
  EXPECT_EQ(display().calls[1].args, (std::vector<float>{1725, 735, 210}));

  // A small tile: the circle keeps one pixel's radius inside it.
  editor->Global().TileSize = 4;
  view().MapZoom->onClick();
  display().ClearLog();
  view().DrawOverlayMarker(12, 0, 0);
  EXPECT_EQ(display().calls[0].args[2], 15);

  editor->Global().TileSheet = nullptr;
  display().ClearLog();
  view().DrawTileInCell(25, 0, 0);
  EXPECT_TRUE(display().calls.empty());
}

TEST(MapRenderingWideScreen, PlacesCellsBeyondTheSixteenBitRange) {
  headless::HeadlessToolkit tk;
  tk.executableFolder = FreshFolder();
  tk.screenWidth = 57600;
  tk.screenHeight = 32400;
  Editor editor(tk);
  editor.Start();
  MapView& view = editor.mapView();
  ApplyTestSheet(editor.Global());
  MakeTestMap(view, 300, 200);
  view.MapTiles.Set(235, 0, 25);
  view.OverlayData.Set(235, 0, 9);
  editor.datView().window->SetVisible(true);
  headless::H(*view.window).UserResizeClient(57000, 30000);
  headless::HeadlessSurface& display = headless::H(*view.Display);
  display.Refresh();
  EXPECT_EQ(view.ViewCols, 236);
  EXPECT_EQ(SourceAt(display.calls, 235 * 240, 0), (std::vector<float>{1785, 255}));
  const auto circles = Only(display.calls, Kind::Circle);
  ASSERT_FALSE(circles.empty());
  EXPECT_EQ(circles.back().args[0], 56400 + 120);
}

TEST_F(MapRendering, LoadsTheCommandLineMapOnTheFirstPaintOnly) {
  // A map file written by the editor itself.
  const std::string path = (std::filesystem::path(tk.executableFolder) / "first.map").string();
  ShowMap(12, 7);
  view().MapTiles.Set(2, 3, 25);
  view().HumanResources = 500;
  ASSERT_TRUE(view().SaveNow(path));

  headless::HeadlessToolkit tk2;
  tk2.executableFolder = FreshFolder("-second");
  tk2.commandLine = path;
  Editor second(tk2);
  second.Start();
  MapView& v = second.mapView();
  EXPECT_EQ(v.MapWidth, 0);
  ApplyTestSheet(second.Global());
  headless::HeadlessSurface& display = headless::H(*v.Display);
  display.Refresh();
  EXPECT_EQ(v.StartupMapFile, "");
  EXPECT_EQ(v.MapWidth, 12);
  EXPECT_EQ(v.MapHeight, 7);
  EXPECT_EQ(v.HumanResources, 500);
  EXPECT_EQ(v.MapTiles.At(2, 3), 25);
  EXPECT_EQ(SourceAt(display.calls, 2 * 240, 3 * 240), (std::vector<float>{1785, 255}));
  EXPECT_EQ(tk2.doEventsCount, 1);

  display.Refresh();
  display.Refresh();
  EXPECT_EQ(tk2.doEventsCount, 1);
  EXPECT_TRUE(tk2.messagesAsked.empty());
}

TEST_F(MapRendering, AnUnreadableCommandLineMapIsTriedOnceAndLeavesNoMap) {
  headless::HeadlessToolkit tk2;
  tk2.executableFolder = FreshFolder("-second");
  tk2.commandLine = "\"" + tk2.executableFolder + "/missing.map\"";
  Editor second(tk2);
  second.Start();
  headless::HeadlessSurface& display = headless::H(*second.mapView().Display);
  display.Refresh();
  display.Refresh();
  EXPECT_EQ(second.mapView().StartupMapFile, "");
  EXPECT_EQ(second.mapView().MapWidth, 0);
  EXPECT_EQ(tk2.doEventsCount, 1);
  EXPECT_TRUE(tk2.messagesAsked.empty());
}

}  // namespace
}  // namespace korvane::shelltest
