#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <functional>

#include "tests/qt/QtTestApplication.h"
#include "tiles/TileGeometry.h"
#include "toolkit/SplitMix64.h"
#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtFileFilter.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUnits.h"
#include "toolkit/qt/QtWindow.h"

// Surfaces, controls, windows and the toolkit's own services on Qt.

namespace korvane::qt {
namespace {

using testing::RunPendingEvents;
using toolkit::Place;
using toolkit::Rgb;
using toolkit::ScrollBar;
using toolkit::WindowKind;

constexpr QRgb kBlack = qRgb(0, 0, 0);

// A shown tool window holding a 100 x 80 pixel surface cleared to black; positions on the
// surface below are whole pixels.
class QtParts : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = tk_.CreateWindow(WindowKind::FixedTool, "Pixels", 3000, 3000);
    surface_ = static_cast<QtSurface*>(window_->AddSurface(Place{0, 0, 1500, 1200}));
    tpp_ = surface_->ScaleX(1, toolkit::ScaleUnit::Pixels, toolkit::ScaleUnit::Twips);
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
  // The w x h pixels from (x0, y0) must match `inside`, and the ring around them (as far as
  // the surface reaches) is untouched.
  void ExpectBlock(int x0, int y0, int w, int h, const std::function<QRgb(int, int)>& inside) {
    for (int y = -1; y <= h; ++y)
      for (int x = -1; x <= w; ++x) {
        if (!surface_->Image().valid(x0 + x, y0 + y)) continue;
        const bool in = x >= 0 && y >= 0 && x < w && y < h;
        EXPECT_EQ(At(x0 + x, y0 + y), in ? inside(x, y) : kBlack) << x << "," << y;
      }
  }
  // A 4 x 3 picture whose every pixel has its own colour.
  static QRgb PatternAt(int x, int y) { return qRgb(40 + 50 * x, 30 + 80 * y, 200); }
  toolkit::PicturePtr Pattern() {
    toolkit::RgbImage image{4, 3, {}};
    for (int i = 0; i < 12; ++i)
      image.pixels.push_back(Rgb(40 + 50 * (i % 4), 30 + 80 * (i / 4), 200));
    return tk_.PictureFromImage(image);
  }

