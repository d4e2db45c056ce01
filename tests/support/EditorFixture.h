#pragma once

// What most editor tests start from: a headless toolkit whose executable folder is a fresh,
// empty folder, an editor on it, and quick ways to put a tile sheet and a map in place without
// going through the dialogs.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/support/HeadlessToolkit.h"

namespace korvane::testing_support {

// A fresh, empty folder for the running test, under $KORVANE_TEST_TMP (set by ctest) or the
// test framework's temporary folder.
inline std::string FreshFolder() {
  static std::atomic<int> counter{0};
  const char* root = std::getenv("KORVANE_TEST_TMP");
  std::filesystem::path dir = root ? root : testing::TempDir();
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  std::ranges::replace(name, '/', '_');
  dir /= name + "." + std::to_string(counter++);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

// The geometry "Ok" gives the 305 x 256 sample-sheet layout at 15 twips per pixel: 16-pixel
// tiles 1 pixel apart, 18 columns, 15 rows, 270 tiles.
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

// A map of w x h cells, all tile 0, no overlay objects, nothing unsaved.
inline void MakeTestMap(MapView& view, int16_t w, int16_t h) {
  view.Map.MapWidth = w;
  view.Map.MapHeight = h;
  view.Map.MapTiles = TileLayer(*Grid16::TryCreate(w, h));
  view.Map.OverlayData = *OverlayLayer::TryCreate(w, h);
  view.Map.MapChanged = 0;
}

// A started editor (main window shown, palette and catalogue loaded) on the headless toolkit.
class EditorTest : public testing::Test {
 protected:
  EditorTest() {
    tk.executableFolder = FreshFolder();
    editor = std::make_unique<Editor>(tk);
    editor->Start();
  }

  MapView& view() { return editor->mapView(); }
  MapGlobal& global() { return editor->Global(); }
  headless::HeadlessWindow& mainWindow() { return headless::H(*view().window); }
  headless::HeadlessSurface& display() { return headless::H(*view().Display); }
  std::string Folder() const { return tk.executableFolder; }

  // Sizes the main window so that the map display's interior is w x h twips.
  void SizeDisplay(float w, float h) { mainWindow().UserResizeClient(w + 255, h + 630); }
  // The test sheet, a w x h map and a display of the given size, drawn once so that the view
  // geometry and the scroll bars are set.
  void ShowMap(int16_t w, int16_t h, float displayW = 4000, float displayH = 3000) {
    ApplyTestSheet(global());
    MakeTestMap(view(), w, h);
    SizeDisplay(displayW, displayH);
    display().Refresh();
  }

  headless::HeadlessToolkit tk;
  std::unique_ptr<Editor> editor;
};

}  // namespace korvane::testing_support
