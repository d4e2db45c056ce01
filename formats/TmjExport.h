#pragma once

// Writing a map in the JSON map format of the Tiled editor (.tmj), so that Korvane maps open
// there: one tile layer, one object layer with the overlay, the resources as map properties and
// the sheet as one embedded tileset, on the map display's background colour.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "formats/JsonWriter.h"
#include "model/Catalogue.h"
#include "model/MapDocument.h"
#include "model/Progress.h"
#include "model/TileRule.h"

namespace korvane {

// Names used in the exchanged files; the importer looks for the same ones.
inline constexpr const char* kHumanResourcesProperty = "human_resources";
inline constexpr const char* kComputerResourcesProperty = "computer_resources";
inline constexpr const char* kOverlayIdProperty = "id";

struct TmjExport {
  const MapDocument* map = nullptr;
  SheetLayout sheet;
  // The sheet picture as the tileset names it: relative to the .tmj file's folder if possible.
  std::string imagePath;
  std::string tilesetName;
  // The catalogue gives the overlay objects their names and sizes; without it every object is
  // one cell large and unnamed.
  const std::vector<CatalogueEntry>* catalogue = nullptr;
};

// The global tile id of a tile number: tile + 1 for tiles on the sheet, 0 (no tile) otherwise.
int64_t GlobalTileId(int16_t tile, int32_t tileCount);

// The object name of a catalogue text: the name typed when the entry was added, without the
// "ID: " that the catalogue puts in front of it.
std::string CatalogueName(const std::string& text);

// An overlay cell as a Tiled object: its cell, catalogue value, and the name and size in cells
// that the catalogue gives it.
struct OverlayObject {
  int32_t x, y;
  int16_t value;
  std::string name;
  int32_t cellsX, cellsY;
};

// The overlay's objects in the order of the tile layer (cells holding none are left out).
void ForEachOverlayObject(const TmjExport& input,
                          const std::function<void(const OverlayObject&)>& visit);

// The map display's background as Tiled writes a colour ("#rrggbb"), so that Tiled shows cells
// off the sheet as Korvane does.
std::string TiledBackground();

// Writes the whole document to the sink; false when the sink failed.
// Progress counts the rows of the tile layer written.
bool WriteTmj(const TmjExport& input, const JsonWriter::Sink& sink,
              const ProgressFn& progress = nullptr);

}  // namespace korvane
