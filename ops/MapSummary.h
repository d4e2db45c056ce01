#pragma once

// What a map holds, in short (korvane-cli info).

#include <cstdint>
#include <string>
#include <vector>

#include "model/MapDocument.h"
#include "model/Symmetry.h"

namespace korvane {

struct MapSummary {
  int32_t width = 0;
  int32_t height = 0;
  int32_t humanResources = 0;
  int32_t computerResources = 0;
  // The entry count as the file states it.
  int32_t overlayEntries = 0;
  bool standardSignature = true;
  int32_t minTile = 0;
  int32_t maxTile = 0;
  int32_t distinctTiles = 0;
  // The symmetries the map satisfies.
  std::vector<Symmetry> symmetries;
};

MapSummary Summarize(const MapDocument& map);

// The summary as one JSON object, ending with a line break.
std::string SummaryJson(const MapSummary& summary);

}  // namespace korvane
