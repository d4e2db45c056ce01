// korvane-cli render of a 512 x 512 map on the sample sheet (an 8192 x 8192 picture), start to
// finish, against its floor: the PNG encoder alone writing the same finished picture to a file,
// from fresh memory (a picture drawn anew always lands in memory not touched before).
//
//   build/bench/korvane_bench --benchmark_filter=BM_RenderMap512

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/CliCommands.h"
#include "bench/BenchSupport.h"
#include "bench/qt/QtStartup.h"
#include "toolkit/posix/PosixFileSystem.h"
#include "toolkit/qt/QtImaging.h"

namespace korvane::bench {
namespace {

constexpr int16_t kSide = 512;
// The picture's side in pixels: the sample sheet's 16-pixel tiles at zoom 1.
constexpr int32_t kPictureSide = 8192;
// The render may cost this much more than encoding the finished picture.
constexpr double kGoalRatio = 1.16;

int Render(toolkit::PosixFileSystem& files, qt::QtImaging& imaging, const std::string& map,
           const std::string& png) {
  std::ostringstream out, err;
  cli::CliContext ctx{out, err, files, imaging, false, [] { return std::string(); }};
  return cli::RunCli({"render", map, "-o", png}, ctx);
}

bool EncodeAndWrite(qt::QtImaging& imaging, const toolkit::PixelRows<const uint32_t>& finished,
                    const std::string& png) {
  std::vector<uint32_t> fresh(size_t(finished.width) * size_t(finished.height));
  for (int32_t y = 0; y < finished.height; ++y)
    std::copy_n(finished.bits + size_t(y) * size_t(finished.stride), finished.width,
                fresh.data() + size_t(y) * size_t(finished.width));
  const auto bytes =
      imaging.EncodePng({fresh.data(), finished.width, finished.height, finished.width});
  if (!bytes) return false;
  std::ofstream file(png, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
  return static_cast<bool>(file.flush());
}

void BM_RenderMap512(benchmark::State& state) {
  Application();
  toolkit::PosixFileSystem files;
  qt::QtImaging imaging;
  const std::string map = ScratchFolder() + "/render.map";
  const std::string rendered = ScratchFolder() + "/render.png";
  const std::string encoded = ScratchFolder() + "/floor.png";
  WriteWholeFile(map, MapFileBytes(kSide, kSide, 300));

  // The floor encodes the very picture the render wrote, decoded once beforehand.
  bool ok = Render(files, imaging, map, rendered) == 0;
  std::string why;
  const auto finished = imaging.LoadPicture(rendered, why);
  ok = ok && finished;
  const auto pixels =
      finished ? imaging.PicturePixels(*finished) : toolkit::PixelRows<const uint32_t>{};
  ok = ok && pixels.bits && pixels.width == kPictureSide && pixels.height == kPictureSide;

  Timings times;
  bool renderFirst = false;
  for (auto _ : state) {
    if (!ok) break;
    renderFirst = !renderFirst;
    const auto render = [&] {
      return Seconds([&] { ok = Render(files, imaging, map, rendered) == 0 && ok; });
    };
    const double first = renderFirst ? render() : 0;
    times.floor.push_back(Seconds([&] { ok = EncodeAndWrite(imaging, pixels, encoded) && ok; }));
    times.editor.push_back(renderFirst ? first : render());
    state.SetIterationTime(times.editor.back());
  }
  if (!ok) {
    state.SkipWithError("a render or its floor failed");
    return;
  }
  ReportRatio(state, times, kGoalRatio);
  std::remove(rendered.c_str());
  std::remove(encoded.c_str());
}
BENCHMARK(BM_RenderMap512)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane::bench
