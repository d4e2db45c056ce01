#include "render/DiffPicture.h"

#include <algorithm>

#include "ops/MapDiff.h"

namespace korvane {

namespace {

void Fill(const toolkit::PixelRows<uint32_t>& image, const toolkit::PixelRect& r, uint32_t colour) {
  for (int y = r.y; y < r.y + r.height; ++y) std::fill_n(image.Row(y) + r.x, r.width, colour);
}

// Two rings inside the cell's rectangle, as far as the cell is large enough for them.
void Outline(const toolkit::PixelRows<uint32_t>& image, toolkit::PixelRect ring) {
  for (const uint32_t colour : {kChangeOuter, kChangeInner}) {
    if (ring.width < 1 || ring.height < 1) return;
    Fill(image, {ring.x, ring.y, ring.width, 1}, colour);
    Fill(image, {ring.x, ring.y + ring.height - 1, ring.width, 1}, colour);
    Fill(image, {ring.x, ring.y, 1, ring.height}, colour);
    Fill(image, {ring.x + ring.width - 1, ring.y, 1, ring.height}, colour);
    ring = {ring.x + 1, ring.y + 1, ring.width - 2, ring.height - 2};
  }
}

// One side: the region of `map` drawn, then marked, then copied into the picture at `left`.
std::optional<std::string> DrawSide(const MapPicture& side, toolkit::ImageSurface& sideSurface,
                                    const MapDocument& map, const MapDocument& before,
                                    const MapDocument& after, const CellRect& region,
                                    const PictureLimits& limits, const ProgressFn& progress,
                                    const toolkit::PixelRows<uint32_t>& picture, int32_t left) {
  if (auto problem = side.Draw(map, region, limits, "render", progress)) return problem;
  const toolkit::PixelRows<uint32_t> image = sideSurface.Pixels();
  const int32_t pitchX = side.PitchX();
  const int32_t pitchY = side.PitchY();
  for (int32_t y = 0; y < region.height; ++y)
    for (int32_t x = 0; x < region.width; ++x) {
      const int32_t mx = region.left + x;
      const int32_t my = region.top + y;
      const toolkit::PixelRect cell{x * pitchX, y * pitchY, pitchX, pitchY};
      if (mx >= map.MapWidth || my >= map.MapHeight) Fill(image, cell, kMissingCell);
      if (CellChanged(before, after, mx, my)) Outline(image, cell);
    }
  const toolkit::PixelRows<const uint32_t> drawn{image.bits, image.width, image.height,
                                                 image.stride};
  toolkit::CopyPlainOrDoubled(picture, {left, 0, image.width, image.height}, drawn,
                              {0, 0, image.width, image.height});
  return std::nullopt;
}

}  // namespace

std::variant<std::unique_ptr<toolkit::ImageSurface>, std::string> DrawDiffPicture(
    toolkit::Imaging& imaging, const MapDocument& before, const MapDocument& after,
    const CellRect& region, const MapPictureStyle& style, const PictureLimits& limits,
    const ProgressFn& progress) {
  // Refused before any drawing when the tiles alone, at their size on the sheet, are too many
  // pixels (the editor's pitch can only add to that).
  const int64_t tile = int64_t{style.zoom} * style.settings.tileSize;
  if (auto problem = PictureSizeProblem(2 * region.width * tile + kDiffGap, region.height * tile,
                                        limits, "diff"))
    return *problem;
  const auto sideSurface = imaging.CreateImageSurface();
  auto prepared = MapPicture::Prepare(*sideSurface, style);
  if (auto* refusal = std::get_if<std::string>(&prepared)) return std::move(*refusal);
  const MapPicture& side = std::get<MapPicture>(prepared);
  const int64_t sideWidth = int64_t{region.width} * side.PitchX();
  const int64_t height = int64_t{region.height} * side.PitchY();
  if (auto problem = PictureSizeProblem(sideWidth, height, limits, "render")) return *problem;
  const int64_t width = 2 * sideWidth + kDiffGap;
  if (auto problem = PictureSizeProblem(width, height, limits, "diff")) return *problem;

  auto picture = imaging.CreateImageSurface();
  if (!picture->Resize(static_cast<int32_t>(width), static_cast<int32_t>(height)))
    return std::string("There is not enough memory for the picture.");
  const toolkit::PixelRows<uint32_t> pixels = picture->Pixels();
  Fill(pixels, {0, 0, pixels.width, pixels.height}, kDiffGapColour);
  // Each side is half of the work.
  const auto half = [&progress](int64_t offset) -> ProgressFn {
    if (!progress) return nullptr;
    return [&progress, offset](int64_t done, int64_t total) {
      progress(offset * total + done, 2 * total);
    };
  };
  for (const auto& [map, left, part] : {std::tuple{&before, int32_t{0}, 0},
                                        {&after, static_cast<int32_t>(sideWidth) + kDiffGap, 1}})
    if (auto problem = DrawSide(side, *sideSurface, *map, before, after, region, limits, half(part),
                                pixels, left))
      return *problem;
  return picture;
}

}  // namespace korvane
