#pragma once

// Shared set-up of the document tests: a started editor on the headless toolkit, a fresh folder
// on the real disk for each test, and small helpers to build maps and file bytes by hand.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "document/Grid16.h"
#include "shell/Editor.h"
#include "shell/MapGlobal.h"
#include "shell/MapView.h"
#include "tests/support/HeadlessToolkit.h"

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

// Map file bytes written by hand, independent of the editor's writer: the standard signature,
// the header, the tile values and then `rest` (the entry count and entries), all little-endian.
inline std::vector<uint8_t> MapBytes(int w, int h, int32_t human, int32_t computer,
                                     const std::vector<int>& tiles, const std::vector<int>& rest) {
  std::vector<uint8_t> b = {0x50, 0x00, 0x00, 0x10, 0x75, 0x00, 0x00, 0x10,
                            0xC1, 0x0E, 0x00, 0x10, 0xC1, 0xAB, 0x07, 0x76};
  auto put = [&b](int64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
  };
  put(w, 2);
  put(h, 2);
  put(human, 4);
  put(computer, 4);
  for (int v : tiles) put(v, 2);
  for (int v : rest) put(v, 2);
  return b;
}

// The worked example: a 2 x 1 map with tiles 5 and 7, resources 100 and 200, no overlay.
inline std::vector<uint8_t> SmallMapBytes() {
  return MapBytes(2, 1, 100, 200, {5, 7}, {0});
}

inline Grid16 MakeGrid(int32_t w, int32_t h, std::vector<int16_t> cells = {}) {
  Grid16 g = *Grid16::TryCreate(w, h);
  if (!cells.empty()) g.Cells() = std::move(cells);
  return g;
}

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
      if (c == '/') c = '_';
    dir = std::filesystem::path(::testing::TempDir()) /
          ("korvane_doc_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" +
           name);
    std::filesystem::remove_all(dir);
    maps = dir / "maps";
    std::filesystem::create_directories(maps);
    tk.executableFolder = dir.string();
    editor.Start();
    // Count only what the test itself makes the editor do on the disk.
    tk.files.operations = 0;
    tk.files.log.clear();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(maps, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir, ec);
  }

  MapView& view() { return editor.mapView(); }
  // A path in the test's own maps folder, which nothing but the test and the editor touch.
  std::string Path(const std::string& name) const { return (maps / name).string(); }
  std::string Caption() { return view().window->Caption(); }

  // A tile sheet as the tile-sheet dialog would leave it: the sample's 305 x 256 pixels cut into
  // 16-pixel tiles at 15 twips per pixel.
  void SetUpTileSheet() {
    MapGlobal& g = editor.Global();
    g.TileSize = 16;
    g.TileSpacing = 1;
    g.TileOffset = 0;
    g.PixelTwipsX = g.PixelTwipsY = 15;
    g.TwoPixelsX = g.TwoPixelsY = 30;
    g.TileTwipsX = g.TileTwipsY = 240;
    g.TileCount = 270;
    g.TileSheet = std::make_shared<headless::HeadlessPicture>(305, 256);
  }

  // Puts a map into the document directly, as if it had been loaded from `file`.
  void SetMap(Grid16 tiles, Grid16 overlay, const std::string& file = "", int16_t changed = 0) {
    MapView& v = view();
    v.MapWidth = static_cast<int16_t>(tiles.Width());
    v.MapHeight = static_cast<int16_t>(tiles.Height());
    v.MapTiles = TileLayer(std::move(tiles));
    v.OverlayData = std::move(overlay);
    v.CurrentMapFile = file;
    v.MapChanged = changed;
    if (!file.empty()) v.SetCaptionFromFile();
  }

  // Names of the entries of the maps folder.
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(maps))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  headless::HeadlessToolkit tk;
  Editor editor{tk};
  std::filesystem::path dir;
  std::filesystem::path maps;
};

}  // namespace korvane::testing_document
