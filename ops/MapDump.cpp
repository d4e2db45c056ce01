#include "ops/MapDump.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>

namespace korvane {

namespace {

std::string SignatureText(const MapDocument& map) {
  if (map.HasStandardSignature()) return "standard";
  // The bytes themselves, so that a change from one odd signature to another shows too.
  std::string text = "other";
  for (const uint8_t byte : map.Signature) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", byte);
    text += hex;
  }
  return text;
}

}  // namespace

void WriteMapDump(const MapDocument& map, const RowRange& rows, std::ostream& out,
                  const ProgressFn& progress) {
  out << "korvane map\n"
      << "size: " << map.MapWidth << " x " << map.MapHeight << '\n'
      << "human resources: " << map.HumanResources << '\n'
      << "computer resources: " << map.ComputerResources << '\n'
      << "signature: " << SignatureText(map) << '\n'
      << "overlay entries: " << map.OverlayEntriesStored << '\n';
  const int32_t first = rows.firstRow;
  const int32_t last = std::min<int32_t>(rows.lastRow, int32_t{map.MapHeight} - 1);
  std::string line;
  for (int32_t y = first; y <= last; ++y) {
    line = "row " + std::to_string(y) + ":";
    for (int32_t x = 0; x < map.MapWidth; ++x) {
      line += ' ';
      line += std::to_string(map.MapTiles.At(x, y));
    }
    line += '\n';
    out << line;
    if (progress) progress(y - first + 1, last - first + 1);
  }
  for (const auto& [x, y, value] : map.OverlayData.Entries())
    if (y >= first && y <= last) out << "overlay " << x << ',' << y << " = " << value << '\n';
}

}  // namespace korvane
