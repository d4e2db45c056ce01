// Peak memory of an editor that loads an 8192 x 8192 map, measured in a fresh process (this
// program started again with --peak-load) from the kernel's high-water mark of its resident set,
// per cell above the same process that loads nothing.

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/PeakLoad.h"

namespace korvane::bench {

namespace {

constexpr int16_t kSide = kOpenBenchSide;
constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kGoalBytesPerCell = 2.5;

// Peak resident memory of this process so far, in bytes (VmHWM).
double PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
  return -1;
}

// Runs this program again as `--peak-load path` and returns the peak it reports, in bytes.
double PeakOfChild(const std::string& path) {
  char self[4096] = {};
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return -1;
  std::string command = "'";
  command.append(self, static_cast<size_t>(n)).append("' --peak-load '").append(path).append("'");
  FILE* child = ::popen(command.c_str(), "r");
  if (!child) return -1;
  double peak = -1;
  if (std::fscanf(child, "%lf", &peak) != 1) peak = -1;
  return ::pclose(child) == 0 ? peak : -1;
}

void BM_PeakMemoryLoad8192(benchmark::State& state) {
  const std::string path = ScratchFolder() + "/huge.map";
  WriteWholeFile(path, OpenBenchMapBytes());
  double peak = 0, idle = 0;
  for (auto _ : state) {
    idle = PeakOfChild("");
    peak = PeakOfChild(path);
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
