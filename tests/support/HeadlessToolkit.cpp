#include "tests/support/HeadlessToolkit.h"

#include <algorithm>

namespace korvane::headless {

namespace {

// Converts a measure to twips, then to the wanted unit.
float Convert(float value, ScaleUnit from, ScaleUnit to) {
  float twips = value;
  if (from == ScaleUnit::Pixels) twips = value * kTwipsPerPixel;
  if (from == ScaleUnit::Himetric) twips = value * 1440.0f / 2540.0f;
  if (to == ScaleUnit::Pixels) return twips / kTwipsPerPixel;
  if (to == ScaleUnit::Himetric) return twips * 2540.0f / 1440.0f;
  return twips;
}

}  // namespace

// Pixels to HIMETRIC at 96 dots per inch, as a picture loader reports them.
int32_t HeadlessPicture::WidthHimetric() const {
  return static_cast<int32_t>(static_cast<int64_t>(widthPx_) * 2540 / 96);
}
int32_t HeadlessPicture::HeightHimetric() const {
  return static_cast<int32_t>(static_cast<int64_t>(heightPx_) * 2540 / 96);
}

// ---- Surface ----

float HeadlessSurface::ScaleX(float value, ScaleUnit from, ScaleUnit to) const {
  return Convert(value, from, to);
}
float HeadlessSurface::ScaleY(float value, ScaleUnit from, ScaleUnit to) const {
  return Convert(value, from, to);
}

void HeadlessSurface::PaintPicture(const Picture& picture, float x1, float y1, float w1, float h1,
                                   float x2, float y2, float w2, float h2) {
  calls.push_back(DrawCall{
      DrawCall::Kind::PaintPicture, {x1, y1, w1, h1, x2, y2, w2, h2}, Color{}, "", &picture});
}

void HeadlessSurface::FilledBox(float x1, float y1, float dx, float dy, Color color) {
  calls.push_back(DrawCall{DrawCall::Kind::FilledBox, {x1, y1, dx, dy}, color, "", nullptr});
}

void HeadlessSurface::Circle(float x, float y, float radius) {
  calls.push_back(DrawCall{DrawCall::Kind::Circle, {x, y, radius}, foreColor_, "", nullptr});
}

float HeadlessSurface::TextWidth(const std::string& text) const {
  return kCharWidth * static_cast<float>(text.size());
}

float HeadlessSurface::TextHeight(const std::string&) const {
  return kLineHeight;
}

void HeadlessSurface::Print(const std::string& text) {
  calls.push_back(
      DrawCall{DrawCall::Kind::Print, {currentX_, currentY_}, foreColor_, text, nullptr});
  currentX_ = 0;
  currentY_ += kLineHeight;
}

void HeadlessSurface::Refresh() {
  calls.push_back(DrawCall{DrawCall::Kind::Clear, {}, backColor_, "", nullptr});
  ++paintCount;
  if (onPaint) onPaint();
}

std::vector<DrawCall> HeadlessSurface::CallsOf(DrawCall::Kind kind) const {
  std::vector<DrawCall> out;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
               [kind](const DrawCall& c) { return c.kind == kind; });
  return out;
}

// ---- Scroll bar ----

void HeadlessScrollBar::Clamp() {
  const int16_t low = std::min(min_, max_);
  const int16_t high = std::max(min_, max_);
  const int16_t clamped = std::clamp(value_, low, high);
  if (clamped != value_) {
    value_ = clamped;
    if (onChange) onChange();
  }
}

void HeadlessScrollBar::SetMin(int16_t v) {
  min_ = v;
  Clamp();
}

void HeadlessScrollBar::SetMax(int16_t v) {
  max_ = v;
  Clamp();
}

void HeadlessScrollBar::SetValue(int16_t v) {
  const int16_t low = std::min(min_, max_);
  const int16_t high = std::max(min_, max_);
  v = std::clamp(v, low, high);
  if (v == value_) return;
  value_ = v;
  if (onChange) onChange();
}

void HeadlessScrollBar::UserSetValue(int16_t v) {
  const int16_t low = std::min(min_, max_);
  const int16_t high = std::max(min_, max_);
  v = std::clamp(v, low, high);
  if (v == value_) return;
  value_ = v;
  if (onScroll) onScroll();
  if (onChange) onChange();
}

// ---- Check box and combo box ----

void HeadlessCheckBox::SetValue(int16_t v) {
  if (v == value_) return;
  value_ = v;
  if (onClick) onClick();
}

void HeadlessComboBox::SetListIndex(int16_t index) {
  index_ = (index < -1 || index >= ListCount()) ? int16_t{-1} : index;
  if (onClick) onClick();
}

void HeadlessComboBox::AddItem(const std::string& text) {
  items_.push_back(Item{text, 0});
  newIndex_ = static_cast<int16_t>(items_.size() - 1);
}

void HeadlessComboBox::RemoveItem(int16_t index) {
  if (index < 0 || index >= ListCount()) return;
  items_.erase(items_.begin() + index);
  if (index_ == index)
    index_ = -1;
  else if (index_ > index)
    --index_;
}

std::string HeadlessComboBox::List(int16_t index) const {
  return (index < 0 || index >= ListCount()) ? std::string() : items_[index].text;
}

int32_t HeadlessComboBox::ItemData(int16_t index) const {
  return (index < 0 || index >= ListCount()) ? 0 : items_[index].data;
}

void HeadlessComboBox::SetItemData(int16_t index, int32_t data) {
  if (index >= 0 && index < ListCount()) items_[index].data = data;
}

