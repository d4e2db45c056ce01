#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvane::cli {

struct RenderLimits {
  // The largest image written: this many pixels on a side, this many bytes of pixels.
  int32_t maxSide = 32767;
  int64_t maxBytes = int64_t{1} << 30;
  // About how many pixels across and down the display is for one page.
  int32_t pagePixels = 1024;
};

// Why an image of this many pixels is not written; nullopt when it is within the limits.
inline std::optional<std::string> ImageSizeRefusal(int64_t width, int64_t height,
                                                   const RenderLimits& limits = {}) {
  if (width <= limits.maxSide && height <= limits.maxSide && width * height * 4 <= limits.maxBytes)
    return std::nullopt;
  return "The image would be " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels; render writes at most " + std::to_string(limits.maxSide) +
         " pixels on a side and " + std::to_string(limits.maxBytes >> 20) + " MiB of pixels.";
}

}  // namespace korvane::cli
