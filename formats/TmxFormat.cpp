#include "formats/TmxFormat.h"

#include "formats/TiledFormat.h"
#include "formats/TmxExport.h"
#include "formats/TmxReader.h"

namespace korvane {

const MapFormat& TiledXmlFormat() {
  static const TiledReader reader(".tmx", ImportTmx);
  static const TiledWriter writer(WriteTmx);
  static const MapFormat format{".tmx", &reader, &writer};
  return format;
}

}  // namespace korvane
