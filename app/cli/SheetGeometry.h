#pragma once

// The tile sheet as the command-line tool describes it to other tools: measures in pixels, with
// the numbering of tiles worked out by the editor's own tile rule.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace korvane::cli {

// What the user states about a sheet, in pixels, as the "Load Tiles" dialog takes it.
struct SheetSettings {
  int32_t tileSize = 16;
  int32_t spacing = 1;
  int32_t offset = 0;
};

// A sheet picture's size and the tiles the editor cuts from it.
struct SheetLayout {
  int32_t imageWidth = 0;
  int32_t imageHeight = 0;
  SheetSettings settings;
  int32_t columns = 0;
  int32_t rows = 0;
  int32_t tileCount = 0;
};

// Lays the sheet out as the editor would after "Ok" in the tile-sheet dialog, on a screen of 15
// twips per pixel. Returns one sentence instead when the editor would refuse the geometry (it
// leaves the editor's 16-bit model) or when the sheet holds no whole tile.
std::variant<SheetLayout, std::string> LayOutSheet(int32_t imageWidth, int32_t imageHeight,
                                                   const SheetSettings& settings);

// A rectangle of the sheet picture, in pixels.
struct SheetPixelRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Where tile `tile` (0 to tileCount - 1) lies on the sheet picture, by the editor's tile rule.
SheetPixelRect TilePixelRect(const SheetLayout& layout, int32_t tile);

}  // namespace korvane::cli
