#include "model/Symmetry.h"

#include <algorithm>

namespace korvane {

namespace {

struct Named {
  std::string_view name;
  Symmetry mode;
};
constexpr std::array<Named, 5> kNames = {{{"off", Symmetry::Off},
                                          {"left-right", Symmetry::LeftRight},
                                          {"top-bottom", Symmetry::TopBottom},
                                          {"four-way", Symmetry::FourWay},
                                          {"half-turn", Symmetry::HalfTurn}}};

struct NamedPart {
  std::string_view name;
  KeptPart part;
};
constexpr std::array<NamedPart, 8> kParts = {{{"left", KeptPart::Left},
                                              {"right", KeptPart::Right},
                                              {"top", KeptPart::Top},
                                              {"bottom", KeptPart::Bottom},
                                              {"top-left", KeptPart::TopLeft},
                                              {"top-right", KeptPart::TopRight},
                                              {"bottom-left", KeptPart::BottomLeft},
                                              {"bottom-right", KeptPart::BottomRight}}};

bool KeepsLeft(KeptPart k) {
  return k == KeptPart::Left || k == KeptPart::TopLeft || k == KeptPart::BottomLeft;
}
bool KeepsTop(KeptPart k) {
  return k == KeptPart::Top || k == KeptPart::TopLeft || k == KeptPart::TopRight;
}

// Of a cell at position i along a line of n cells and its image n-1-i, the one kept: the first
// when the kept side is the start of the line, else the last.
int64_t KeptAlong(int64_t i, int64_t n, bool keepStart) {
  return keepStart ? std::min(i, n - 1 - i) : std::max(i, n - 1 - i);
}

}  // namespace

std::string_view SymmetryName(Symmetry mode) {
  for (const Named& n : kNames)
    if (n.mode == mode) return n.name;
  return "off";
}

std::optional<Symmetry> SymmetryNamed(std::string_view name) {
  for (const Named& n : kNames)
    if (n.name == name && n.mode != Symmetry::Off) return n.mode;
  return std::nullopt;
}

bool HasVerticalAxis(Symmetry mode) {
  return mode == Symmetry::LeftRight || mode == Symmetry::FourWay || mode == Symmetry::HalfTurn;
}

bool HasHorizontalAxis(Symmetry mode) {
  return mode == Symmetry::TopBottom || mode == Symmetry::FourWay || mode == Symmetry::HalfTurn;
}

CellImages ImagesOf(Symmetry mode, int32_t width, int32_t height, int32_t x, int32_t y) {
  CellImages images;
  const auto add = [&images](int32_t ix, int32_t iy) {
    const CellXY cell{ix, iy};
    if (std::find(images.begin(), images.end(), cell) == images.end())
      images.cells[static_cast<size_t>(images.count++)] = cell;
  };
  const int32_t mx = width - 1 - x;
  const int32_t my = height - 1 - y;
  add(x, y);
  if (mode == Symmetry::LeftRight || mode == Symmetry::FourWay) add(mx, y);
  if (mode == Symmetry::TopBottom || mode == Symmetry::FourWay) add(x, my);
  if (mode == Symmetry::FourWay || mode == Symmetry::HalfTurn) add(mx, my);
  return images;
}

std::optional<KeptPart> KeptPartNamed(std::string_view name) {
  for (const NamedPart& p : kParts)
    if (p.name == name) return p.part;
  return std::nullopt;
}

bool KeepFits(Symmetry mode, KeptPart keep) {
  const bool half = keep == KeptPart::Left || keep == KeptPart::Right || keep == KeptPart::Top ||
                    keep == KeptPart::Bottom;
  switch (mode) {
    case Symmetry::LeftRight:
      return keep == KeptPart::Left || keep == KeptPart::Right;
    case Symmetry::TopBottom:
      return keep == KeptPart::Top || keep == KeptPart::Bottom;
    case Symmetry::FourWay:
      return !half;
    case Symmetry::HalfTurn:
      return half;
    case Symmetry::Off:
      break;
  }
  return false;
}

CellXY KeptSource(Symmetry mode, KeptPart keep, int32_t width, int32_t height, int32_t x,
                  int32_t y) {
  const int64_t w = width;
  const int64_t h = height;
  switch (mode) {
    case Symmetry::LeftRight:
      return {static_cast<int32_t>(KeptAlong(x, w, KeepsLeft(keep))), y};
    case Symmetry::TopBottom:
      return {x, static_cast<int32_t>(KeptAlong(y, h, KeepsTop(keep)))};
    case Symmetry::FourWay:
      return {static_cast<int32_t>(KeptAlong(x, w, KeepsLeft(keep))),
              static_cast<int32_t>(KeptAlong(y, h, KeepsTop(keep)))};
    case Symmetry::HalfTurn: {
      // A half turn pairs the cell numbered i in reading order with the one numbered n-1-i:
      // row by row when the top or bottom half is kept, column by column for left or right.
      const bool byRows = keep == KeptPart::Top || keep == KeptPart::Bottom;
      const int64_t i = byRows ? y * w + x : x * h + y;
      const int64_t kept = KeptAlong(i, w * h, keep == KeptPart::Top || keep == KeptPart::Left);
      if (byRows) return {static_cast<int32_t>(kept % w), static_cast<int32_t>(kept / w)};
      return {static_cast<int32_t>(kept / h), static_cast<int32_t>(kept % h)};
    }
    case Symmetry::Off:
      break;
  }
  return {x, y};
}

}  // namespace korvane
