#pragma once

#include <algorithm>
#include <cstdint>

#include "state/MapGlobal.h"
#include "toolkit/Toolkit.h"

namespace korvane {

// Turns a number r in [0, 1) into SelectedTiles(k), k = floor(SelectedCount * r) + 1, so every
// selected tile has the same chance. With an empty selection the tile is 0.
class TilePicker {
 public:
  explicit TilePicker(const MapGlobal& g)
      : tiles_(g.SelectedTiles.data()),
        count_(std::min<int32_t>(g.SelectedCount, kMaxSelectedTiles)),
        countF_(static_cast<float>(count_)) {}

  int16_t operator()(float r) const {
    if (count_ < 1) return 0;
    // The clamps come first, without branches (a flood fill runs this for every cell on numbers
    // that no branch predictor can guess): a number just below 1 stays on the last tile even
    // when count * r rounds up to count, and a generator that strays outside [0, 1), NaN
    // included, still lands inside the selection. Truncating a non-negative number floors it.
    float scaled = countF_ * r;
    scaled = scaled > 0.0f ? scaled : 0.0f;
    scaled = scaled < countF_ ? scaled : countF_;
    const int32_t index = std::min(static_cast<int32_t>(scaled) + 1, count_);
    return tiles_[index];
  }

 private:
  const int16_t* tiles_;
  int32_t count_;
  float countF_;
};

// A tile picked at random from the palette selection: draws exactly one number from the
// editor's generator (the toolkit's, seeded once at start-up) and hands it to TilePicker.
// Callers check SelectedCount >= 1 first; with an empty selection the pick is tile 0.
inline int16_t PickRandomTile(const MapGlobal& g, toolkit::Toolkit& tk) {
  const float r = tk.Random();
  return TilePicker(g)(r);
}

}  // namespace korvane
