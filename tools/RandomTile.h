#pragma once

#include <cstdint>

#include "shell/MapGlobal.h"
#include "toolkit/Toolkit.h"

namespace korvane {

// A tile picked at random from the palette selection: draws exactly one number from the
// editor's generator (the toolkit's, seeded once at start-up) and returns SelectedTiles(k),
// k = floor(SelectedCount * r) + 1, so every selected tile has the same chance.
// Callers check SelectedCount >= 1 first; with an empty selection the pick is tile 0.
int16_t PickRandomTile(const MapGlobal& g, toolkit::Toolkit& tk);

}  // namespace korvane
