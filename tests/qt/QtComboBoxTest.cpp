#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <QtTest/QTest>

#include "toolkit/qt/QtControls.h"

// The catalogue's list on Qt: removing an entry takes it out of the widget and keeps the chosen
// entry chosen where it moved to; indices outside the list are ignored. The check box shows each
// value it takes (0, 1, 2 grey), ignores others, and raises Click only for a change.

namespace korvane::qt {
namespace {

TEST(QtComboBox, RemovingAnEntryKeepsTheChoiceOnItsEntry) {
  const char* const B = "b\xE9";
  const struct {
    int16_t chosen, removed, chosenAfter;
    std::vector<std::string> left;
  } rows[] = {{1, 0, 0, {B, "c"}},  {1, 1, -1, {"a", "c"}},   {1, 2, 1, {"a", B}},
              {2, 2, -1, {"a", B}}, {0, 3, 0, {"a", B, "c"}}, {0, -1, 0, {"a", B, "c"}}};
  for (const auto& row : rows) {
    QWidget parent;
    QtComboBox box(&parent, {0, 0, 1500, 300});
    for (const char* text : {"a", B, "c"}) box.AddItem(text);
    // A name from another code page is shown as Windows-1252 and given back byte for byte.
    EXPECT_EQ(parent.findChild<QComboBox*>()->itemText(1).toStdString(), "b\xC3\xA9");
    box.SetItemData(2, 77);
    box.SetListIndex(row.chosen);
    box.RemoveItem(row.removed);
    std::vector<std::string> left;
    for (int16_t i = 0; i < box.ListCount(); ++i) left.push_back(box.List(i));
    // The widget shows the entry chosen.
    EXPECT_EQ(std::tuple(left, box.ListIndex(), parent.findChild<QComboBox*>()->currentIndex(),
                         box.List(box.ListCount()), box.ItemData(-1)),
              std::tuple(row.left, row.chosenAfter, int{row.chosenAfter}, std::string(), 0))
        << row.chosen << " " << row.removed;
    EXPECT_EQ(box.ItemData(int16_t(std::find(left.begin(), left.end(), "c") - left.begin())),
              row.removed == 2 ? 0 : 77);
  }
}

// The count is a 16-bit number: a full list takes no more entries until one is removed.
TEST(QtComboBox, AFullListTakesNoMoreEntries) {
  QWidget parent;
  QtComboBox box(&parent, {0, 0, 1500, 300});
  for (int i = 0; i < 32767; ++i) box.AddItem("a");
  box.AddItem("past the end");
  const QComboBox& widget = *parent.findChild<QComboBox*>();
  EXPECT_EQ(std::tuple(widget.count(), box.List(32766)), std::tuple(32767, std::string("a")));
  box.RemoveItem(0);
  box.AddItem("last");
  EXPECT_EQ(std::tuple(widget.count(), box.List(32766)), std::tuple(32767, std::string("last")));
}

// The list only offers its entries: typed keys pick the entry they start, and nothing typed
// becomes an entry.
TEST(QtComboBox, KeysPickAnEntryAndAddNone) {
  QWidget parent;
  QtComboBox box(&parent, {0, 0, 1500, 300});
  for (const char* text : {"apple", "banana", "cherry"}) box.AddItem(text);
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  QComboBox* widget = parent.findChild<QComboBox*>();
  QTest::keyClicks(widget, "ch");
  QTest::keyClick(widget, Qt::Key_Return);
  EXPECT_EQ(std::tuple(box.ListIndex(), box.ListCount(), clicks),
            std::tuple(int16_t{2}, int16_t{3}, 1));
}

// A label shows each caption it is given, as plain text.
TEST(QtLabel, ShowsEachCaptionAsPlainText) {
  QWidget parent;
  QtLabel label(&parent, "ID Number:", {0, 0, 1500, 255});
  const QLabel& widget = *parent.findChild<QLabel*>();
  EXPECT_EQ(widget.text().toStdString(), "ID Number:");
  label.SetCaption("<b>ID Number:   3</b>");
  EXPECT_EQ(std::tuple(widget.text().toStdString(), widget.textFormat(), label.Caption()),
            std::tuple(std::string("<b>ID Number:   3</b>"), Qt::PlainText,
                       std::string("<b>ID Number:   3</b>")));
}

// A value the program sets is kept within the range, shown, and raises Change only when it moved;
// a bar whose Min exceeds its Max takes the values between them as well.
TEST(QtScrollBar, TheProgramsValueIsKeptInTheRangeAndShown) {
  QWidget parent;
  QtScrollBar bar(&parent, Qt::Horizontal, {0, 0, 1500, 255});
  std::string changes;
  bar.onChange = [&] { changes += std::to_string(bar.Value()) + " "; };
  bar.SetMin(1);
  bar.SetMax(5);
  for (const int16_t v : {3, 3, 9, 0}) bar.SetValue(v);
  bar.SetMin(9);
  bar.SetValue(7);
  EXPECT_EQ(std::pair(changes, parent.findChild<QScrollBar*>()->value()),
            std::pair(std::string("1 3 5 1 5 7 "), 7));
}

// A drag raises Scroll for each step and one Change when the thumb is let go; a step without a
// drag raises Change at once, and letting go of a thumb that did not move raises nothing.
TEST(QtScrollBar, ADragEndsInOneChange) {
  QWidget parent;
  QtScrollBar bar(&parent, Qt::Horizontal, {0, 0, 1500, 255});
  bar.SetMax(9);
  std::string events;
  bar.onScroll = [&] { events += "s" + std::to_string(bar.Value()) + " "; };
  bar.onChange = [&] { events += "c" + std::to_string(bar.Value()) + " "; };
  QScrollBar* widget = parent.findChild<QScrollBar*>();
  widget->setSliderDown(true);
  widget->setValue(3);
  widget->setValue(4);
  widget->setSliderDown(false);
  widget->setSliderDown(true);
  widget->setSliderDown(false);
  widget->setValue(2);
  EXPECT_EQ(events, "s3 s4 c4 c2 ");
}

TEST(QtCheckBox, ShowsEachValueAndRaisesClickOnlyForAChange) {
  QWidget parent;
  QtCheckBox box(&parent, "Grid", {0, 0, 1500, 300});
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  const struct {
    int16_t set, value;
    Qt::CheckState shown;
    int clicks;
  } rows[] = {{1, 1, Qt::Checked, 1},          {1, 1, Qt::Checked, 1},
              {2, 2, Qt::PartiallyChecked, 2}, {3, 2, Qt::PartiallyChecked, 2},
              {0, 0, Qt::Unchecked, 3},        {-1, 0, Qt::Unchecked, 3}};
  for (const auto& r : rows) {
    box.SetValue(r.set);
    EXPECT_EQ(std::tuple(box.Value(), parent.findChild<QCheckBox*>()->checkState(), clicks),
              std::tuple(r.value, r.shown, r.clicks))
        << r.set;
  }
}

}  // namespace
}  // namespace korvane::qt
