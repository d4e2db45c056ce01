#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QtGlobal>

#include "tests/qt/QtTestApplication.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"

namespace korvane::qt {
namespace {

using testing::RunPendingEvents;
using toolkit::Color;
using toolkit::Place;
using toolkit::Rgb;
using toolkit::ScaleUnit;

QRgb ToRgb(Color c) {
  return qRgb(c.r, c.g, c.b);
}

class SurfacePixels : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = tk_.CreateWindow(toolkit::WindowKind::FixedTool, "Pixels", 3000, 3000);
    surface_ = static_cast<QtSurface*>(window_->AddSurface(Place{0, 0, 1500, 1200}));
    // Twips per pixel as this surface converts them; positions below are whole pixels.
    tpp_ = surface_->ScaleX(1, ScaleUnit::Pixels, ScaleUnit::Twips);
    surface_->SetBackColor(Rgb(0, 0, 0));
    surface_->onPaint = [this] { ++paints_; };
    window_->SetVisible(true);
    RunPendingEvents();
  }
  void TearDown() override {
    window_.reset();
    RunPendingEvents();
  }
  float Px(int pixels) const { return static_cast<float>(pixels) * tpp_; }
  QRgb At(int x, int y) const { return surface_->Image().pixel(x, y); }

  // A 4 x 3 picture whose every pixel has its own colour.
  toolkit::PicturePtr Pattern() {
    toolkit::RgbImage image{4, 3, {}};
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x)
        image.pixels.push_back(
            Rgb(static_cast<uint8_t>(40 + 50 * x), static_cast<uint8_t>(30 + 80 * y), 200));
    return tk_.PictureFromImage(image);
  }
  static QRgb PatternAt(int x, int y) { return qRgb(40 + 50 * x, 30 + 80 * y, 200); }

  QtToolkit tk_{""};
  std::unique_ptr<toolkit::Window> window_;
  QtSurface* surface_ = nullptr;
  float tpp_ = 15;
  int paints_ = 0;
};

TEST_F(SurfacePixels, ConvertsBetweenUnitsAtTheLogicalResolution) {
  EXPECT_GT(tpp_, 0);
  EXPECT_FLOAT_EQ(surface_->ScaleWidth(), Px(surface_->Image().width()));
  EXPECT_FLOAT_EQ(surface_->Image().width(), 100);  // 1500 twips at 15 twips per pixel
  EXPECT_NEAR(surface_->ScaleX(2540, ScaleUnit::Himetric, ScaleUnit::Twips), 1440, 1e-3);
  EXPECT_NEAR(surface_->ScaleY(Px(16), ScaleUnit::Twips, ScaleUnit::Pixels), 16, 1e-4);
}

