#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QtTest/QTest>

#include "tests/support/EditorFixture.h"
#include "tiles/TileView.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUnits.h"

namespace korvane::qt {
namespace {

// The real window on the demo map (40 x 30): each entry of the "Symmetry" menu, chosen through
// the menu, marks itself alone; a click then paints the cell and its images with a tile of its
// own, and the display shows the images' tiles as the clicked one's and the axes as dotted lines
// (the vertical one down the left edge of column 20, the horizontal one along the top of row 15).
TEST(EditorOnQt, SymmetryMenuPaintsTheImagesAndShowsTheAxes) {
  QtToolkit tk(KORVANE_DEMO_MAP, testing_support::FreshFolder());
  Editor editor(tk);
  editor.Start();
  for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();
  MapView& view = editor.mapView();
  ASSERT_EQ(std::pair(view.Map.MapWidth, view.Map.MapHeight),
            (std::pair<int16_t, int16_t>(40, 30)));
  ASSERT_TRUE(view.ViewCols > 21 && view.ViewRows > 16 && view.ViewFirstCol == 0);
  QMainWindow* main = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<QMainWindow*>(w); m && m->isVisible()) main = m;
  ASSERT_NE(main, nullptr);
  QList<QAction*> menus = main->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[2]->text(), QString("&Symmetry"));  // after "T&ools"
  const QList<QAction*> entries = menus[2]->menu()->actions();
  ASSERT_EQ(entries.size(), 5);
  EXPECT_TRUE(entries[0]->isChecked());

  QWidget* display = static_cast<QtSurface*>(view.Display)->widget();
  QWidget* palette = static_cast<QtSurface*>(editor.tileView().Display)->widget();
  const double tpp = ScreenTwipsPerPixelX();
  const auto cell = [&](int c, int r) {
    const double t = view.MapZoomFactor * editor.Global().TileTwipsX;
    return TwipsToPixelRect(c * view.CellTwipsX(), r * view.CellTwipsY(), t, t, tpp, tpp);
  };
  const QRgb axis = qRgb(0, 0, 192);
  const auto dotted = [&](const QImage& shown, bool down, int at) {
    for (int i = 0; i < 2 * 15; i += 2)
      if (shown.pixel(down ? at : i, down ? i : at) != axis) return false;
    return true;
  };
  const int across = cell(20, 0).left(), along = cell(0, 15).top();
  for (int mode = 1; mode <= 4; ++mode) {
    SCOPED_TRACE(mode);
    entries[mode]->trigger();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(entries[i]->isChecked(), i == mode);
    QTest::mouseClick(palette, Qt::LeftButton, {}, {8 + 17 * (5 + mode), 8 + 17 * 2});
    QTest::mouseClick(display, Qt::LeftButton, {}, cell(18, 13).center());
    QCoreApplication::processEvents();
    const QImage shown = display->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage painted = shown.copy(cell(18, 13));
    const auto s = static_cast<Symmetry>(mode);
    for (const CellXY& image : ImagesOf(s, 40, 30, 18, 13)) {
      EXPECT_EQ(view.Map.MapTiles.At(image.x, image.y), view.Map.MapTiles.At(18, 13));
      EXPECT_EQ(shown.copy(cell(image.x, image.y)), painted) << image.x << "," << image.y;
    }
    EXPECT_EQ(ImagesOf(s, 40, 30, 18, 13).count, s == Symmetry::FourWay ? 4 : 2);
    EXPECT_EQ(dotted(shown, true, across), HasVerticalAxis(s));
    EXPECT_EQ(dotted(shown, false, along), HasHorizontalAxis(s));
  }
  entries[0]->trigger();
  const QImage off = display->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_FALSE(dotted(off, true, across) || dotted(off, false, along));
}

}  // namespace
}  // namespace korvane::qt
