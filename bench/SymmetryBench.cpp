// Painting under a symmetry: a four-way press against a plain one, per cell written, and a flood
// fill under each symmetry against the plain fill.

#include <utility>
#include <vector>

#include "bench/BenchSupport.h"
#include "model/Symmetry.h"
#include "state/MapGlobal.h"

namespace korvane::bench {
namespace {

constexpr int kPressesPerRound = 512;

void Choose(BenchEditor& e, Symmetry mode) {
  e.view().MENU_SYMMETRY[static_cast<size_t>(mode)]->onClick();
  e.ForgetDrawing();
}

// A four-way press on an 8192 x 8192 map writes four cells (one in view, drawn; three far off),
// a plain press one. The goal is on the cost per written cell: four-way / 4 against plain.
void BM_FourWayPressPerCell8192(benchmark::State& state) {
  BenchEditor mirrored, plain;
  mirrored.PutBlankMap(8192, 8192);
  plain.PutBlankMap(8192, 8192);
  Choose(mirrored, Symmetry::FourWay);
  const auto at = PressPositions(plain.view(), kPressesPerRound);
  const auto pressAll = [&at](BenchEditor& e) {
    for (const auto& [x, y] : at) e.view().Display_MouseDown(1, 0, x, y);
  };
  Timings times;
  int16_t tile = 1;
  bool mirroredFirst = false;
  for (auto _ : state) {
    tile = tile == 1 ? 2 : 1;  // so that every press writes its cells
    mirrored.editor.Global().SelectedTiles[1] = plain.editor.Global().SelectedTiles[1] = tile;
    mirroredFirst = !mirroredFirst;
    const double first = mirroredFirst ? Seconds([&] { pressAll(mirrored); }) : 0;
    times.floor.push_back(Seconds([&] { pressAll(plain); }));
    times.editor.push_back((mirroredFirst ? first : Seconds([&] { pressAll(mirrored); })) / 4);
    state.SetIterationTime(times.editor.back());
    mirrored.ForgetDrawing();
    plain.ForgetDrawing();
  }
  ReportRatio(state, times, 1.2);
  state.counters["ns_per_cell_four_way"] = Median(times.editor) / kPressesPerRound * 1e9;
  state.counters["ns_per_cell_plain"] = Median(times.floor) / kPressesPerRound * 1e9;
}
BENCHMARK(BM_FourWayPressPerCell8192)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(400);

// Flood Fill Map of a fresh 4096 x 4096 layer with two selected tiles under the symmetry given
// as the argument (1 left-right, 2 top-bottom, 3 four-way, 4 half turn) against the plain fill
// of the same layer in the same round.
void BM_SymmetricFloodFill4096(benchmark::State& state) {
  BenchEditor e;
  MapGlobal& g = e.editor.Global();
  g.SelectedCount = 2;
  g.SelectedTiles[1] = 3;
  g.SelectedTiles[2] = 4;
  const auto mode = static_cast<Symmetry>(state.range(0));
  const auto fill = [&e](Symmetry under) {
    Choose(e, under);
    e.PutBlankMap(4096, 4096);
    e.tk.messageAnswers = {toolkit::MessageResult::Yes};
    return Seconds([&e] { e.view().FloodFillMap_Click(); });
  };
  Timings times;
  bool mirroredFirst = false;
  for (auto _ : state) {
    mirroredFirst = !mirroredFirst;
    const double first = mirroredFirst ? fill(mode) : 0;
    times.floor.push_back(fill(Symmetry::Off));
    times.editor.push_back(mirroredFirst ? first : fill(mode));
    state.SetIterationTime(times.editor.back());
    e.ForgetDrawing();
  }
  ReportRatio(state, times, 1.2);
}
BENCHMARK(BM_SymmetricFloodFill4096)
    ->DenseRange(1, 4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
}  // namespace korvane::bench