TEST_F(SurfacePixels, PaintPictureCopiesSourcePixelsExactly) {
  const auto picture = Pattern();
  surface_->PaintPicture(*picture, Px(10), Px(5), Px(4), Px(3), 0, 0, Px(4), Px(3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(10 + x, 5 + y), PatternAt(x, y)) << x << "," << y;
  EXPECT_EQ(At(9, 5), qRgb(0, 0, 0));
  EXPECT_EQ(At(14, 5), qRgb(0, 0, 0));
  EXPECT_EQ(At(10, 8), qRgb(0, 0, 0));
}

TEST_F(SurfacePixels, PaintPictureStretchesASourceRectangle) {
  const auto picture = Pattern();
  // The 2 x 2 block from (1, 1), doubled, as a zoomed map cell draws its tile.
  surface_->PaintPicture(*picture, Px(20), Px(20), Px(4), Px(4), Px(1), Px(1), Px(2), Px(2));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(At(20 + x, 20 + y), PatternAt(1 + x / 2, 1 + y / 2)) << x << "," << y;
  EXPECT_EQ(At(24, 20), qRgb(0, 0, 0));
}

TEST_F(SurfacePixels, FilledBoxTakesInBothCorners) {
  const Color red = Rgb(255, 0, 0);
  surface_->FilledBox(Px(2), Px(3), Px(4), Px(2), red);
  for (int y = 3; y <= 5; ++y)
    for (int x = 2; x <= 6; ++x) EXPECT_EQ(At(x, y), ToRgb(red)) << x << "," << y;
  EXPECT_EQ(At(7, 3), qRgb(0, 0, 0));
  EXPECT_EQ(At(2, 6), qRgb(0, 0, 0));
  EXPECT_EQ(At(1, 2), qRgb(0, 0, 0));
}

TEST_F(SurfacePixels, RefreshClearsToTheBackColourAndPaintsAtOnce) {
  const Color blue = Rgb(0, 0, 255);
  surface_->FilledBox(0, 0, Px(50), Px(50), Rgb(9, 9, 9));
  surface_->SetBackColor(blue);
  const int before = paints_;
  surface_->onPaint = [this] {
    ++paints_;
    EXPECT_EQ(At(0, 0), qRgb(0, 0, 255));  // cleared before the handler runs
    surface_->FilledBox(Px(1), Px(1), 0, 0, Rgb(1, 2, 3));
  };
  surface_->Refresh();
  EXPECT_EQ(paints_, before + 1);
  EXPECT_EQ(At(1, 1), qRgb(1, 2, 3));
  EXPECT_EQ(At(40, 40), qRgb(0, 0, 255));
}

TEST_F(SurfacePixels, GrowingPaintsOnceFromTheEventLoopShrinkingKeepsTheDrawing) {
  EXPECT_EQ(paints_, 1);  // the first showing
  surface_->FilledBox(0, 0, Px(3), Px(3), Rgb(0, 255, 0));
  surface_->SetPlace(Place{0, 0, Px(60), Px(40)});
  RunPendingEvents();
  EXPECT_EQ(paints_, 1);
  EXPECT_EQ(At(3, 3), qRgb(0, 255, 0));

  surface_->SetPlace(Place{0, 0, Px(150), Px(90)});
  RunPendingEvents();
  EXPECT_EQ(paints_, 2);
  EXPECT_EQ(surface_->Image().width(), 150);
  EXPECT_EQ(At(3, 3), qRgb(0, 0, 0));

  // A Refresh before the event loop comes round settles the owed paint.
  surface_->SetPlace(Place{0, 0, Px(160), Px(90)});
  surface_->Refresh();
  RunPendingEvents();
  EXPECT_EQ(paints_, 3);
}

TEST_F(SurfacePixels, AnEmptySurfaceDrawnFromItsPaintDoesNotAskForPaintsForever) {
  auto* empty = window_->AddSurface(Place{0, 0, 0, Px(30)});
  int paints = 0;
  empty->onPaint = [&] {
    ++paints;
    empty->FilledBox(0, 0, Px(5), Px(5), Rgb(1, 1, 1));
  };
  for (int i = 0; i < 5; ++i) RunPendingEvents();
  EXPECT_LE(paints, 1);
  EXPECT_FLOAT_EQ(empty->ScaleWidth(), 0);
}

TEST_F(SurfacePixels, CircleAndTextUseTheForeColour) {
  surface_->SetForeColor(Rgb(0, 0, 192));
  surface_->Circle(Px(50), Px(40), Px(10));
  EXPECT_EQ(At(50, 40), qRgb(0, 0, 0));
  int onOutline = 0;
  for (int x = 58; x <= 62; ++x) onOutline += At(x, 40) == qRgb(0, 0, 192);
  EXPECT_GE(onOutline, 1);

  surface_->SetCurrentX(Px(5));
  surface_->SetCurrentY(Px(60));
  surface_->Print("8");
  const int width = qRound(surface_->TextWidth("8") / tpp_);
  const int height = qRound(surface_->TextHeight("8") / tpp_);
  int inked = 0;
  for (int y = 60; y < 60 + height; ++y)
    for (int x = 5; x < 5 + width; ++x) inked += At(x, y) == qRgb(0, 0, 192);
  EXPECT_GT(inked, 0);
  EXPECT_EQ(At(4, 59), qRgb(0, 0, 0));
}

TEST_F(SurfacePixels, OwnPictureShowsFromTheTopLeftAndSurvivesRefresh) {
  surface_->SetPicture(Pattern());
  EXPECT_EQ(At(0, 0), PatternAt(0, 0));
  EXPECT_EQ(At(3, 2), PatternAt(3, 2));
  surface_->Refresh();
  EXPECT_EQ(At(3, 2), PatternAt(3, 2));
  EXPECT_EQ(At(4, 0), qRgb(0, 0, 0));
}

TEST_F(SurfacePixels, MouseReportsButtonCodesAndTwips) {
  std::vector<std::vector<float>> seen;
  auto record = [&seen](int16_t button, int16_t shift, float x, float y) {
    seen.push_back({float(button), float(shift), x, y});
  };
  surface_->onMouseDown = record;
  surface_->onMouseMove = record;
  QWidget* widget = surface_->widget();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 20), widget->mapToGlobal(QPointF(10, 20)),
                    Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
  QCoreApplication::sendEvent(widget, &press);
  QMouseEvent move(QEvent::MouseMove, QPointF(12, 20), widget->mapToGlobal(QPointF(12, 20)),
                   Qt::NoButton, Qt::LeftButton | Qt::MiddleButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &move);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], (std::vector<float>{2, 1, Px(10), Px(20)}));
  EXPECT_EQ(seen[1], (std::vector<float>{5, 0, Px(12), Px(20)}));
}

}  // namespace
}  // namespace korvane::qt
