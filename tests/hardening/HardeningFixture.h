#pragma once

// A fresh folder on the real disk per test, and editors started on the headless toolkit in it, as
// many as a test needs (a loop that injects a fault at every step wants a new editor each time).

#include <gtest/gtest.h>

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
#include "tests/hardening/DocumentSnapshot.h"
#include "tests/support/EditorFixture.h"
#include "tests/support/HeadlessToolkit.h"

namespace korvane::hardening {

using testing_document::MakeGrid;
using testing_document::ReadBytes;
using testing_document::WriteBytes;

// One running editor. The toolkit is declared first: the editor refers to it.
struct Session {
  // With failAt at 0 or above, the start-up's own file operations are counted too and the chosen
  // one fails; otherwise counting starts after the start-up.
  explicit Session(const std::string& folder, const std::string& commandLine = "",
                   int failAt = -1) {
    tk.executableFolder = folder;
    tk.commandLine = commandLine;
    tk.files.failAt = failAt;
    editor.Start();
    if (failAt < 0) {
      tk.files.operations = 0;
      tk.files.log.clear();
    }
  }
  MapView& view() { return editor.mapView(); }

  // The sample sheet's geometry as the tile-sheet dialog leaves it, and tile 9 selected.
  void UseTileSheet() {
    MapGlobal& g = editor.Global();
    testing_support::ApplyTestSheet(g);
    g.SelectedCount = 1;
    g.SelectedTiles[1] = 9;
  }

  // Puts a map into the document as if it had been loaded from `file`, with an edit since the
  // last press so that the undo copy differs from the tiles.
  void PutMap(Grid16 tiles, Grid16 overlay, const std::string& file, int16_t changed) {
    MapView& v = view();
    v.MapWidth = static_cast<int16_t>(tiles.Width());
    v.MapHeight = static_cast<int16_t>(tiles.Height());
    v.MapTiles = TileLayer(std::move(tiles));
    v.MapTiles.Set(0, 0, 77);
    v.OverlayData = std::move(overlay);
    v.HumanResources = 11;
    v.ComputerResources = -22;
    v.CurrentMapFile = file;
    v.MapChanged = changed;
    if (!file.empty()) v.SetCaptionFromFile();
  }

  headless::HeadlessToolkit tk;
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
  void SetUp() override {
    dir = testing_support::FreshFolder();
    maps = dir / "maps";
    std::filesystem::create_directories(maps);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  // A started editor whose executable folder (and so Overlay.dat) is the test's folder.
  std::unique_ptr<Session> NewSession(const std::string& commandLine = "", int failAt = -1) {
    return std::make_unique<Session>(dir.string(), commandLine, failAt);
  }
  std::string Path(const std::string& name) const { return (maps / name).string(); }
  std::string CataloguePath() const { return (dir / "Overlay.dat").string(); }

  std::filesystem::path dir;
  std::filesystem::path maps;
};

}  // namespace korvane::hardening
