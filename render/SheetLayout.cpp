#include "render/SheetLayout.h"

#include "render/TileGeometry.h"

namespace korvane {

namespace {

constexpr int32_t kTwipsPerPixel = 15;

}  // namespace

std::variant<SheetLayout, std::string> LayOutSheet(int32_t imageWidth, int32_t imageHeight,
                                                   const SheetSettings& settings) {
  if (imageWidth < 1 || imageHeight < 1) return std::string("The tile sheet picture is empty.");
  // The dialog's fields are 16-bit; a tile edge beyond 2184 pixels leaves the twips model.
  if (settings.tileSize < 1 || settings.tileSize > 32767 || settings.spacing < 0 ||
      settings.spacing > 32767 || settings.offset < 0 || settings.offset > 32767)
    return std::string("The tile size must be 1 to 32767 and the spacing and offset 0 to 32767.");
  if (int64_t{settings.tileSize} * kTwipsPerPixel > 32767)
    return "A tile of " + std::to_string(settings.tileSize) +
           " pixels is larger than the editor can draw (at most 2184).";

  const SheetLayout layout = LayOutSheetPixels(imageWidth, imageHeight, settings);
  if (layout.columns < 1 || layout.rows < 1)
    return "The " + std::to_string(imageWidth) + " x " + std::to_string(imageHeight) +
           " pixel tile sheet holds no whole tile of " + std::to_string(settings.tileSize) +
           " pixels after an offset of " + std::to_string(settings.offset) + ".";
  // The same tiles in the editor's twips: whole pixels of 15 twips give exactly these columns
  // and rows, and the editor keeps every tile's place within its 16-bit model.
  const TileAxis pixels = PixelAxis(settings);
  const TileAxis twips{pixels.offset * kTwipsPerPixel, pixels.tile * kTwipsPerPixel,
                       pixels.pitch * kTwipsPerPixel};
  if (!TileRuleFitsModel(twips, twips, layout.columns, layout.rows))
    return "The tile sheet geometry is too large for the editor: at most 32767 tiles, each "
           "within 2184 pixels of the sheet's top-left corner.";
  return layout;
}

}  // namespace korvane
