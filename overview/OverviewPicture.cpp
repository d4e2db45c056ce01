#include "overview/OverviewPicture.h"

#include <algorithm>

#include "toolkit/Types.h"

namespace korvane {

namespace {

// The display's overlay marker colour and background, as the map painter gives them.
constexpr uint32_t kDotColour = toolkit::PixelOf(toolkit::Rgb(0, 0, 192));
constexpr uint32_t kBackground = toolkit::PixelOf(toolkit::kButtonTextColor);

toolkit::PixelRect Intersect(const toolkit::PixelRect& a, const toolkit::PixelRect& b) {
  const int x0 = std::max(a.x, b.x), x1 = std::min(a.x + a.width, b.x + b.width);
  const int y0 = std::max(a.y, b.y), y1 = std::min(a.y + a.height, b.y + b.height);
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

void Fill(const toolkit::PixelRect& area, const toolkit::PixelRect& r, uint32_t colour,
          const toolkit::PixelRows<uint32_t>& out) {
  const toolkit::PixelRect in = Intersect(area, r);
  for (int y = in.y; y < in.y + in.height; ++y)
    std::fill_n(out.Row(y - area.y) + (in.x - area.x), in.width, colour);
}

// A one-pixel ring just inside `r`.
void Ring(const toolkit::PixelRect& area, const toolkit::PixelRect& r, uint32_t colour,
          const toolkit::PixelRows<uint32_t>& out) {
  if (r.Empty()) return;
  Fill(area, {r.x, r.y, r.width, 1}, colour, out);
  Fill(area, {r.x, r.y + r.height - 1, r.width, 1}, colour, out);
  Fill(area, {r.x, r.y, 1, r.height}, colour, out);
  Fill(area, {r.x + r.width - 1, r.y, 1, r.height}, colour, out);
}

void DrawDot(const OverviewScale& s, const toolkit::PixelRect& area, int32_t x, int32_t y,
             const toolkit::PixelRows<uint32_t>& out) {
  const int32_t middle = s.cellPixels / 2;
  Fill(area, {x * s.cellPixels + middle, y * s.cellPixels + middle, 1, 1}, kDotColour, out);
}

}  // namespace

void DrawOverviewPixels(const OverviewSource& source, const toolkit::PixelRect& area,
                        const toolkit::PixelRows<uint32_t>& out) {
  const MapDocument& map = source.map;
  const OverviewScale& s = source.scale;
  const auto tileCount = static_cast<int64_t>(source.tileColours.size());
  std::vector<int32_t> columns(static_cast<size_t>(std::max(0, area.width)));
  for (int i = 0; i < area.width; ++i) columns[static_cast<size_t>(i)] = s.ColumnCell(area.x + i);
  for (int row = 0; row < area.height; ++row) {
    const int32_t y = s.RowCell(area.y + row);
    uint32_t* line = out.Row(row);
    for (int i = 0; i < area.width; ++i) {
      const int32_t x = columns[static_cast<size_t>(i)];
      const int16_t tile = map.MapTiles.Contains(x, y) ? map.MapTiles.At(x, y) : int16_t{-1};
      line[i] = tile >= 0 && tile < tileCount ? source.tileColours[static_cast<size_t>(tile)]
                                              : kBackground;
    }
  }

  // Dots only where every cell has pixels of its own. A small area looks its cells up; a large
  // one with fewer objects than cells goes through the objects' list instead.
  if (s.cellPixels >= 1 && area.width > 0 && area.height > 0) {
    const int32_t x0 = s.ColumnCell(area.x), x1 = s.ColumnCell(area.x + area.width - 1);
    const int32_t y0 = s.RowCell(area.y), y1 = s.RowCell(area.y + area.height - 1);
    const auto cells = static_cast<uint64_t>(x1 - x0 + 1) * static_cast<uint64_t>(y1 - y0 + 1);
    constexpr uint64_t kFewCells = 4096;
    if (cells > kFewCells && map.OverlayData.Count() < cells) {
      // A dot outside the area is clipped away.
      for (const OverlayLayer::Entry& e : map.OverlayData.Entries())
        if (e.value > 0) DrawDot(s, area, e.x, e.y, out);
    } else {
      for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x)
          if (map.OverlayData.At(x, y) > 0) DrawDot(s, area, x, y, out);
    }
  }

  if (source.frame) {
    const toolkit::PixelRect& f = *source.frame;
    Ring(area, {f.x - 1, f.y - 1, f.width + 2, f.height + 2}, kFrameOutside, out);
    Ring(area, f, kFrameInside, out);
  }
}

std::vector<toolkit::PixelRect> FrameSides(const toolkit::PixelRect& shown,
                                           const OverviewScale& scale) {
  const toolkit::PixelRect picture{0, 0, scale.width, scale.height};
  const int x0 = shown.x - 1, y0 = shown.y - 1;
  const int w = shown.width + 2, h = shown.height + 2;
  std::vector<toolkit::PixelRect> sides;
  for (const toolkit::PixelRect& side :
       {toolkit::PixelRect{x0, y0, w, 2}, toolkit::PixelRect{x0, y0 + h - 2, w, 2},
        toolkit::PixelRect{x0, y0 + 2, 2, h - 4},
        toolkit::PixelRect{x0 + w - 2, y0 + 2, 2, h - 4}}) {
    const toolkit::PixelRect in = Intersect(picture, side);
    if (!in.Empty()) sides.push_back(in);
  }
  return sides;
}

}  // namespace korvane
