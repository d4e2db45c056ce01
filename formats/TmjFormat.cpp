#include "formats/TmjFormat.h"

#include "formats/TiledFormat.h"

namespace korvane {

const MapFormat& TiledJsonFormat() {
  static const TiledReader reader(".tmj", ImportTmj);
  static const TiledWriter writer(WriteTmj);
  static const MapFormat format{".tmj", &reader, &writer};
  return format;
}

}  // namespace korvane
