#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/OverlayLayer.h"
#include "model/TileLayer.h"

namespace korvane {

// The 16 bytes at the start of every map the editor writes.
inline constexpr std::array<uint8_t, 16> kStandardMapSignature = {
    0x50, 0x00, 0x00, 0x10, 0x75, 0x00, 0x00, 0x10, 0xC1, 0x0E, 0x00, 0x10, 0xC1, 0xAB, 0x07, 0x76};

// One map: its size, its two layers, the players' resources, and where it came from. MapTiles
// and OverlayData are MapWidth x MapHeight; an empty document (no map yet) has size 0 and empty
// layers.
struct MapDocument {
  int16_t MapWidth = 0;
  int16_t MapHeight = 0;
  // The tile layer, carrying the one-level undo copy (MapTiles.UndoTiles()).
  TileLayer MapTiles;
  OverlayLayer OverlayData;
  int32_t HumanResources = 0;
  int32_t ComputerResources = 0;
  // As read from the file; maps the editor makes carry the standard one.
  std::array<uint8_t, 16> Signature = kStandardMapSignature;
  // The overlay entry count the file stored (0 or below: none), whatever the layer holds now.
  int16_t OverlayEntriesStored = 0;
  // The file the map was last read from or saved to; empty for a new map.
  std::string CurrentMapFile;
  // 1 while there are changes that were not saved.
  int16_t MapChanged = 0;

  // Files with another signature are read all the same; this tells them apart.
  bool HasStandardSignature() const { return Signature == kStandardMapSignature; }
};

}  // namespace korvane
