#pragma once

#include <string>
#include <string_view>

namespace korvane {

// The main window's caption for a map file: the file's name (the text after the last '/' or
// '\\'), with every ".map" in it removed (case-sensitive), followed by " - Korvane".
// "/home/ana/maps/island.map" gives "island - Korvane", "C:\maps\Island.MAP" gives
// "Island.MAP - Korvane" and "a.mapx.map" gives "ax - Korvane".
std::string MapCaption(std::string_view path);

}  // namespace korvane
