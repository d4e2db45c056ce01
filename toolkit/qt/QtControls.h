#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <string>

#include "toolkit/Controls.h"
#include "toolkit/qt/QtControlBase.h"

namespace korvane::qt {

// A scroll bar with 16-bit Min, Max and Value. The program's own changes raise onChange only
// when Value moves; the user's raise onScroll while the thumb is dragged and onChange after a
// click or when the dragged thumb is released. Min may exceed Max: the bar then runs backwards.
class QtScrollBar : public QtControl<toolkit::ScrollBar, QScrollBar> {
 public:
  QtScrollBar(QWidget* parent, Qt::Orientation orientation, const toolkit::Place& place);
  int16_t Min() const override { return min_; }
  int16_t Max() const override { return max_; }
  int16_t Value() const override { return value_; }
  void SetMin(int16_t min) override;
  void SetMax(int16_t max) override;
  void SetValue(int16_t value) override;
  void Refresh() override;

 private:
  void ApplyRange();
  void UserMoved(int value);
  void ThumbReleased();
  int16_t min_ = 0;
  int16_t max_ = 32767;
  int16_t value_ = 0;
  // A drag has moved the thumb since it was pressed, so its release owes an onChange.
  bool draggedSinceChange_ = false;
};

class QtButton : public QtControl<toolkit::Button, QPushButton> {
 public:
  QtButton(QWidget* parent, const std::string& caption, const toolkit::Place& place);
  std::string Caption() const override { return caption_; }

 private:
  std::string caption_;
};

// 0 unchecked, 1 checked, 2 greyed. onClick follows every change of the value, the user's and
// the program's alike.
class QtCheckBox : public QtControl<toolkit::CheckBox, QCheckBox> {
 public:
  QtCheckBox(QWidget* parent, const std::string& caption, const toolkit::Place& place);
  int16_t Value() const override;
  void SetValue(int16_t value) override;
};

// A drop-down list that cannot be typed into. It keeps its own selected position so that it
// reads -1 until something selects an entry, as the editor expects (Qt would select the first
// entry added). Setting the position raises onClick; so does the user's choice.
class QtComboBox : public QtControl<toolkit::ComboBox, QComboBox> {
 public:
  QtComboBox(QWidget* parent, const toolkit::Place& place);
  int16_t ListIndex() const override { return index_; }
  void SetListIndex(int16_t index) override;
  int16_t ListCount() const override;
  void AddItem(const std::string& text) override;
  void RemoveItem(int16_t index) override;
  std::string List(int16_t index) const override;
  int32_t ItemData(int16_t index) const override;
  void SetItemData(int16_t index, int32_t data) override;
  int16_t NewIndex() const override { return newIndex_; }

 private:
  bool InRange(int16_t index) const { return index >= 0 && index < ListCount(); }
  // Shows index_ in the widget without raising anything.
  void ShowIndex();
  int16_t index_ = -1;
  int16_t newIndex_ = -1;
};

class QtTextBox : public QtControl<toolkit::TextBox, QLineEdit> {
 public:
  QtTextBox(QWidget* parent, const std::string& text, const toolkit::Place& place);
  std::string Text() const override;
  void SetText(const std::string& text) override;
};

class QtLabel : public QtControl<toolkit::Label, QLabel> {
 public:
  QtLabel(QWidget* parent, const std::string& caption, const toolkit::Place& place);
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& caption) override;

 private:
  std::string caption_;
};

}  // namespace korvane::qt
