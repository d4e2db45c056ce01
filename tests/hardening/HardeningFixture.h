#pragma once

// A fresh folder on the real disk per test, editors started in it as many as a test needs (a
// loop that injects a fault at every step wants a new editor each time), and the one value that
// says whether a failed command left the document as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/Grid16.h"
#include "document/MapFile.h"
#include "shell/Editor.h"
#include "shell/MapGlobal.h"
#include "shell/MapView.h"
#include "tests/document/DocumentFixture.h"
#include "tests/support/EditorFixture.h"
#include "toolkit/Window.h"

namespace korvane::hardening {

using testing_document::MakeGrid;
using testing_document::ReadBytes;
using testing_document::WriteBytes;

// Everything a failed command must leave as it was.
struct DocumentSnapshot {
  int16_t width = 0, height = 0;
  int32_t human = 0, computer = 0;
  Grid16 tiles, undo, overlay;
  std::string file, caption;
  int16_t changed = 0;
  bool operator==(const DocumentSnapshot&) const = default;
};

inline DocumentSnapshot Snapshot(MapView& v) {
  return {v.MapWidth,          v.MapHeight,        v.HumanResources,
          v.ComputerResources, v.MapTiles.Tiles(), v.MapTiles.UndoTiles(),
          v.OverlayData,       v.CurrentMapFile,   v.window->Caption(),
          v.MapChanged};
}

// The layers agree with the map size, as every command must leave them.
inline void ExpectConsistent(MapView& v) {
  EXPECT_EQ(v.MapTiles.Width(), v.MapWidth);
  EXPECT_EQ(v.MapTiles.Height(), v.MapHeight);
  EXPECT_EQ(v.OverlayData.Width(), v.MapWidth);
  EXPECT_EQ(v.OverlayData.Height(), v.MapHeight);
}

// Names in a folder other than the ones given: temporary files a save or close left behind.
inline std::vector<std::string> StrayFiles(const std::filesystem::path& folder,
                                           const std::vector<std::string>& expected) {
  std::vector<std::string> stray;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (std::find(expected.begin(), expected.end(), name) == expected.end()) stray.push_back(name);
  }
  return stray;
}

// One running editor with the sample sheet and tile 9 selected. With failAt at 0 or above the
// start-up's own file operations are counted and the chosen one fails; otherwise counting starts
// after the start-up.
struct Session {
  explicit Session(const std::string& folder, int failAt = -1) {
    tk.executableFolder = folder;
    tk.files.failAt = failAt;
    editor.Start();
    if (failAt < 0) tk.files.operations = 0;
    testing_support::ApplyTestSheet(editor.Global());
    editor.Global().SelectedCount = 1;
    editor.Global().SelectedTiles[1] = 9;
  }
  MapView& view() { return editor.mapView(); }

  // A map as if loaded from `file`, with an edit since the last press so that the undo copy
  // differs from the tiles.
  void PutMap(Grid16 tiles, Grid16 overlay, const std::string& file) {
    MapView& v = view();
    v.MapWidth = static_cast<int16_t>(tiles.Width());
    v.MapHeight = static_cast<int16_t>(tiles.Height());
    v.MapTiles = TileLayer(std::move(tiles));
    v.MapTiles.Set(0, 0, 77);
    v.OverlayData = std::move(overlay);
    v.HumanResources = 11;
    v.ComputerResources = -22;
    v.CurrentMapFile = file;
    v.MapChanged = 1;
    v.SetCaptionFromFile();
  }
  // The unsaved 3 x 2 map most tests start from.
  void PutSmallMap(const std::string& file) {
    PutMap(MakeGrid(3, 2, {1, 2, 3, 4, 5, 6}), MakeGrid(3, 2, {0, 4, 0, 0, 0, 2}), file);
  }

  headless::HeadlessToolkit tk;  // first: the editor refers to it
  Editor editor{tk};
};

// A small map with every kind of content: tiles, overlay entries and resources.
inline MapFileContents SampleMap(int16_t w, int16_t h, int16_t seed) {
  MapFileContents m;
  m.width = w;
  m.height = h;
  m.humanResources = 1000 + seed;
  m.computerResources = -7 * seed;
  m.tiles = MakeGrid(w, h);
  m.overlay = MakeGrid(w, h);
  for (int32_t i = 0; i < w * h; ++i)
    m.tiles.Cells()[static_cast<size_t>(i)] = static_cast<int16_t>((i * 7 + seed) % 300);
  for (int32_t i = seed % 3; i < w * h; i += 5)
    m.overlay.Cells()[static_cast<size_t>(i)] = static_cast<int16_t>(1 + i % 6);
  return m;
}

inline std::vector<uint8_t> Bytes(const MapFileContents& m) {
  auto bytes = SerializeMapFile(m);
  EXPECT_TRUE(bytes);
  return bytes ? *bytes : std::vector<uint8_t>{};
}

class HardeningTest : public testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(maps); }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::unique_ptr<Session> NewSession(int failAt = -1) {
    return std::make_unique<Session>(dir.string(), failAt);
  }
  std::string Path(const std::string& name) const { return (maps / name).string(); }
  std::string CataloguePath() const { return (dir / "Overlay.dat").string(); }

  const std::filesystem::path dir = testing_support::FreshFolder();
  const std::filesystem::path maps = dir / "maps";
};

}  // namespace korvane::hardening
