// Feeds arbitrary bytes to a Tiled map reader (the format named by KORVANE_FUZZ_EXTENSION,
// ".tmx" or ".tmj"). Whatever it accepts must be a whole map that the map file writer can store.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <variant>

#include "formats/FormatTable.h"
#include "formats/MapFile.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "Tiled map reader: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvane;
  static const MapFormat* format = FormatWithExtension(KORVANE_FUZZ_EXTENSION);
  const ReadResult read = format->reader->ReadBytes(std::span<const uint8_t>(data, size));
  const auto* map = std::get_if<MapDocument>(&read);
  if (!map) {
    Require(!std::get<ReadRefusal>(read).reason.empty(), "a refusal without a reason");
    return 0;
  }
  Require(map->MapWidth >= 1 && map->MapHeight >= 1, "accepted a map without cells");
  Require(map->MapTiles.Width() == map->MapWidth && map->MapTiles.Height() == map->MapHeight,
          "tile layer does not match the map size");
  Require(map->OverlayData.Width() == map->MapWidth && map->OverlayData.Height() == map->MapHeight,
          "overlay layer does not match the map size");
  Require(SerializeMapFile(*map).has_value(), "an accepted map cannot be stored");
  return 0;
}
