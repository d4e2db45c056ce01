#pragma once

// The started editor with the test sheet, a 10 x 8 map and a view of 6 x 5 whole cells plus half
// a cell of strip beyond them, at zoom 1 without grid: every cell is 240 twips square.

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"

namespace korvane::tools_test {

using headless::DrawCall;
using Kind = DrawCall::Kind;

class ToolsTest : public testing_support::EditorTest {
 protected:
  ToolsTest() : v(view()), g(global()) {
    testing_support::ApplyTestSheet(g);
    MakeMap(10, 8);
    SetView(6, 5);
  }

  void MakeMap(int16_t w, int16_t h) { testing_support::MakeTestMap(v, w, h); }

  // Shows the page of whole cells that starts at map column firstCol (a multiple of cols).
  void SetView(int16_t cols, int16_t rows, int16_t firstCol = 0) {
    v.Display->SetPlace(toolkit::Place{0, 375, cols * 240 + 120.0f, rows * 240 + 120.0f});
    v.UpdateViewGeometry();
    v.HScroll->SetValue(static_cast<int16_t>(firstCol / cols + 1));
    v.UpdateViewGeometry();
    ClearLogs();
  }

  void Select(std::initializer_list<int16_t> tiles) {
    g.SelectedCount = 0;
    for (int16_t t : tiles) g.SelectedTiles[++g.SelectedCount] = t;
  }
  void SetMode(int16_t mode) { v.PaintMode->SetListIndex(mode); }

  // The middle of screen column c (row r), and the strip beyond the last whole column (row).
  static float AtX(int32_t c) { return c * 240 + 120.0f; }
  static float AtY(int32_t r) { return r * 240 + 120.0f; }
  float StripX() const { return v.ViewCols * 240 + 60.0f; }
  float StripY() const { return v.ViewRows * 240 + 60.0f; }

  void Press(int16_t b, int c, int r) { v.Display_MouseDown(b, 0, AtX(c), AtY(r)); }
  void Move(int16_t b, int c, int r) { v.Display_MouseMove(b, 0, AtX(c), AtY(r)); }
  void Release(int16_t b, int c, int r) { v.Display_MouseUp(b, 0, AtX(c), AtY(r)); }

  // The arguments of every tile drawn since the last ClearLogs, in order.
  using Calls = std::vector<std::vector<float>>;
  Calls Drawn() const {
    Calls out;
    for (const DrawCall& call : headless::H(*v.Display).CallsOf(Kind::PaintPicture))
      out.push_back(call.args);
    return out;
  }
  void ClearLogs() {
    display().ClearLog();
    tk.randomCount = 0;
  }
  // The drawing of tile t into screen cell (c, r): 18 sheet columns, 255 twips apart.
  static std::vector<float> TileCall(int t, int c, int r) {
    return {c * 240.0f, r * 240.0f, 240, 240, (t % 18) * 255.0f, (t / 18) * 255.0f, 240, 240};
  }
  // A w x h map of tile 0 but for the given {x, y, tile} cells.
  static Grid16 MapWith(int16_t w, int16_t h, const std::vector<std::array<int16_t, 3>>& cells) {
    Grid16 grid = *Grid16::TryCreate(w, h);
    for (const auto& [x, y, t] : cells) grid.Set(x, y, t);
    return grid;
  }
  // Takes a snapshot and edits after it, so that a fresh snapshot can be told from it.
  void EditSinceSnapshot() {
    v.MapTiles.TakeUndoSnapshot();
    v.MapTiles.Set(0, 0, 77);
  }

  MapView& v;
  MapGlobal& g;
};

}  // namespace korvane::tools_test