  QtToolkit tk_{""};
  std::unique_ptr<toolkit::Window> window_;
  QtSurface* surface_ = nullptr;
  float tpp_ = 15;
  int paints_ = 0;
};

TEST_F(QtParts, PaintPictureCopiesOrStretchesSourcePixelsExactly) {
  const auto picture = Pattern();
  struct Case {
    const char* what;
    int x, y, w, h, sx, sy, sw, sh, zoom;
  } cases[] = {
      {"the whole picture 1:1", 10, 5, 4, 3, 0, 0, 4, 3, 1},
      {"a 2 x 2 block doubled, as a zoomed map cell", 20, 20, 4, 4, 1, 1, 2, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    surface_->PaintPicture(*picture, Px(c.x), Px(c.y), Px(c.w), Px(c.h), Px(c.sx), Px(c.sy),
                           Px(c.sw), Px(c.sh));
    ExpectBlock(c.x, c.y, c.w, c.h,
                [&](int x, int y) { return PatternAt(c.sx + x / c.zoom, c.sy + y / c.zoom); });
  }
}

TEST_F(QtParts, FilledBoxTakesInBothCorners) {
  surface_->FilledBox(Px(2), Px(3), Px(4), Px(2), Rgb(255, 0, 0));
  ExpectBlock(2, 3, 5, 3, [](int, int) { return qRgb(255, 0, 0); });
}

TEST_F(QtParts, RefreshClearsToTheBackColourAndPaintsBeforeReturning) {
  surface_->FilledBox(0, 0, Px(50), Px(50), Rgb(9, 9, 9));
  surface_->SetBackColor(Rgb(0, 0, 255));
  QRgb seenByHandler = 0;
  surface_->onPaint = [&] {
    seenByHandler = At(40, 40);
    surface_->FilledBox(Px(1), Px(1), 0, 0, Rgb(1, 2, 3));
  };
  surface_->Refresh();
  EXPECT_EQ(seenByHandler, qRgb(0, 0, 255));
  EXPECT_EQ(At(1, 1), qRgb(1, 2, 3));
  EXPECT_EQ(At(40, 40), qRgb(0, 0, 255));
}

TEST_F(QtParts, ShowingAndGrowingPaintOnceFromTheEventLoopShrinkingKeepsTheDrawing) {
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
  EXPECT_EQ(At(3, 3), kBlack);
}

TEST_F(QtParts, OwnPictureShowsFromTheTopLeftAndSurvivesRefresh) {
  surface_->SetPicture(Pattern());
  surface_->Refresh();
  ExpectBlock(0, 0, 4, 3, PatternAt);
}

TEST_F(QtParts, CircleAndTextUseTheForeColour) {
  surface_->SetForeColor(Rgb(0, 0, 192));
  surface_->Circle(Px(50), Px(40), Px(10));
  surface_->SetCurrentX(Px(5));
  surface_->SetCurrentY(Px(60));
  surface_->Print("8");
  // Fore-coloured pixels from (x0, y0) to (x1, y1), both taken in.
  auto inked = [this](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) n += At(x, y) == qRgb(0, 0, 192);
    return n;
  };
  EXPECT_GE(inked(58, 40, 62, 40), 1);  // the outline, 10 pixels from the centre
  EXPECT_EQ(inked(45, 35, 55, 45), 0);  // and no fill
  const int w = qRound(surface_->TextWidth("8") / tpp_);
  const int h = qRound(surface_->TextHeight("8") / tpp_);
  EXPECT_GT(inked(5, 60, 4 + w, 59 + h), 0);
  EXPECT_EQ(inked(0, 51, 99, 59) + inked(0, 60, 4, 59 + h), 0);  // the text starts at CurrentX, Y
}

TEST_F(QtParts, MouseReportsButtonCodesShiftAndTwips) {
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

TEST_F(QtParts, ScrollBarRaisesChangeOnceWhenTheValueMovesAndScrollOnlyWhileDragged) {
  auto* bar = static_cast<QtScrollBar*>(window_->AddHScrollBar(Place{0, 0, 3000, 255}));
  bar->SetMax(9);
  std::string raised;
  bar->onChange = [&] { raised += "C"; };
  bar->onScroll = [&] { raised += "S"; };
  // The user's click changes at once; a drag scrolls, then changes when the thumb is let go.
  QScrollBar* widget = bar->widget();
  widget->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  widget->setSliderDown(true);
  widget->setSliderPosition(4);
  widget->setSliderPosition(6);
  widget->setSliderDown(false);
  widget->setSliderDown(true);  // a press and release that moves nothing owes no change
  widget->setSliderDown(false);
  EXPECT_EQ(raised, "CSSC");
  EXPECT_EQ(bar->Value(), 6);

  const struct Step {
    const char* what;
    void (ScrollBar::*set)(int16_t);
    int16_t to, value;
    const char* raised;
  } steps[] = {
      {"max below the value", &ScrollBar::SetMax, 3, 3, "C"},
      {"max growing", &ScrollBar::SetMax, 5, 3, ""},
      {"min above the value", &ScrollBar::SetMin, 4, 4, "C"},
      {"value beyond max", &ScrollBar::SetValue, 99, 5, "C"},
      {"the same value", &ScrollBar::SetValue, 5, 5, ""},
      {"min above max: the bar runs backwards", &ScrollBar::SetMin, 10, 5, ""},
      {"value beyond the backward range", &ScrollBar::SetValue, 12, 10, "C"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    raised.clear();
    (bar->*s.set)(s.to);
    EXPECT_EQ(bar->Value(), s.value);
    EXPECT_EQ(widget->value(), s.value);
    EXPECT_EQ(raised, s.raised);
  }
}

TEST_F(QtParts, ComboBoxStartsUnselectedAndSettingOrChoosingRaisesClick) {
  auto* combo = static_cast<QtComboBox*>(window_->AddComboBox(Place{0, 0, 1500, 315}));
  int clicks = 0;
  combo->onClick = [&] { ++clicks; };
  for (const char* item : {"Remove", "Tree", "Rock"}) combo->AddItem(item);
  EXPECT_EQ(combo->ListIndex(), -1);  // Qt alone would select the first entry added
  EXPECT_EQ(combo->widget()->currentIndex(), -1);
  combo->SetListIndex(1);
  combo->SetListIndex(1);
  EXPECT_EQ(combo->widget()->currentIndex(), 1);
  combo->SetListIndex(7);
  EXPECT_EQ(combo->ListIndex(), -1);
  EXPECT_EQ(clicks, 3);
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QCoreApplication::sendEvent(combo->widget(), &down);
  EXPECT_EQ(combo->ListIndex(), 0);
  EXPECT_EQ(clicks, 4);
}

TEST_F(QtParts, CheckBoxRaisesClickOnEveryChangeOfValue) {
  auto* box = static_cast<QtCheckBox*>(window_->AddCheckBox("Multiple Tiles", Place{}));
  int clicks = 0;
  box->onClick = [&] { ++clicks; };
  box->widget()->click();
  EXPECT_EQ(box->Value(), 1);
  box->SetValue(1);
  box->SetValue(0);
  EXPECT_EQ(box->Value(), 0);
  EXPECT_EQ(clicks, 2);
}

TEST(QtWindowTest, MainWindowClientKeepsItsSizeBelowTheMenuBar) {
  QtToolkit tk("");
  auto window = tk.CreateWindow(WindowKind::Main, "Korvane", 8055, 5895);
  window->AddMenu("&File")->AddItem("&New Map");
  const float tpp = static_cast<float>(ScreenTwipsPerPixelX());
  std::vector<float> seen;  // the client size the last resize handler saw
  window->onResize = [&] { seen = {window->ScaleWidth(), window->ScaleHeight()}; };
  window->SetVisible(true);
  RunPendingEvents();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NEAR(seen[0], 8055, tpp);
  EXPECT_NEAR(seen[1], 5895, tpp);

  window->SetHeight(5000);  // the outer height, menu bar and all
  EXPECT_NEAR(window->Height(), 5000, tpp);
  EXPECT_EQ(seen[1], window->ScaleHeight());
  EXPECT_LT(window->ScaleHeight(), 5000 - tpp);
  window->SetVisible(false);
}

TEST_F(QtParts, CloseAsksFirstAndTheOwnerMayDestroyTheWindowWhileUnloading) {
  bool allow = false;
  window_->onQueryUnload = [&] { return allow; };
  window_->onUnload = [&] { window_.reset(); };
  QWidget* top = static_cast<QtWindow*>(window_.get())->TopLevel();
  EXPECT_FALSE(top->close());
  ASSERT_NE(window_, nullptr);
  EXPECT_TRUE(window_->Visible());

  allow = true;
  top->close();
  EXPECT_EQ(window_, nullptr);
}

TEST(QtToolkitTest, FileFiltersAndDefaultExtensionsBecomeQtOnes) {
  const std::pair<std::string, QString> filters[] = {
      {"Map File (*.map)|*.map", "Map File (*.map)"},
      {"Pictures|*.bmp;*.png|All|*.*", "Pictures (*.bmp *.png);;All (*.*)"},
      {"", ""},
      {"Dangling", ""},
  };
  for (const auto& [filter, expected] : filters) EXPECT_EQ(ToQtFilter(filter), expected) << filter;
  const std::tuple<QString, std::string, QString> names[] = {
      {"/tmp/level", ".map", "/tmp/level.map"},
      {"/tmp/level.dat", ".map", "/tmp/level.dat"},
      {"/tmp/v1.0/level", "map", "/tmp/v1.0/level.map"},
      {"/tmp/level", "", "/tmp/level"},
  };
  for (const auto& [name, extension, expected] : names)
    EXPECT_EQ(WithDefaultExtension(name, extension), expected) << name.toStdString();
}

// The box is modal: it is read and dismissed from the event loop it runs.
TEST(QtToolkitTest, AFailureIsShownInAWarningBoxUntilDismissed) {
  const std::string message = "The map could not be saved to \"/maps/a.map\": permission denied.";
  std::string shownText, shownTitle;
  QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
  QObject scope;  // a timer that never found a box dies with the test
  QTimer::singleShot(0, &scope, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;  // nothing shown: ReportFailure has returned already
    shownText = box->text().toStdString();
    shownTitle = box->windowTitle().toStdString();
    shownIcon = box->icon();
    box->button(QMessageBox::Ok)->click();
  });
  QtToolkit("").ReportFailure(message);
  EXPECT_EQ(shownText, message);
  EXPECT_EQ(shownTitle, "Korvane");
  EXPECT_EQ(shownIcon, QMessageBox::Warning);
}

TEST_F(QtParts, PicturesReportSizesThatConvertBackToTheirPixels) {
  for (int width : {1, 16, 305, 545, 4097}) {
    toolkit::RgbImage image{width, 1, std::vector<toolkit::Color>(width)};
    EXPECT_NEAR(HimetricToTwips(tk_.PictureFromImage(image)->WidthHimetric()),
                width * ScreenTwipsPerPixelX(), 0.5)
        << width;
  }
}

// The published SplitMix64 sequence for seed 1234567.
TEST(SplitMix64, GivesThePublishedSequence) {
  toolkit::SplitMix64 bits(1234567);
  for (uint64_t expected : {6457827717110365317ull, 3203168211198807973ull, 9817491932198370423ull,
                            4593380528125082431ull, 16408922859458223821ull})
    EXPECT_EQ(bits(), expected);
}

// A row drawn at once holds the numbers one call each would have given, in order.
TEST_F(QtParts, RandomStaysBelowOneAndARowDrawsTheSameNumbers) {
  QtToolkit one(""), row("");
  std::vector<float> drawn(10000);
  row.RandomFill(drawn);
  for (float v : drawn) {
    ASSERT_EQ(one.Random(), v);
    ASSERT_GE(v, 0.0f);
    ASSERT_LT(v, 1.0f);
  }
}

}  // namespace
}  // namespace korvane::qt
