#include "toolkit/win32/Win32Controls.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/ForeignText.h"

namespace korvane::win32 {

namespace {

// How many entries the open list of a combo box shows before it scrolls.
constexpr int kListRows = 12;

template <typename T>
T* Notifying(T* control) {
  SetOwner(control->Handle(), static_cast<Notified*>(control));
  return control;
}

}  // namespace

HWND CreateChild(HWND parent, const wchar_t* windowClass, const std::string& text, DWORD style,
                 DWORD exStyle) {
  HWND hwnd =
      ::CreateWindowExW(exStyle, windowClass, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0,
                        0, 0, 0, parent, nullptr, TheUi().instance, nullptr);
  if (hwnd) ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(TheUi().font), FALSE);
  return hwnd;
}

std::string WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
  return Narrow(text);
}

// ---- Scroll bar ----

Win32ScrollBar::Win32ScrollBar(HWND parent, bool horizontal, const toolkit::Place& place)
    : Win32Control(CreateChild(parent, L"SCROLLBAR", "", horizontal ? SBS_HORZ : SBS_VERT), place) {
  Notifying(this);
  ApplyRange();
}

int Win32ScrollBar::PositionOf(int16_t value) const {
  return min_ <= max_ ? value - min_ : min_ - value;
}

int16_t Win32ScrollBar::ValueAt(int position) const {
  const int span = std::abs(max_ - min_);
  position = std::clamp(position, 0, span);
  return static_cast<int16_t>(min_ <= max_ ? min_ + position : min_ - position);
}

void Win32ScrollBar::SetMin(int16_t min) {
  min_ = min;
  ApplyRange();
}

void Win32ScrollBar::SetMax(int16_t max) {
  max_ = max;
  ApplyRange();
}

// The bar shows the range; Value is moved into it, and raises onChange when it moved.
void Win32ScrollBar::ApplyRange() {
  const int16_t clamped = std::clamp(value_, std::min(min_, max_), std::max(min_, max_));
  const bool moved = clamped != value_;
  value_ = clamped;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  info.nMin = 0;
  info.nMax = std::abs(max_ - min_);
  info.nPage = 0;
  info.nPos = PositionOf(value_);
  ::SetScrollInfo(hwnd_, SB_CTL, &info, TRUE);
  if (moved) Raise(onChange);
}

void Win32ScrollBar::ShowValue() {
  ::SetScrollPos(hwnd_, SB_CTL, PositionOf(value_), TRUE);
}

void Win32ScrollBar::SetValue(int16_t value) {
  const int16_t v = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
  if (v == value_) return;
  value_ = v;
  ShowValue();
  Raise(onChange);
}

void Win32ScrollBar::Refresh() {
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

// The bar moves only when told to: every request of the user is turned into a value here.
void Win32ScrollBar::Scrolled(int request, int trackPosition) {
  const int position = PositionOf(value_);
  int wanted = position;
  switch (request) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
      wanted = position - 1;
      break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
      wanted = position + 1;
      break;
    case SB_LEFT:
      wanted = 0;
      break;
    case SB_RIGHT:
      wanted = std::abs(max_ - min_);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      wanted = trackPosition;
      break;
    default:
      return;
  }
  const int16_t value = ValueAt(wanted);
  const bool moved = value != value_;
  value_ = value;
  if (moved) ShowValue();
  if (request == SB_THUMBTRACK) {
    if (!moved) return;
    draggedSinceChange_ = true;
    Raise(onScroll);
  } else if (moved || (request == SB_THUMBPOSITION && draggedSinceChange_)) {
    draggedSinceChange_ = false;
    Raise(onChange);
  }
}

// ---- Button ----

