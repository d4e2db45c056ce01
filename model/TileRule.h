#pragma once

// The tile rule: how a sheet picture is cut into numbered tiles. Along each axis the tiles are
// `tile` units long and `pitch` units apart, the first one `offset` units from the sheet's
// top-left corner; they are numbered row by row from 0. The rule is the same in any unit:
// korvane-cli applies it to the sheet's pixels, the editor to its screen's twips
// (render/TileGeometry.h), which at a whole number of twips per pixel are the pixels scaled.

#include <cstdint>

namespace korvane {

// One axis of the rule, in one unit.
struct TileAxis {
  int32_t offset = 0;
  int32_t tile = 0;
  int32_t pitch = 0;
};

// A rectangle of a sheet, in the unit of the axes it was worked out with.
struct TileRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const TileRect&, const TileRect&) = default;
};

// Whole tiles along an axis of a sheet `extent` units long: N(extent - offset - tile) / pitch + 1.
// The division truncates toward zero, so a sheet that falls short of one tile by less than a
// pitch still counts one; anything shorter counts 0, and so does a tile or pitch below 1.
int32_t WholeTilesAlong(double extent, const TileAxis& axis);

// Where tile `tile` (0 or more) lies on a sheet `columns` tiles wide (at least 1).
TileRect TileRectOn(int32_t tile, int32_t columns, const TileAxis& across, const TileAxis& down);

// What a designer states about a sheet, in pixels, as the "Load Tiles" dialog takes it.
struct SheetSettings {
  int32_t tileSize = 16;
  int32_t spacing = 1;
  int32_t offset = 0;
};

// The rule's axis in pixels for these settings (the same across and down).
TileAxis PixelAxis(const SheetSettings& settings);

// A sheet picture's size and the tiles the rule cuts from it.
struct SheetLayout {
  int32_t imageWidth = 0;
  int32_t imageHeight = 0;
  SheetSettings settings;
  int32_t columns = 0;
  int32_t rows = 0;
  // columns * rows, at most INT32_MAX.
  int32_t tileCount = 0;
};

// The layout of a sheet of imageWidth x imageHeight pixels.
SheetLayout LayOutSheetPixels(int32_t imageWidth, int32_t imageHeight,
                              const SheetSettings& settings);

// Where tile `tile` (0 to tileCount - 1) lies on the sheet picture, in pixels.
TileRect TilePixelRect(const SheetLayout& layout, int32_t tile);

}  // namespace korvane
