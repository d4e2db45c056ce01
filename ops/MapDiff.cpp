#include "ops/MapDiff.h"

#include <algorithm>
#include <ostream>

#include "formats/JsonWriter.h"
#include "ops/CellRectangles.h"

namespace korvane {

namespace {

bool OnMap(const MapDocument& map, int32_t x, int32_t y) {
  return x < map.MapWidth && y < map.MapHeight;
}

// Never given an empty rectangle: a map with cells has at least one row and one column.
void Include(std::optional<CellRect>& bounds, const CellRect& r) {
  if (!bounds) {
    bounds = r;
    return;
  }
  const int32_t right = std::max(bounds->left + bounds->width, r.left + r.width);
  const int32_t bottom = std::max(bounds->top + bounds->height, r.top + r.height);
  bounds->left = std::min(bounds->left, r.left);
  bounds->top = std::min(bounds->top, r.top);
  bounds->width = right - bounds->left;
  bounds->height = bottom - bounds->top;
}

std::string Cell(int32_t x, int32_t y) {
  return std::to_string(x) + "," + std::to_string(y);
}

std::string SignatureName(const std::array<uint8_t, 16>& signature) {
  return signature == kStandardMapSignature ? "standard" : "other";
}

}  // namespace

bool MapDiff::Equal() const {
  return oldWidth == newWidth && oldHeight == newHeight && oldHuman == newHuman &&
         oldComputer == newComputer && oldSignature == newSignature && oldEntries == newEntries &&
         changedTiles == 0 && overlay.empty();
}

bool CellChanged(const MapDocument& before, const MapDocument& after, int32_t x, int32_t y) {
  const bool inBefore = OnMap(before, x, y);
  if (inBefore != OnMap(after, x, y)) return true;
  return inBefore && (before.MapTiles.At(x, y) != after.MapTiles.At(x, y) ||
                      before.OverlayData.At(x, y) != after.OverlayData.At(x, y));
}

MapDiff CompareMaps(const MapDocument& before, const MapDocument& after) {
  MapDiff d;
  d.oldWidth = before.MapWidth;
  d.oldHeight = before.MapHeight;
  d.newWidth = after.MapWidth;
  d.newHeight = after.MapHeight;
  d.oldHuman = before.HumanResources;
  d.newHuman = after.HumanResources;
  d.oldComputer = before.ComputerResources;
  d.newComputer = after.ComputerResources;
  d.oldSignature = before.Signature;
  d.newSignature = after.Signature;
  d.oldEntries = before.OverlayEntriesStored;
  d.newEntries = after.OverlayEntriesStored;

  const int32_t commonW = std::min(d.oldWidth, d.newWidth);
  const int32_t commonH = std::min(d.oldHeight, d.newHeight);
  const int32_t allW = std::max(d.oldWidth, d.newWidth);
  const int32_t allH = std::max(d.oldHeight, d.newHeight);
  // The cells only one map has: the strip right of the narrower map and the one below the
  // shorter map, each as wide or tall as the map that has them.
  if (d.oldWidth != d.newWidth)
    Include(d.bounds,
            {commonW, 0, allW - commonW, d.oldWidth > d.newWidth ? d.oldHeight : d.newHeight});
  if (d.oldHeight != d.newHeight)
    Include(d.bounds,
            {0, commonH, d.oldHeight > d.newHeight ? d.oldWidth : d.newWidth, allH - commonH});

  // The overlay cells: both maps' numbered cells merged in row order. A cell that a map lacks
  // holds no object in it.
  const std::vector<OverlayLayer::Entry> was = before.OverlayData.Entries();
  const std::vector<OverlayLayer::Entry> is = after.OverlayData.Entries();
  const auto rowOrder = [](const OverlayLayer::Entry& e) { return std::pair(e.y, e.x); };
  for (size_t i = 0, j = 0; i < was.size() || j < is.size();) {
    const bool inOld = i < was.size() && (j == is.size() || rowOrder(was[i]) <= rowOrder(is[j]));
    const bool inNew = j < is.size() && (i == was.size() || rowOrder(is[j]) <= rowOrder(was[i]));
    const OverlayLayer::Entry& cell = inOld ? was[i] : is[j];
    const int16_t oldValue = inOld ? was[i++].value : int16_t{0};
    const int16_t newValue = inNew ? is[j++].value : int16_t{0};
    if (oldValue == newValue) continue;
    d.overlay.push_back({cell.x, cell.y, oldValue, newValue});
    Include(d.bounds, {cell.x, cell.y, 1, 1});
  }

  RectangleGrouper grouper(d.rectangles, d.moreRectangles);
  std::vector<std::pair<int32_t, int32_t>> runs;
  for (int32_t y = 0; y < commonH; ++y) {
    runs.clear();
    for (int32_t x = 0; x < commonW; ++x) {
      if (before.MapTiles.At(x, y) == after.MapTiles.At(x, y)) continue;
      ++d.changedTiles;
      Include(d.bounds, {x, y, 1, 1});
      AddToRuns(runs, x);
    }
    grouper.Row(y, runs);
  }
  return d;
}

std::string DiffText(const MapDiff& d) {
  std::string t;
  if (d.oldWidth != d.newWidth || d.oldHeight != d.newHeight)
    t += "size: " + std::to_string(d.oldWidth) + " x " + std::to_string(d.oldHeight) + " -> " +
         std::to_string(d.newWidth) + " x " + std::to_string(d.newHeight) +
         " (tiles compared within " + std::to_string(std::min(d.oldWidth, d.newWidth)) + " x " +
         std::to_string(std::min(d.oldHeight, d.newHeight)) + ")\n";
  if (d.oldHuman != d.newHuman)
    t += "human resources: " + std::to_string(d.oldHuman) + " -> " + std::to_string(d.newHuman) +
         "\n";
  if (d.oldComputer != d.newComputer)
    t += "computer resources: " + std::to_string(d.oldComputer) + " -> " +
         std::to_string(d.newComputer) + "\n";
  if (d.oldSignature != d.newSignature)
    t += "signature: " + SignatureName(d.oldSignature) + " -> " + SignatureName(d.newSignature) +
         (SignatureName(d.oldSignature) == SignatureName(d.newSignature) ? " (other bytes)" : "") +
         "\n";
  if (d.oldEntries != d.newEntries)
    t += "overlay entries stored: " + std::to_string(d.oldEntries) + " -> " +
         std::to_string(d.newEntries) + "\n";
  if (d.changedTiles > 0) {
    const int64_t count = static_cast<int64_t>(d.rectangles.size()) + d.moreRectangles;
    t += "tiles: " + std::to_string(d.changedTiles) + (d.changedTiles == 1 ? " cell" : " cells") +
         " changed in " + std::to_string(count) + (count == 1 ? " rectangle" : " rectangles") +
         "\n";
    t += RectangleLines(d.rectangles, d.moreRectangles);
  }
  for (const OverlayChange& c : d.overlay) {
    if (c.before == 0)
      t += "overlay added " + Cell(c.x, c.y) + " = " + std::to_string(c.after) + "\n";
    else if (c.after == 0)
      t += "overlay removed " + Cell(c.x, c.y) + " (was " + std::to_string(c.before) + ")\n";
    else
      t += "overlay changed " + Cell(c.x, c.y) + ": " + std::to_string(c.before) + " -> " +
           std::to_string(c.after) + "\n";
  }
  return t;
}

std::string DiffJson(const MapDiff& d) {
  return JsonText([&](JsonWriter& out) {
    const auto pair = [&out](const char* key, int64_t before, int64_t after) {
      out.Key(key).BeginObject().Key("old").Int(before).Key("new").Int(after).EndObject();
    };
    const auto rect = [&out](const CellRect& r) { WriteCellRect(out, r); };
    out.BeginObject();
    out.Key("equal").Bool(d.Equal());
    pair("width", d.oldWidth, d.newWidth);
    pair("height", d.oldHeight, d.newHeight);
    pair("human_resources", d.oldHuman, d.newHuman);
    pair("computer_resources", d.oldComputer, d.newComputer);
    out.Key("signature").BeginObject();
    out.Key("old").String(SignatureName(d.oldSignature));
    out.Key("new").String(SignatureName(d.newSignature));
    out.Key("same_bytes").Bool(d.oldSignature == d.newSignature);
    out.EndObject();
    pair("overlay_entries", d.oldEntries, d.newEntries);
    out.Key("tiles").BeginObject();
    out.Key("changed_cells").Int(d.changedTiles);
    out.Key("rectangles").BeginArray();
    for (const CellRect& r : d.rectangles) rect(r);
    out.EndArray();
    out.Key("more_rectangles").Int(d.moreRectangles);
    out.EndObject();
    out.Key("overlay").BeginObject();
    for (const char* kind : {"added", "removed", "changed"}) {
      out.Key(kind).BeginArray();
      for (const OverlayChange& c : d.overlay) {
        const char* what = c.before == 0 ? "added" : c.after == 0 ? "removed" : "changed";
        if (std::string_view(what) != kind) continue;
        out.BeginObject().Key("x").Int(c.x).Key("y").Int(c.y);
        if (c.before != 0) out.Key("old").Int(c.before);
        if (c.after != 0) out.Key("new").Int(c.after);
        out.EndObject();
      }
      out.EndArray();
    }
    out.EndObject();
    if (d.bounds) {
      out.Key("bounds");
      rect(*d.bounds);
    }
    out.EndObject();
  });
}

}  // namespace korvane
