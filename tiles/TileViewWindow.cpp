#include <cstdint>

#include "render/TileGeometry.h"
#include "tiles/PaletteLayout.h"
#include "tiles/TileView.h"

namespace korvane {

namespace {

// Height of the bottom strip that holds the page scroll bar and the "O" button.
constexpr float kStripHeight = 255;

}  // namespace

TileView::TileView(EditorWindows& editor) : editor_(editor) {
  window =
      editor_.Toolkit().CreateWindow(toolkit::WindowKind::SizableTool, "Tile View", 4800, 7800);
  Display = window->AddSurface(toolkit::Place{0, 0, 4800, 7545});
  HScroll = window->AddHScrollBar(toolkit::Place{0, 7545, 4545, 255});
  Command1 = window->AddButton("O", toolkit::Place{4545, 7545, 255, 255});
  Display->SetBackColor(toolkit::kButtonTextColor);
  window->onResize = [this] { Form_Resize(); };
  Display->onPaint = [this] { Display_Paint(); };
  Display->onMouseDown = [this](int16_t b, int16_t s, float x, float y) {
    Display_MouseDown(b, s, x, y);
  };
  HScroll->onChange = [this] { HScroll_Change(); };
  HScroll->onScroll = [this] { HScroll_Scroll(); };
  Command1->onClick = [this] { Command1_Click(); };
}

TileView::~TileView() = default;

MapGlobal& TileView::global() {
  return editor_.Global();
}

// Loading the palette means no sheet is applied yet; the zoom is the main window's to keep.
void TileView::Form_Load() {
  global().TileSize = 0;
  PageFirstTile = 0;
  PageTiles = 0;
  global().SelectedCount = 0;
}

void TileView::Form_Resize() {
  const float h = window->ScaleHeight();
  if (h <= kStripHeight) return;  // too short for the strip: keep the last layout
  const float w = window->ScaleWidth();
  Display->SetPlace(toolkit::Place{0, 0, w, h - kStripHeight});
  HScroll->SetPlace(
      toolkit::Place{0, h - kStripHeight, w > kStripHeight ? w - kStripHeight : 0, kStripHeight});
  Command1->SetPlace(
      toolkit::Place{w - kStripHeight, h - kStripHeight, kStripHeight, kStripHeight});

  const MapGlobal& g = global();
  if (g.TileSize <= 0) return;
  // Only a change in the number of whole cells changes the pages; anything else keeps the drawing.
  const int16_t cols =
      PaletteCellsAlong(Display->ScaleWidth(), ZoomStatus * g.TileTwipsX, PaletteCellTwipsX());
  const int16_t rows = PaletteRowsWithinModel(
      PaletteCellsAlong(Display->ScaleHeight(), ZoomStatus * g.TileTwipsY, PaletteCellTwipsY()),
      cols);
  if (cols != PageCols || rows != PageRows) Display->Refresh();
}

void TileView::HScroll_Change() {
  if (!painting_) Display->Refresh();
}

void TileView::HScroll_Scroll() {
  if (!painting_) Display->Refresh();
}

// Fits the window's width to the sheet's own columns; the height stays.
void TileView::Command1_Click() {
  const MapGlobal& g = global();
  if (g.TileSize < 1) return;
  const int64_t columns = SheetColumns(g);
  if (columns < 1) return;  // a sheet without a whole tile has no width to fit
  const int64_t needed = columns * PaletteCellTwipsX() - g.TwoPixelsX;
  window->SetWidth(window->Width() + static_cast<float>(needed) - Display->ScaleWidth());
}

void TileView::CalculateTiles() {
  MapGlobal& g = global();
  const auto measures = MeasureTwipsGeometry(*Display, g.TileSize);
  // The tile-sheet dialog only applies geometry that measures; anything else keeps the old one.
  if (!measures) return;
  StoreTwipsGeometry(g, *measures);
  Command1_Click();
}

void TileView::SwitchZoom() {
  ZoomStatus = ZoomStatus == 1 ? int16_t{2} : int16_t{1};
  Display->Refresh();
}

}  // namespace korvane
