#include "model/SampleSheet.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace korvane {

using toolkit::Color;
using toolkit::Rgb;

namespace {

// A terrain family: the ground colour and the colour of its pattern.
struct Family {
  Color ground;
  Color pattern;
};

// One family per sheet row.
constexpr std::array<Family, kSampleRows> kFamilies{{
    {Rgb(64, 140, 52), Rgb(112, 184, 72)},     // grass
    {Rgb(32, 72, 160), Rgb(80, 136, 212)},     // deep water
    {Rgb(220, 196, 128), Rgb(180, 152, 92)},   // sand
    {Rgb(124, 124, 128), Rgb(76, 76, 84)},     // rock
    {Rgb(226, 232, 244), Rgb(168, 184, 212)},  // snow
    {Rgb(196, 44, 20), Rgb(248, 168, 40)},     // lava
    {Rgb(28, 92, 36), Rgb(84, 60, 28)},        // forest
    {Rgb(152, 140, 116), Rgb(104, 96, 80)},    // road
    {Rgb(124, 84, 48), Rgb(84, 56, 28)},       // dirt
    {Rgb(72, 92, 48), Rgb(32, 52, 56)},        // swamp
    {Rgb(164, 212, 232), Rgb(104, 164, 200)},  // ice
    {Rgb(84, 172, 188), Rgb(212, 200, 148)},   // shore
    {Rgb(176, 84, 60), Rgb(116, 48, 36)},      // clay
    {Rgb(136, 104, 152), Rgb(88, 68, 112)},    // heath
    {Rgb(56, 52, 56), Rgb(108, 96, 88)},       // ash
}};

// A small integer hash, so the texture looks random but is the same in every run.
uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t h = a * 73856093u ^ b * 19349663u ^ c * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return h;
}

// True where pattern `kind` (one per sheet column) shows its pattern colour at pixel (i, j) of a
// 16 x 16 tile.
bool PatternAt(int kind, int i, int j) {
  const int ci = 2 * i - 15;  // doubled distance from the tile centre
  const int cj = 2 * j - 15;
  // Sums of two odd squares: the bounds below are values it takes, the last inside or outside.
  const int d2 = ci * ci + cj * cj;
  switch (kind) {
    case 0:  // plain
      return false;
    case 1:  // horizontal stripes
      return (j / 2) % 2 == 1;
    case 2:  // vertical stripes
      return (i / 2) % 2 == 1;
    case 3:  // large checks
      return (i / 4 + j / 4) % 2 == 1;
    case 4:  // small checks
      return (i / 2 + j / 2) % 2 == 1;
    case 5:  // diagonal stripes
      return ((i + j) / 3) % 2 == 1;
    case 6:  // the opposite diagonal
      return ((i + 15 - j) / 3) % 2 == 1;
    case 7:  // dots
      return i % 4 == 1 && j % 4 == 1;
    case 8:  // disc
      return d2 <= 98;
    case 9:  // ring
      return d2 > 58 && d2 <= 194;
    case 10:  // border
      return i < 2 || j < 2 || i > 13 || j > 13;
    case 11:  // northern edge
      return j < 6;
    case 12:  // southern edge
      return j > 9;
    case 13:  // western edge
      return i < 6;
    case 14:  // eastern edge
      return i > 9;
    case 15:  // corner
      return i + j < 12;
    case 16:  // cross
      return std::abs(ci) <= 3 || std::abs(cj) <= 3;
    default:  // speckles
      return Hash(static_cast<uint32_t>(i), static_cast<uint32_t>(j), 7u) % 5 == 0;
  }
}

// Lightens or darkens a colour a little; never reaches pure white, which marks the separators.
Color Jitter(Color c, int amount) {
  auto channel = [amount](uint8_t v) {
    return static_cast<uint8_t>(std::clamp(v + amount, 0, 250));
  };
  return Rgb(channel(c.r), channel(c.g), channel(c.b));
}

}  // namespace

toolkit::RgbImage MakeSampleSheet() {
  toolkit::RgbImage image;
  image.width = kSampleSheetWidth;
  image.height = kSampleSheetHeight;
  image.pixels.assign(static_cast<size_t>(image.width) * image.height, Rgb(255, 255, 255));
  const int pitch = kSampleTileSize + kSampleTileSpacing;
  for (int row = 0; row < kSampleRows; ++row) {
    const Family& family = kFamilies[row];
    for (int column = 0; column < kSampleColumns; ++column) {
      for (int j = 0; j < kSampleTileSize; ++j) {
        for (int i = 0; i < kSampleTileSize; ++i) {
          const Color base = PatternAt(column, i, j) ? family.pattern : family.ground;
          // A faint grain makes the ground read as terrain rather than a flat swatch.
          const uint32_t grain = Hash(static_cast<uint32_t>(column * pitch + i),
                                      static_cast<uint32_t>(row * pitch + j), 1u);
          image.Set(column * pitch + i, row * pitch + j,
                    Jitter(base, static_cast<int>(grain % 13) - 6));
        }
      }
    }
  }
  return image;
}

}  // namespace korvane
