#pragma once

// Pictures the program made (the built-in sample sheet) as PNG files, for maps exported with it:
// 8-bit RGB, compressed with zlib. Both programs write the same bytes for the same pixels.

#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/RgbImage.h"

namespace korvane {

// The bytes of a PNG file; nullopt when memory runs out or the picture is empty.
std::optional<std::vector<uint8_t>> EncodePng(const toolkit::RgbImage& image);

}  // namespace korvane