// ---- Menus and windows ----

MenuItem* HeadlessMenu::AddItem(const std::string& caption) {
  entries.push_back(caption);
  items.push_back(std::make_unique<HeadlessMenuItem>(caption));
  return items.back().get();
}

void HeadlessMenu::AddSeparator() {
  entries.push_back("-");
}

HeadlessWindow::HeadlessWindow(WindowKind k, std::string caption, float clientWidth,
                               float clientHeight)
    : kind(k),
      caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {}

void HeadlessWindow::Move(float left, float top) {
  left_ = left;
  top_ = top;
}

void HeadlessWindow::SetWidth(float width) {
  clientWidth_ = std::max(0.0f, width - kFrameWidth);
  RaiseResize();
}

void HeadlessWindow::SetHeight(float height) {
  clientHeight_ = std::max(0.0f, height - kFrameHeight);
  RaiseResize();
}

void HeadlessWindow::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible) RaiseResize();
}

void HeadlessWindow::RaiseResize() {
  ++resizeEvents;
  if (visible_ && onResize) onResize();
}

template <typename T, typename... Args>
static T* Keep(std::vector<std::unique_ptr<Control>>& controls, Args&&... args) {
  auto control = std::make_unique<T>(std::forward<Args>(args)...);
  T* raw = control.get();
  controls.push_back(std::move(control));
  return raw;
}

Surface* HeadlessWindow::AddSurface(const Place& p) {
  return Keep<HeadlessSurface>(controls_, p);
}
ScrollBar* HeadlessWindow::AddHScrollBar(const Place& p) {
  return Keep<HeadlessScrollBar>(controls_, p);
}
ScrollBar* HeadlessWindow::AddVScrollBar(const Place& p) {
  return Keep<HeadlessScrollBar>(controls_, p);
}
Button* HeadlessWindow::AddButton(const std::string& c, const Place& p) {
  return Keep<HeadlessButton>(controls_, c, p);
}
CheckBox* HeadlessWindow::AddCheckBox(const std::string& c, const Place& p) {
  return Keep<HeadlessCheckBox>(controls_, c, p);
}
ComboBox* HeadlessWindow::AddComboBox(const Place& p) {
  return Keep<HeadlessComboBox>(controls_, p);
}
TextBox* HeadlessWindow::AddTextBox(const std::string& t, const Place& p) {
  return Keep<HeadlessTextBox>(controls_, t, p);
}
Label* HeadlessWindow::AddLabel(const std::string& c, const Place& p) {
  return Keep<HeadlessLabel>(controls_, c, p);
}

Menu* HeadlessWindow::AddMenu(const std::string& caption) {
  menus.push_back(std::make_unique<HeadlessMenu>(caption));
  return menus.back().get();
}

void HeadlessWindow::UserResizeClient(float clientWidth, float clientHeight) {
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  RaiseResize();
}

void HeadlessWindow::UserMinimize() {
  minimized_ = true;
  RaiseResize();
}

void HeadlessWindow::UserRestore() {
  minimized_ = false;
  RaiseResize();
}

bool HeadlessWindow::UserClose() {
  if (onQueryUnload && !onQueryUnload()) return false;
  auto unload = onUnload;  // the handler may destroy this window
  if (unload) unload();
  return true;
}

// ---- Toolkit ----

HeadlessToolkit::HeadlessToolkit() = default;

std::unique_ptr<Window> HeadlessToolkit::CreateWindow(WindowKind kind, const std::string& caption,
                                                      float clientWidth, float clientHeight) {
  return std::make_unique<HeadlessWindow>(kind, caption, clientWidth, clientHeight);
}

MessageResult HeadlessToolkit::MessageBox(const std::string& prompt, MessageButtons buttons,
                                          const std::string& title) {
  messagesAsked.push_back(MessageAsked{prompt, buttons, title});
  if (messageAnswers.empty()) {
    ++unscriptedQuestions;
    return buttons == MessageButtons::YesNoCancel ? MessageResult::Cancel : MessageResult::No;
  }
  const MessageResult answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

std::string HeadlessToolkit::InputBox(const std::string& prompt, const std::string& title) {
  inputsAsked.push_back(InputAsked{prompt, title});
  if (inputAnswers.empty()) {
    ++unscriptedQuestions;
    return "";
  }
  std::string answer = inputAnswers.front();
  inputAnswers.pop_front();
  return answer;
}

std::optional<std::string> HeadlessToolkit::FileDialog(const FileDialogSpec& spec) {
  fileDialogsShown.push_back(spec);
  if (fileAnswers.empty()) {
    ++unscriptedQuestions;
    return std::nullopt;
  }
  auto answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

PicturePtr HeadlessToolkit::LoadPicture(const std::string& path) {
  auto it = pictures.find(path);
  return it == pictures.end() ? nullptr : it->second;
}

PicturePtr HeadlessToolkit::PictureFromImage(const RgbImage& image) {
  return std::make_shared<HeadlessPicture>(image.width, image.height, image);
}

void HeadlessToolkit::DoEvents() {
  ++doEventsCount;
  if (onDoEvents) onDoEvents();
}

float HeadlessToolkit::Random() {
  ++randomCount;
  if (!randomValues.empty()) {
    const float v = randomValues.front();
    randomValues.pop_front();
    return v;
  }
  randomState_ = randomState_ * 1103515245u + 12345u;
  return static_cast<float>((randomState_ >> 8) & 0xFFFFFF) / 16777216.0f;
}

}  // namespace korvane::headless
