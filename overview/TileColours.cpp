#include "overview/TileColours.h"

#include <algorithm>

#include "model/TileRule.h"
#include "ops/Overview.h"

namespace korvane {

bool TileColours::Update(toolkit::Toolkit& tk, const TileSheetSetup& sheet) {
  const int16_t size = sheet.TileSheet ? sheet.TileSize : int16_t{0};
  if (sheet.TileSheet == picture_ && size == tileSize_ && sheet.TileSpacing == spacing_ &&
      sheet.TileOffset == offset_ && sheet.TileCount == count_)
    return false;
  picture_ = sheet.TileSheet;
  tileSize_ = size;
  spacing_ = sheet.TileSpacing;
  offset_ = sheet.TileOffset;
  count_ = sheet.TileCount;
  colours_.clear();
  if (!picture_ || size < 1) return true;
  const toolkit::PixelRows<const uint32_t> pixels = tk.PicturePixels(*picture_);
  if (!pixels.bits) return true;
  const SheetLayout layout =
      LayOutSheetPixels(pixels.width, pixels.height, SheetSettings{size, spacing_, offset_});
  colours_ = AverageTileColours(pixels, layout);
  colours_.resize(
      std::min<size_t>(colours_.size(), static_cast<size_t>(std::max<int16_t>(0, count_))));
  return true;
}

}  // namespace korvane