Win32Button::Win32Button(HWND parent, const std::string& caption, const toolkit::Place& place)
    : Win32Control(CreateChild(parent, L"BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP), place),
      caption_(caption) {
  Notifying(this);
}

void Win32Button::Command(int code) {
  if (code == BN_CLICKED) Raise(onClick);
}

// ---- Check box ----

Win32CheckBox::Win32CheckBox(HWND parent, const std::string& caption, const toolkit::Place& place)
    : Win32Control(CreateChild(parent, L"BUTTON", caption, BS_3STATE | WS_TABSTOP), place) {
  Notifying(this);
}

void Win32CheckBox::Show() {
  ::SendMessageW(hwnd_, BM_SETCHECK,
                 value_ == 1   ? BST_CHECKED
                 : value_ == 2 ? BST_INDETERMINATE
                               : BST_UNCHECKED,
                 0);
}

void Win32CheckBox::SetValue(int16_t value) {
  if (value < 0 || value > 2 || value == value_) return;
  value_ = value;
  Show();
  Raise(onClick);
}

void Win32CheckBox::Command(int code) {
  if (code != BN_CLICKED) return;
  value_ = value_ == 1 ? 0 : 1;
  Show();
  Raise(onClick);
}

// ---- Combo box ----

Win32ComboBox::Win32ComboBox(HWND parent, const toolkit::Place& place)
    : Win32Control(CreateChild(parent, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP),
                   place) {
  Notifying(this);
  // The window's height takes in the open list too.
  const int row = static_cast<int>(::SendMessageW(hwnd_, CB_GETITEMHEIGHT, 0, 0));
  extraHeight_ = kListRows * std::max(row, 1) + 2;
  Win32Control::SetPlace(place);
}

void Win32ComboBox::ShowIndex() {
  ::SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index_), 0);
}

void Win32ComboBox::SetListIndex(int16_t index) {
  index_ = InRange(index) ? index : int16_t{-1};
  ShowIndex();
  Raise(onClick);
}

int16_t Win32ComboBox::ListCount() const {
  const LRESULT count = ::SendMessageW(hwnd_, CB_GETCOUNT, 0, 0);
  return static_cast<int16_t>(std::clamp<LRESULT>(count, 0, 32767));
}

void Win32ComboBox::AddItem(const std::string& text) {
  // The count is a 16-bit number: a list that is full takes no more entries.
  if (ListCount() >= 32767) return;
  const LRESULT at = ::SendMessageW(hwnd_, CB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(Widen(toolkit::AsUtf8(text)).c_str()));
  if (at < 0) return;
  texts_.push_back(text);  // an unsorted list adds at its end
  ::SendMessageW(hwnd_, CB_SETITEMDATA, static_cast<WPARAM>(at), 0);
  newIndex_ = static_cast<int16_t>(at);
  ShowIndex();
}

void Win32ComboBox::RemoveItem(int16_t index) {
  if (!InRange(index)) return;
  ::SendMessageW(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  texts_.erase(texts_.begin() + index);
  if (index_ == index)
    index_ = -1;
  else if (index_ > index)
    --index_;
  ShowIndex();
}

std::string Win32ComboBox::List(int16_t index) const {
  return index >= 0 && index < std::ssize(texts_) ? texts_[static_cast<size_t>(index)]
                                                  : std::string();
}

int32_t Win32ComboBox::ItemData(int16_t index) const {
  if (!InRange(index)) return 0;
  return static_cast<int32_t>(::SendMessageW(hwnd_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void Win32ComboBox::SetItemData(int16_t index, int32_t data) {
  if (InRange(index))
    ::SendMessageW(hwnd_, CB_SETITEMDATA, static_cast<WPARAM>(index),
                   static_cast<LPARAM>(static_cast<intptr_t>(data)));
}

// A choice in the open list arrives as "selection ended OK"; one made on the closed box (the
// arrow keys, the wheel) only as "selection changed".
void Win32ComboBox::Command(int code) {
  const bool dropped = ::SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != 0;
  if (code != CBN_SELENDOK && !(code == CBN_SELCHANGE && !dropped)) return;
  const auto chosen = static_cast<int16_t>(::SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
  index_ = InRange(chosen) ? chosen : int16_t{-1};
  Raise(onClick);
}

// ---- Text box and label ----

Win32TextBox::Win32TextBox(HWND parent, const std::string& text, const toolkit::Place& place)
    : Win32Control(
          CreateChild(parent, L"EDIT", text, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE),
          place) {}

std::string Win32TextBox::Text() const {
  return WindowText(hwnd_);
}

void Win32TextBox::SetText(const std::string& text) {
  ::SetWindowTextW(hwnd_, Widen(text).c_str());
}

Win32Label::Win32Label(HWND parent, const std::string& caption, const toolkit::Place& place)
    : Win32Control(CreateChild(parent, L"STATIC", caption, SS_LEFT | SS_NOPREFIX), place),
      caption_(caption) {}

void Win32Label::SetCaption(const std::string& caption) {
  caption_ = caption;
  ::SetWindowTextW(hwnd_, Widen(caption).c_str());
}

}  // namespace korvane::win32
