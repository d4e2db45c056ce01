#include "app/cli/SheetGeometry.h"

#include <cmath>
#include <memory>

#include "render/TileGeometry.h"

namespace korvane::cli {

namespace {

constexpr int32_t kTwipsPerPixel = 15;

// A picture that only knows its size, reported in HIMETRIC as the picture loader does.
class SizedPicture : public toolkit::Picture {
 public:
  SizedPicture(int32_t width, int32_t height)
      : width_(ToHimetric(width)), height_(ToHimetric(height)) {}
  int32_t WidthHimetric() const override { return width_; }
  int32_t HeightHimetric() const override { return height_; }

 private:
  static int32_t ToHimetric(int32_t pixels) {
    return static_cast<int32_t>(
        std::lround(static_cast<double>(pixels) * kTwipsPerPixel * 2540.0 / 1440.0));
  }
  int32_t width_;
  int32_t height_;
};

// The editor's shared geometry after "Ok" in the tile-sheet dialog, for settings already checked
// to fit its 16-bit model.
TileSheetSetup SheetGlobal(int32_t imageWidth, int32_t imageHeight, const SheetSettings& settings) {
  TileSheetSetup g;
  g.TileSize = static_cast<int16_t>(settings.tileSize);
  g.TileSpacing = static_cast<int16_t>(settings.spacing);
  g.TileOffset = static_cast<int16_t>(settings.offset);
  g.PixelTwipsX = g.PixelTwipsY = kTwipsPerPixel;
  g.TwoPixelsX = g.TwoPixelsY = 2 * kTwipsPerPixel;
  g.TileTwipsX = g.TileTwipsY = static_cast<int16_t>(settings.tileSize * kTwipsPerPixel);
  g.TileSheet = std::make_shared<SizedPicture>(imageWidth, imageHeight);
  return g;
}

}  // namespace

std::variant<SheetLayout, std::string> LayOutSheet(int32_t imageWidth, int32_t imageHeight,
                                                   const SheetSettings& settings) {
  if (imageWidth < 1 || imageHeight < 1) return std::string("The tile sheet picture is empty.");
  // The dialog's fields are 16-bit; a tile edge beyond 2184 pixels leaves the twips model.
  if (settings.tileSize < 1 || settings.tileSize > 32767 || settings.spacing < 0 ||
      settings.spacing > 32767 || settings.offset < 0 || settings.offset > 32767)
    return std::string("The tile size must be 1 to 32767 and the spacing and offset 0 to 32767.");
  const int64_t tileTwips = int64_t{settings.tileSize} * kTwipsPerPixel;
  if (tileTwips > 32767)
    return "A tile of " + std::to_string(settings.tileSize) +
           " pixels is larger than the editor can draw (at most 2184).";

  const TileSheetSetup g = SheetGlobal(imageWidth, imageHeight, settings);
  SheetLayout layout{imageWidth, imageHeight, settings, SheetColumns(g), SheetRows(g), 0};
  if (layout.columns < 1 || layout.rows < 1)
    return "The " + std::to_string(imageWidth) + " x " + std::to_string(imageHeight) +
           " pixel tile sheet holds no whole tile of " + std::to_string(settings.tileSize) +
           " pixels after an offset of " + std::to_string(settings.offset) + ".";
  if (!SheetGeometryFitsModel(g))
    return "The tile sheet geometry is too large for the editor: at most 32767 tiles, each "
           "within 2184 pixels of the sheet's top-left corner.";
  layout.tileCount = SheetTileCount(g);
  return layout;
}

SheetPixelRect TilePixelRect(const SheetLayout& layout, int32_t tile) {
  const TileSheetSetup g = SheetGlobal(layout.imageWidth, layout.imageHeight, layout.settings);
  const TwipsRect r = TileSheetRect(g, tile, layout.columns);
  return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel,
          r.height / kTwipsPerPixel};
}

}  // namespace korvane::cli
