#include <set>

#include "ops/MapSymmetry.h"
#include "overlay/DatView.h"
#ifndef _WIN32
#include "tests/support/AddressSpace.h"
#endif
#include "tests/support/EditorFixture.h"

namespace korvane {
namespace {

using Kind = headless::DrawCall::Kind;
using Cell = std::pair<int, int>;

// The images of (x, y) on a w x h map, written out from their definition.
std::set<Cell> Images(Symmetry m, int w, int h, int x, int y) {
  std::set<Cell> cells{{x, y}};
  if (m == Symmetry::LeftRight || m == Symmetry::FourWay) cells.insert({w - 1 - x, y});
  if (m == Symmetry::TopBottom || m == Symmetry::FourWay) cells.insert({x, h - 1 - y});
  if (m == Symmetry::FourWay || m == Symmetry::HalfTurn) cells.insert({w - 1 - x, h - 1 - y});
  return cells;
}

// The test sheet; a map shown from its top-left cell, 6 x 5 whole cells of 240 twips.
class SymmetryTools : public testing_support::EditorTest {
 protected:
  SymmetryTools() : v(view()), g(global()) { testing_support::ApplyTestSheet(g); }
  void Show(MapView& m, int w, int h) {
    testing_support::MakeTestMap(m, static_cast<int16_t>(w), static_cast<int16_t>(h));
    m.Display->SetPlace(toolkit::Place{0, 375, 6 * 240 + 120.0f, 5 * 240 + 120.0f});
    m.UpdateViewGeometry();
  }
  static void Select(MapGlobal& gl, const std::vector<int16_t>& tiles) {
    gl.SelectedCount = 0;
    for (int16_t t : tiles) gl.SelectedTiles[++gl.SelectedCount] = t;
  }
  static void Choose(MapView& m, Symmetry mode) {
    m.MENU_SYMMETRY[static_cast<size_t>(mode)]->onClick();
  }
  static float At(int cell) { return cell * 240 + 120.0f; }
  static void Press(MapView& m, int c, int r) { m.Display_MouseDown(1, 0, At(c), At(r)); }
  MapView& v;
  MapGlobal& g;
};

// Every tool under every symmetry, on even and odd sizes and on maps one cell wide or high,
// against a model that mirrors each write by the definition of the images: one random number
// per written cell (per group for the flood fill, drawn by its first cell in row order), undo
// taking back a stroke with all its images, and the painted map passing the symmetry check.
TEST_F(SymmetryTools, EveryToolWritesTheCellAndItsImages) {
  DatView& dat = editor->datView();
  dat.Items->AddItem("1: Rock");
  for (const Symmetry mode : kSymmetries)
    for (const auto& [w, h] : {Cell{10, 8}, Cell{9, 7}, Cell{1, 8}, Cell{7, 1}}) {
      SCOPED_TRACE(std::string(SymmetryName(mode)) + " " + std::to_string(w) + "x" +
                   std::to_string(h));
      Choose(v, mode);
      Show(v, w, h);
      Grid16 tiles = *Grid16::TryCreate(w, h);
      OverlayLayer overlay = *OverlayLayer::TryCreate(w, h);
      const auto write = [&](int x, int y, int16_t t) {
        for (const auto& [a, b] : Images(mode, w, h, x, y)) tiles.Set(a, b, t);
      };
      std::vector<float> numbers;
      for (int i = 0; i < 200; ++i) numbers.push_back(static_cast<float>(i * 7 % 10) / 10);
      tk.randomValues.assign(numbers.begin(), numbers.end());
      tk.randomCount = 0;
      size_t next = 0;
      const auto pick = [&] { return static_cast<int16_t>(4 + int(numbers[next++] * 3)); };
      const auto expect = [&](const char* step) {
        EXPECT_EQ(std::tuple(v.Map.MapTiles.Tiles(), v.Map.OverlayData, tk.randomCount),
                  std::tuple(tiles, overlay, static_cast<int>(next)))
            << step;
      };
      Select(g, {4, 5, 6});
      const int lastC = std::min(w, 6) - 1, lastR = std::min(h, 5) - 1;
      // A stroke round the view and back onto its first cell, which holds a selected tile now.
      v.PaintMode->SetListIndex(kNormalPainting);
      const Cell stroke[] = {{0, 0}, {lastC, 0}, {lastC, lastR}, {0, lastR}, {0, 0}};
      for (const auto& [c, r] : stroke) {
        if (&c == &stroke[0].first)
          Press(v, c, r);
        else
          v.Display_MouseMove(1, 0, At(c), At(r));
        const int16_t t = pick();
        if (!g.IsSelected(tiles.At(c, r))) write(c, r, t);
      }
      expect("stroke");
      EXPECT_TRUE(IsSymmetric(v.Map, mode));
      v.CommandUndo->onClick();
      tiles = *Grid16::TryCreate(w, h);
      expect("undo");
      // A drag fill over every cell in view, across the axes.
      v.PaintMode->SetListIndex(kDragFill);
      Press(v, lastC, lastR);
      v.Display_MouseUp(1, 0, At(0), At(0));
      for (int r = 0; r <= lastR; ++r)
        for (int c = 0; c <= lastC; ++c) write(c, r, pick());
      expect("drag fill");
      // Tiles 20, 21, 38 and 39 of an 18-column sheet, 20 on the pressed cell; then undone.
      v.PaintMode->SetListIndex(kBlockPaste);
      Select(g, {39, 20, 21, 38});
      const Grid16 beforePaste = tiles;
      const int pc = lastC > 0 ? 1 : 0;
      Press(v, pc, 0);
      for (const int16_t t : {39, 20, 21, 38})
        if (pc + t % 18 - 2 >= 0 && pc + t % 18 - 2 < w && t / 18 - 1 < h)
          write(pc + t % 18 - 2, t / 18 - 1, t);
      expect("block paste");
      v.CommandUndo->onClick();
      tiles = beforePaste;
      expect("undo paste");
      // The flood: a cell with no image before it in row order draws its group's number.
      Select(g, {4, 5, 6});
      tk.messageAnswers = {toolkit::MessageResult::Yes};
      v.FloodFillMap->onClick();
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (std::ranges::none_of(Images(mode, w, h, x, y), [&](const Cell& c) {
                return Cell{c.second, c.first} < Cell{y, x};
              }))
            write(x, y, pick());
      expect("flood fill");
      EXPECT_TRUE(IsSymmetric(v.Map, mode));
      // An object placed, then removed from one of its images.
      dat.window->SetVisible(true);
      for (const auto& [entry, c] : {Cell{1, lastC}, Cell{0, 0}}) {
        dat.Items->SetListIndex(static_cast<int16_t>(entry));
        Press(v, c, 0);
        for (const auto& [a, b] : Images(mode, w, h, c, 0))
          overlay.Set(a, b, static_cast<int16_t>(entry));
        expect("overlay");
      }
      dat.window->SetVisible(false);
    }
}

// Without the memory for an undo copy of the whole map, the flood still fills it, with and
// without a symmetry, cell by cell, and undo still goes back to the last press.
TEST_F(SymmetryTools, AFloodWithoutMemoryForAnUndoCopyGoesCellByCell) {
#if defined(__SANITIZE_ADDRESS__) || defined(_WIN32)
  GTEST_SKIP() << "the address space can be capped only on Linux, and not under the sanitizer";
#else
  Show(v, 32767, 128);  // 8 MiB of tiles
  const std::array<Cell, 3> marked{Cell{0, 0}, Cell{32766, 127}, Cell{5, 100}};
  for (const auto& [x, y] : marked) v.Map.MapTiles.Set(x, y, 7);
  v.Map.MapTiles.TakeUndoSnapshot();  // as a press would
  Select(g, {0});
  const auto nonZero = [&] {
    return std::ranges::count_if(v.Map.MapTiles.Tiles().Cells(), [](int16_t t) { return t != 0; });
  };
  testing_support::WithAddressSpaceCap(4 << 20, [&] {
    for (const Symmetry mode : {Symmetry::Off, Symmetry::LeftRight, Symmetry::TopBottom,
                                Symmetry::FourWay, Symmetry::HalfTurn}) {
      Choose(v, mode);
      tk.messageAnswers = {toolkit::MessageResult::Yes};
      v.FloodFillMap->onClick();
      EXPECT_EQ(nonZero(), 0) << SymmetryName(mode);
      v.CommandUndo->onClick();
      EXPECT_EQ(nonZero(), 3) << SymmetryName(mode);
      EXPECT_EQ(v.Map.MapTiles.At(32766, 127), 7);
    }
  });
#endif
}

// Written cells in view are drawn at once, with the axes over those they cross; choosing an entry
// marks it alone and redraws the display once, with the axes over the whole map. "Off" takes the
// axes away again, from the redraw and from what is written after it.
TEST_F(SymmetryTools, TheAxesAndTheWrittenCellsAreDrawn) {
  Show(v, 6, 5);
  display().ClearLog();
  display().paintCount = 0;
  Choose(v, Symmetry::FourWay);
  Choose(v, Symmetry::FourWay);  // no change, no redraw
  std::vector<bool> marks;
  for (const auto* item : v.MENU_SYMMETRY) marks.push_back(item->Checked());
  EXPECT_EQ(marks, (std::vector<bool>{false, false, false, true, false}));
  EXPECT_EQ(display().paintCount, 1);
  Select(g, {7});
  Press(v, 3, 2);  // on both axes; its one image (2, 2) is on the horizontal one
  std::vector<std::pair<Kind, std::vector<float>>> drawn;
  for (const auto& call : display().calls)
    if (call.kind != Kind::Clear)
      drawn.emplace_back(call.kind, std::vector(call.args.begin(), call.args.begin() + 4));
  // After the 30 cells: the width is even, so the vertical axis is the left edge of column 3; the
  // height is odd, so the horizontal one runs through the middle of row 2.
  EXPECT_EQ(
      std::vector(drawn.begin() + 30, drawn.end()),
      (std::vector<std::pair<Kind, std::vector<float>>>{{Kind::DottedLine, {720, 0, 720, 1200}},
                                                        {Kind::DottedLine, {0, 600, 1440, 600}},
                                                        {Kind::PaintPicture, {720, 480, 240, 240}},
                                                        {Kind::DottedLine, {720, 480, 720, 720}},
                                                        {Kind::DottedLine, {720, 600, 960, 600}},
                                                        {Kind::PaintPicture, {480, 480, 240, 240}},
                                                        {Kind::DottedLine, {480, 600, 720, 600}}}));
  // A press on the first cell draws the four corners, the page's first and last cells.
  display().ClearLog();
  Press(v, 0, 0);
  std::set<std::pair<float, float>> corners;
  for (const auto& call : display().CallsOf(Kind::PaintPicture))
    corners.emplace(call.args[0], call.args[1]);
  EXPECT_EQ(corners, (std::set<std::pair<float, float>>{{0, 0}, {1200, 0}, {0, 960}, {1200, 960}}));
  display().ClearLog();
  Choose(v, Symmetry::Off);
  Press(v, 3, 1);  // on the vertical axis, were it still there
  EXPECT_EQ(std::tuple(display().CallsOf(Kind::DottedLine).size(),
                       display().CallsOf(Kind::PaintPicture).size(), display().paintCount),
            std::tuple(size_t{0}, size_t{31}, 2));
}

// The axes on the page a scroll bar shows (6 x 5 cells a page): an axis on the page's first or
// last column or row, and one just off either side of it. An odd side puts it through the middle
// of its cell.
TEST_F(SymmetryTools, AnAxisIsDrawnOnEveryPageItCrossesAndOnNoOther) {
  using Lines = std::vector<std::vector<float>>;
  struct Row {
    int w, h, hPage, vPage;
    Lines lines;
  };
  for (const auto& [w, h, hPage, vPage, lines] : std::vector<Row>{
           {12, 10, 2, 2, {{0, 0, 0, 1200}, {0, 0, 1440, 0}}},
           {12, 10, 1, 1, {}},
           {11, 9, 1, 1, {{1320, 0, 1320, 1200}, {0, 1080, 1440, 1080}}},
           {11, 9, 2, 2, {}},
           {13, 11, 2, 2, {{120, 0, 120, 1200}, {0, 120, 1440, 120}}},
       }) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    Choose(v, Symmetry::FourWay);
    Show(v, w, h);
    v.HScroll->SetValue(static_cast<int16_t>(hPage));
    v.VScroll->SetValue(static_cast<int16_t>(vPage));
    display().ClearLog();
    display().Refresh();
    Lines drawn;
    for (const auto& call : display().CallsOf(Kind::DottedLine)) drawn.push_back(call.args);
    EXPECT_EQ(drawn, lines);
  }
}

}  // namespace
}  // namespace korvane
