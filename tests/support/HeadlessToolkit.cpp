#include "tests/support/HeadlessToolkit.h"

#include <algorithm>

namespace korvane::headless {

namespace {

constexpr float kTwipsPerPixel = 15;
// Text measures: every character is 7 pixels wide, a line 13 pixels high.
constexpr float kCharWidth = 7 * kTwipsPerPixel;
constexpr float kLineHeight = 13 * kTwipsPerPixel;

// Converts a measure to twips, then to the wanted unit.
float Convert(float value, ScaleUnit from, ScaleUnit to) {
  float twips = value;
  if (from == ScaleUnit::Pixels) twips = value * kTwipsPerPixel;
  if (from == ScaleUnit::Himetric) twips = value * 1440.0f / 2540.0f;
  if (to == ScaleUnit::Pixels) return twips / kTwipsPerPixel;
  if (to == ScaleUnit::Himetric) return twips * 2540.0f / 1440.0f;
  return twips;
}

// The next scripted answer, or `otherwise` when the script has run out.
template <typename T>
T Next(std::deque<T>& answers, T otherwise) {
  if (answers.empty()) return otherwise;
  T answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

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

// ---- Controls ----

// Min may exceed Max; the value stays between the two either way.
void HeadlessScrollBar::MoveTo(int16_t v, bool byUser) {
  v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
  if (v == value_) return;
  value_ = v;
  if (byUser && onScroll) onScroll();
  if (onChange) onChange();
}

void HeadlessCheckBox::SetValue(int16_t v) {
  if (v == value_) return;
  value_ = v;
  if (onClick) onClick();
}

void HeadlessComboBox::SetListIndex(int16_t index) {
  index_ = InRange(index) ? index : int16_t{-1};
  if (onClick) onClick();
}

void HeadlessComboBox::AddItem(const std::string& text) {
  items_.push_back(Item{text, 0});
  newIndex_ = static_cast<int16_t>(items_.size() - 1);
}

void HeadlessComboBox::RemoveItem(int16_t index) {
  if (!InRange(index)) return;
  items_.erase(items_.begin() + index);
  if (index_ == index)
    index_ = -1;
  else if (index_ > index)
    --index_;
}

// ---- Window ----

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

void HeadlessWindow::UserResizeClient(float clientWidth, float clientHeight) {
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  RaiseResize();
}

bool HeadlessWindow::UserClose() {
  if (onQueryUnload && !onQueryUnload()) return false;
  auto unload = onUnload;  // the handler may destroy this window
  if (unload) unload();
  return true;
}

// ---- Toolkit ----

std::unique_ptr<Window> HeadlessToolkit::CreateWindow(WindowKind, const std::string& caption,
                                                      float clientWidth, float clientHeight) {
  return std::make_unique<HeadlessWindow>(caption, clientWidth, clientHeight);
}

MessageResult HeadlessToolkit::MessageBox(const std::string& prompt, MessageButtons buttons,
                                          const std::string& title) {
  messagesAsked.push_back(MessageAsked{prompt, buttons, title});
  return Next(messageAnswers,
              buttons == MessageButtons::YesNoCancel ? MessageResult::Cancel : MessageResult::No);
}

std::string HeadlessToolkit::InputBox(const std::string& prompt, const std::string& title) {
  inputsAsked.push_back(InputAsked{prompt, title});
  return Next(inputAnswers, std::string());
}

std::optional<std::string> HeadlessToolkit::FileDialog(const FileDialogSpec& dialog) {
  fileDialogsShown.push_back(dialog);
  return Next(fileAnswers, std::optional<std::string>());
}

PicturePtr HeadlessToolkit::LoadPicture(const std::string& path) {
  auto it = pictures.find(path);
  return it == pictures.end() ? nullptr : it->second;
}

PicturePtr HeadlessToolkit::PictureFromImage(const RgbImage& image) {
  return std::make_shared<HeadlessPicture>(image.width, image.height);
}

void HeadlessToolkit::DoEvents() {
  ++doEventsCount;
  if (onDoEvents) onDoEvents();
}

void HeadlessToolkit::RandomFill(std::span<float> out) {
  for (float& v : out) v = HeadlessToolkit::Random();
}

float HeadlessToolkit::Random() {
  ++randomCount;
  if (!randomValues.empty()) return Next(randomValues, 0.0f);
  randomState_ = randomState_ * 1103515245u + 12345u;
  return static_cast<float>((randomState_ >> 8) & 0xFFFFFF) / 16777216.0f;
}

}  // namespace korvane::headless
