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

// Why an image of width x height pixels is too large to make, in one sentence naming the command
// (`render` or `diff`); nullopt when it fits the limits.
inline std::optional<std::string> ImageSizeProblem(int64_t width, int64_t height,
                                                   const RenderLimits& limits,
                                                   const char* command) {
  if (width <= limits.maxSide && height <= limits.maxSide && width * height * 4 <= limits.maxBytes)
    return std::nullopt;
  return "The image would be " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels; " + command + " writes at most " + std::to_string(limits.maxSide) +
         " pixels on a side and " + std::to_string(limits.maxBytes >> 20) + " MiB of pixels.";
}

}  // namespace korvane::cli
