#pragma once

// Reading Tiled's XML map format (.tmx) and its external tilesets (.tsx) with pugixml. The reader
// writes down what the importer needs (TiledFacts) and leaves the judging to JudgeTiledMap, so
// that both of Tiled's formats are accepted and refused alike.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "formats/TmjImport.h"
#include "toolkit/FileSystem.h"

namespace korvane {

// A .tmx file. Custom XML entities are never expanded (a DOCTYPE is skipped), and a file longer
// than a map of its size could need is refused before it is read whole.
std::variant<TiledMap, TmjRefusal> ImportTmx(toolkit::InputFile& file);

// The image and geometry of an external tileset file into `tileset`; the reason when it gives
// none (not XML, no tileset, or one that names a tileset file in turn).
std::optional<std::string> ReadTsx(std::span<const uint8_t> bytes, TilesetFacts& tileset);

}  // namespace korvane
