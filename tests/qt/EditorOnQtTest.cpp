#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPaintEvent>
#include <fstream>
#include <functional>
#include <vector>

#include "document/MapFile.h"
#include "tests/qt/QtTestApplication.h"
#include "tests/support/EditorFixture.h"
#include "tiles/TileView.h"
#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtPicture.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUnits.h"

// The whole editor on the Qt toolkit: start-up, the first paint loading the command-line map
// onto the screen, and what each change sends to the screen.

namespace korvane::qt {
namespace {

using testing::RunPendingEvents;
using testing_support::FreshFolder;

// Writes a map file of `tiles` and an empty overlay layer; returns its path.
std::string WriteMap(const std::string& path, const Grid16& tiles) {
  const auto bytes =
      SerializeMapFile(0, 0, tiles, *Grid16::TryCreate(tiles.Width(), tiles.Height()));
  EXPECT_TRUE(bytes);
  if (bytes)
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes->data()), std::ssize(*bytes));
  return path;
}

TEST(EditorOnQt, StartsWithTheMainWindowLaidOutAndThePaletteBesideIt) {
  QtToolkit tk("", FreshFolder());
  Editor editor(tk);
  editor.Start();
  RunPendingEvents();
  MapView& view = editor.mapView();
  const float sw = tk.ScreenWidth();
  const float tpp = static_cast<float>(ScreenTwipsPerPixelX());
  EXPECT_TRUE(view.window->Visible());
  EXPECT_NEAR(view.window->Left(), sw / 50, tpp);
  EXPECT_NEAR(view.window->Width(), sw / 1.8f, tpp);
  EXPECT_TRUE(editor.TileViewVisible());
  EXPECT_NEAR(editor.tileView().window->Left(), sw / 1.7f, tpp);
  // The map display fills the client area left of the vertical bar and below the tool strip.
  EXPECT_NEAR(view.Display->ScaleWidth(), view.window->ScaleWidth() - 255, tpp);
  EXPECT_NEAR(view.Display->ScaleHeight(), view.window->ScaleHeight() - 375 - 255, tpp);
}

TEST(EditorOnQt, FirstPaintLoadsTheCommandLineMapOntoTheScreenPixelExact) {
  const std::string folder = FreshFolder();
  Grid16 tiles = *Grid16::TryCreate(3, 2);
  tiles.Set(0, 0, 19);  // sheet row 1, column 1 of an 18-column sheet
  tiles.Set(1, 0, 2);

  QtToolkit tk(WriteMap(folder + "/three tiles.map", tiles), folder);
  Editor editor(tk);
  editor.Start();
  RunPendingEvents();
  ASSERT_EQ(editor.mapView().MapWidth, 3);
  const auto* sheet = dynamic_cast<const QtPicture*>(editor.Global().TileSheet.get());
  ASSERT_NE(sheet, nullptr);
  const QImage& screen = static_cast<QtSurface*>(editor.mapView().Display)->Image();
  const int tile = editor.Global().TileSize;
  const int pitch = tile + editor.Global().TileSpacing;
  // Every cell shows its tile from the 18-column sample sheet, pixel for pixel.
  for (int cell = 0; cell < 6; ++cell) {
    const int t = tiles.At(cell % 3, cell / 3);
    for (int y = 0; y < tile; ++y)
      for (int x = 0; x < tile; ++x)
        ASSERT_EQ(screen.pixel(cell % 3 * tile + x, cell / 3 * tile + y),
                  sheet->Image().pixel(t % 18 * pitch + x, t / 18 * pitch + y))
            << "cell " << cell << " at " << x << "," << y;
  }
  // Beyond the map's last column the display shows its background.
  EXPECT_EQ(screen.pixel(3 * tile + 2, 2), qRgb(0, 0, 0));
}

// Records the regions of the paint events a widget receives.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
  std::vector<QRegion> regions;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      regions.push_back(static_cast<QPaintEvent*>(event)->region());
    return false;
  }
};

void Click(QWidget* widget, QPoint at) {
  const QPointF local(at), global = widget->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

TEST(EditorOnQt, APageChangePaintsOnceAndAPaintedCellSendsOnlyItsRectangle) {
  const std::string folder = FreshFolder();
  QtToolkit tk(WriteMap(folder + "/wide.map", *Grid16::TryCreate(200, 200)), folder);
  Editor editor(tk);
  editor.Start();
  RunPendingEvents();
  MapView& view = editor.mapView();
  ASSERT_EQ(view.MapWidth, 200);
  editor.Global().SelectedCount = 1;
  editor.Global().SelectedTiles[1] = 5;
  auto* display = static_cast<QtSurface*>(view.Display)->widget();
  QScrollBar* hscroll = static_cast<QtScrollBar*>(view.HScroll)->widget();
  const double tpp = view.Display->ScaleX(1, toolkit::ScaleUnit::Pixels, toolkit::ScaleUnit::Twips);
  // The pixels of display cell (c, r)'s tile.
  const auto cellRect = [&](int c, int r) {
    return TwipsToPixelRect(c * view.CellTwipsX(), r * view.CellTwipsY(),
                            view.MapZoomFactor * editor.Global().TileTwipsX,
                            view.MapZoomFactor * editor.Global().TileTwipsY, tpp, tpp);
  };
  const struct Case {
    const char* what;
    std::function<void()> act;
    std::function<QRegion()> sent;
  } cases[] = {
      {"a click on a cell", [&] { Click(display, cellRect(2, 1).center()); },
       [&] { return QRegion(cellRect(2, 1)); }},
      {"a page with the scroll bar",
       [&] { Click(hscroll, QPoint(hscroll->width() * 3 / 4, hscroll->height() / 2)); },
       [&] { return QRegion(display->rect()); }},
      {"the grid", [&] { view.Grid_Click(); }, [&] { return QRegion(display->rect()); }},
      {"the zoom", [&] { view.MapZoom_Click(); }, [&] { return QRegion(display->rect()); }},
      {"a click on a zoomed cell with the grid", [&] { Click(display, cellRect(0, 3).center()); },
       [&] { return QRegion(cellRect(0, 3)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PaintRecorder recorder(display);
    c.act();
    RunPendingEvents();
    ASSERT_EQ(recorder.regions.size(), 1u);
    EXPECT_EQ(recorder.regions[0], c.sent());
  }
  EXPECT_GT(hscroll->value(), 0);
  EXPECT_EQ(view.MapTiles.At(2, 1), 5);
  EXPECT_EQ(view.MapTiles.At(view.ViewFirstCol, view.ViewFirstRow + 3), 5);
}

}  // namespace
}  // namespace korvane::qt
