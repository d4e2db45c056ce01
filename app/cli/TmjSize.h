#pragma once

// How large a Tiled JSON map text can honestly be: a bound on the bytes of a .tmj for a map of a
// given size, so that a huge file is refused before it is read or parsed.

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace korvane::cli {

// The most bytes a .tmj of a w x h map may take: 32 bytes a cell (a tile id of up to five digits
// with its separator, even one to a line with deep indentation), 4 KiB for each object a map
// that size can hold (one per cell, at most 32767), and 16 MiB for everything else.
uint64_t MaxTmjBytes(int64_t width, int64_t height);

// The same for the largest map Korvane holds, 32767 x 32767 cells.
uint64_t LargestTmjBytes();

// The top-level "width" and "height" of a JSON text, found in one pass that builds nothing;
// nullopt when the text is no object, or either is missing or not a whole number from 1 to
// 32767.
std::optional<std::pair<int64_t, int64_t>> TopLevelSize(std::string_view text);

}  // namespace korvane::cli
