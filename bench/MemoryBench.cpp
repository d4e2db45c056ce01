// Peak memory of an editor that loads an 8192 x 8192 map, measured in a fresh process (this
// program started again with --peak-load) from the kernel's high-water mark of its resident set,
// per cell above the same process that loads nothing.

#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/PeakLoad.h"

namespace korvane::bench {

namespace {

constexpr int16_t kSide = kOpenBenchSide;
constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kGoalBytesPerCell = 2.5;

void BM_PeakMemoryLoad8192(benchmark::State& state) {
  const std::string path = ScratchFolder() + "/huge.map";
  WriteWholeFile(path, OpenBenchMapBytes());
  double peak = 0, idle = 0;
  for (auto _ : state) {
    idle = PeakOfChild("--peak-load ''");
    peak = PeakOfChild("--peak-load '" + path + "'");
  }
  if (peak < 0 || idle < 0) state.SkipWithError("the measuring process failed");
  const double cells = double{kSide} * kSide;
  const double perCell = (peak - idle) / cells;
  state.counters["peak_MiB"] = peak / kMiB;
  state.counters["idle_MiB"] = idle / kMiB;
  state.counters["bytes_per_cell"] = perCell;
  state.counters["goal_bytes_per_cell"] = kGoalBytesPerCell;
  state.SetLabel(perCell <= kGoalBytesPerCell ? "meets goal" : "MISSES GOAL");
  std::remove(path.c_str());
}
BENCHMARK(BM_PeakMemoryLoad8192)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int PeakLoadMain(const std::string& path) {
  {
    BenchEditor e;
    if (!path.empty()) {
      e.view().LoadMap(path);
      if (e.view().Map.MapWidth != kSide) return 1;
    }
    std::printf("%.0f\n", PeakResidentBytes());
  }
  return 0;
}

}  // namespace korvane::bench
