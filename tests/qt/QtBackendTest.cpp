#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPaintEvent>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>

#include "tests/support/EditorFixture.h"
#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtFileFilter.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUnits.h"
#include "toolkit/qt/QtWindow.h"

// What only the real windows show: the regions each change sends to the screen, and the modal
// message box. (The pixels of the editor's display are compared with korvane-cli's picture in
// tests/cli.)

namespace korvane::qt {
namespace {

using Rects = std::vector<QRegion>;

// The regions of the paint events a widget receives while `act` and the work it queues run.
Rects Painted(QWidget* widget, const std::function<void()>& act) {
  struct Recorder : QObject {
    Rects regions;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint)
        regions.push_back(static_cast<QPaintEvent*>(event)->region());
      return false;
    }
  } recorder;
  widget->installEventFilter(&recorder);
  act();
  for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();  // queued paints
  return recorder.regions;
}

// The editor with its command line naming the 40 x 30 demo map: the first paint loads it.
TEST(EditorOnQt, SendsOnePaintPerChangeAndOnlyThePaintedCellsRectangle) {
  QtToolkit tk(KORVANE_DEMO_MAP, testing_support::FreshFolder());
  Editor editor(tk);
  editor.Start();
  for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();
  MapView& view = editor.mapView();
  editor.Global().SelectedCount = 1;
  editor.Global().SelectedTiles[1] = 5;
  QWidget* display = static_cast<QtSurface*>(view.Display)->widget();
  QScrollBar* hscroll = static_cast<QtScrollBar*>(view.HScroll)->widget();
  const auto cell = [&](int c, int r) {  // the pixels of display cell (c, r)'s tile
    const double t = view.MapZoomFactor * editor.Global().TileTwipsX, tpp = ScreenTwipsPerPixelX();
    return TwipsToPixelRect(c * view.CellTwipsX(), r * view.CellTwipsY(), t, t, tpp, tpp);
  };
  const auto click = [](QWidget* w, QPoint at) { QTest::mouseClick(w, Qt::LeftButton, {}, at); };
  const Rects all{display->rect()};
  EXPECT_EQ(Painted(display, [&] { click(display, cell(2, 1).center()); }), (Rects{cell(2, 1)}));
  // One page along with the scroll bar; then the zoom.
  EXPECT_EQ(Painted(display, [&] { click(hscroll, {hscroll->width() * 3 / 4, 5}); }), all);
  EXPECT_EQ(Painted(display, [&] { view.MapZoom_Click(); }), all);
  EXPECT_EQ(Painted(display, [&] { click(display, cell(0, 3).center()); }), (Rects{cell(0, 3)}));
}

// The box is modal: it is read and dismissed from the event loop it runs.
TEST(QtToolkit, ShowsAFailureInAWarningBoxUntilDismissed) {
  std::string shown;
  QObject scope;  // a timer that never found a box dies with the test
  QTimer::singleShot(0, &scope, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;  // nothing shown: ReportFailure has returned already
    shown = box->text().toStdString() + "|" + box->windowTitle().toStdString() + "|" +
            std::to_string(box->icon() == QMessageBox::Warning);
    box->button(QMessageBox::Ok)->click();
  });
  QtToolkit("").ReportFailure("The map could not be saved: permission denied.");
  EXPECT_EQ(shown, "The map could not be saved: permission denied.|Korvane|1");
}

// Closing asks the owner first, and the owner may destroy the window while it unloads.
TEST(QtToolkit, CloseAsksFirstAndTheOwnerMayDestroyTheWindowWhileUnloading) {
  QtToolkit tk("");
  std::unique_ptr<toolkit::Window> window =
      tk.CreateWindow(toolkit::WindowKind::FixedTool, "Pixels", 3000, 3000);
  window->SetVisible(true);
  bool allow = false;
  window->onQueryUnload = [&] { return allow; };
  window->onUnload = [&] { window.reset(); };
  QWidget* top = static_cast<QtWindow*>(window.get())->TopLevel();
  EXPECT_FALSE(top->close());
  ASSERT_TRUE(window && window->Visible());
  allow = true;
  top->close();
  EXPECT_EQ(window, nullptr);
}

TEST(QtToolkit, FileFiltersAndDefaultExtensionsBecomeQtOnes) {
  EXPECT_EQ(ToQtFilter("Map File (*.map)|*.map"), "Map File (*.map)");
  EXPECT_EQ(ToQtFilter("Pictures|*.bmp;*.png|All|*.*"), "Pictures (*.bmp *.png);;All (*.*)");
  EXPECT_EQ(ToQtFilter("Dangling"), "");
  EXPECT_EQ(WithDefaultExtension("/tmp/level", ".map"), "/tmp/level.map");
  EXPECT_EQ(WithDefaultExtension("/tmp/level.dat", ".map"), "/tmp/level.dat");
  EXPECT_EQ(WithDefaultExtension("/tmp/v1.0/level", "map"), "/tmp/v1.0/level.map");
}

// The flood fill draws a row of numbers at once: the same ones, in order, as a call each.
TEST(QtToolkit, RandomStaysBelowOneAndARowDrawsTheSameNumbers) {
  QtToolkit one(""), row("");
  std::vector<float> drawn(10000);
  row.RandomFill(drawn);
  for (float v : drawn) {
    ASSERT_EQ(one.Random(), v);
    ASSERT_TRUE(v >= 0.0f && v < 1.0f);
  }
}

}  // namespace
}  // namespace korvane::qt

// One application for every test, on the offscreen platform unless the caller chose another.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
