// Importing a 4096 x 4096 Tiled map (.tmj, as korvane-cli export writes it, with 32767 objects):
// the time against one plain read of the file, and the peak memory in a fresh process.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/cli/PeakImport.h"
#include "formats/TmjExport.h"
#include "formats/TmjImport.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::bench {
namespace {

constexpr int16_t kSide = 4096;
constexpr double kMiB = 1024.0 * 1024.0;
// A 32767 x 32767 map imported within 3 GB, with the process around it.
constexpr double kGoalBytesPerCell = 2.8;

// The benchmark's .tmj, written once per run: the tiles vary over the sample sheet.
const std::string& TmjFile() {
  static const std::string path = [] {
    const std::string p = ScratchFolder() + "/bench.tmj";
    const auto parsed = ParseMapFile(MapFileBytes(kSide, kSide, kMaxOverlayEntries));
    TmjExport input;
    input.map = &std::get<MapDocument>(parsed);
    input.sheet = LayOutSheetPixels(305, 256, SheetSettings{});
    input.imagePath = "bench-sheet.png";
    input.tilesetName = "sample";
    std::ofstream out(p, std::ios::binary);
    WriteTmj(input, [&out](std::string_view piece) {
      return static_cast<bool>(out.write(piece.data(), std::streamsize(piece.size())));
    });
    return p;
  }();
  return path;
}

bool Import(const std::string& path) {
  toolkit::PosixFileSystem files;
  toolkit::FileError error;
  const auto file = files.OpenForReading(path, error);
  return file && std::holds_alternative<TiledMap>(ImportTmj(*file));
}

// The floor: the file read once from start to end, in the import's blocks of 64 KiB.
bool ReadThrough(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  static char block[1 << 16];
  ssize_t n = 0;
  while ((n = ::read(fd, block, sizeof block)) > 0) benchmark::DoNotOptimize(block);
  ::close(fd);
  return n == 0;
}

void BM_ImportTmj4096(benchmark::State& state) {
  const std::string& path = TmjFile();
  Timings times;
  bool ok = true;
  bool importFirst = false;
  for (auto _ : state) {
    importFirst = !importFirst;
    const auto import = [&] { return Seconds([&] { ok = Import(path) && ok; }); };
    const double first = importFirst ? import() : 0;
    times.floor.push_back(Seconds([&] { ok = ReadThrough(path) && ok; }));
    times.editor.push_back(importFirst ? first : import());
    state.SetIterationTime(times.editor.back());
  }
  if (!ok) state.SkipWithError("an import failed");
  const double import = Median(times.editor), floor = Median(times.floor);
  state.counters["import_ms"] = import * 1e3;
  state.counters["read_ms"] = floor * 1e3;
  state.counters["ratio"] = floor > 0 ? import / floor : 0;
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  state.counters["file_MB"] = double(file.tellg()) / 1e6;
  state.counters["ns_per_cell"] = import * 1e9 / (double{kSide} * kSide);
}
BENCHMARK(BM_ImportTmj4096)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PeakMemoryImportTmj4096(benchmark::State& state) {
  const std::string& path = TmjFile();
  double idle = 0, peak = 0;
  for (auto _ : state) {
    idle = PeakOfChild("--peak-import ''");
    peak = PeakOfChild("--peak-import '" + path + "'");
  }
  if (idle < 0 || peak < 0) state.SkipWithError("the measuring process failed");
  const double perCell = (peak - idle) / (double{kSide} * kSide);
  state.counters["peak_MiB"] = peak / kMiB;
  state.counters["idle_MiB"] = idle / kMiB;
  state.counters["bytes_per_cell"] = perCell;
  state.counters["goal_bytes_per_cell"] = kGoalBytesPerCell;
  state.SetLabel(perCell <= kGoalBytesPerCell ? "meets goal" : "MISSES GOAL");
}
BENCHMARK(BM_PeakMemoryImportTmj4096)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int PeakImportMain(const std::string& path) {
  if (!path.empty() && !Import(path)) return 1;
  std::printf("%.0f\n", PeakResidentBytes());
  return 0;
}

}  // namespace korvane::bench
