#include "render/MapPicture.h"

#include <algorithm>
#include <cmath>

#include "ops/Overview.h"
#include "render/TileGeometry.h"

namespace korvane {

std::optional<std::string> PictureSizeProblem(int64_t width, int64_t height,
                                              const PictureLimits& limits, const char* command) {
  if (width <= limits.maxSide && height <= limits.maxSide && width * height * 4 <= limits.maxBytes)
    return std::nullopt;
  return "The image would be " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels; " + command + " writes at most " + std::to_string(limits.maxSide) +
         " pixels on a side and " + std::to_string(limits.maxBytes >> 20) + " MiB of pixels.";
}

namespace {

// One cell's pitch in whole pixels; 0 when the screen's twips do not divide into whole pixels,
// where cells could not be placed without seams.
int32_t WholePixels(int32_t twips, float twipsPerPixel) {
  const double pixels = twips / static_cast<double>(twipsPerPixel);
  const double whole = std::round(pixels);
  return std::fabs(pixels - whole) < 1e-3 ? static_cast<int32_t>(whole) : 0;
}

}  // namespace

MapPicture::MapPicture(toolkit::ImageSurface& surface, const TileSheetSetup& sheet,
                       const MapPictureStyle& s)
    : surface_(&surface),
      sheet_(std::make_shared<const TileSheetSetup>(sheet)),
      zoom_(s.zoom),
      grid_(s.grid),
      overlay_(s.overlay) {}

std::variant<MapPicture, std::string> MapPicture::Prepare(toolkit::ImageSurface& surface,
                                                          const MapPictureStyle& style) {
  const auto& s = style.settings;
  const auto sheet =
      ApplyTileSheet(surface, style.sheet, static_cast<int16_t>(s.tileSize),
                     static_cast<int16_t>(s.spacing), static_cast<int16_t>(s.offset));
  if (!sheet) return std::string("The editor refuses this tile sheet geometry on this screen.");
  if (sheet->TileCount < 1) return std::string("The tile sheet holds no whole tile.");
  MapPicture picture(surface, *sheet, style);
  const MapPaintSetup setup{*picture.sheet_, picture.zoom_, picture.grid_, picture.overlay_};
  using toolkit::ScaleUnit;
  picture.pitchX_ =
      WholePixels(CellPitchX(setup), surface.ScaleX(1, ScaleUnit::Pixels, ScaleUnit::Twips));
  picture.pitchY_ =
      WholePixels(CellPitchY(setup), surface.ScaleY(1, ScaleUnit::Pixels, ScaleUnit::Twips));
  if (picture.pitchX_ < 1 || picture.pitchY_ < 1)
    return std::string("The screen's resolution does not give whole pixels per map cell.");
  SetMapDisplayColours(surface);
  return picture;
}

std::optional<std::string> MapPicture::Draw(const MapDocument& map, const CellRect& cells,
                                            const PictureLimits& limits, const char* command,
                                            const ProgressFn& progress) const {
  const int64_t width = int64_t{cells.width} * pitchX_;
  const int64_t height = int64_t{cells.height} * pitchY_;
  if (auto problem = PictureSizeProblem(width, height, limits, command)) return problem;
  if (!surface_->Resize(static_cast<int32_t>(width), static_cast<int32_t>(height)))
    return std::string("There is not enough memory for the image.");
  // The cells go in row by row, as the display draws them, so that an overlay number wider than
  // its tile is overdrawn by the neighbours drawn after it exactly as there.
  const MapPaintSetup setup{*sheet_, zoom_, grid_ ? int16_t{1} : int16_t{0}, overlay_};
  const int32_t rowsPerStrip = std::max(1, limits.stripPixels / pitchY_);
  const int64_t strips = (cells.height + rowsPerStrip - 1) / rowsPerStrip;
  for (int32_t row = 0, strip = 0; row < cells.height; row += rowsPerStrip) {
    const int32_t rows = std::min(rowsPerStrip, cells.height - row);
    PaintMapCells(*surface_, setup, map, CellRect{cells.left, cells.top + row, cells.width, rows},
                  ScreenCell{0, row});
    if (progress) progress(++strip, strips);
  }
  return std::nullopt;
}

std::variant<std::unique_ptr<toolkit::ImageSurface>, std::string> DrawOverviewPicture(
    toolkit::Imaging& imaging, const MapDocument& map, const toolkit::Picture& sheet,
    const SheetLayout& layout, int32_t cellPixels, const PictureLimits& limits,
    const ProgressFn& progress) {
  const int64_t width = int64_t{map.MapWidth} * cellPixels;
  const int64_t height = int64_t{map.MapHeight} * cellPixels;
  if (auto problem = PictureSizeProblem(width, height, limits, "render")) return *problem;
  const std::vector<uint32_t> colours = AverageTileColours(imaging.PicturePixels(sheet), layout);
  auto surface = imaging.CreateImageSurface();
  if (!surface->Resize(static_cast<int32_t>(width), static_cast<int32_t>(height)))
    return std::string("There is not enough memory for the image.");
  DrawOverview(map, colours, cellPixels, surface->Pixels(), progress);
  return surface;
}

}  // namespace korvane
