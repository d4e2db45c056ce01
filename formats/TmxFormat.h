#pragma once

#include "formats/MapFormat.h"

namespace korvane {

// Tiled's XML map format (.tmx), as the table of formats lists it: read as TmxReader.h reads it,
// written as TmxExport.h writes it, after the sheet picture of the context if one is to go beside
// it.
const MapFormat& TiledXmlFormat();

}  // namespace korvane
