// The benchmarks' entry point. Two probes run in a fresh process of their own:
//   --peak-load PATH     the memory probe of MemoryBench.cpp
//   --qt-startup MAP     the start-up probe of qt/QtBench.cpp (with the Qt backend only)
//   --peak-import PATH   the import memory probe of cli/TmjImportBench.cpp (GUI build only)
// and one writes the map the opening benchmarks use, for scripts/open-time.sh:
//   --write-open-map PATH

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/PeakLoad.h"
#ifdef KORVANE_BENCH_QT
#include "bench/qt/QtStartup.h"
#endif
#ifdef KORVANE_BENCH_CLI
#include "bench/cli/PeakImport.h"
#endif

int main(int argc, char** argv) {
  const auto entered = std::chrono::steady_clock::now();
  const std::string probe = argc == 3 ? argv[1] : "";
  if (probe == "--peak-load") return korvane::bench::PeakLoadMain(argv[2]);
  if (probe == "--write-open-map") {
    korvane::bench::WriteWholeFile(argv[2], korvane::bench::OpenBenchMapBytes());
    return 0;
  }
#ifdef KORVANE_BENCH_QT
  if (probe == "--qt-startup") return korvane::bench::QtStartupMain(argv[2], entered);
#endif
#ifdef KORVANE_BENCH_CLI
  if (probe == "--peak-import") return korvane::bench::PeakImportMain(argv[2]);
#endif
  (void)entered;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
