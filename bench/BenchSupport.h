#pragma once

// What the benchmarks share: an editor started on the headless toolkit with a tile sheet and a
// one-tile selection, a scratch folder on the real disk, and a stopwatch. Each benchmark times
// the editor's operation and its floor (the least any program must do for the same job)
// alternately in the same run, and reports both and their ratio as counters.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/Grid16.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/support/HeadlessToolkit.h"

namespace korvane::bench {

// A folder for the benchmarks' files ($KORVANE_BENCH_TMP, else the system's temporary folder);
// it is removed when the program ends.
const std::string& ScratchFolder();

struct BenchEditor {
  BenchEditor();
  MapView& view() { return editor.mapView(); }
  // A blank w x h map in the document, as New Map leaves it.
  void PutBlankMap(int16_t w, int16_t h);
  // Drops the drawing calls the headless display recorded (they would pile up over a run).
  void ForgetDrawing();

  headless::HeadlessToolkit tk;
  Editor editor{tk};
};

// A w x h map whose tiles vary and whose first `overlayCells` cells (spread over the map) hold
// an overlay object, as the editor writes it.
std::vector<uint8_t> MapFileBytes(int16_t w, int16_t h, int32_t overlayCells);
// The map the opening benchmarks use: 8192 x 8192 cells, 1 % of them holding an overlay object
// up to the most entries a file holds.
inline constexpr int16_t kOpenBenchSide = 8192;
std::vector<uint8_t> OpenBenchMapBytes();
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// `count` pointer positions in the middle of whole display cells of the test sheet (240 twips),
// row by row from the top-left one, starting over when the view is full.
std::vector<std::pair<float, float>> PressPositions(const MapView& v, int count);

template <class F>
double Seconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The times of the editor's operation and of its floor, one pair per iteration. The ratio is
// taken between the medians, which other work on the machine disturbs the least.
struct Timings {
  std::vector<double> editor;
  std::vector<double> floor;
};

// Reports both medians (in ms) and their ratio against the goal.
void ReportRatio(benchmark::State& state, const Timings& t, double goal);

double Median(std::vector<double> values);

// Peak resident memory of this process so far, in bytes (the kernel's VmHWM).
double PeakResidentBytes();
// Runs this program again with `arguments` (quoted as the shell needs) and returns the number it
// prints, a peak in bytes; -1 when it fails.
double PeakOfChild(const std::string& arguments);

}  // namespace korvane::bench
