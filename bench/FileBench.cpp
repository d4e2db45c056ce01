// Saving a 4096 x 4096 map with as many overlay objects as the file can hold (32767, 0.2% of the
// cells) and loading an 8192 x 8192 one (1% of the cells, up to the same limit), each against
// the plain disk work for the same bytes.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "bench/BenchSupport.h"
#include "formats/MapFile.h"

namespace korvane::bench {
namespace {

constexpr int16_t kSide = 4096;

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// The floor of a save: the same bytes, already in memory, written to a new file with one write,
// flushed to the disk and renamed over the target.
bool PlainSave(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string temp = path + ".plain";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok && ::rename(temp.c_str(), path.c_str()) == 0;
}

// The floor of a load: the whole file read with one call into memory that is already faulted in
// (`buffer`, as large as the file), so that it times the one thing no loader can skip.
bool PlainLoad(const std::string& path, std::vector<uint8_t>& buffer) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const ssize_t n = ::read(fd, buffer.data(), buffer.size());
  benchmark::DoNotOptimize(buffer.data());
  ::close(fd);
  return n == static_cast<ssize_t>(buffer.size());
}

struct LoadedBigMap {
  explicit LoadedBigMap(std::vector<uint8_t> fileBytes) : bytes(std::move(fileBytes)) {
    WriteWholeFile(source, bytes);
    e.view().LoadMap(source);
  }
  std::string source = ScratchFolder() + "/source.map";
  std::vector<uint8_t> bytes;
  BenchEditor e;
};

void BM_SaveNow4096(benchmark::State& state) {
  LoadedBigMap m(MapFileBytes(kSide, kSide, kMaxOverlayEntries));
  if (m.e.view().Map.MapWidth != kSide) state.SkipWithError("the map did not load");
  const std::string target = ScratchFolder() + "/saved.map";
  const std::string plainTarget = ScratchFolder() + "/plain.map";
  Timings times;
  bool ok = true;
  bool editorFirst = false;
  for (auto _ : state) {
    // Taking turns at going first, so that neither profits from what the other left behind.
    editorFirst = !editorFirst;
    const auto save = [&] { return Seconds([&] { ok = m.e.view().SaveNow(target) && ok; }); };
    const double first = editorFirst ? save() : 0;
    times.floor.push_back(Seconds([&] { ok = PlainSave(plainTarget, m.bytes) && ok; }));
    times.editor.push_back(editorFirst ? first : save());
    state.SetIterationTime(times.editor.back());
  }
  if (!ok) state.SkipWithError("a save failed");
  ReportRatio(state, times, 1.5);
  state.counters["bytes"] = static_cast<double>(m.bytes.size());
}
BENCHMARK(BM_SaveNow4096)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

void BM_LoadMap8192(benchmark::State& state) {
  LoadedBigMap m(OpenBenchMapBytes());
  std::vector<uint8_t> buffer(m.bytes.size(), 1);
  Timings times;
  bool ok = true;
  bool editorFirst = false;
  for (auto _ : state) {
    editorFirst = !editorFirst;
    const auto load = [&] { return Seconds([&] { m.e.view().LoadMap(m.source); }); };
    const double first = editorFirst ? load() : 0;
    times.floor.push_back(Seconds([&] { ok = PlainLoad(m.source, buffer) && ok; }));
    times.editor.push_back(editorFirst ? first : load());
    ok = ok && m.e.view().Map.MapWidth == kOpenBenchSide && m.e.view().Map.MapChanged == 0;
    state.SetIterationTime(times.editor.back());
    m.e.ForgetDrawing();
  }
  if (!ok) state.SkipWithError("a load failed");
  ReportRatio(state, times, 2.5);
  state.counters["bytes"] = static_cast<double>(m.bytes.size());
}
BENCHMARK(BM_LoadMap8192)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace korvane::bench
