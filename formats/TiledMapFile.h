#pragma once

// A Tiled map file of either format, as both programs open one: the map judged, its external
// tileset (.tsx) read, and the tileset picture's path made usable from here.

#include <string>
#include <string_view>
#include <variant>

#include "formats/MapFormat.h"
#include "formats/TmjImport.h"
#include "toolkit/FileSystem.h"

namespace korvane {

// Reads `path` as a ".tmx" or a ".tmj" (`extension`). An external tileset is read from beside
// the map for its picture and geometry, and must be a regular file holding a tileset that does
// not name another. The tileset's `image` comes back joined to the folder of the file that names
// it, as Tiled resolves it.
std::variant<TiledMap, ReadRefusal> ReadTiledMap(toolkit::FileSystem& files,
                                                 const std::string& path,
                                                 std::string_view extension);

// How a Tiled map written to `mapPath` names `file`: relative to the map's folder, as Tiled
// resolves it, or absolute when no relative path exists.
std::string PathFromMap(const std::string& mapPath, const std::string& file);

// Where a map written to `mapPath` puts the sample sheet picture: NAME-sheet.png beside it.
std::string SampleSheetPathFor(const std::string& mapPath);

}  // namespace korvane
