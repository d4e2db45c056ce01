#pragma once

// A main window with a 16-pixel sample sheet applied, a small map and a known view, for driving
// the mouse tools directly.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "document/Grid16.h"
#include "document/TileLayer.h"
#include "overlay/DatView.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/support/HeadlessToolkit.h"

namespace korvane::tools_test {

using headless::DrawCall;

inline std::string FreshFolder() {
  static std::atomic<int> counter{0};
  const char* base = std::getenv("KORVANE_TEST_TMP");
  std::filesystem::path dir = base ? base : testing::TempDir();
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  dir /= std::string("tools_") + info->test_suite_name() + "_" + info->name() + "_" +
         std::to_string(counter++);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

class ToolsTest : public testing::Test {
 protected:
  // 15 twips per pixel: a 16-pixel tile is 240 twips, the 305-pixel sheet has 18 columns.
  static constexpr int32_t kTile = 240;
  static constexpr int32_t kSheetPitch = 255;
  using Kind = DrawCall::Kind;

  // Declared first: the constructor below reads them.
  headless::HeadlessToolkit tk;
  Editor editor{tk};
  MapView& view;
  MapGlobal& g;

  ToolsTest() : view(Start()), g(editor.Global()) {
    g.TileSize = 16;
    g.TileSpacing = 1;
    g.TileOffset = 0;
    g.PixelTwipsX = g.PixelTwipsY = 15;
    g.TileTwipsX = g.TileTwipsY = kTile;
    g.TwoPixelsX = g.TwoPixelsY = 30;
    g.TileSheet = std::make_shared<headless::HeadlessPicture>(305, 256);
    g.TileCount = 270;
    MakeMap(10, 8);
    SetView(6, 5);
  }

  MapView& Start() {
    tk.executableFolder = FreshFolder();
    return editor.mapView();
  }

  void MakeMap(int16_t w, int16_t h) {
    view.MapWidth = w;
    view.MapHeight = h;
    view.MapTiles = TileLayer(*Grid16::TryCreate(w, h));
    view.OverlayData = *Grid16::TryCreate(w, h);
    view.MapChanged = 0;
  }

  int32_t CellX() const { return view.MapZoomFactor * kTile + view.GridOn * 15; }
  int32_t CellY() const { return view.MapZoomFactor * kTile + view.GridOn * 15; }

  // A display that holds cols x rows whole cells and half a cell of strip beyond them, showing
  // the page that starts at (firstCol, firstRow) (multiples of cols and rows).
  void SetView(int16_t cols, int16_t rows, int16_t firstCol = 0, int16_t firstRow = 0) {
    const float width =
        static_cast<float>((cols - 1) * CellX() + view.MapZoomFactor * kTile + CellX() / 2);
    const float height =
        static_cast<float>((rows - 1) * CellY() + view.MapZoomFactor * kTile + CellY() / 2);
    view.Display->SetPlace(toolkit::Place{0, 375, width, height});
    view.HScroll->SetValue(static_cast<int16_t>(firstCol / cols + 1));
    view.VScroll->SetValue(static_cast<int16_t>(firstRow / rows + 1));
    view.UpdateViewGeometry();
    view.ViewCols = cols;
    view.ViewRows = rows;
    view.ViewFirstCol = firstCol;
    view.ViewFirstRow = firstRow;
    ClearLogs();
  }

  void Select(std::initializer_list<int16_t> tiles) {
    g.SelectedCount = 0;
    for (int16_t t : tiles) g.SelectedTiles[++g.SelectedCount] = t;
  }

  void SetMode(int16_t mode) { view.PaintMode->SetListIndex(mode); }

  // The pointer position in the middle of screen cell (c, r).
  float AtX(int32_t c) const { return static_cast<float>(c * CellX() + CellX() / 2); }
  float AtY(int32_t r) const { return static_cast<float>(r * CellY() + CellY() / 2); }

  // A position in the strip beyond the last whole column (row) of the view.
  float StripX() const { return static_cast<float>(view.ViewCols * CellX() + CellX() / 4); }
  float StripY() const { return static_cast<float>(view.ViewRows * CellY() + CellY() / 4); }

  void Press(int16_t button, int32_t c, int32_t r) {
    view.Display_MouseDown(button, 0, AtX(c), AtY(r));
  }
  void Move(int16_t button, int32_t c, int32_t r) {
    view.Display_MouseMove(button, 0, AtX(c), AtY(r));
  }
  void Release(int16_t button, int32_t c, int32_t r) {
    view.Display_MouseUp(button, 0, AtX(c), AtY(r));
  }

  // Overlay mode: the catalogue holds "Remove" and seven more entries and is shown.
  DatView& ShowCatalogue() {
    DatView& dat = editor.datView();
    for (int i = 1; i <= 7; ++i) {
      dat.Items->AddItem("Object " + std::to_string(i));
      dat.Items->SetItemData(dat.Items->NewIndex(), 0x00010001);
    }
    dat.window->SetVisible(true);
    ClearLogs();
    return dat;
  }

  headless::HeadlessSurface& Surface() { return headless::H(*view.Display); }
  std::vector<DrawCall> Tiles() const {
    return headless::H(*view.Display).CallsOf(Kind::PaintPicture);
  }
  void ClearLogs() {
    Surface().ClearLog();
    tk.randomCount = 0;
  }

  // The single-cell drawing of tile t into screen cell (c, r).
  void ExpectTileDrawn(const DrawCall& call, int16_t t, int32_t c, int32_t r) const {
    ASSERT_EQ(call.args.size(), 8u);
    EXPECT_EQ(call.args[0], static_cast<float>(c * CellX()));
    EXPECT_EQ(call.args[1], static_cast<float>(r * CellY()));
    EXPECT_EQ(call.args[2], static_cast<float>(view.MapZoomFactor * kTile));
    EXPECT_EQ(call.args[4], static_cast<float>((t % 18) * kSheetPitch));
    EXPECT_EQ(call.args[5], static_cast<float>((t / 18) * kSheetPitch));
    EXPECT_EQ(call.args[6], static_cast<float>(kTile));
  }

  // Leaves an edit since the last snapshot, so a fresh snapshot shows in UndoTiles.
  void EditSinceSnapshot() {
    view.MapTiles.TakeUndoSnapshot();
    view.MapTiles.Set(0, 0, 77);
  }
};

}  // namespace korvane::tools_test
