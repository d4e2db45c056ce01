#include <algorithm>
#include <span>
#include <vector>

#include "tools/MapTools.h"
#include "tools/RandomTile.h"

namespace korvane::tools {

namespace {

// A flood fill under a symmetry, row by row: of each group of images the first cell in row order
// draws the group's number, in row order, and the rest of a row is a mirrored copy of its own
// first half or of the row it mirrors. Rows the symmetry copies draw no numbers at all.
void FillSymmetric(TileLayer& tiles, Symmetry mode, int32_t width, int32_t height,
                   const TilePicker& pick, toolkit::Toolkit& tk) {
  const bool across = mode == Symmetry::LeftRight || mode == Symmetry::FourWay;
  const bool down = mode == Symmetry::TopBottom || mode == Symmetry::FourWay;
  const bool turned = mode == Symmetry::HalfTurn;
  const auto w = static_cast<size_t>(width);
  const int32_t firstHalf = (width + 1) / 2;
  std::vector<float> numbers(w);
  std::vector<int16_t> row(w);
  const std::span<int16_t> cells = tiles.RewriteAll();
  const auto readRow = [&](int32_t y) {
    if (!cells.empty())
      std::copy_n(cells.begin() + static_cast<ptrdiff_t>(y * w), w, row.begin());
    else
      for (int32_t x = 0; x < width; ++x) row[static_cast<size_t>(x)] = tiles.At(x, y);
  };
  const auto mirrorRow = [&] { std::copy(row.begin(), row.begin() + width / 2, row.rbegin()); };
  for (int32_t y = 0; y < height; ++y) {
    const int32_t image = height - 1 - y;
    if ((down || turned) && image < y) {
      // The row mirrors one above it, which is complete: a top-bottom copy, or turned round.
      readRow(image);
      if (turned) std::reverse(row.begin(), row.end());
    } else {
      // A half turn's middle row pairs cells within itself, as left-right does.
      const bool halfRow = across || (turned && image == y);
      const int32_t picked = halfRow ? firstHalf : width;
      tk.RandomFill(std::span(numbers).first(static_cast<size_t>(picked)));
      for (int32_t x = 0; x < picked; ++x)
        row[static_cast<size_t>(x)] = pick(numbers[static_cast<size_t>(x)]);
      if (halfRow) mirrorRow();
    }
    if (!cells.empty())
      std::copy(row.begin(), row.end(), cells.begin() + static_cast<ptrdiff_t>(y * w));
    else
      for (int32_t x = 0; x < width; ++x) tiles.Set(x, y, row[static_cast<size_t>(x)]);
  }
}

}  // namespace

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
  const Symmetry mode = editor.Main().MapSymmetry;
  if (mode != Symmetry::Off) {
    FillSymmetric(tiles, mode, width, height, pick, tk);
    map.MapChanged = 1;
    editor.PaintMap();
    return;
  }
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
