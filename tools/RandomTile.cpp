#include "tools/RandomTile.h"

#include <algorithm>
#include <cmath>

namespace korvane {

int16_t PickRandomTile(const MapGlobal& g, toolkit::Toolkit& tk) {
  const float r = tk.Random();
  const int32_t count = std::min<int32_t>(g.SelectedCount, kMaxSelectedTiles);
  if (count < 1) return 0;
  // Flooring before adding 1 keeps a number just below 1 on the last tile (adding 1 first, in
  // single precision, can round up past it); the clamp also keeps a generator that strays
  // outside [0, 1) inside the selection.
  const float k = std::floor(static_cast<float>(count) * r) + 1.0f;
  int32_t index = 1;
  if (k >= static_cast<float>(count))
    index = count;
  else if (k > 1.0f)
    index = static_cast<int32_t>(k);
  return g.SelectedTiles[static_cast<size_t>(index)];
}

}  // namespace korvane
