#pragma once

// The symmetries a map for two sides can have, and which cells must hold the same values under
// each: the one rule that painting in the editor, korvane-cli's check and mirror, and info's
// list all follow.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvane {

enum class Symmetry : int16_t { Off, LeftRight, TopBottom, FourWay, HalfTurn };

// The four symmetries a map can satisfy, in the order they are listed.
inline constexpr std::array<Symmetry, 4> kSymmetries = {Symmetry::LeftRight, Symmetry::TopBottom,
                                                        Symmetry::FourWay, Symmetry::HalfTurn};

// "left-right", "top-bottom", "four-way", "half-turn" ("off" for Off).
std::string_view SymmetryName(Symmetry mode);
std::optional<Symmetry> SymmetryNamed(std::string_view name);

struct CellXY {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const CellXY&, const CellXY&) = default;
};

// Cell (x, y) and its images on a width x height map, each cell once, (x, y) first: left-right
// adds (W-1-x, y), top-bottom (x, H-1-y), four-way both and (W-1-x, H-1-y), a half turn
// (W-1-x, H-1-y). A cell on an axis is its own image and is not repeated. Off gives the cell alone.
struct CellImages {
  std::array<CellXY, 4> cells{};
  int32_t count = 0;
  const CellXY* begin() const { return cells.data(); }
  const CellXY* end() const { return cells.data() + count; }
};
CellImages ImagesOf(Symmetry mode, int32_t width, int32_t height, int32_t x, int32_t y);

// Whether the symmetry turns the map around a vertical line (it has an axis between the left
// and right halves) and around a horizontal one. A half turn has both lines through its centre.
bool HasVerticalAxis(Symmetry mode);
bool HasHorizontalAxis(Symmetry mode);

// The part of the map that `mirror` keeps and copies onto the rest.
enum class KeptPart : int16_t {
  Left,
  Right,
  Top,
  Bottom,
  TopLeft,
  TopRight,
  BottomLeft,
  BottomRight
};

std::optional<KeptPart> KeptPartNamed(std::string_view name);
// Whether the part is one the symmetry can keep: a half for left-right (left, right), top-bottom
// (top, bottom) and a half turn (any of the four), a quarter for four-way.
bool KeepFits(Symmetry mode, KeptPart keep);

// The kept cell whose value cell (x, y) takes when the map is made symmetric from the kept part:
// (x, y) itself for a kept cell and for a cell on an axis. Under a half turn on an odd size the
// middle column (or row) is turned onto itself too: of each pair of its cells, the one met first
// when reading from the kept side is kept (keeping the left half keeps the middle column's top).
CellXY KeptSource(Symmetry mode, KeptPart keep, int32_t width, int32_t height, int32_t x,
                  int32_t y);

}  // namespace korvane
