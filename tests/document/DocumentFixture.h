#pragma once

// Map file bytes written by hand, independently of the editor's reader and writer; an editor on
// a fresh folder that a test may restart; and the one value that says whether a command left the
// document as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "formats/MapFile.h"
#include "tests/support/EditorFixture.h"

namespace korvane::testing_document {

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// The standard signature, the header, the tile values and then `rest` (the entry count and the
// entries), all little-endian.
inline std::vector<uint8_t> MapBytes(int w, int h, int32_t human, int32_t computer,
                                     const std::vector<int>& tiles, const std::vector<int>& rest) {
  std::vector<uint8_t> b = {0x50, 0x00, 0x00, 0x10, 0x75, 0x00, 0x00, 0x10,
                            0xC1, 0x0E, 0x00, 0x10, 0xC1, 0xAB, 0x07, 0x76};
  auto put = [&b](int64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
  };
  for (const int v : {w, h}) put(v, 2);
  for (const int32_t v : {human, computer}) put(v, 4);
  for (const auto* list : {&tiles, &rest})
    for (const int v : *list) put(v, 2);
  return b;
}

inline Grid16 MakeGrid(int32_t w, int32_t h, std::vector<int16_t> cells = {}) {
  Grid16 g = *Grid16::TryCreate(w, h);
  std::copy_n(cells.begin(), std::min(cells.size(), g.Cells().size()), g.Cells().begin());
  return g;
}

// The overlay that holds the grid's cells other than 0.
inline OverlayLayer OverlayOf(const Grid16& grid) {
  OverlayLayer overlay = *OverlayLayer::TryCreate(grid.Width(), grid.Height());
  for (int32_t y = 0; y < grid.Height(); ++y)
    for (int32_t x = 0; x < grid.Width(); ++x) overlay.Set(x, y, grid.At(x, y));
  return overlay;
}

// A w x h layer whose every `every`-th cell holds a value from 1 to 300 that depends on `seed`.
inline Grid16 Pattern(int32_t w, int32_t h, int seed, int every = 1) {
  Grid16 g = MakeGrid(w, h);
  for (size_t i = 0; i < g.Cells().size(); i += static_cast<size_t>(every))
    g.Cells()[i] = static_cast<int16_t>(1 + (i * 7 + static_cast<size_t>(seed)) % 300);
  return g;
}

// Everything a failed command must leave as it was.
inline auto Snapshot(MapView& v) {
  return std::tuple(v.Map.MapWidth, v.Map.MapHeight, v.Map.HumanResources, v.Map.ComputerResources,
                    v.Map.MapTiles.Tiles(), v.Map.MapTiles.UndoTiles(), v.Map.OverlayData,
                    v.Map.CurrentMapFile, v.window->Caption(), v.Map.MapChanged);
}

// A started editor with the sample sheet and tile 9 selected, in a fresh folder with a maps
// folder in it, removed at the end.
class DocumentTest : public testing_support::EditorTest {
 protected:
  DocumentTest() {
    std::filesystem::create_directories(maps);
    Prepare();
  }
  ~DocumentTest() override { std::filesystem::remove_all(dir); }

  // A fresh editor in place of the running one, on the same folder. With failAt at 0 or above,
  // the start-up's own file operations are counted and the chosen one fails.
  void Restart(int failAt = -1) {
    editor.reset();
    tk.files.failAt = failAt;
    tk.files.operations = 0;
    tk.failuresReported.clear();
    tk.messagesAsked.clear();
    editor = std::make_unique<Editor>(tk);
    editor->Start();
    Prepare();
  }
  // A map as if loaded from `file`, with an edit since the last press so that the undo copy
  // differs from the tiles, and unsaved.
  void PutMap(Grid16 tiles, Grid16 overlay, const std::string& file) {
    MapView& v = view();
    v.Map.MapWidth = static_cast<int16_t>(tiles.Width());
    v.Map.MapHeight = static_cast<int16_t>(tiles.Height());
    v.Map.MapTiles = TileLayer(std::move(tiles));
    v.Map.MapTiles.Set(0, 0, 77);
    v.Map.OverlayData = OverlayOf(overlay);
    v.Map.CurrentMapFile = file;
    v.Map.MapChanged = 1;
    v.SetCaptionFromFile();
  }
  void PutSmallMap(const std::string& file) {
    PutMap(MakeGrid(3, 2, {1, 2, 3, 4, 5, 6}), MakeGrid(3, 2, {0, 4, 0, 0, 0, 2}), file);
  }
  std::string Path(const std::string& name) const { return (maps / name).string(); }
  std::string CataloguePath() const { return (dir / "Overlay.dat").string(); }
  // The names in a folder, sorted: a temporary file left behind shows up here.
  static std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  const std::filesystem::path dir = Folder();
  const std::filesystem::path maps = dir / "maps";

 private:
  // Counting starts after the start-up unless a start-up step is to fail.
  void Prepare() {
    if (tk.files.failAt < 0) tk.files.operations = 0;
    testing_support::ApplyTestSheet(global());
    global().SelectedCount = 1;
    global().SelectedTiles[1] = 9;
  }
};

}  // namespace korvane::testing_document
