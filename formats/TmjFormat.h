#pragma once

#include "formats/MapFormat.h"

namespace korvane {

// Tiled's JSON map format (.tmj), as the table of formats lists it: read as TmjImport.h reads it,
// written as TmjExport.h writes it, after the sheet picture of the context if one is to go beside
// it.
const MapFormat& TiledJsonFormat();

}  // namespace korvane
