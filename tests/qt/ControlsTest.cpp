#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMenuBar>
#include <QScrollBar>

#include "tests/qt/QtTestApplication.h"
#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtWindow.h"

namespace korvane::qt {
namespace {

using testing::RunPendingEvents;
using toolkit::Place;

class QtControls : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = tk_.CreateWindow(toolkit::WindowKind::SizableTool, "Controls", 4800, 3000);
  }
  void TearDown() override {
    window_.reset();
    RunPendingEvents();
  }
  QtToolkit tk_{""};
  std::unique_ptr<toolkit::Window> window_;
};

TEST_F(QtControls, ScrollBarRangeChangesMoveTheValueAndRaiseChangeOnce) {
  auto* bar = static_cast<QtScrollBar*>(window_->AddHScrollBar(Place{0, 0, 3000, 255}));
  int changes = 0;
  int scrolls = 0;
  bar->onChange = [&] { ++changes; };
  bar->onScroll = [&] { ++scrolls; };
  bar->SetMin(1);  // 0 -> 1
  EXPECT_EQ(changes, 1);
  bar->SetMax(10);
  bar->SetValue(8);
  EXPECT_EQ(changes, 2);
  bar->SetMax(3);
  EXPECT_EQ(bar->Value(), 3);
  EXPECT_EQ(bar->widget()->value(), 3);
  EXPECT_EQ(changes, 3);
  bar->SetMax(5);
  bar->SetValue(3);
  bar->SetValue(99);  // clamped to 5
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(bar->Value(), 5);
  EXPECT_EQ(scrolls, 0);
}

TEST_F(QtControls, ScrollBarUserClicksChangeAndDragsScrollThenChange) {
  auto* bar = static_cast<QtScrollBar*>(window_->AddVScrollBar(Place{0, 0, 255, 3000}));
  bar->SetMin(1);
  bar->SetMax(9);
  int changes = 0;
  int scrolls = 0;
  bar->onChange = [&] { ++changes; };
  bar->onScroll = [&] { ++scrolls; };
  QScrollBar* widget = bar->widget();
  widget->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar->Value(), 2);
  EXPECT_EQ(changes, 1);
  widget->setSliderDown(true);
  widget->setSliderPosition(4);
  widget->setSliderPosition(6);
  EXPECT_EQ(scrolls, 2);
  EXPECT_EQ(changes, 1);
  widget->setSliderDown(false);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(bar->Value(), 6);
  // A press and release that moves nothing owes no change.
  widget->setSliderDown(true);
  widget->setSliderDown(false);
  EXPECT_EQ(changes, 2);
}

TEST_F(QtControls, ScrollBarWithMinAboveMaxKeepsTheValueBetweenThem) {
  auto* bar = window_->AddHScrollBar(Place{0, 0, 3000, 255});
  bar->SetMin(10);
  bar->SetMax(2);
  EXPECT_EQ(bar->Value(), 10);
  bar->SetValue(1);
  EXPECT_EQ(bar->Value(), 2);
}

TEST_F(QtControls, ComboBoxKeepsNoSelectionUntilSetAndRaisesClickOnSetting) {
  auto* combo = static_cast<QtComboBox*>(window_->AddComboBox(Place{0, 0, 1500, 315}));
  int clicks = 0;
  combo->onClick = [&] { ++clicks; };
  combo->AddItem("Remove");
  combo->AddItem("Tree");
  combo->AddItem("Rock");
  EXPECT_EQ(combo->ListIndex(), -1);
  EXPECT_EQ(combo->widget()->currentIndex(), -1);
  EXPECT_EQ(combo->NewIndex(), 2);
  EXPECT_EQ(clicks, 0);

  combo->SetItemData(2, 70000);
  EXPECT_EQ(combo->ItemData(2), 70000);
  EXPECT_EQ(combo->ItemData(1), 0);
  EXPECT_EQ(combo->ItemData(9), 0);
  EXPECT_EQ(combo->List(1), "Tree");

  combo->SetListIndex(1);
  combo->SetListIndex(1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(combo->widget()->currentIndex(), 1);
  combo->SetListIndex(7);
  EXPECT_EQ(combo->ListIndex(), -1);
  EXPECT_EQ(clicks, 3);

  combo->SetListIndex(2);
  combo->RemoveItem(0);
  EXPECT_EQ(combo->ListIndex(), 1);
  EXPECT_EQ(combo->List(1), "Rock");
  combo->RemoveItem(1);
  EXPECT_EQ(combo->ListIndex(), -1);
  EXPECT_EQ(clicks, 4);  // removing raises nothing
}

TEST_F(QtControls, ComboBoxUserChoiceRaisesClick) {
  auto* combo = static_cast<QtComboBox*>(window_->AddComboBox(Place{0, 0, 1500, 315}));
  combo->AddItem("Normal Painting");
  combo->AddItem("Drag Fill");
  combo->SetListIndex(0);
  int clicks = 0;
  combo->onClick = [&] { ++clicks; };
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QCoreApplication::sendEvent(combo->widget(), &down);
  EXPECT_EQ(combo->ListIndex(), 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(QtControls, CheckBoxRaisesClickOnEveryChangeOfValue) {
  auto* box = static_cast<QtCheckBox*>(window_->AddCheckBox("Multiple Tiles", Place{}));
  int clicks = 0;
  box->onClick = [&] { ++clicks; };
  box->widget()->click();
  EXPECT_EQ(box->Value(), 1);
  EXPECT_EQ(clicks, 1);
  box->SetValue(1);
  EXPECT_EQ(clicks, 1);
  box->SetValue(0);
  EXPECT_EQ(box->Value(), 0);
  EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace korvane::qt
