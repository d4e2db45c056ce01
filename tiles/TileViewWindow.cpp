#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tiles/TileView.h"

namespace korvane {

TileView::TileView(Editor& editor) : editor_(editor) {
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
void TileView::Form_Load() {}
void TileView::Form_Resize() {}
void TileView::Display_Paint() {}
void TileView::Display_MouseDown(int16_t, int16_t, float, float) {}
void TileView::HScroll_Change() {}
void TileView::HScroll_Scroll() {}
void TileView::Command1_Click() {}
void TileView::CalculateTiles() {}
int32_t TileView::PaletteCellTwipsX() const {
  return 0;
}
int32_t TileView::PaletteCellTwipsY() const {
  return 0;
}
void TileView::RedrawCell(int32_t, int32_t, int16_t, toolkit::Color) {}
void MapView::TileZoom_Click() {}

}  // namespace korvane
