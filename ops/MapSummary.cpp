#include "ops/MapSummary.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "formats/JsonWriter.h"
#include "ops/MapSymmetry.h"

namespace korvane {

MapSummary Summarize(const MapDocument& map) {
  MapSummary s;
  s.width = map.MapWidth;
  s.height = map.MapHeight;
  s.humanResources = map.HumanResources;
  s.computerResources = map.ComputerResources;
  s.overlayEntries = map.OverlayEntriesStored;
  s.standardSignature = map.HasStandardSignature();
  // One flag per possible 16-bit tile number.
  std::vector<bool> seen(65536, false);
  int32_t lo = std::numeric_limits<int32_t>::max();
  int32_t hi = std::numeric_limits<int32_t>::min();
  for (const int16_t t : map.MapTiles.Tiles().Cells()) {
    lo = std::min<int32_t>(lo, t);
    hi = std::max<int32_t>(hi, t);
    const auto index = static_cast<uint16_t>(t);
    if (!seen[index]) {
      seen[index] = true;
      ++s.distinctTiles;
    }
  }
  if (s.distinctTiles > 0) {
    s.minTile = lo;
    s.maxTile = hi;
  }
  s.symmetries = SymmetriesOf(map);
  return s;
}

std::string SummaryJson(const MapSummary& s) {
  return JsonText([&](JsonWriter& out) {
    out.BeginObject();
    out.Key("width").Int(s.width);
    out.Key("height").Int(s.height);
    out.Key("human_resources").Int(s.humanResources);
    out.Key("computer_resources").Int(s.computerResources);
    out.Key("overlay_entries").Int(s.overlayEntries);
    out.Key("signature").String(s.standardSignature ? "standard" : "other");
    out.Key("tiles").BeginObject();
    out.Key("min").Int(s.minTile);
    out.Key("max").Int(s.maxTile);
    out.Key("distinct").Int(s.distinctTiles);
    out.EndObject();
    out.Key("symmetry").BeginArray(true);
    for (const Symmetry mode : s.symmetries) out.String(SymmetryName(mode));
    out.EndArray();
    out.EndObject();
  });
}

}  // namespace korvane
