// Saving and loading a 4096 x 4096 map with as many overlay objects as the file can hold
// (32767, 0.2% of the cells), each against the plain disk work for the same bytes.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "bench/BenchSupport.h"
#include "document/MapFile.h"

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

// The floor of a load: the whole file read with one call into fresh memory.
bool PlainLoad(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  ::fstat(fd, &st);
  const auto size = static_cast<size_t>(st.st_size);
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]);
  const ssize_t n = ::read(fd, buffer.get(), size);
  benchmark::DoNotOptimize(buffer.get());
  ::close(fd);
  return n == static_cast<ssize_t>(size);
}

struct LoadedBigMap {
  LoadedBigMap() : bytes(MapFileBytes(kSide, kSide, kMaxOverlayEntries)) {
    WriteWholeFile(source, bytes);
    e.view().LoadMap(source);
  }
  std::string source = ScratchFolder() + "/source.map";
  std::vector<uint8_t> bytes;
  BenchEditor e;
};

void BM_SaveNow4096(benchmark::State& state) {
  LoadedBigMap m;
  if (m.e.view().MapWidth != kSide) state.SkipWithError("the map did not load");
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

void BM_LoadMap4096(benchmark::State& state) {
  LoadedBigMap m;
  Timings times;
  bool ok = true;
  bool editorFirst = false;
  for (auto _ : state) {
    editorFirst = !editorFirst;
    const auto load = [&] { return Seconds([&] { m.e.view().LoadMap(m.source); }); };
    const double first = editorFirst ? load() : 0;
    times.floor.push_back(Seconds([&] { ok = PlainLoad(m.source) && ok; }));
    times.editor.push_back(editorFirst ? first : load());
    ok = ok && m.e.view().MapWidth == kSide && m.e.view().MapChanged == 0;
    state.SetIterationTime(times.editor.back());
    m.e.ForgetDrawing();
  }
  if (!ok) state.SkipWithError("a load failed");
  ReportRatio(state, times, 1.5);
  state.counters["bytes"] = static_cast<double>(m.bytes.size());
}
BENCHMARK(BM_LoadMap4096)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace
}  // namespace korvane::bench
