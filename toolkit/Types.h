#pragma once

#include <cstdint>

namespace korvane::toolkit {

// A colour as red, green and blue bytes.
struct Color {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return Color{r, g, b};
}

// A colour as one 32-bit pixel of a picture in memory, 0xffRRGGBB, and back.
inline constexpr uint32_t PixelOf(Color c) {
  return 0xFF000000u | uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | uint32_t{c.b};
}
inline constexpr Color ColorOf(uint32_t pixel) {
  return Color{uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)};
}

// The system colour for button text in the standard scheme: the background of the map
// display and of the palette.
inline constexpr Color kButtonTextColor = Rgb(0, 0, 0);

// A place on a window or control, in twips (1/1440 inch).
struct Place {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
  friend bool operator==(const Place&, const Place&) = default;
};

// Mouse button codes as the map and palette handlers receive them; while moving, the codes of
// the held buttons are summed.
inline constexpr int16_t kLeftButton = 1;
inline constexpr int16_t kRightButton = 2;
inline constexpr int16_t kMiddleButton = 4;

// Units a surface converts between.
enum class ScaleUnit { Twips, Pixels, Himetric };

}  // namespace korvane::toolkit
