// Feeds arbitrary bytes to the map file reader. Whatever it accepts must be a consistent map that
// the writer puts back into bytes the reader takes again as the same map.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <variant>

#include "formats/MapFile.h"

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
  const auto* map = std::get_if<MapDocument>(&parsed);
  if (!map) {
    Require(std::get<MapFileError>(parsed).offset <= size, "error offset beyond the file");
    return 0;
  }
  Require(map->MapWidth >= 1 && map->MapHeight >= 1, "accepted a map without cells");
  Require(map->MapTiles.Width() == map->MapWidth && map->MapTiles.Height() == map->MapHeight,
          "tile layer does not match the map size");
  Require(map->OverlayData.Width() == map->MapWidth && map->OverlayData.Height() == map->MapHeight,
          "overlay layer does not match the map size");
  Require(size >= 30 + 2 * map->MapTiles.Tiles().Cells().size(),
          "accepted a file shorter than its map");

  const auto bytes = SerializeMapFile(*map);
  Require(bytes.has_value(), "an accepted map cannot be written back");
  const MapFileParseResult again = ParseMapFile(*bytes);
  const auto* back = std::get_if<MapDocument>(&again);
  Require(back != nullptr, "the written map does not read back");
  Require(back->MapTiles.Tiles() == map->MapTiles.Tiles(), "tiles changed on the way back");
  Require(back->Signature == map->Signature, "signature changed on the way back");
  Require(back->HumanResources == map->HumanResources &&
              back->ComputerResources == map->ComputerResources,
          "resources changed on the way back");
  // Only overlay cells above 0 are stored, so the others read back empty.
  size_t stored = 0;
  for (const auto& [x, y, was] : map->OverlayData.Entries()) {
    stored += was > 0 ? 1 : 0;
    Require(back->OverlayData.At(x, y) == (was > 0 ? was : 0), "overlay changed on the way back");
  }
  Require(back->OverlayData.Count() == stored, "overlay cells appeared on the way back");
  return 0;
}
