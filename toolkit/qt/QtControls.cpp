#include "toolkit/qt/QtControls.h"

#include <QSignalBlocker>
#include <algorithm>

#include "toolkit/ForeignText.h"

namespace korvane::qt {

namespace {

// Where an entry keeps the bytes it was added with: its shown text may have been read from
// another code page, and the catalogue it came from is written back byte for byte.
constexpr int kBytesRole = Qt::UserRole + 1;

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

// ---- Scroll bar ----

QtScrollBar::QtScrollBar(QWidget* parent, Qt::Orientation orientation, const toolkit::Place& place)
    : QtControl(new QScrollBar(orientation, parent), place) {
  QScrollBar* bar = widget_;
  bar->setSingleStep(1);
  bar->setPageStep(1);
  ApplyRange();
  QObject::connect(bar, &QScrollBar::valueChanged, bar, [this](int v) { UserMoved(v); });
  QObject::connect(bar, &QScrollBar::sliderReleased, bar, [this] { ThumbReleased(); });
}

void QtScrollBar::SetMin(int16_t min) {
  min_ = min;
  ApplyRange();
}

void QtScrollBar::SetMax(int16_t max) {
  max_ = max;
  ApplyRange();
}

// The bar shows the range low..high; Value is moved into it, and raises onChange when it moved.
void QtScrollBar::ApplyRange() {
  const int16_t low = std::min(min_, max_);
  const int16_t high = std::max(min_, max_);
  const int16_t clamped = std::clamp(value_, low, high);
  const bool moved = clamped != value_;
  value_ = clamped;
  if (widget_) {
    const QSignalBlocker quiet(widget_);
    widget_->setInvertedAppearance(min_ > max_);
    widget_->setInvertedControls(min_ > max_);
    widget_->setRange(low, high);
    widget_->setValue(value_);
  }
  if (moved) Raise(onChange);
}

void QtScrollBar::SetValue(int16_t value) {
  const int16_t v = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
  if (v == value_) return;
  value_ = v;
  if (widget_) {
    const QSignalBlocker quiet(widget_);
    widget_->setValue(v);
  }
  Raise(onChange);
}

void QtScrollBar::Refresh() {
  if (widget_) widget_->update();
}

// Only the user's moves arrive here: the program's own go through a signal blocker.
void QtScrollBar::UserMoved(int value) {
  value_ = static_cast<int16_t>(value);
  if (widget_ && widget_->isSliderDown()) {
    draggedSinceChange_ = true;
    Raise(onScroll);
  } else {
    draggedSinceChange_ = false;
    Raise(onChange);
  }
}

void QtScrollBar::ThumbReleased() {
  if (!draggedSinceChange_) return;
  draggedSinceChange_ = false;
  Raise(onChange);
}

// ---- Button ----

QtButton::QtButton(QWidget* parent, const std::string& caption, const toolkit::Place& place)
    : QtControl(new QPushButton(ToQString(caption), parent), place), caption_(caption) {
  QObject::connect(widget_, &QPushButton::clicked, widget_, [this] { Raise(onClick); });
}

// ---- Check box ----

QtCheckBox::QtCheckBox(QWidget* parent, const std::string& caption, const toolkit::Place& place)
    : QtControl(new QCheckBox(ToQString(caption), parent), place) {
  QObject::connect(widget_, &QCheckBox::clicked, widget_, [this] { Raise(onClick); });
}

int16_t QtCheckBox::Value() const {
  if (!widget_) return 0;
  switch (widget_->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

void QtCheckBox::SetValue(int16_t value) {
  if (value < 0 || value > 2 || value == Value() || !widget_) return;
  {
    const QSignalBlocker quiet(widget_);
    widget_->setCheckState(value == 1   ? Qt::Checked
                           : value == 2 ? Qt::PartiallyChecked
                                        : Qt::Unchecked);
  }
  Raise(onClick);
}

// ---- Combo box ----

QtComboBox::QtComboBox(QWidget* parent, const toolkit::Place& place)
    : QtControl(new QComboBox(parent), place) {
  QComboBox* box = widget_;
  box->setEditable(false);
  // The wheel, the keys and the list all come through here; activated follows each of them.
  QObject::connect(box, &QComboBox::currentIndexChanged, box,
                   [this](int i) { index_ = static_cast<int16_t>(i); });
  QObject::connect(box, &QComboBox::activated, box, [this](int i) {
    index_ = static_cast<int16_t>(i);
    Raise(onClick);
  });
}

void QtComboBox::ShowIndex() {
  if (!widget_) return;
  const QSignalBlocker quiet(widget_);
  widget_->setCurrentIndex(index_);
}

void QtComboBox::SetListIndex(int16_t index) {
  index_ = InRange(index) ? index : int16_t{-1};
  ShowIndex();
  Raise(onClick);
}

int16_t QtComboBox::ListCount() const {
  return widget_ ? static_cast<int16_t>(std::min(widget_->count(), 32767)) : int16_t{0};
}

void QtComboBox::AddItem(const std::string& text) {
  // The count is a 16-bit number: a list that is full takes no more entries.
  if (!widget_ || widget_->count() >= 32767) return;
  {
    const QSignalBlocker quiet(widget_);
    widget_->addItem(ToQString(toolkit::AsUtf8(text)), QVariant(0));
    widget_->setItemData(widget_->count() - 1, QByteArray::fromStdString(text), kBytesRole);
  }
  newIndex_ = static_cast<int16_t>(widget_->count() - 1);
  ShowIndex();
}

void QtComboBox::RemoveItem(int16_t index) {
  if (!InRange(index)) return;
  {
    const QSignalBlocker quiet(widget_);
    widget_->removeItem(index);
  }
  if (index_ == index)
    index_ = -1;
  else if (index_ > index)
    --index_;
  ShowIndex();
}

std::string QtComboBox::List(int16_t index) const {
  return InRange(index) ? widget_->itemData(index, kBytesRole).toByteArray().toStdString()
                        : std::string();
}

int32_t QtComboBox::ItemData(int16_t index) const {
  return InRange(index) ? widget_->itemData(index, Qt::UserRole).toInt() : 0;
}

void QtComboBox::SetItemData(int16_t index, int32_t data) {
  if (InRange(index)) widget_->setItemData(index, QVariant(data), Qt::UserRole);
}

// ---- Text box and label ----

QtTextBox::QtTextBox(QWidget* parent, const std::string& text, const toolkit::Place& place)
    : QtControl(new QLineEdit(ToQString(text), parent), place) {}

std::string QtTextBox::Text() const {
  return widget_ ? widget_->text().toStdString() : std::string();
}

void QtTextBox::SetText(const std::string& text) {
  if (widget_) widget_->setText(ToQString(text));
}

QtLabel::QtLabel(QWidget* parent, const std::string& caption, const toolkit::Place& place)
    : QtControl(new QLabel(parent), place), caption_(caption) {
  widget_->setTextFormat(Qt::PlainText);
  widget_->setText(ToQString(caption));
}

void QtLabel::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (widget_) widget_->setText(ToQString(caption));
}

}  // namespace korvane::qt
