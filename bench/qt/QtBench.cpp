// The map display on the Qt backend: a full redraw of a 3840 x 2112 pixel display into its
// backing image against filling that image once, a press with the overview open against one
// without, and the start-up of the editor to the first paint of the demo map (in a fresh process
// each time).

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/qt/QtStartup.h"
#include "overview/Overview.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtWindow.h"

namespace korvane::bench {

// The one QApplication of the program, on the offscreen platform unless another is chosen. It is
// never destroyed: destroyed among the exit handlers, after Qt's thread storage, it crashed the
// program at its end once a display had been pressed.
QApplication& Application() {
  static int argc = 1;
  static char name[] = "korvane_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

namespace {

constexpr int kDisplayWidthPx = 3840;
constexpr int kDisplayHeightPx = 2112;

void RunPendingEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

void BM_QtFullRedraw(benchmark::State& state) {
  Application();
  const std::string path = ScratchFolder() + "/redraw.map";
  WriteWholeFile(path, MapFileBytes(512, 512, 0));
  {
    qt::QtToolkit tk("", ScratchFolder());
    Editor editor(tk);
    editor.Start();
    RunPendingEvents();
    MapView& v = editor.mapView();
    v.LoadMap(path);  // applies the built-in sample sheet of 16-pixel tiles
    RunPendingEvents();
    v.MapZoomFactor = static_cast<int16_t>(state.range(0));
    v.GridOn = static_cast<int16_t>(state.range(1));
    const float w =
        v.Display->ScaleX(kDisplayWidthPx, toolkit::ScaleUnit::Pixels, toolkit::ScaleUnit::Twips);
    const float h =
        v.Display->ScaleY(kDisplayHeightPx, toolkit::ScaleUnit::Pixels, toolkit::ScaleUnit::Twips);
    v.Display->SetPlace(toolkit::Place{0, v.Display->GetPlace().top, w, h});
    v.Display->Refresh();
    RunPendingEvents();
    const QImage& image = static_cast<qt::QtSurface*>(v.Display)->Image();
    if (image.size() != QSize(kDisplayWidthPx, kDisplayHeightPx) || editor.Global().TileCount < 1 ||
        v.Map.MapWidth != 512) {
      state.SkipWithError("the display or the map is not set up");
      return;
    }
    Timings times;
    for (auto _ : state) {
      times.editor.push_back(Seconds([&] { v.Display->Refresh(); }));
      times.floor.push_back(Seconds([&] {
        v.Display->FilledBox(0, 0, w, h, toolkit::Color{40, 90, 190});
      }));
      state.SetIterationTime(times.editor.back());
      RunPendingEvents();
    }
    ReportRatio(state, times, 2.5);
    state.counters["cells"] = static_cast<double>(v.ViewCols) * v.ViewRows;
  }
  RunPendingEvents();
}
BENCHMARK(BM_QtFullRedraw)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->ArgNames({"zoom", "grid"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);

// The Qt toolkit's random numbers drawn a row of 4096 at a time, 4096 rows, as a flood fill of a
// 4096 x 4096 map draws them: the part of the real editor's fill that BM_FloodFill4096, on the
// headless toolkit's generator, does not show.
void BM_QtRandomRows4096(benchmark::State& state) {
  Application();
  qt::QtToolkit tk("", ScratchFolder());
  std::vector<float> row(4096);
  std::vector<double> times;
  for (auto _ : state) {
    times.push_back(Seconds([&] {
      for (int y = 0; y < 4096; ++y) {
        tk.RandomFill(row);
        benchmark::DoNotOptimize(row.data());
      }
    }));
    state.SetIterationTime(times.back());
  }
  state.counters["ns_per_number"] = Median(times) / (4096.0 * 4096.0) * 1e9;
}
BENCHMARK(BM_QtRandomRows4096)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A tile-mode press on an 8192 x 8192 map (and on a 64 x 64 one, where every cell has pixels of
// its own in the overview) with the overview open, against the same press with it closed, in the
// same editor, rounds taking turns. A press is what the window system hands the
// display (a press and a release event) and the work it leaves for the event loop (the
// overview's update), as before the user's next event.
void BM_QtPressWithOverview(benchmark::State& state) {
  Application();
  const std::string path = ScratchFolder() + "/overview.map";
  const auto side = static_cast<int16_t>(state.range(0));
  WriteWholeFile(path, MapFileBytes(side, side, 0));
  {
    qt::QtToolkit tk("", ScratchFolder());
    Editor editor(tk);
    editor.Start();
    RunPendingEvents();
    MapView& v = editor.mapView();
    v.LoadMap(path);
    RunPendingEvents();
    MapGlobal& g = editor.Global();
    g.SelectedCount = 1;
    QWidget* display = static_cast<qt::QtSurface*>(v.Display)->widget();
    constexpr int kPresses = 256;
    std::vector<QPointF> at;
    for (int k = 0; k < kPresses; ++k) {
      const int32_t c = k % v.ViewCols, r = (k / v.ViewCols) % v.ViewRows;
      at.emplace_back(v.Display->ScaleX((c + 0.5f) * v.CellTwipsX(), toolkit::ScaleUnit::Twips,
                                        toolkit::ScaleUnit::Pixels),
                      v.Display->ScaleY((r + 0.5f) * v.CellTwipsY(), toolkit::ScaleUnit::Twips,
                                        toolkit::ScaleUnit::Pixels));
    }
    const auto pressAll = [&] {
      for (const QPointF& p : at) {
        QMouseEvent press(QEvent::MouseButtonPress, p, display->mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(display, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, display->mapToGlobal(p), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(display, &release);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
      }
    };
    Timings times;
    int16_t tile = 1;
    bool openFirst = false;
    for (auto _ : state) {
      openFirst = !openFirst;
      for (int side = 0; side < 2; ++side) {
        const bool open = (side == 0) == openFirst;
        // A different tile each time, so every press paints its cell.
        g.SelectedTiles[1] = tile = tile == 1 ? 2 : 1;
        if (open) editor.ShowOverview();
        RunPendingEvents();
        (open ? times.editor : times.floor).push_back(Seconds(pressAll));
        if (open) editor.overview()->window->onUnload();  // as its close box does
        RunPendingEvents();
      }
      state.SetIterationTime(times.editor.back());
    }
    ReportRatio(state, times, side == 8192 ? 1.2 : 0);
    if (side != 8192) state.SetLabel("");
    state.counters["press_us_open"] = Median(times.editor) / kPresses * 1e6;
    state.counters["press_us_closed"] = Median(times.floor) / kPresses * 1e6;
  }
  RunPendingEvents();
}
BENCHMARK(BM_QtPressWithOverview)
    ->Arg(8192)
    ->Arg(64)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);

// This program started again as `--qt-startup demo.map`; returns the milliseconds it reports.
double StartupOfChild(double& wallMs) {
  char self[4096] = {};
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return -1;
  std::string command = "'";
  command.append(self, static_cast<size_t>(n))
      .append("' --qt-startup '")
      .append(KORVANE_DEMO_MAP)
      .append("' 2>/dev/null");
  double inside = -1;
  wallMs = 1e3 * Seconds([&] {
             FILE* child = ::popen(command.c_str(), "r");
             if (!child) return;
             if (std::fscanf(child, "%lf", &inside) != 1) inside = -1;
             if (::pclose(child) != 0) inside = -1;
           });
  return inside;
}

// Start-up to the first paint of the demo map: the whole program as a user starts it (process,
// Qt, the editor's windows, reading the map and drawing it).
void BM_QtStartupToFirstPaint(benchmark::State& state) {
  std::vector<double> wall, inside;
  for (auto _ : state) {
    double w = 0;
    const double in = StartupOfChild(w);
    if (in < 0) {
      state.SkipWithError("the start-up probe failed");
      return;
    }
    wall.push_back(w);
    inside.push_back(in);
    state.SetIterationTime(w / 1e3);
  }
  state.counters["process_ms"] = Median(wall);
  state.counters["in_main_ms"] = Median(inside);
}
BENCHMARK(BM_QtStartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int QtStartupMain(const std::string& map, std::chrono::steady_clock::time_point mainEntered) {
  Application();
  int status = 1;
  {
    qt::QtToolkit tk(map, ScratchFolder());
    Editor editor(tk);
    editor.Start();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    // The first paint of the map display loads the map named on the command line and draws it.
    while (editor.mapView().Map.MapWidth == 0 && std::chrono::steady_clock::now() < deadline)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (editor.mapView().Map.MapWidth > 0) {
      std::printf("%.3f\n", std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - mainEntered)
                                .count());
      std::fflush(stdout);
      status = 0;
    }
  }
  RunPendingEvents();
  return status;
}

}  // namespace korvane::bench
