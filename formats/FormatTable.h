#pragma once

// Every map format the programs know. A new format is a file pair of its own (a reader, a writer
// or both behind MapFormat.h's interfaces) and one line in the table.

#include <span>
#include <string_view>

#include "formats/MapFormat.h"

namespace korvane {

std::span<const MapFormat> MapFormats();

// The format whose files end in `extension` (".map", ".tmj"; case as written); null for none.
const MapFormat* FormatWithExtension(std::string_view extension);

}  // namespace korvane
