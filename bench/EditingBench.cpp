// Painting speed: a tile-mode press on a huge map against the same press on a small one, and a
// flood fill of a large map against storing a value in every cell.

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "bench/BenchSupport.h"
#include "state/MapGlobal.h"

namespace korvane::bench {
namespace {

constexpr int kPressesPerRound = 512;

// The press copies nothing of the layer (its undo copy is a journal), so its cost must not grow
// with the map: one cell painted on an 8192 x 8192 map against the same on 64 x 64.
void BM_TilePress8192vs64(benchmark::State& state) {
  BenchEditor large, small;
  large.PutBlankMap(8192, 8192);
  small.PutBlankMap(64, 64);
  const auto at = PressPositions(small.view(), kPressesPerRound);
  const auto pressAll = [&at](BenchEditor& e) {
    for (const auto& [x, y] : at) e.view().Display_MouseDown(1, 0, x, y);
  };
  Timings times;
  int16_t tile = 1;
  bool largeFirst = false;
  for (auto _ : state) {
    // A different tile each round, so every press paints its cell.
    tile = tile == 1 ? 2 : 1;
    large.editor.Global().SelectedTiles[1] = small.editor.Global().SelectedTiles[1] = tile;
    largeFirst = !largeFirst;
    const double first = largeFirst ? Seconds([&] { pressAll(large); }) : 0;
    times.floor.push_back(Seconds([&] { pressAll(small); }));
    times.editor.push_back(largeFirst ? first : Seconds([&] { pressAll(large); }));
    state.SetIterationTime(times.editor.back());
    large.ForgetDrawing();
    small.ForgetDrawing();
  }
  ReportRatio(state, times, 1.5);
  state.counters["press_ns_8192"] = Median(times.editor) / kPressesPerRound * 1e9;
  state.counters["press_ns_64"] = Median(times.floor) / kPressesPerRound * 1e9;
}
BENCHMARK(BM_TilePress8192vs64)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(400);

// Flood fill of a 4096 x 4096 map with two selected tiles, each the first fill on a freshly
// made layer (as right after opening a map: the undo copy has to be taken in full), from the
// answer "Yes" to the redrawn display. The floor, on the same layer in the same round: storing
// one value in every cell and redrawing the display.
void BM_FloodFill4096(benchmark::State& state) {
  constexpr double kGoalNsPerCell = 8;
  constexpr double kCells = 4096.0 * 4096.0;
  BenchEditor e;
  MapGlobal& g = e.editor.Global();
  g.SelectedCount = 2;
  g.SelectedTiles[1] = 3;
  g.SelectedTiles[2] = 4;
  const auto fill = [&e] {
    e.tk.messageAnswers = {toolkit::MessageResult::Yes};
    e.view().FloodFillMap_Click();
  };
  const auto storeAndRedraw = [&e] {
    const std::span<int16_t> cells = e.view().Map.MapTiles.RewriteAll();
    std::fill(cells.begin(), cells.end(), int16_t{5});
    benchmark::DoNotOptimize(cells.data());
    e.view().Display_Paint();
  };
  Timings times;
  bool fillFirst = false;
  for (auto _ : state) {
    fillFirst = !fillFirst;
    e.PutBlankMap(4096, 4096);
    const double first = fillFirst ? Seconds(fill) : 0;
    // The floor's layer already holds its undo copy (the fill took it, or it is taken here
    // before the clock starts), so it times the stores alone.
    e.view().Map.MapTiles.RewriteAll();
    times.floor.push_back(Seconds(storeAndRedraw));
    if (!fillFirst) {
      e.PutBlankMap(4096, 4096);
      times.editor.push_back(Seconds(fill));
    } else {
      times.editor.push_back(first);
    }
    state.SetIterationTime(times.editor.back());
    e.ForgetDrawing();
  }
  ReportRatio(state, times, 0);
  const double nsPerCell = Median(times.editor) / kCells * 1e9;
  state.counters.erase("goal");
  state.counters["ns_per_cell"] = nsPerCell;
  state.counters["goal_ns_per_cell"] = kGoalNsPerCell;
  state.SetLabel(nsPerCell <= kGoalNsPerCell ? "meets goal" : "MISSES GOAL");
}
BENCHMARK(BM_FloodFill4096)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace korvane::bench
