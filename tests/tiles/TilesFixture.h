#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/EditorFixture.h"
#include "tiles/LoadTiles.h"
#include "tiles/TileView.h"

namespace korvane::tiletest {

using headless::DrawCall;
using headless::H;

inline constexpr toolkit::Color kRed = toolkit::Rgb(255, 0, 0);
inline constexpr toolkit::Color kBlack = toolkit::Rgb(0, 0, 0);
// Palette cell pitch of 16-pixel tiles at zoom 1: 240 twips of tile and a 30-twip gutter.
inline constexpr float kCell = 270;

// A started editor with the palette shown at a known size and no sheet applied yet.
class TilesTest : public testing_support::EditorTest {
 protected:
  TilesTest() {
    palette().window->SetVisible(true);
    ResizePalette(4800, 7800);
  }
  TileView& palette() { return editor->tileView(); }
  MapGlobal& g() { return global(); }
  headless::HeadlessSurface& surface() { return H(*palette().Display); }
  headless::HeadlessScrollBar& bar() { return H(*palette().HScroll); }
  void ResizePalette(float w, float h) { H(*palette().window).UserResizeClient(w, h); }
  // Keeps the width and gives the palette surface this interior height.
  void SetSurfaceHeight(float h) { ResizePalette(palette().window->ScaleWidth(), h + 255); }

  // Types the geometry into the dialog, optionally with another preview, and presses Ok.
  bool ApplySheet(const std::string& size, const std::string& spacing, const std::string& offset,
                  toolkit::PicturePtr picture = nullptr) {
    LoadTiles& dialog = editor->loadTiles();
    dialog.TileSize->SetText(size);
    dialog.TileSpacing->SetText(spacing);
    dialog.TileOffset->SetText(offset);
    if (picture) dialog.Display->SetPicture(std::move(picture));
    return dialog.OkLoad_Click();
  }
  bool ApplySample() { return ApplySheet("16", "1", "0"); }
  static toolkit::PicturePtr Picture(int32_t widthPx, int32_t heightPx) {
    return std::make_shared<headless::HeadlessPicture>(widthPx, heightPx);
  }
  // A press in the middle of palette cell (x, y) at zoom 1.
  void PressCell(int16_t button, int x, int y) {
    palette().Display_MouseDown(button, 0, x * kCell + 120, y * kCell + 120);
  }
};

// The calls of one kind that the latest repaint drew (after the surface's last clear).
inline std::vector<DrawCall> LastPaint(const headless::HeadlessSurface& s, DrawCall::Kind kind) {
  std::vector<DrawCall> out;
  for (const DrawCall& call : s.calls) {
    if (call.kind == DrawCall::Kind::Clear) out.clear();
    if (call.kind == kind) out.push_back(call);
  }
  return out;
}

}  // namespace korvane::tiletest
