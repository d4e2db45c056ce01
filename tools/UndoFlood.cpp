#include <algorithm>
#include <span>
#include <vector>

#include "tools/MapTools.h"
#include "tools/RandomTile.h"

namespace korvane::tools {

// Puts back the tiles as they were before the last press; the overlay layer and the change flag
// stay as they are. With no map both layers are empty and nothing is drawn.
void CommandUndo_Click(EditorWindows& editor) {
  editor.Main().Map.MapTiles.Undo();
  editor.PaintMap();
}

// Every cell gets one number from the generator, row by row, in the order a cell-by-cell fill
// would draw them, so a seeded generator gives the same map either way.
void FloodFillMap_Click(EditorWindows& editor) {
  MapDocument& map = editor.Main().Map;
  const MapGlobal& g = editor.Global();
  if (map.MapWidth <= 0 || g.TileSize <= 0 || g.SelectedCount <= 0) return;
  toolkit::Toolkit& tk = editor.Toolkit();
  if (tk.MessageBox("Are you sure you want to flood fill the entire map?",
                    toolkit::MessageButtons::YesNo) != toolkit::MessageResult::Yes)
    return;
  TileLayer& tiles = map.MapTiles;
  // Bounded by the layer too, so a map size that disagrees with it cannot index past it.
  const int32_t width = std::min<int32_t>(map.MapWidth, tiles.Width());
  const int32_t height = std::min<int32_t>(map.MapHeight, tiles.Height());
  const TilePicker pick(g);
  std::vector<float> numbers(static_cast<size_t>(std::max(width, 0)));
  // The whole map changes, so the undo copy is taken in one block instead of cell by cell.
  const std::span<int16_t> cells = tiles.RewriteAll();
  const auto stride = static_cast<size_t>(tiles.Width());
  for (int32_t y = 0; y < height; ++y) {
    tk.RandomFill(numbers);
    if (cells.empty()) {
      for (int32_t x = 0; x < width; ++x) tiles.Set(x, y, pick(numbers[static_cast<size_t>(x)]));
      continue;
    }
    int16_t* row = cells.data() + static_cast<size_t>(y) * stride;
    for (int32_t x = 0; x < width; ++x) row[x] = pick(numbers[static_cast<size_t>(x)]);
  }
  map.MapChanged = 1;
  editor.PaintMap();
}

}  // namespace korvane::tools
