// Writes demo.map, a small island to open in the editor: a 40 x 30 map painted with the tiles of
// the built-in sample sheet, a few overlay objects and the two players' resources.
//
//   korvane_make_demo [output path]      (default: the demo.map beside this source file)

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "formats/AtomicFile.h"
#include "formats/MapFile.h"
#include "model/Grid16.h"
#include "model/OverlayLayer.h"
#include "model/SampleSheet.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace {

using korvane::Grid16;

// A tile of the sample sheet: each sheet row is one terrain family, each column one pattern.
constexpr int16_t Tile(int family, int pattern) {
  return static_cast<int16_t>(family * korvane::kSampleColumns + pattern);
}

// Terrain families (sheet rows) and patterns (sheet columns) of the sample sheet.
enum Family { kGrass = 0, kWater = 1, kSand = 2, kRock = 3, kSnow = 4, kForest = 6, kRoad = 7 };
enum Pattern { kPlain = 0, kDots = 7, kDisc = 8, kBorder = 10 };
constexpr int kShore = 11;

// Small deterministic noise, so the picture is the same on every run.
int Noise(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return static_cast<int>(h % 100);
}

double Distance(double x, double y, double cx, double cy, double rx, double ry) {
  return std::hypot((x - cx) / rx, (y - cy) / ry);
}

int16_t TerrainAt(int x, int y) {
  // The coast bulges and bays with the direction from the centre, so the island is no ellipse.
  const double angle = std::atan2(y - 14.5, x - 19.5);
  const double island = Distance(x, y, 19.5, 14.5, 16.0, 11.5) + 0.08 * std::sin(3 * angle) +
                        0.05 * std::cos(5 * angle);
  if (island > 1.0) return Noise(x, y) < 12 ? Tile(kWater, kDots) : Tile(kWater, kPlain);
  if (island > 0.93) return Tile(kShore, kPlain);
  if (island > 0.80) return Tile(kSand, kPlain);

  const double lake = Distance(x, y, 14, 19, 2.6, 1.8);
  if (lake < 1.0) return Tile(kWater, kPlain);
  if (lake < 1.45) return Tile(kSand, kPlain);

  const double mountain = Distance(x, y, 27, 11, 4.5, 3.5);
  if (mountain < 0.4) return Tile(kSnow, kPlain);
  if (mountain < 1.0) return Noise(x, y) < 30 ? Tile(kRock, kDots) : Tile(kRock, kPlain);

  if (y == 15 && x >= 8 && x <= 30) return Tile(kRoad, kPlain);

  const double woods = Distance(x, y, 12, 9, 5.5, 3.5);
  if (woods < 1.0) return Noise(x, y) < 55 ? Tile(kForest, kDisc) : Tile(kForest, kPlain);
  return Noise(x, y) < 15 ? Tile(kGrass, kDots) : Tile(kGrass, kPlain);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : KORVANE_DEMO_MAP;
  constexpr int kWidth = 40;
  constexpr int kHeight = 30;
  auto tiles = Grid16::TryCreate(kWidth, kHeight);
  auto overlay = korvane::OverlayLayer::TryCreate(kWidth, kHeight);
  if (!tiles || !overlay) return 1;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) tiles->Set(x, y, TerrainAt(x, y));

  // Overlay objects by catalogue number: the two players' towns at the ends of the road, and
  // a mine at the foot of the mountain.
  overlay->Set(8, 15, 1);
  overlay->Set(30, 15, 2);
  overlay->Set(24, 13, 3);
  tiles->Set(8, 15, Tile(kRoad, kBorder));
  tiles->Set(30, 15, Tile(kRoad, kBorder));

  const auto bytes = korvane::SerializeMapFile(250, 180, *tiles, *overlay);
  korvane::toolkit::PosixFileSystem disk;
  korvane::toolkit::FileError error;
  if (!bytes || !korvane::WriteFileAtomically(disk, path, *bytes, error)) {
    std::fprintf(stderr, "could not write %s: %s\n", path.c_str(), error.reason.c_str());
    return 1;
  }
  std::printf("wrote %s (%zu bytes)\n", path.c_str(), bytes->size());
  return 0;
}
