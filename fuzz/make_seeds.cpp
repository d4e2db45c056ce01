// Writes the seed corpus of the fuzz targets with the editor's own writers:
//   korvane_fuzz_seeds <corpus folder>      (creates map/ and overlay/ inside it)
// The corpus also holds a copy of the shipped examples/demo.map.

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/MapFile.h"
#include "model/Catalogue.h"
#include "model/Grid16.h"
#include "model/OverlayLayer.h"

namespace {

using korvane::Grid16;

void Save(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

Grid16 Filled(int32_t w, int32_t h, const std::vector<int16_t>& cells) {
  Grid16 g = *Grid16::TryCreate(w, h);
  for (size_t i = 0; i < cells.size() && i < g.Cells().size(); ++i) g.Cells()[i] = cells[i];
  return g;
}

// The overlay holding the given cells, row by row (0 for none).
korvane::OverlayLayer Objects(int32_t w, int32_t h, const std::vector<int16_t>& cells) {
  const Grid16 values = Filled(w, h, cells);
  korvane::OverlayLayer overlay = *korvane::OverlayLayer::TryCreate(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) overlay.Set(x, y, values.At(x, y));
  return overlay;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane_fuzz_seeds <corpus folder>\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  std::filesystem::create_directories(root / "map");
  std::filesystem::create_directories(root / "overlay");

  // The two worked examples: a 2 x 1 map without and with an overlay object.
  const Grid16 tiles = Filled(2, 1, {5, 7});
  Save(root / "map" / "two-cells.map",
       *korvane::SerializeMapFile(100, 200, tiles, Objects(2, 1, {})));
  Save(root / "map" / "two-cells-overlay.map",
       *korvane::SerializeMapFile(100, 200, tiles, Objects(2, 1, {0, 3})));
  // Extreme tile numbers and resources, several overlay objects, another signature.
  std::array<uint8_t, 16> other{};
  other.fill(0x5A);
  Save(root / "map" / "extremes.map",
       *korvane::SerializeMapFile(-100, 70000, Filled(3, 2, {0, 269, -5, 32767, -32768, 12}),
                                  Objects(3, 2, {4, 0, 0, 2, 9, 32767}), other));
  Save(root / "map" / "column.map",
       *korvane::SerializeMapFile(0, 0, Filled(1, 9, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                  Objects(1, 9, {0, 0, 1, 0, 0, 0, 0, 0, 2})));

  using korvane::CatalogueEntry;
  const std::vector<std::vector<CatalogueEntry>> catalogues = {
      {},
      {{"1: Tree", 259}, {"2: Rock", 129}},
      {{"1: Tree", 259}, {"3: ", 16383}, {"2: a, b", 129}, {"4: say \"hi\"", 130}, {"", 0}},
      {{"  padded  ", -7}, {"5: \"", 131}, {"6: Bridge", 127 * 128 + 127}},
  };
  for (size_t i = 0; i < catalogues.size(); ++i)
    Save(root / "overlay" / ("catalogue-" + std::to_string(i) + ".dat"),
         korvane::WriteCatalogue(catalogues[i]));
  return 0;
}
