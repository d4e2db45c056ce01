#include <algorithm>

#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tools/RandomTile.h"

namespace korvane {

// Puts back the tiles as they were before the last press; the overlay layer and the change flag
// stay as they are. With no map both layers are empty and nothing is drawn.
void MapView::CommandUndo_Click() {
  MapTiles.Undo();
  Display_Paint();
}

void MapView::FloodFillMap_Click() {
  const MapGlobal& g = global();
  if (MapWidth <= 0 || g.TileSize <= 0 || g.SelectedCount <= 0) return;
  toolkit::Toolkit& tk = editor().Toolkit();
  if (tk.MessageBox("Are you sure you want to flood fill the entire map?",
                    toolkit::MessageButtons::YesNo) != toolkit::MessageResult::Yes)
    return;
  // Bounded by the layer too, so a map size that disagrees with it cannot index past it.
  const int32_t width = std::min<int32_t>(MapWidth, MapTiles.Width());
  const int32_t height = std::min<int32_t>(MapHeight, MapTiles.Height());
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) MapTiles.Set(x, y, PickRandomTile(g, tk));
  MapChanged = 1;
  Display_Paint();
}

}  // namespace korvane
