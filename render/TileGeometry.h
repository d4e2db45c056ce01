#pragma once

#include <cstdint>
#include <optional>

#include "model/TileRule.h"
#include "render/TileSheetSetup.h"
#include "toolkit/Controls.h"

namespace korvane {

// The tile rule of model/TileRule.h in the twips of the screen the sheet was applied on: the
// offset and spacing are whole pixels of PixelTwips each, the tile TileTwips, and the sheet's
// extent its HIMETRIC size in twips. Where a pixel is a whole number of twips this counts and
// places exactly the tiles the rule gives in pixels; on other screens the rounded measures
// decide, as the editor has always drawn there.

// A rectangle in twips.
using TwipsRect = TileRect;

// HIMETRIC (0.01 mm) to twips, as the toolkit's ScaleX/ScaleY convert it: v * 1440 / 2540.
float HimetricToTwips(int32_t himetric);

// The rule's axes in twips for the applied geometry.
TileAxis TwipsAxisX(const TileSheetSetup& g);
TileAxis TwipsAxisY(const TileSheetSetup& g);

// Whole tiles across and down the applied sheet after the offset. A sheet that holds no whole
// tile gives 0; so does a missing sheet or a degenerate geometry.
int32_t SheetColumns(const TileSheetSetup& g);
int32_t SheetRows(const TileSheetSetup& g);

// SheetRows * SheetColumns, in 32 bits.
int32_t SheetTileCount(const TileSheetSetup& g);

// The sheet rectangle of tile t, in the sheet's twips as PaintPicture takes its source.
// sheetColumns must be at least 1.
TwipsRect TileSheetRect(const TileSheetSetup& g, int32_t tile, int32_t sheetColumns);

// The screen measures that CalculateTiles derives from a tile edge, in twips.
struct TwipsGeometry {
  int16_t PixelTwipsX = 0;
  int16_t PixelTwipsY = 0;
  int16_t TileTwipsX = 0;
  int16_t TileTwipsY = 0;
  int16_t TwoPixelsX = 0;
  int16_t TwoPixelsY = 0;
};

// One pixel and a tile of tileSize pixels converted on the surface's screen and rounded half to
// even. nullopt when a value leaves the 16-bit model, or when a pixel or a tile rounds to less
// than one twip (nothing could be laid out with it).
std::optional<TwipsGeometry> MeasureTwipsGeometry(const toolkit::Surface& surface,
                                                  int16_t tileSize);

// Copies the measures into the shared geometry variables.
void StoreTwipsGeometry(TileSheetSetup& g, const TwipsGeometry& m);

// The sheet and its settings as the tile-sheet dialog's "Ok" applies them, measured on `screen`,
// with the tiles the palette will count: nullopt when the editor refuses them (a measure that
// leaves the 16-bit model or rounds to nothing, or a tile rule beyond the 16-bit model). The
// settings must be at least 1 (tile size) and 0 (spacing, offset); `sheet` must not be null.
std::optional<TileSheetSetup> ApplyTileSheet(const toolkit::Surface& screen,
                                             toolkit::PicturePtr sheet, int16_t tileSize,
                                             int16_t spacing, int16_t offset);

// True when a tile rule in twips that cuts columns x rows tiles stays inside the 16-bit model:
// the offset, the pitch and the sheet rectangle of every tile (up to the right and bottom edge of
// the last one) within 32767 twips, and at most 32767 tiles.
bool TileRuleFitsModel(const TileAxis& x, const TileAxis& y, int64_t columns, int64_t rows);

// True when the applied geometry in g keeps the tile rule inside the 16-bit model: the offset,
// the pitch and the sheet rectangle of every tile (up to the right and bottom edge of the last
// one) within 32767 twips, and at most 32767 tiles.
bool SheetGeometryFitsModel(const TileSheetSetup& g);

}  // namespace korvane
