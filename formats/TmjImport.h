#pragma once

// Reading a Tiled JSON map (.tmj) back into a Korvane map, for maps that fit what a Korvane map
// can hold; anything else is refused with the reason.

#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "formats/MapFile.h"
#include "formats/TiledFacts.h"
#include "toolkit/FileSystem.h"

namespace korvane {

// The tile number an empty Tiled cell becomes: it lies on no sheet, so the editor leaves the
// cell showing the background, as Tiled does.
inline constexpr int16_t kEmptyCellTile = -1;

// Why a Tiled map file (.tmj or .tmx) gives no map: one sentence.
struct TmjRefusal {
  std::string reason;
  // The file could not be read (rather than its content being refused).
  bool unreadable = false;
};

// A Tiled map as Korvane takes it: the map, and the tileset its tile numbers refer to.
struct TiledMap {
  MapDocument map;
  TilesetFacts tileset;
  std::string tilesetFile;  // the external tileset's path as it was read; empty when embedded
};

// Whether what a reader found of a Tiled map, in either format, makes a Korvane map: the map, or
// why the document cannot become one. Accepted: an orthogonal, finite map with one
// tileset, exactly one tile layer stored as a plain id array, and at most one object layer whose
// every object carries an integer property "id" from 1 to 32767; tile ids must be unflipped and
// give tile numbers up to 32767, and each cell holds at most one object. The map properties
// "human_resources" and "computer_resources" (integers) are optional and 0 when absent. Object
// positions are counted in cells of the map's tile width and height. The tile layer may be
// stored as CSV or as base64, uncompressed or compressed (see TileData.h).
//
// When the ids were laid out for another size than the map turns out to have, `readAgain` (when
// given) receives the map's size: the document must be read again for it.
std::variant<TiledMap, TmjRefusal> JudgeTiledMap(
    TiledFacts& facts, std::optional<std::pair<int32_t, int32_t>>* readAgain = nullptr);

// A .tmj file, judged as above.
//
// The file is streamed, never held whole: memory is the map's tile layer and its objects. A
// file longer than a map of its size could need is refused before it is parsed.
std::variant<TiledMap, TmjRefusal> ImportTmj(toolkit::InputFile& file);

}  // namespace korvane
