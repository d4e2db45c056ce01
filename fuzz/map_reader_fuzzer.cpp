// Feeds arbitrary bytes to the map file reader. Whatever it accepts must be a consistent map that
// the writer puts back into bytes the reader takes again as the same map.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <variant>

#include "document/MapFile.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "map reader: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvane;
  const MapFileParseResult parsed = ParseMapFile(std::span<const uint8_t>(data, size));
  const auto* map = std::get_if<MapFileContents>(&parsed);
  if (!map) {
    Require(std::get<MapFileError>(parsed).offset <= size, "error offset beyond the file");
    return 0;
  }
  Require(map->width >= 1 && map->height >= 1, "accepted a map without cells");
  Require(map->tiles.Width() == map->width && map->tiles.Height() == map->height,
          "tile layer does not match the map size");
  Require(map->overlay.Width() == map->width && map->overlay.Height() == map->height,
          "overlay layer does not match the map size");
  Require(size >= 30 + 2 * map->tiles.Cells().size(), "accepted a file shorter than its map");

  const auto bytes = SerializeMapFile(*map);
  Require(bytes.has_value(), "an accepted map cannot be written back");
  const MapFileParseResult again = ParseMapFile(*bytes);
  const auto* back = std::get_if<MapFileContents>(&again);
  Require(back != nullptr, "the written map does not read back");
  Require(back->tiles == map->tiles, "tiles changed on the way back");
  Require(back->signature == map->signature, "signature changed on the way back");
  Require(back->humanResources == map->humanResources &&
              back->computerResources == map->computerResources,
          "resources changed on the way back");
  // Only overlay cells above 0 are stored, so the others read back empty.
  size_t stored = 0;
  for (const auto& [x, y, was] : map->overlay.Entries()) {
    stored += was > 0 ? 1 : 0;
    Require(back->overlay.At(x, y) == (was > 0 ? was : 0), "overlay changed on the way back");
  }
  Require(back->overlay.Count() == stored, "overlay cells appeared on the way back");
  return 0;
}
