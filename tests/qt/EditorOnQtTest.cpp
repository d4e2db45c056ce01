#include <gtest/gtest.h>

#include <fstream>

#include "document/MapFile.h"
#include "tests/qt/QtTestApplication.h"
#include "tests/support/EditorFixture.h"
#include "tiles/TileView.h"
#include "toolkit/qt/QtPicture.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUnits.h"

// The whole editor on the Qt toolkit: start-up, and the first paint loading the command-line
// map onto the screen.

namespace korvane::qt {
namespace {

using testing::RunPendingEvents;
using testing_support::FreshFolder;

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
  const std::string map = folder + "/three tiles.map";
  Grid16 tiles = *Grid16::TryCreate(3, 2);
  tiles.Set(0, 0, 19);  // sheet row 1, column 1 of an 18-column sheet
  tiles.Set(1, 0, 2);
  const auto bytes = SerializeMapFile(0, 0, tiles, *Grid16::TryCreate(3, 2));
  ASSERT_TRUE(bytes);
  std::ofstream(map, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes->data()), std::ssize(*bytes));

  QtToolkit tk(map, folder);
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

}  // namespace
}  // namespace korvane::qt
