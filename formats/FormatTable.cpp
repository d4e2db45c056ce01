#include "formats/FormatTable.h"

#include <vector>

#include "formats/MapFile.h"
#include "formats/TmjFormat.h"
#include "formats/TmxFormat.h"

namespace korvane {

std::span<const MapFormat> MapFormats() {
  static const std::vector<MapFormat> formats = {
      KorvaneMapFormat(),
      TiledJsonFormat(),
#ifdef KORVANE_HAVE_TMX
      TiledXmlFormat(),
#endif
  };
  return formats;
}

const MapFormat* FormatWithExtension(std::string_view extension) {
  for (const MapFormat& format : MapFormats())
    if (extension == format.extension) return &format;
  return nullptr;
}

}  // namespace korvane
