// Importing a 4096 x 4096 Tiled map (.tmj, as korvane-cli export writes it, with 32767 objects):
// the streaming RapidJSON import against the hand-written reader it replaced, in time (both in
// the same run, taking turns) and in peak memory (each in a fresh process).

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/cli/OutputFile.h"
#include "app/cli/TmjExport.h"
#include "app/cli/TmjImport.h"
#include "bench/BenchSupport.h"
#include "bench/cli/HandJson.h"
#include "bench/cli/PeakImport.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::bench {
namespace {

constexpr int16_t kSide = 4096;
constexpr double kMiB = 1024.0 * 1024.0;

// The benchmark's .tmj, written once per run: the tiles vary over the sample sheet.
const std::string& TmjFile() {
  static const std::string path = [] {
    const std::string p = ScratchFolder() + "/bench.tmj";
    const auto parsed = ParseMapFile(MapFileBytes(kSide, kSide, kMaxOverlayEntries));
    const MapFileContents& map = std::get<MapFileContents>(parsed);
    cli::TmjExport input;
    input.map = &map;
    input.sheet = std::get<cli::SheetLayout>(cli::LayOutSheet(305, 256, cli::SheetSettings{}));
    input.imagePath = "bench-sheet.png";
    input.tilesetName = "sample";
    std::ofstream out(p, std::ios::binary);
    cli::WriteTmj(input, [&out](std::string_view piece) {
      return static_cast<bool>(out.write(piece.data(), std::streamsize(piece.size())));
    });
    return p;
  }();
  return path;
}

bool ImportSax(const std::string& path) {
  toolkit::PosixFileSystem files;
  toolkit::FileError error;
  const auto file = files.OpenForReading(path, error);
  return file && std::holds_alternative<MapFileContents>(cli::ImportTmj(*file));
}

bool ImportHand(const std::string& path) {
  toolkit::PosixFileSystem files;
  const auto bytes = files.ReadAll(path);
  if (!bytes) return false;
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  return std::holds_alternative<MapFileContents>(hand::ImportTmjText(text));
}

void BM_ImportTmj4096(benchmark::State& state) {
  const std::string& path = TmjFile();
  Timings times;  // "editor": the streaming import; "floor": the hand-written one
  bool ok = true;
  bool saxFirst = false;
  for (auto _ : state) {
    saxFirst = !saxFirst;
    const auto sax = [&] { return Seconds([&] { ok = ImportSax(path) && ok; }); };
    const double first = saxFirst ? sax() : 0;
    times.floor.push_back(Seconds([&] { ok = ImportHand(path) && ok; }));
    times.editor.push_back(saxFirst ? first : sax());
    state.SetIterationTime(times.editor.back());
  }
  if (!ok) state.SkipWithError("an import failed");
  ReportRatio(state, times, 1.0);
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  state.counters["file_MB"] = double(file.tellg()) / 1e6;
}
BENCHMARK(BM_ImportTmj4096)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

double PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
  return -1;
}

double PeakOfChild(const std::string& kind, const std::string& path) {
  char self[4096] = {};
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return -1;
  std::string command = "'";
  command.append(self, size_t(n)).append("' --peak-import ").append(kind);
  command.append(" '").append(path).append("'");
  FILE* child = ::popen(command.c_str(), "r");
  if (!child) return -1;
  double peak = -1;
  if (std::fscanf(child, "%lf", &peak) != 1) peak = -1;
  return ::pclose(child) == 0 ? peak : -1;
}

void BM_PeakMemoryImportTmj4096(benchmark::State& state) {
  const std::string& path = TmjFile();
  double idle = 0, sax = 0, hand = 0;
  for (auto _ : state) {
    idle = PeakOfChild("none", path);
    sax = PeakOfChild("sax", path);
    hand = PeakOfChild("hand", path);
  }
  if (idle < 0 || sax < 0 || hand < 0) state.SkipWithError("the measuring process failed");
  const double cells = double{kSide} * kSide;
  state.counters["idle_MiB"] = idle / kMiB;
  state.counters["sax_bytes_per_cell"] = (sax - idle) / cells;
  state.counters["hand_bytes_per_cell"] = (hand - idle) / cells;
}
BENCHMARK(BM_PeakMemoryImportTmj4096)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int PeakImportMain(const std::string& kind, const std::string& path) {
  const bool ok = kind == "sax" ? ImportSax(path) : kind == "hand" ? ImportHand(path) : true;
  if (!ok) return 1;
  std::printf("%.0f\n", PeakResidentBytes());
  return 0;
}

}  // namespace korvane::bench
