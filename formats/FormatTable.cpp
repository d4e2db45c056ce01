#include "formats/FormatTable.h"

#include <vector>

#include "formats/MapFile.h"
#include "formats/TmjFormat.h"

namespace korvane {

std::span<const MapFormat> MapFormats() {
  static const std::vector<MapFormat> formats = {
      KorvaneMapFormat(),
      TiledJsonFormat(),
  };
  return formats;
}

const MapFormat* FormatWithExtension(std::string_view extension) {
  for (const MapFormat& format : MapFormats())
    if (extension == format.extension) return &format;
  return nullptr;
}

}  // namespace korvane
