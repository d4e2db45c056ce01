#pragma once

// Writing a map in the XML map format of the Tiled editor (.tmx): the same content as a .tmj
// export (TmjExport.h), with the tile layer as CSV.

#include "formats/TmjExport.h"

namespace korvane {

// Writes the whole document to the sink; false when the sink failed.
// Progress counts the rows of the tile layer written.
bool WriteTmx(const TmjExport& input, const JsonWriter::Sink& sink,
              const ProgressFn& progress = nullptr);

}  // namespace korvane
