#include <gtest/gtest.h>

#include <QMenuBar>
#include <QTemporaryDir>

#include "tests/qt/QtTestApplication.h"
#include "tiles/TileGeometry.h"
#include "toolkit/qt/QtFileFilter.h"
#include "toolkit/qt/QtPicture.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUnits.h"
#include "toolkit/qt/QtWindow.h"

namespace korvane::qt {
namespace {

using testing::RunPendingEvents;
using toolkit::WindowKind;

TEST(QtWindowTest, MainWindowClientKeepsItsSizeBelowTheMenuBar) {
  QtToolkit tk("");
  auto window = tk.CreateWindow(WindowKind::Main, "Korvane", 8055, 5895);
  window->AddMenu("&File")->AddItem("&New Map");
  window->AddMenu("T&ools");
  const float tpp = static_cast<float>(ScreenTwipsPerPixelX());
  EXPECT_NEAR(window->ScaleWidth(), 8055, tpp);
  EXPECT_NEAR(window->ScaleHeight(), 5895, tpp);

  int resizes = 0;
  bool visibleWhenResized = false;
  window->onResize = [&] {
    ++resizes;
    visibleWhenResized = window->Visible();
  };
  window->SetVisible(true);
  RunPendingEvents();
  EXPECT_GE(resizes, 1);
  EXPECT_TRUE(visibleWhenResized);
  EXPECT_NEAR(window->ScaleHeight(), 5895, tpp);
  EXPECT_GT(window->Height(), window->ScaleHeight());  // the menu bar is outside the client

  // The handler already sees the new client size.
  float seenWidth = 0;
  float seenHeight = 0;
  window->onResize = [&] {
    seenWidth = window->ScaleWidth();
    seenHeight = window->ScaleHeight();
  };
  window->SetWidth(6000);
  window->SetHeight(5000);
  EXPECT_NEAR(window->Width(), 6000, tpp);
  EXPECT_NEAR(window->Height(), 5000, tpp);
  EXPECT_EQ(seenWidth, window->ScaleWidth());
  EXPECT_EQ(seenHeight, window->ScaleHeight());
  EXPECT_LT(window->ScaleHeight(), 5000);
  window->SetVisible(false);
}

TEST(QtWindowTest, CloseAsksFirstAndTheOwnerMayDestroyTheWindowWhileUnloading) {
  QtToolkit tk("");
  auto window = tk.CreateWindow(WindowKind::SizableTool, "Tile View", 4800, 7800);
  window->AddSurface(toolkit::Place{0, 0, 4800, 7545});
  window->SetVisible(true);
  bool allow = false;
  int unloads = 0;
  window->onQueryUnload = [&] { return allow; };
  window->onUnload = [&] {
    ++unloads;
    window.reset();
  };
  QWidget* top = static_cast<QtWindow*>(window.get())->TopLevel();
  EXPECT_FALSE(top->close());
  EXPECT_TRUE(window->Visible());
  EXPECT_EQ(unloads, 0);

  allow = true;
  top->close();
  EXPECT_EQ(unloads, 1);
  EXPECT_EQ(window, nullptr);
  RunPendingEvents();
}

TEST(QtToolkitTest, FileFiltersBecomeQtFilters) {
  const std::pair<std::string, QString> cases[] = {
      {"Map File (*.map)|*.map", "Map File (*.map)"},
      {"Windows Bitmap (*.bmp)|*.bmp", "Windows Bitmap (*.bmp)"},
      {"Pictures|*.bmp;*.png|All|*.*", "Pictures (*.bmp *.png);;All (*.*)"},
      {"", ""},
      {"Dangling", ""},
  };
  for (const auto& [filter, expected] : cases) EXPECT_EQ(ToQtFilter(filter), expected) << filter;

  EXPECT_EQ(WithDefaultExtension("/tmp/level", ".map"), "/tmp/level.map");
  EXPECT_EQ(WithDefaultExtension("/tmp/level.dat", ".map"), "/tmp/level.dat");
  EXPECT_EQ(WithDefaultExtension("/tmp/v1.0/level", "map"), "/tmp/v1.0/level.map");
  EXPECT_EQ(WithDefaultExtension("/tmp/level", ""), "/tmp/level");
}

TEST(QtToolkitTest, PictureSizeConvertsBackToItsPixelsInTwips) {
  QtToolkit tk("");
  const double tpp = ScreenTwipsPerPixelX();
  for (int width : {1, 16, 305, 545, 4097}) {
    toolkit::RgbImage image{width, 1, std::vector<toolkit::Color>(width)};
    const auto picture = tk.PictureFromImage(image);
    EXPECT_NEAR(HimetricToTwips(picture->WidthHimetric()), width * tpp, 0.5) << width;
  }
  EXPECT_EQ(tk.PictureFromImage(toolkit::RgbImage{3, 3, {}})->WidthHimetric(), 0);
}

TEST(QtToolkitTest, LoadPictureDecodesFilesAndRefusesOthers) {
  QtToolkit tk("");
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage image(7, 5, QImage::Format_RGB32);
  image.fill(qRgb(1, 2, 3));
  const QString bmp = dir.filePath("sheet.bmp");
  ASSERT_TRUE(image.save(bmp, "BMP"));
  const auto picture = tk.LoadPicture(bmp.toStdString());
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(static_cast<const QtPicture&>(*picture).Image().size(), QSize(7, 5));

  const QString text = dir.filePath("notes.bmp");
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a picture");
  file.close();
  EXPECT_EQ(tk.LoadPicture(text.toStdString()), nullptr);
  EXPECT_EQ(tk.LoadPicture(dir.filePath("missing.bmp").toStdString()), nullptr);
  EXPECT_EQ(tk.LoadPicture(""), nullptr);
}

TEST(QtToolkitTest, RandomStaysBelowOne) {
  QtToolkit tk("maps/one two.map");
  EXPECT_EQ(tk.CommandLine(), "maps/one two.map");
  tk.SeedRandomFromTimer();
  for (int i = 0; i < 10000; ++i) {
    const float v = tk.Random();
    ASSERT_GE(v, 0.0f);
    ASSERT_LT(v, 1.0f);
  }
}

}  // namespace
}  // namespace korvane::qt
