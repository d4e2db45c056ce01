#pragma once

// A started editor on the headless toolkit, with helpers that set up a tile sheet and a map
// directly in the shared state, so the main window's tests need no other subsystem.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/Grid16.h"
#include "document/TileLayer.h"
#include "shell/Editor.h"
#include "shell/MapGlobal.h"
#include "shell/MapView.h"
#include "tests/support/HeadlessToolkit.h"

namespace korvane::shelltest {

using headless::DrawCall;

// A fresh, empty folder per test, standing in for the executable's folder.
inline std::string FreshFolder(const std::string& suffix = "") {
  const char* root = std::getenv("KORVANE_TEST_TMP");
  const std::filesystem::path base = root ? root : testing::TempDir();
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name() + suffix;
  for (char& c : name)
    if (c == '/') c = '_';
  const std::filesystem::path dir = base / "shell" / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

// The sheet of a 305 x 256 pixel bitmap cut into 16-pixel tiles, 1 pixel apart: 18 columns,
// 15 rows, 270 tiles.
inline void ApplyTestSheet(MapGlobal& g) {
  g.TileSize = 16;
  g.TileSpacing = 1;
  g.TileOffset = 0;
  g.PixelTwipsX = g.PixelTwipsY = 15;
  g.TileTwipsX = g.TileTwipsY = 240;
  g.TwoPixelsX = g.TwoPixelsY = 30;
  g.TileSheet = std::make_shared<headless::HeadlessPicture>(305, 256);
  g.TileCount = 270;
}

// A map of w x h cells, all tile 0, no overlay objects.
inline void MakeTestMap(MapView& view, int16_t w, int16_t h) {
  view.MapWidth = w;
  view.MapHeight = h;
  view.MapTiles = TileLayer(*Grid16::TryCreate(w, h));
  view.OverlayData = *Grid16::TryCreate(w, h);
}

class MapViewTest : public testing::Test {
 protected:
  void SetUp() override {
    tk.executableFolder = FreshFolder();
    editor = std::make_unique<Editor>(tk);
    editor->Start();
  }

  MapView& view() { return editor->mapView(); }
  headless::HeadlessWindow& mainWindow() { return headless::H(*view().window); }
  headless::HeadlessSurface& display() { return headless::H(*view().Display); }
  headless::HeadlessScrollBar& hscroll() { return headless::H(*view().HScroll); }
  headless::HeadlessScrollBar& vscroll() { return headless::H(*view().VScroll); }

  // Lays the main window out so that the display's interior is w x h twips.
  void SizeDisplay(float w, float h) { mainWindow().UserResizeClient(w + 255, h + 630); }

  // A sheet, a map and a display of the given size, drawn once so the scroll bars are set.
  void ShowMap(int16_t mapW, int16_t mapH, float displayW = 4000, float displayH = 3000) {
    ApplyTestSheet(editor->Global());
    MakeTestMap(view(), mapW, mapH);
    SizeDisplay(displayW, displayH);
    display().Refresh();
  }

  // The calls of one full redraw, after the scroll bars have settled.
  std::vector<DrawCall> Redraw() {
    display().Refresh();
    display().ClearLog();
    display().Refresh();
    return display().calls;
  }

  headless::HeadlessToolkit tk;
  std::unique_ptr<Editor> editor;
};

}  // namespace korvane::shelltest
