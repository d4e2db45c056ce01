#pragma once

#include <cstdint>

#include "toolkit/Units.h"

namespace korvane {

// How a whole map fits an overview window of a given size in pixels, keeping its proportions. A
// map that fits gets a whole number of pixels per cell (1 to 8); a larger one is shrunk until
// its longer side (relative to the window) fills the window, and each pixel then shows the cell
// under its centre.
struct OverviewScale {
  int32_t mapWidth = 0;
  int32_t mapHeight = 0;
  // The picture's size in pixels; 0 when there is nothing to show.
  int32_t width = 0;
  int32_t height = 0;
  // Pixels per cell when whole (1 to 8); 0 when pixels sample the cells.
  int32_t cellPixels = 0;

  bool Empty() const { return width < 1 || height < 1; }
  // The cell column under the centre of pixel column px (0 to width - 1), and the same for rows.
  int32_t ColumnCell(int32_t px) const { return CellAt(px, mapWidth, width); }
  int32_t RowCell(int32_t py) const { return CellAt(py, mapHeight, height); }
  // The first pixel column whose cell is `cell` or beyond (width for cell mapWidth); the pixels
  // of a cell run from FirstColumn(cell) to FirstColumn(cell + 1), none for an unsampled cell.
  int32_t FirstColumn(int32_t cell) const { return FirstPixel(cell, mapWidth, width); }
  int32_t FirstRow(int32_t cell) const { return FirstPixel(cell, mapHeight, height); }
  // The pixels of the cells (left, top) to (left + w, top + h), exclusive.
  toolkit::PixelRect PixelsOf(int32_t left, int32_t top, int32_t w, int32_t h) const;

 private:
  static int32_t CellAt(int32_t pixel, int32_t cells, int32_t pixels);
  static int32_t FirstPixel(int32_t cell, int32_t cells, int32_t pixels);
};

// The largest whole-cell scale is capped, so a tiny map stays a map, not a few big squares.
inline constexpr int32_t kMaxOverviewCellPixels = 8;

OverviewScale FitOverview(int32_t mapWidth, int32_t mapHeight, int32_t windowWidth,
                          int32_t windowHeight);

}  // namespace korvane
