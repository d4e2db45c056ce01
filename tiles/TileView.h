#pragma once

#include <cstdint>
#include <memory>

#include "state/EditorWindows.h"
#include "toolkit/Types.h"
#include "toolkit/Window.h"

namespace korvane {

// The palette window "Tile View": the sheet's tiles page by page, selection frames in red.
class TileView {
 public:
  explicit TileView(EditorWindows& editor);
  ~TileView();

  // Public palette zoom, 1 or 2; survives reloads of the window (the main window sets it).
  int16_t ZoomStatus = 1;
  int16_t PageCols = 0;
  int16_t PageRows = 0;
  int16_t PageTiles = 0;
  int16_t PageFirstTile = 0;

  std::unique_ptr<toolkit::Window> window;
  toolkit::Surface* Display = nullptr;
  toolkit::ScrollBar* HScroll = nullptr;
  toolkit::Button* Command1 = nullptr;

  void Form_Load();
  void Form_Resize();
  void Display_Paint();
  void Display_MouseDown(int16_t button, int16_t shift, float x, float y);
  void HScroll_Change();
  void HScroll_Scroll();
  void Command1_Click();
  void CalculateTiles();
  // The main window's "Tile Zoom": the palette at the other zoom, drawn again.
  void SwitchZoom();

  // Palette cell pitch in twips.
  int32_t PaletteCellTwipsX() const;
  int32_t PaletteCellTwipsY() const;
  // Frame box of cell (x, y) in a colour, then the tile t drawn over it.
  void RedrawCell(int32_t x, int32_t y, int16_t tile, toolkit::Color color);

 private:
  MapGlobal& global();
  EditorWindows& editor_;
  // True while Display_Paint runs: a page change it causes itself needs no second repaint.
  bool painting_ = false;
};

}  // namespace korvane
