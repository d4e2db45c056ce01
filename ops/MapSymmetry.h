#pragma once

// Whether a map is symmetric, where it is not, and making it so (korvane-cli check --symmetry,
// mirror and info).

#include <cstdint>
#include <string>
#include <vector>

#include "model/CellRect.h"
#include "model/MapDocument.h"
#include "model/Symmetry.h"

namespace korvane {

struct SymmetryCheck {
  Symmetry mode = Symmetry::LeftRight;
  // Cells whose tile or overlay value differs from that of one of their images.
  int64_t differingCells = 0;
  // Those cells as rectangles, as diff lists changed cells.
  std::vector<CellRect> rectangles;
  int64_t moreRectangles = 0;
  bool Symmetric() const { return differingCells == 0; }
};

SymmetryCheck CheckSymmetry(const MapDocument& map, Symmetry mode);
// The same answer as CheckSymmetry(...).Symmetric(), stopping at the first row that differs.
bool IsSymmetric(const MapDocument& map, Symmetry mode);
// The four symmetries the map satisfies, in the order of kSymmetries.
std::vector<Symmetry> SymmetriesOf(const MapDocument& map);

// "ok", or the count of differing cells and their rectangles.
std::string SymmetryCheckText(const SymmetryCheck& check);
std::string SymmetryCheckJson(const SymmetryCheck& check);

// Copies the kept part of the map (tiles and overlay values) onto the rest, so that the map
// satisfies `mode` (KeepFits(mode, keep) must hold). False, with the map unchanged, when memory
// runs out.
bool MirrorMap(MapDocument& map, Symmetry mode, KeptPart keep);

}  // namespace korvane
