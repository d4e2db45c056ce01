#pragma once

// How large a Tiled JSON map text can honestly be: a bound on the bytes of a .tmj for a map of a
// given size. Memory no longer depends on the text's length (the importer streams it), so the
// bound is a sanity limit on the time a hostile file may take.

#include <cstdint>
#include <optional>
#include <utility>

#include "formats/JsonFileStream.h"

namespace korvane {

// The most bytes a .tmj of a w x h map may take: 32 bytes a cell (a tile id of up to ten digits
// with its separator, even one to a line with deep indentation), 4 KiB for each object a map
// that size can hold (one per cell, at most 32767), and 16 MiB for everything else.
uint64_t MaxTmjBytes(int64_t width, int64_t height);

// The same for the largest map Korvane holds, 32767 x 32767 cells.
uint64_t LargestTmjBytes();

// The top-level "width" and "height" of a JSON text, found in one pass that keeps nothing of the
// text; nullopt when the text is no object, or either is missing or not written as a plain
// whole number from 1 to 32767.
std::optional<std::pair<int32_t, int32_t>> TopLevelSize(JsonFileStream& text);

}  // namespace korvane
