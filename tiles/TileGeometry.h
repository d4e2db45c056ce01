#pragma once

#include <cstdint>

#include "shell/MapGlobal.h"

namespace korvane {

// A rectangle in twips.
struct TwipsRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// HIMETRIC (0.01 mm) to twips, as the toolkit's ScaleX/ScaleY convert it: v * 1440 / 2540.
float HimetricToTwips(int32_t himetric);

// Whole tiles across and down the applied sheet after the offset, by the editor-wide rule
// N(extent - offset - tile) / pitch + 1. A sheet that holds no whole tile gives 0; so does a
// missing sheet or a degenerate geometry.
int32_t SheetColumns(const MapGlobal& g);
int32_t SheetRows(const MapGlobal& g);

// SheetRows * SheetColumns, in 32 bits.
int32_t SheetTileCount(const MapGlobal& g);

// The sheet rectangle of tile t, in the sheet's twips as PaintPicture takes its source.
// sheetColumns must be at least 1.
TwipsRect TileSheetRect(const MapGlobal& g, int32_t tile, int32_t sheetColumns);

}  // namespace korvane
