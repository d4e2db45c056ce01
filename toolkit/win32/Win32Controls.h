#pragma once

#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/win32/Win32ControlBase.h"

namespace korvane::win32 {

// A scroll bar with 16-bit Min, Max and Value. The program's own changes raise onChange only
// when Value moves; the user's raise onScroll while the thumb is dragged and onChange after a
// click or when the dragged thumb is released. Min may exceed Max: the bar then runs backwards.
// Both the small and the large change are one.
class Win32ScrollBar : public Win32Control<toolkit::ScrollBar>, public Notified {
 public:
  Win32ScrollBar(HWND parent, bool horizontal, const toolkit::Place& place);
  int16_t Min() const override { return min_; }
  int16_t Max() const override { return max_; }
  int16_t Value() const override { return value_; }
  void SetMin(int16_t min) override;
  void SetMax(int16_t max) override;
  void SetValue(int16_t value) override;
  void Refresh() override;
  void Scrolled(int request, int trackPosition) override;

 private:
  // The bar's own position, from 0 at the Min end.
  int PositionOf(int16_t value) const;
  int16_t ValueAt(int position) const;
  void ApplyRange();
  void ShowValue();
  int16_t min_ = 0;
  int16_t max_ = 32767;
  int16_t value_ = 0;
  // A drag has moved the thumb since it was pressed, so its release owes an onChange.
  bool draggedSinceChange_ = false;
};

class Win32Button : public Win32Control<toolkit::Button>, public Notified {
 public:
  Win32Button(HWND parent, const std::string& caption, const toolkit::Place& place);
  std::string Caption() const override { return caption_; }
  void Command(int code) override;

 private:
  std::string caption_;
};

// 0 unchecked, 1 checked, 2 greyed. onClick follows every change of the value, the user's and
// the program's alike; the user's click checks a box that is not checked and clears one that is.
class Win32CheckBox : public Win32Control<toolkit::CheckBox>, public Notified {
 public:
  Win32CheckBox(HWND parent, const std::string& caption, const toolkit::Place& place);
  int16_t Value() const override { return value_; }
  void SetValue(int16_t value) override;
  void Command(int code) override;

 private:
  void Show();
  int16_t value_ = 0;
};

// A drop-down list that cannot be typed into. It reads -1 until something selects an entry.
// Setting the position raises onClick; so does the user's choice.
class Win32ComboBox : public Win32Control<toolkit::ComboBox>, public Notified {
 public:
  Win32ComboBox(HWND parent, const toolkit::Place& place);
  int16_t ListIndex() const override { return index_; }
  void SetListIndex(int16_t index) override;
  int16_t ListCount() const override;
  void AddItem(const std::string& text) override;
  void RemoveItem(int16_t index) override;
  std::string List(int16_t index) const override;
  int32_t ItemData(int16_t index) const override;
  void SetItemData(int16_t index, int32_t data) override;
  int16_t NewIndex() const override { return newIndex_; }
  void Command(int code) override;

 private:
  bool InRange(int16_t index) const { return index >= 0 && index < ListCount(); }
  void ShowIndex();
  int16_t index_ = -1;
  int16_t newIndex_ = -1;
  // Each entry's bytes as added: what the list shows may have been read from another code page,
  // and the catalogue it came from is written back byte for byte.
  std::vector<std::string> texts_;
};

class Win32TextBox : public Win32Control<toolkit::TextBox> {
 public:
  Win32TextBox(HWND parent, const std::string& text, const toolkit::Place& place);
  std::string Text() const override;
  void SetText(const std::string& text) override;
};

class Win32Label : public Win32Control<toolkit::Label> {
 public:
  Win32Label(HWND parent, const std::string& caption, const toolkit::Place& place);
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& caption) override;

 private:
  std::string caption_;
};

// The text of a window, as UTF-8.
std::string WindowText(HWND hwnd);

}  // namespace korvane::win32
