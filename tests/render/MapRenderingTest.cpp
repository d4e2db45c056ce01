#include <algorithm>
#include <filesystem>
#include <vector>

#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"

namespace korvane::testing_support {
namespace {

using headless::DrawCall;
using Kind = DrawCall::Kind;

class MapRendering : public EditorTest {
 protected:
  // The calls of one full redraw, once the scroll bars have settled.
  std::vector<DrawCall> Redraw() {
    display().Refresh();
    display().ClearLog();
    display().Refresh();
    return display().calls;
  }
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
  ASSERT_GE(calls.end() - it, 4);
  EXPECT_EQ(it->args, (std::vector<float>{1485, 495, 480, 480, 1785, 255, 240, 240}));
  // The marker follows its tile, before the next cell is drawn.
  EXPECT_EQ(it[1].kind, Kind::Circle);
  EXPECT_EQ(it[1].args, (std::vector<float>{1725, 735, 210}));
  EXPECT_EQ(it[2].kind, Kind::Print);
  EXPECT_EQ(it[2].text, "3");
  // Centred on the tile: the digit measures 105 x 195 twips, halved without truncating.
  EXPECT_EQ(it[2].args, (std::vector<float>{1485 + 187.5f, 495 + 142.5f}));
  EXPECT_EQ(it[3].kind, Kind::PaintPicture);
  // 8 x 6 whole cells fit at this pitch, all of them on the map.
  EXPECT_EQ(display().CallsOf(Kind::PaintPicture).size(), 48u);
}

// Only cells on the map whose tile is below TileCount are drawn, and markers only in overlay
// mode, for values above 0.
TEST_F(MapRendering, SkipsCellsOffTheMapOrTheSheetAndMarksOnlyPlacedObjects) {
  ShowMap(5, 3);                   // room for 16 x 12 cells
  view().MapTiles.Set(1, 0, 270);  // one past the last tile: neither tile nor marker
  view().OverlayData.Set(1, 0, 5);
  view().MapTiles.Set(3, 0, 269);  // the last tile: sheet row 14, column 17
  view().OverlayData.Set(2, 1, 7);
  view().OverlayData.Set(3, 1, 0);
  view().OverlayData.Set(4, 1, -2);
  Redraw();
  EXPECT_TRUE(display().CallsOf(Kind::Circle).empty());  // tile mode: no markers at all
  EXPECT_TRUE(display().CallsOf(Kind::Print).empty());
  OverlayMode();
  Redraw();
  std::vector<std::vector<float>> drawnAt, expectedAt;
  for (const DrawCall& c : display().CallsOf(Kind::PaintPicture))
    drawnAt.push_back({c.args[0], c.args[1]});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      if (x != 1 || y != 0) expectedAt.push_back({x * 240.0f, y * 240.0f});
  EXPECT_EQ(drawnAt, expectedAt);
  EXPECT_EQ(display().CallsOf(Kind::PaintPicture)[2].args[4], 17 * 255);
  EXPECT_EQ(display().CallsOf(Kind::PaintPicture)[2].args[5], 14 * 255);
  const auto circles = display().CallsOf(Kind::Circle);
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_EQ(circles[0].args, (std::vector<float>{2 * 240 + 120, 240 + 120, 105}));
  const auto prints = display().CallsOf(Kind::Print);
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].text, "7");
  global().TileCount = 0;  // the palette has not counted the sheet yet
  Redraw();
  EXPECT_TRUE(display().CallsOf(Kind::PaintPicture).empty());
}

TEST_F(MapRendering, LoadsTheCommandLineMapOnTheFirstPaintOnly) {
  const std::string path = (std::filesystem::path(Folder()) / "first.map").string();
  ShowMap(12, 7);
  view().MapTiles.Set(2, 3, 25);
  ASSERT_TRUE(view().SaveNow(path));

  headless::HeadlessToolkit tk2;
  tk2.executableFolder = FreshFolder();
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
  EXPECT_EQ(v.MapTiles.At(2, 3), 25);
  EXPECT_EQ(tk2.doEventsCount, 1);  // the load lets pending events run once
  display.Refresh();
  display.Refresh();
  EXPECT_EQ(tk2.doEventsCount, 1);
  EXPECT_TRUE(tk2.messagesAsked.empty());
}

}  // namespace
}  // namespace korvane::testing_support
