#include <array>
#include <cmath>
#include <limits>

#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"

namespace korvane {
namespace {

using Kind = headless::DrawCall::Kind;
using Calls = std::vector<std::vector<float>>;

// The test sheet, a 10 x 8 map and a view of 6 x 5 whole cells plus half a cell of strip beyond
// them, at zoom 1 without grid: every cell is 240 twips square.
class Tools : public testing_support::EditorTest {
 protected:
  Tools() : v(view()), g(global()) {
    testing_support::ApplyTestSheet(g);
    testing_support::MakeTestMap(v, 10, 8);
    SetView(0, 0);
  }
  // Shows the page that starts at map cell (firstCol, firstRow), multiples of 6 and 5.
  void SetView(int16_t firstCol, int16_t firstRow) {
    v.Display->SetPlace(toolkit::Place{0, 375, 6 * 240 + 120.0f, 5 * 240 + 120.0f});
    v.UpdateViewGeometry();
    v.HScroll->SetValue(static_cast<int16_t>(firstCol / 6 + 1));
    v.VScroll->SetValue(static_cast<int16_t>(firstRow / 5 + 1));
    v.UpdateViewGeometry();
    display().ClearLog();
    tk.randomCount = 0;
  }
  void Select(const std::vector<int16_t>& tiles) {
    g.SelectedCount = 0;
    for (int16_t t : tiles) g.SelectedTiles[++g.SelectedCount] = t;
  }
  static float At(int cell) { return cell * 240 + 120.0f; }  // the middle of a view column or row
  static constexpr float kStripX = 6 * 240 + 60, kStripY = 5 * 240 + 60;
  void Press(int16_t b, int c, int r) { v.Display_MouseDown(b, 0, At(c), At(r)); }
  // The arguments of every tile drawn since the view was set, in order.
  Calls Drawn() {
    Calls out;
    for (const auto& call : display().CallsOf(Kind::PaintPicture)) out.push_back(call.args);
    return out;
  }
  // The drawing of tile t into screen cell (c, r): 18 sheet columns, 255 twips apart.
  static std::vector<float> TileCall(int t, int c, int r) {
    return {c * 240.0f, r * 240.0f, 240, 240, (t % 18) * 255.0f, (t / 18) * 255.0f, 240, 240};
  }
  // `grid` with the given {x, y, tile} cells set.
  static Grid16 With(Grid16 grid, const std::vector<std::array<int, 3>>& cells) {
    for (const auto& [x, y, t] : cells) grid.Set(x, y, static_cast<int16_t>(t));
    return grid;
  }
  MapView& v;
  MapGlobal& g;
};

// A press that paints nothing still replaces the undo snapshot and marks the map as changed
// (without a sheet it does nothing at all); so does the press of a drag fill that is dropped.
// The drag step and the release that follow it, at the second position, paint nothing either.
TEST_F(Tools, PressDragAndReleaseThatPaintNothing) {
  // Pressed at (px, py), then moved and released at (x, y); the first of two selected tiles, or
  // 0 for none.
  // clang-format off
  struct Case { const char* name; int16_t mode, button; float px, py, x, y; int16_t selected;
                int randoms = 0; bool sheet = true; };
  // clang-format on
  const int16_t N = kNormalPainting, F = kDragFill;
  const float x = At(1), x2 = At(2), sx = kStripX, far = -1e30f;
  for (const Case& k : {Case{"right button", N, 2, x, x, x, x, 5},
                        Case{"far off to the top left", N, 1, far, far, far, far, 5},
                        Case{"nothing selected", N, 1, x, x, x, x, 0},
                        Case{"cell holds a selected tile", N, 1, x2, x, x2, x, 9, 2},
                        Case{"no sheet", N, 1, x, x, x, x, 5, 0, false},
                        Case{"block paste only on a press", kBlockPaste, 1, sx, x, x, x, 5},
                        // A whole cell left of an unscrolled view names no map cell.
                        Case{"fill from a cell left of column 0", F, 1, -240.0f, x, x2, x2, 5}}) {
    SCOPED_TRACE(k.name);
    testing_support::MakeTestMap(v, 10, 8);
    v.PaintMode->SetListIndex(k.mode);
    v.Map.MapTiles.Set(2, 1, 9);
    Select({k.selected, static_cast<int16_t>(k.selected + 1)});
    g.SelectedCount = k.selected ? 2 : 0;
    g.TileSize = k.sheet ? 16 : 0;
    v.Map.MapTiles.TakeUndoSnapshot();
    v.Map.MapTiles.Set(0, 0, 77);  // so that a fresh snapshot can be told from the last one
    const Grid16 before = v.Map.MapTiles.Tiles(), undo = v.Map.MapTiles.UndoTiles();
    SetView(0, 0);
    v.Display_MouseDown(k.button, 0, k.px, k.py);
    v.Display_MouseMove(k.button, 0, k.x, k.y);
    v.Display_MouseUp(k.button, 0, k.x, k.y);
    EXPECT_EQ(std::tuple(v.Map.MapTiles.Tiles(), v.Map.MapTiles.UndoTiles(), v.Map.MapChanged,
                         tk.randomCount),
              std::tuple(before, k.sheet ? before : undo, int16_t{k.sheet}, k.randoms));
    EXPECT_TRUE(Drawn().empty());
  }
}

// Every tool at the edges of the map and of the view's whole cells, on a map of 5 x 4 cells
// (narrower and shorter than the 6 x 5 whole cells shown) or of 10 x 8: each reaches the map's
// last column and row and no further, less than a cell left of or above the display is still
// column or row 0 (the pointer is rounded, halves to even, and divided truncating toward zero:
// 239.5 twips are column 1, 480.5 row 2), and only overlay placement reaches into the strip beyond
// the whole cells. The map's size bounds them even where its layer is larger. A tile-mode press
// always counts as a change; an overlay press only when it places.
TEST_F(Tools, EveryToolStopsAtTheEdgesOfTheMapAndTheView) {
  enum { kPress = 1, kDragStep = 2, kBlock = 4, kFill = 8, kOverlay = 16, kAll = 31 };
  DatView& dat = editor->datView();
  dat.Items->AddItem("1: Rock");
  dat.Items->SetListIndex(1);
  Select({5});
  // clang-format off
  struct Row { float x, y; int16_t w, h, layerW, layerH; int reachedBy; };
  for (const Row& r : {Row{At(4), At(3), 5, 4, 5, 4, kAll}, {At(5), At(3), 5, 4, 5, 4, 0},
                       {At(4), At(4), 5, 4, 5, 4, 0}, {At(5), At(3), 5, 4, 6, 5, 0},
                       {At(4), At(4), 5, 4, 6, 5, 0}, {At(5), At(4), 10, 8, 10, 8, kAll},
                       {kStripX, At(0), 10, 8, 10, 8, kOverlay},
                       {At(0), kStripY, 10, 8, 10, 8, kOverlay},
                       {-1, -239, 5, 4, 5, 4, kAll}, {239.5f, 480.5f, 5, 4, 5, 4, kAll},
                       {-240, At(0), 5, 4, 5, 4, 0}, {At(0), -240, 5, 4, 5, 4, 0}}) {
    // clang-format on
    const int c = static_cast<int>(std::nearbyint(r.x)) / 240,
              row = static_cast<int>(std::nearbyint(r.y)) / 240;
    for (const int tool : {kPress, kDragStep, kBlock, kFill, kOverlay}) {
      testing_support::MakeTestMap(v, r.layerW, r.layerH);
      std::tie(v.Map.MapWidth, v.Map.MapHeight) = std::pair(r.w, r.h);
      const Grid16 before = v.Map.MapTiles.Tiles();
      OverlayLayer overlay = v.Map.OverlayData;
      SetView(0, 0);
      dat.window->SetVisible(tool == kOverlay);
      // Block paste, drag fill, or normal painting (entry 0) for the other tools.
      v.PaintMode->SetListIndex(tool == kBlock ? kBlockPaste : tool == kFill ? kDragFill : 0);
      v.Display_MouseDown(1, 0, tool == kDragStep ? At(1) : r.x, tool == kDragStep ? At(1) : r.y);
      v.Display_MouseMove(1, 0, r.x, r.y);
      v.Display_MouseUp(1, 0, r.x, r.y);
      const bool reached = r.reachedBy & tool;
      std::vector<std::array<int, 3>> painted;
      if (tool == kDragStep) painted.push_back({1, 1, 5});
      if (reached && tool != kOverlay) painted.push_back({c, row, 5});
      if (reached && tool == kOverlay) overlay.Set(c, row, 1);
      EXPECT_EQ(std::tuple(v.Map.MapTiles.Tiles(), v.Map.OverlayData, v.Map.MapChanged),
                std::tuple(With(before, painted), overlay, int16_t{tool != kOverlay || reached}))
          << "tool " << tool << " at " << r.x << ", " << r.y << " on " << r.w << " x " << r.h;
    }
  }
}

// One stroke of each painting tool in a view scrolled by a page both ways, a block paste at the
// map's left edge and two overlay placements: the map against the expected grid and the cells
// drawn against the expected calls.
TEST_F(Tools, EveryToolPaintsWhereThePointerIs) {
  testing_support::MakeTestMap(v, 20, 12);
  SetView(6, 5);
  Select({4, 5});
  v.Map.MapTiles.Set(9, 5, 5);  // already a selected tile: kept, though a number is still drawn
  v.Map.OverlayData.Set(7, 5, 3);
  const Grid16 before = v.Map.MapTiles.Tiles();
  const OverlayLayer overlay = v.Map.OverlayData;
  // A press and each drag step paint one cell; one undo reverts the whole stroke, twice the same,
  // and leaves the overlay and the change flag alone.
  tk.randomValues = {0.0f, 0.9f, 0.0f, 0.9f, 0.0f, 0.0f, 0.0f};
  Press(1, 1, 0);
  for (const int c : {2, 3, 2}) v.Display_MouseMove(1, 0, At(c), At(0));  // 2 again: painted
  // Less than a cell left of or above the display is still view column or row 0.
  v.Display_MouseMove(1, 0, -239.0f, At(1));
  v.Display_MouseMove(1, 0, At(4), -10.0f);
  v.Display_MouseMove(1, 0, -240.0f, At(2));  // a whole cell left: a column scrolled out
  EXPECT_EQ(Drawn(), (Calls{TileCall(4, 1, 0), TileCall(5, 2, 0), TileCall(4, 0, 1),
                            TileCall(4, 4, 0), TileCall(4, -1, 2)}));
  const std::vector<std::array<int, 3>> stroke{
      {7, 5, 4}, {8, 5, 5}, {6, 6, 4}, {10, 5, 4}, {5, 7, 4}};
  EXPECT_EQ(std::tuple(v.Map.MapTiles.Tiles(), tk.randomCount),
            std::tuple(With(before, stroke), 7));
  v.Map.MapChanged = 0;  // as after a save
  for (int i = 0; i < 2; ++i) v.CommandUndo->onClick();
  EXPECT_EQ(std::tuple(v.Map.MapTiles.Tiles(), v.Map.OverlayData, v.Map.MapChanged),
            std::tuple(before, overlay, int16_t{0}));

  // A drag fill released up and left of its press, with the right button: every cell of the
  // rectangle gets a pick of its own, row by row.
  v.PaintMode->SetListIndex(kDragFill);
  Select({5, 6});
  tk.randomValues = {0.0f, 0.9f, 0.0f, 0.9f, 0.9f, 0.0f};
  SetView(6, 5);
  Press(2, 3, 2);
  v.Display_MouseUp(2, 0, At(1), At(1));

  // The lowest selected tile lands on the pressed cell, the others at their sheet offsets from
  // it; those outside the view are written but not drawn, the others drawn in selection order.
  v.PaintMode->SetListIndex(kBlockPaste);
  SetView(6, 5);
  Select({39, 38, 21, 20});
  Press(1, 4, 0);
  Select({3, 19});  // 19 is a row down and two columns left of 3
  Press(1, 2, 4);
  EXPECT_EQ(Drawn(), (Calls{TileCall(39, 5, 1), TileCall(38, 4, 1), TileCall(21, 5, 0),
                            TileCall(20, 4, 0), TileCall(3, 2, 4)}));
  SetView(0, 0);
  Press(1, 1, 0);  // 19 falls left of column 0
  EXPECT_EQ(Drawn(), Calls{TileCall(3, 1, 0)});
  const std::vector<std::array<int, 3>> cells{
      {7, 6, 5},   {8, 6, 6},   {9, 6, 5},   {7, 7, 6}, {8, 7, 6},   {9, 7, 5}, {10, 5, 20},
      {11, 5, 21}, {10, 6, 38}, {11, 6, 39}, {8, 9, 3}, {6, 10, 19}, {1, 0, 3}};
  const Grid16 painted = With(before, cells);
  EXPECT_EQ(std::tuple(v.Map.MapTiles.Tiles(), tk.randomCount), std::tuple(painted, 0));

  // In overlay mode any button puts the entry chosen in the catalogue on the map cell under the
  // pointer, even in the strip beyond the view, and redraws that cell with its marker; "Remove"
  // clears it. The tiles and their undo copy stay.
  DatView& dat = editor->datView();
  dat.Items->AddItem("1: Rock");
  dat.window->SetVisible(true);
  const Grid16 undo = v.Map.MapTiles.UndoTiles();
  for (const int16_t entry : {1, 0}) {
    dat.Items->SetListIndex(entry);
    SetView(0, 0);
    v.Display_MouseDown(entry ? 4 : 1, 0, kStripX, At(2));
    v.Display_MouseDown(1, 0, -240.0f, At(1));  // left of column 0
    EXPECT_EQ(
        std::tuple(v.Map.OverlayData.At(6, 2), v.Map.MapTiles.Tiles(), v.Map.MapTiles.UndoTiles(),
                   Drawn(), display().CallsOf(Kind::Print).size()),
        std::tuple(entry, painted, undo, Calls{TileCall(0, 6, 2)}, static_cast<size_t>(entry)));
  }
  // A cell whose tile lies past the sheet's last is not drawn, marker and all.
  dat.Items->SetListIndex(1);
  for (const int16_t tile : {int16_t(g.TileCount - 1), g.TileCount}) {
    v.Map.MapTiles.Set(6, 2, tile);
    SetView(0, 0);
    v.Display_MouseDown(1, 0, kStripX, At(2));
    EXPECT_EQ(
        std::pair(Drawn().size(), display().CallsOf(Kind::Print).size()),
        tile < g.TileCount ? std::pair(size_t{1}, size_t{1}) : std::pair(size_t{0}, size_t{0}));
  }
  // A sheet of a single column (16 x 50 pixels: three tiles, 17 pixels apart) paints like any
  // other, in tile and in overlay mode, and pastes a block of its tiles one under another.
  g.TileSheet = std::make_shared<headless::HeadlessPicture>(16, 50);
  g.TileCount = 3;
  Select({2});
  for (const bool overlayMode : {false, true}) {
    dat.window->SetVisible(overlayMode);
    v.PaintMode->SetListIndex(0);
    SetView(0, 0);
    Press(1, 1, 1);
    EXPECT_EQ(Drawn(), (Calls{{240, 240, 240, 240, 0, 2 * 255, 240, 240}})) << overlayMode;
  }
  dat.window->SetVisible(false);
  v.PaintMode->SetListIndex(kBlockPaste);
  Select({2, 1});
  SetView(0, 0);
  Press(1, 3, 1);
  EXPECT_EQ(Drawn(), (Calls{{720, 480, 240, 240, 0, 2 * 255, 240, 240},
                            {720, 240, 240, 240, 0, 255, 240, 240}}));
}

// The flood asks first. Each cell gets a number of its own, row by row, as a cell-by-cell fill
// would draw them; the largest float below 1 still names the last selected tile, not the one past
// it, and a generator straying outside [0, 1) still lands inside the selection.
TEST_F(Tools, FloodAsksAndPicksEveryCellInsideTheSelection) {
  // With no tile selected, or no sheet to cut tiles from, there is nothing to fill with, and
  // nothing is asked.
  Select({});
  v.FloodFillMap->onClick();
  Select({1});
  const int16_t size = std::exchange(g.TileSize, int16_t{0});
  v.FloodFillMap->onClick();
  g.TileSize = size;
  EXPECT_EQ(tk.messagesAsked.size(), 0u);
  std::vector<int16_t> selection(500);
  for (int i = 0; i < 500; ++i) selection[i] = static_cast<int16_t>(101 + i);
  Select(selection);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::pair<float, int16_t> picks[] = {{0.0f, 101}, {0.99999994f, 600}, {0.5f, 351},
                                             {1.0f, 600}, {1e30f, 600},       {-0.5f, 101},
                                             {nan, 101}};
  for (int i = 0; i < 80; ++i) tk.randomValues.push_back(picks[i % 7].first);
  tk.messageAnswers = {toolkit::MessageResult::No, toolkit::MessageResult::Yes};
  v.FloodFillMap->onClick();
  EXPECT_EQ(std::tuple(v.Map.MapTiles.At(0, 0), v.Map.MapChanged, tk.randomCount),
            std::tuple(int16_t{0}, int16_t{0}, 0));
  v.FloodFillMap->onClick();
  EXPECT_EQ(tk.messagesAsked.at(1).prompt, "Are you sure you want to flood fill the entire map?");
  for (int i = 0; i < 80; ++i)
    ASSERT_EQ(v.Map.MapTiles.At(i % 10, i / 10), picks[i % 7].second) << i;
  EXPECT_EQ(std::tuple(v.Map.MapChanged, tk.randomCount), std::tuple(int16_t{1}, 80));
}

}  // namespace
}  // namespace korvane
