#include "ops/MapSymmetry.h"

#include <algorithm>
#include <functional>
#include <new>
#include <utility>

#include "formats/JsonWriter.h"
#include "ops/CellRectangles.h"

namespace korvane {

namespace {

using Runs = std::vector<std::pair<int32_t, int32_t>>;

// The overlay cells that differ from one of their images, in row order (y, x). Only numbered
// cells can differ, and each such pair is found from its numbered side.
std::vector<std::pair<int32_t, int32_t>> DifferingOverlayCells(const MapDocument& map,
                                                               Symmetry mode) {
  const OverlayLayer& overlay = map.OverlayData;
  std::vector<std::pair<int32_t, int32_t>> marked;
  for (const OverlayLayer::Entry& e : overlay.Entries())
    for (const CellXY& image : ImagesOf(mode, overlay.Width(), overlay.Height(), e.x, e.y))
      if (overlay.At(image.x, image.y) != e.value) {
        marked.emplace_back(e.y, e.x);
        marked.emplace_back(image.y, image.x);
      }
  std::sort(marked.begin(), marked.end());
  marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
  return marked;
}

// Hands each row's runs of differing cells, top to bottom, to `row` (with the row's count of
// them) until it returns false.
void ScanDifferingRows(const MapDocument& map, Symmetry mode,
                       const std::function<bool(int32_t y, const Runs&, int64_t)>& row) {
  const Grid16& tiles = map.MapTiles.Tiles();
  const int32_t w = tiles.Width();
  const int32_t h = tiles.Height();
  const bool across = mode == Symmetry::LeftRight || mode == Symmetry::FourWay;
  const bool down = mode == Symmetry::TopBottom || mode == Symmetry::FourWay;
  const bool turned = mode == Symmetry::FourWay || mode == Symmetry::HalfTurn;
  const auto overlay = DifferingOverlayCells(map, mode);
  auto next = overlay.begin();
  Runs runs;
  for (int32_t y = 0; y < h; ++y) {
    const int16_t* here = tiles.Cells().data() + tiles.Index(0, y);
    const int16_t* mirrored = tiles.Cells().data() + tiles.Index(0, h - 1 - y);
    runs.clear();
    int64_t count = 0;
    for (int32_t x = 0; x < w; ++x) {
      const int16_t v = here[x];
      const int32_t mx = w - 1 - x;
      bool differs =
          (across && here[mx] != v) || (down && mirrored[x] != v) || (turned && mirrored[mx] != v);
      if (next != overlay.end() && next->first == y && next->second == x) {
        differs = true;
        ++next;
      }
      if (!differs) continue;
      ++count;
      AddToRuns(runs, x);
    }
    if (!row(y, runs, count)) return;
  }
}

}  // namespace

SymmetryCheck CheckSymmetry(const MapDocument& map, Symmetry mode) {
  SymmetryCheck check;
  check.mode = mode;
  RectangleGrouper grouper(check.rectangles, check.moreRectangles);
  ScanDifferingRows(map, mode, [&](int32_t y, const Runs& runs, int64_t count) {
    check.differingCells += count;
    grouper.Row(y, runs);
    return true;
  });
  return check;
}

bool IsSymmetric(const MapDocument& map, Symmetry mode) {
  bool symmetric = true;
  ScanDifferingRows(map, mode, [&](int32_t, const Runs&, int64_t count) {
    symmetric = count == 0;
    return symmetric;
  });
  return symmetric;
}

std::vector<Symmetry> SymmetriesOf(const MapDocument& map) {
  std::vector<Symmetry> found;
  for (const Symmetry mode : kSymmetries)
    if (IsSymmetric(map, mode)) found.push_back(mode);
  return found;
}

std::string SymmetryCheckText(const SymmetryCheck& check) {
  if (check.Symmetric()) return "ok\n";
  const int64_t count = static_cast<int64_t>(check.rectangles.size()) + check.moreRectangles;
  return std::string(SymmetryName(check.mode)) + ": " + std::to_string(check.differingCells) +
         (check.differingCells == 1 ? " cell differs" : " cells differ") +
         " from their images, in " + std::to_string(count) +
         (count == 1 ? " rectangle" : " rectangles") + "\n" +
         RectangleLines(check.rectangles, check.moreRectangles);
}

std::string SymmetryCheckJson(const SymmetryCheck& check) {
  return JsonText([&](JsonWriter& out) {
    out.BeginObject();
    out.Key("symmetry").String(SymmetryName(check.mode));
    out.Key("symmetric").Bool(check.Symmetric());
    out.Key("differing_cells").Int(check.differingCells);
    out.Key("rectangles").BeginArray();
    for (const CellRect& r : check.rectangles) WriteCellRect(out, r);
    out.EndArray();
    out.Key("more_rectangles").Int(check.moreRectangles);
    out.EndObject();
  });
}

bool MirrorMap(MapDocument& map, Symmetry mode, KeptPart keep) {
  const Grid16& old = map.MapTiles.Tiles();
  std::optional<Grid16> tiles = Grid16::TryCopy(old);
  std::optional<OverlayLayer> overlay =
      OverlayLayer::TryCreate(map.OverlayData.Width(), map.OverlayData.Height());
  if (!old.Empty() && !tiles) return false;
  const int32_t w = old.Width();
  const int32_t h = old.Height();
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const CellXY from = KeptSource(mode, keep, w, h, x, y);
      if (from != CellXY{x, y}) tiles->Set(x, y, old.At(from.x, from.y));
    }
  // Every cell takes the value of its kept image, so each kept object goes to all its images.
  if (overlay) {
    const int32_t ow = overlay->Width();
    const int32_t oh = overlay->Height();
    try {
      for (const OverlayLayer::Entry& e : map.OverlayData.Entries())
        if (KeptSource(mode, keep, ow, oh, e.x, e.y) == CellXY{e.x, e.y})
          for (const CellXY& image : ImagesOf(mode, ow, oh, e.x, e.y))
            overlay->Set(image.x, image.y, e.value);
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
  if (tiles) map.MapTiles = TileLayer(std::move(*tiles));
  if (overlay) {
    map.OverlayData = std::move(*overlay);
    map.OverlayEntriesStored =
        static_cast<int16_t>(std::min<size_t>(map.OverlayData.Count(), 32767));
  }
  return true;
}

}  // namespace korvane
