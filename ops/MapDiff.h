#pragma once

// What changed between two versions of a map, for people and for scripts (korvane-cli diff).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/CellRect.h"
#include "model/MapDocument.h"
#include "ops/CellRectangles.h"

namespace korvane {

// One overlay cell that differs; `before` 0 means the entry was added, `after` 0 removed.
struct OverlayChange {
  int32_t x = 0;
  int32_t y = 0;
  int16_t before = 0;
  int16_t after = 0;
  friend bool operator==(const OverlayChange&, const OverlayChange&) = default;
};

struct MapDiff {
  int32_t oldWidth = 0, oldHeight = 0, newWidth = 0, newHeight = 0;
  int32_t oldHuman = 0, newHuman = 0, oldComputer = 0, newComputer = 0;
  std::array<uint8_t, 16> oldSignature{}, newSignature{};
  int32_t oldEntries = 0, newEntries = 0;
  // Tile cells that differ where both maps have cells (their common top-left part).
  int64_t changedTiles = 0;
  // Those cells as disjoint rectangles, in order of their top row, then their left column; the
  // first kListedRectangles of them, and how many more there are.
  std::vector<CellRect> rectangles;
  int64_t moreRectangles = 0;
  // Every overlay cell whose value differs, over both maps' cells, in row order.
  std::vector<OverlayChange> overlay;
  // The smallest rectangle holding every changed cell: tile and overlay changes, and the cells
  // that only one of the maps has. Nullopt when nothing changed there.
  std::optional<CellRect> bounds;

  bool Equal() const;
};

// Compares two maps cell by cell. Holds nothing beyond the two maps but one row of open
// rectangles and the changes themselves.
MapDiff CompareMaps(const MapDocument& before, const MapDocument& after);

// Whether cell (x, y) of the area of both maps looks different: it is on one map only, or its
// tile or overlay value differs.
bool CellChanged(const MapDocument& before, const MapDocument& after, int32_t x, int32_t y);

// The report for people: one line per changed header value, the changed tile cells and their
// rectangles, then the overlay changes. Empty for equal maps.
std::string DiffText(const MapDiff& diff);
// The same as one JSON object.
std::string DiffJson(const MapDiff& diff);

}  // namespace korvane
