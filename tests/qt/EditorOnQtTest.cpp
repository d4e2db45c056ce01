#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "document/Grid16.h"
#include "document/TileLayer.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/qt/QtTestApplication.h"
#include "tiles/TileView.h"
#include "toolkit/qt/QtPicture.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUnits.h"
#include "toolkit/qt/QtWindow.h"

// The whole editor on the Qt toolkit: start-up, the first paint loading the command-line map
// onto the screen, and closing.

namespace korvane::qt {
namespace {

using testing::RunPendingEvents;

class EditorOnQt : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
  std::string Folder() const { return folder_.path().toStdString(); }
  QTemporaryDir folder_;
};

TEST_F(EditorOnQt, StartsWithTheMainWindowLaidOutAndThePaletteBesideIt) {
  QtToolkit tk("", Folder());
  Editor editor(tk);
  editor.Start();
  RunPendingEvents();
  MapView& view = editor.mapView();
  const float sw = tk.ScreenWidth();
  const float tpp = static_cast<float>(ScreenTwipsPerPixelX());
  EXPECT_TRUE(view.window->Visible());
  EXPECT_EQ(view.window->Caption(), "Korvane");
  EXPECT_NEAR(view.window->Left(), sw / 50, tpp);
  EXPECT_NEAR(view.window->Width(), sw / 1.8f, tpp);
  EXPECT_TRUE(editor.TileViewVisible());
  EXPECT_FALSE(editor.DatViewVisible());
  EXPECT_NEAR(editor.tileView().window->Left(), sw / 1.7f, tpp);
  // The map display fills the client area left of the vertical bar and below the tool strip.
  EXPECT_NEAR(view.Display->ScaleWidth(), view.window->ScaleWidth() - 255, tpp);
  EXPECT_NEAR(view.Display->ScaleHeight(), view.window->ScaleHeight() - 375 - 255, tpp);
}

TEST_F(EditorOnQt, FirstPaintLoadsTheCommandLineMapOntoTheScreen) {
  const std::string map = Folder() + "/three tiles.map";
  {
    QtToolkit tk("", Folder());
    Editor editor(tk);
    editor.Start();
    MapView& view = editor.mapView();
    view.MapWidth = 3;
    view.MapHeight = 2;
    Grid16 tiles = *Grid16::TryCreate(3, 2);
    view.MapTiles = TileLayer(tiles);
    view.OverlayData = tiles;
    view.MapTiles.Set(0, 0, 19);  // sheet row 1, column 1 of an 18-column sheet
    view.MapTiles.Set(1, 0, 2);
    ASSERT_TRUE(view.SaveNow(map));
  }
  RunPendingEvents();

  QtToolkit tk(map, Folder());
  Editor editor(tk);
  editor.Start();
  RunPendingEvents();
  MapView& view = editor.mapView();
  ASSERT_EQ(view.MapWidth, 3);
  const auto* sheet = dynamic_cast<const QtPicture*>(editor.Global().TileSheet.get());
  ASSERT_NE(sheet, nullptr);
  const QImage& screen = static_cast<QtSurface*>(view.Display)->Image();
  const int tile = editor.Global().TileSize;
  const int pitch = tile + editor.Global().TileSpacing;
  for (int y = 0; y < tile; y += 5) {
    for (int x = 0; x < tile; x += 5) {
      EXPECT_EQ(screen.pixel(x, y), sheet->Image().pixel(pitch + x, pitch + y)) << x << "," << y;
      EXPECT_EQ(screen.pixel(tile + x, y), sheet->Image().pixel(2 * pitch + x, y));
      EXPECT_EQ(screen.pixel(x, tile + y), sheet->Image().pixel(x, y));
    }
  }
  // Beyond the map's last column the display shows its background.
  EXPECT_EQ(screen.pixel(3 * tile + 2, 2), qRgb(0, 0, 0));
}

TEST_F(EditorOnQt, ClosingTheMainWindowUnloadsTheOthersAndEndsTheEventLoop) {
  QtToolkit tk("", Folder());
  Editor editor(tk);
  editor.Start();
  QWidget* main = static_cast<QtWindow*>(editor.mapView().window.get())->TopLevel();
  bool closed = false;
  QTimer::singleShot(0, main, [&] { closed = main->close(); });
  // Only bounds a failure: a close that forgot to end the loop would otherwise hang here.
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  watchdog.start(30000);
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(editor.TileViewVisible());
  EXPECT_FALSE(editor.HasTileView());
  EXPECT_FALSE(editor.HasDatView());
  EXPECT_TRUE(QFileInfo::exists(folder_.filePath("Overlay.dat")));
  RunPendingEvents();
}

}  // namespace
}  // namespace korvane::qt
