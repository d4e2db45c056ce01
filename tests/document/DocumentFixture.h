#pragma once

// Map file bytes and layers written by hand, independently of the editor's reader and writer, and
// the document tests' editor with a maps folder of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "document/Grid16.h"
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
  put(w, 2);
  put(h, 2);
  put(human, 4);
  put(computer, 4);
  for (int v : tiles) put(v, 2);
  for (int v : rest) put(v, 2);
  return b;
}

inline Grid16 MakeGrid(int32_t w, int32_t h, std::vector<int16_t> cells = {}) {
  Grid16 g = *Grid16::TryCreate(w, h);
  std::copy_n(cells.begin(), std::min(cells.size(), g.Cells().size()), g.Cells().begin());
  return g;
}

// A started editor with the sample sheet applied and a maps folder that only the test and the
// editor touch.
class DocumentTest : public testing_support::EditorTest {
 protected:
  DocumentTest() {
    testing_support::ApplyTestSheet(global());
    std::filesystem::create_directories(Path(""));
  }
  std::string Path(const std::string& name) const { return Folder() + "/maps/" + name; }
  std::string Caption() { return view().window->Caption(); }
  // Everything a refused or failed command must leave as it was.
  auto State() {
    return std::tuple(view().MapWidth, view().MapHeight, view().MapTiles.Tiles(),
                      view().OverlayData, view().HumanResources, view().ComputerResources,
                      view().MapChanged, view().CurrentMapFile, Caption());
  }

  // Puts a map into the document directly, as if it had been loaded from `file`.
  void SetMap(Grid16 tiles, Grid16 overlay, const std::string& file, int16_t changed) {
    view().MapWidth = static_cast<int16_t>(tiles.Width());
    view().MapHeight = static_cast<int16_t>(tiles.Height());
    view().MapTiles = TileLayer(std::move(tiles));
    view().OverlayData = std::move(overlay);
    view().CurrentMapFile = file;
    view().MapChanged = changed;
    if (!file.empty()) view().SetCaptionFromFile();
  }
};

}  // namespace korvane::testing_document
