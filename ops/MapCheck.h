#pragma once

#include <optional>
#include <string>

#include "formats/MapFormat.h"

namespace korvane {

// Whether the editor would load the map file at `path`: nullopt, or why not, with the byte where
// the file goes wrong (or marked unreadable when it cannot be read at all).
std::optional<ReadRefusal> CheckMapFile(toolkit::FileSystem& files, const std::string& path);

}  // namespace korvane
