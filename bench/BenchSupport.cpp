#include "bench/BenchSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "formats/MapFile.h"
#include "state/MapGlobal.h"

namespace korvane::bench {

namespace {

struct Scratch {
  Scratch() {
    const char* base = std::getenv("KORVANE_BENCH_TMP");
    path = (std::filesystem::path(base ? base : std::filesystem::temp_directory_path()) /
            ("korvane-bench-" + std::to_string(::getpid())))
               .string();
    std::filesystem::create_directories(path);
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

}  // namespace

const std::string& ScratchFolder() {
  static const Scratch scratch;
  return scratch.path;
}

BenchEditor::BenchEditor() {
  tk.executableFolder = ScratchFolder();
  editor.Start();
  // The built-in sample sheet's geometry: 16-pixel tiles, 1 pixel apart, 305 x 256 pixels.
  MapGlobal& g = editor.Global();
  g.TileSize = 16;
  g.TileSpacing = 1;
  g.TileOffset = 0;
  g.PixelTwipsX = g.PixelTwipsY = 15;
  g.TwoPixelsX = g.TwoPixelsY = 30;
  g.TileTwipsX = g.TileTwipsY = 240;
  g.TileCount = 270;
  g.TileSheet = std::make_shared<headless::HeadlessPicture>(305, 256);
  g.SelectedCount = 1;
  g.SelectedTiles[1] = 1;
}

void BenchEditor::PutBlankMap(int16_t w, int16_t h) {
  MapView& v = view();
  v.Map.MapWidth = w;
  v.Map.MapHeight = h;
  v.Map.MapTiles = TileLayer(*Grid16::TryCreate(w, h));
  v.Map.OverlayData = *OverlayLayer::TryCreate(w, h);
  headless::H(*v.Display).Refresh();  // works out the view geometry the mouse tools read
  ForgetDrawing();
}

void BenchEditor::ForgetDrawing() {
  headless::H(*view().Display).ClearLog();
}

std::vector<uint8_t> MapFileBytes(int16_t w, int16_t h, int32_t overlayCells) {
  Grid16 tiles = *Grid16::TryCreate(w, h);
  OverlayLayer overlay = *OverlayLayer::TryCreate(w, h);
  auto& cells = tiles.Cells();
  for (size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<int16_t>((i * 7919) % 270);
  if (overlayCells > 0) {
    const size_t step = cells.size() / static_cast<size_t>(overlayCells);
    for (int32_t k = 0; k < overlayCells; ++k) {
      const size_t at = static_cast<size_t>(k) * step;
      overlay.Set(static_cast<int32_t>(at % static_cast<size_t>(w)),
                  static_cast<int32_t>(at / static_cast<size_t>(w)),
                  static_cast<int16_t>(1 + k % 7));
    }
  }
  return *SerializeMapFile(500, 300, tiles, overlay);
}

std::vector<uint8_t> OpenBenchMapBytes() {
  const int64_t onePercent = int64_t{kOpenBenchSide} * kOpenBenchSide / 100;
  return MapFileBytes(kOpenBenchSide, kOpenBenchSide,
                      static_cast<int32_t>(std::min<int64_t>(onePercent, kMaxOverlayEntries)));
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
  return -1;
}

double PeakOfChild(const std::string& arguments) {
  char self[4096] = {};
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return -1;
  std::string command = "'";
  command.append(self, static_cast<size_t>(n)).append("' ").append(arguments);
  FILE* child = ::popen(command.c_str(), "r");
  if (!child) return -1;
  double peak = -1;
  if (std::fscanf(child, "%lf", &peak) != 1) peak = -1;
  return ::pclose(child) == 0 ? peak : -1;
}

std::vector<std::pair<float, float>> PressPositions(const MapView& v, int count) {
  std::vector<std::pair<float, float>> at;
  const int32_t cols = v.ViewCols, rows = v.ViewRows;
  for (int k = 0; k < count; ++k) {
    const int32_t c = k % cols, r = (k / cols) % rows;
    at.emplace_back(static_cast<float>(c * 240 + 120), static_cast<float>(r * 240 + 120));
  }
  return at;
}

void ReportRatio(benchmark::State& state, const Timings& t, double goal) {
  const double editor = Median(t.editor), floor = Median(t.floor);
  state.counters["editor_ms"] = editor * 1e3;
  state.counters["floor_ms"] = floor * 1e3;
  const double ratio = floor > 0 ? editor / floor : 0;
  state.counters["ratio"] = ratio;
  state.counters["goal"] = goal;
  state.SetLabel(ratio <= goal ? "meets goal" : "MISSES GOAL");
}

}  // namespace korvane::bench
