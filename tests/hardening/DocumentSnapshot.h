#pragma once

// Everything a failed command must leave as it was: the document, its undo copy, its file name,
// the caption and the change flag, captured in one comparable value.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "document/Grid16.h"
#include "shell/MapView.h"
#include "toolkit/Window.h"

namespace korvane::hardening {

struct DocumentSnapshot {
  int16_t width = 0;
  int16_t height = 0;
  int32_t human = 0;
  int32_t computer = 0;
  Grid16 tiles;
  Grid16 undo;
  Grid16 overlay;
  std::string file;
  std::string caption;
  int16_t changed = 0;

  bool operator==(const DocumentSnapshot&) const = default;
};

inline DocumentSnapshot Snapshot(MapView& v) {
  return {v.MapWidth,          v.MapHeight,        v.HumanResources,
          v.ComputerResources, v.MapTiles.Tiles(), v.MapTiles.UndoTiles(),
          v.OverlayData,       v.CurrentMapFile,   v.window->Caption(),
          v.MapChanged};
}

// A short summary for failure messages instead of the raw bytes of the layers.
inline void PrintTo(const DocumentSnapshot& s, std::ostream* os) {
  const auto digest = [](const Grid16& g) {
    size_t h = 0;
    for (const int16_t v : g.Cells()) h = h * 31 + static_cast<uint16_t>(v);
    return h;
  };
  *os << s.width << "x" << s.height << " res " << s.human << "/" << s.computer << " tiles#"
      << digest(s.tiles) << " undo#" << digest(s.undo) << " overlay#" << digest(s.overlay)
      << " file '" << s.file << "' caption '" << s.caption << "' changed " << s.changed;
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

}  // namespace korvane::hardening
