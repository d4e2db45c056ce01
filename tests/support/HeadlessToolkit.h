#pragma once

// A toolkit without a display, for tests: it records every drawing call with its twips
// arguments, answers message boxes, input boxes and file dialogs from scripts, reports a screen
// size the test chooses at 15 twips per pixel, and draws random numbers from a fixed sequence.

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/FaultyFileSystem.h"
#include "toolkit/Toolkit.h"

namespace korvane::headless {

using namespace korvane::toolkit;

// A picture of a given pixel size, reported in HIMETRIC at 96 dots per inch as a loader does;
// one made from pixels keeps them.
class HeadlessPicture : public Picture {
 public:
  HeadlessPicture(int32_t widthPx, int32_t heightPx)
      : width_(int64_t{widthPx} * 2540 / 96), height_(int64_t{heightPx} * 2540 / 96) {}
  explicit HeadlessPicture(const RgbImage& image) : HeadlessPicture(image.width, image.height) {
    pixelWidth_ = image.width;
    for (Color c : image.pixels) pixels_.push_back(PixelOf(c));
  }
  int32_t WidthHimetric() const override { return width_; }
  int32_t HeightHimetric() const override { return height_; }
  PixelRows<const uint32_t> Pixels() const {
    if (pixels_.empty()) return {};
    return {pixels_.data(), pixelWidth_, static_cast<int>(pixels_.size()) / pixelWidth_,
            pixelWidth_};
  }

 private:
  int32_t width_;
  int32_t height_;
  int pixelWidth_ = 0;
  std::vector<uint32_t> pixels_;
};

// The outer frame around a window's client area, in twips.
inline constexpr float kFrameWidth = 120;
inline constexpr float kFrameHeight = 420;

struct DrawCall {
  enum class Kind { Clear, PaintPicture, FilledBox, Circle, Print, DottedLine, Pixels };
  Kind kind;
  // PaintPicture: x1 y1 w1 h1 x2 y2 w2 h2; FilledBox: x1 y1 dx dy; Circle: x y radius;
  // Print: CurrentX CurrentY; DottedLine: x1 y1 x2 y2; Pixels: x y (twips), width height
  // (pixels).
  std::vector<float> args;
  Color color{};
  std::string text;
  const Picture* picture = nullptr;
};

// Where a control sits and whether it is enabled: kept alike by every headless control.
template <typename Base>
class Placed : public Base {
 public:
  explicit Placed(Place p) : place_(p) {}
  Place GetPlace() const override { return place_; }
  void SetPlace(const Place& p) override { place_ = p; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool e) override { enabled_ = e; }

 private:
  Place place_;
  bool enabled_ = true;
};

class HeadlessSurface : public Placed<Surface> {
  using Kind = DrawCall::Kind;

 public:
  // 15 twips to the pixel; every character is 7 pixels wide (105 twips), a line 13 pixels high.
  static constexpr float kTwipsPerPixel = 15;
  static constexpr float kLineHeight = 13 * kTwipsPerPixel;

  using Placed::Placed;
  float ScaleWidth() const override { return GetPlace().width; }
  float ScaleHeight() const override { return GetPlace().height; }
  float ScaleX(float v, ScaleUnit f, ScaleUnit t) const override { return Convert(v, f, t); }
  float ScaleY(float v, ScaleUnit f, ScaleUnit t) const override { return Convert(v, f, t); }
  void PaintPicture(const Picture& picture, float x1, float y1, float w1, float h1, float x2,
                    float y2, float w2, float h2) override {
    Log(Kind::PaintPicture, {x1, y1, w1, h1, x2, y2, w2, h2}, {}, "", &picture);
  }
  void FilledBox(float x1, float y1, float dx, float dy, Color color) override {
    Log(Kind::FilledBox, {x1, y1, dx, dy}, color);
  }
  // Kept on a canvas of the surface's size in pixels, which Refresh clears.
  void PutPixels(float x, float y, const PixelRows<const uint32_t>& pixels) override {
    Log(Kind::Pixels, {x, y, float(pixels.width), float(pixels.height)}, {});
    const int w = int(ScaleWidth() / kTwipsPerPixel), h = int(ScaleHeight() / kTwipsPerPixel);
    if (canvasWidth_ != w || canvas_.size() != size_t(w * h))
      canvas_.assign(w * h, PixelOf(backColor_));
    canvasWidth_ = w;
    for (int row = 0; row < pixels.height; ++row)
      for (int col = 0, px = int(x / kTwipsPerPixel), py = int(y / kTwipsPerPixel) + row;
           col < pixels.width; ++col)
        if (px + col >= 0 && py >= 0 && px + col < w && py < h)
          canvas_[py * w + px + col] = pixels.Row(row)[col];
  }
  // A pixel PutPixels left; the background colour elsewhere.
  Color PixelAt(int x, int y) const {
    const bool in =
        x >= 0 && y >= 0 && x < canvasWidth_ && size_t(y * canvasWidth_ + x) < canvas_.size();
    return in ? ColorOf(canvas_[y * canvasWidth_ + x]) : backColor_;
  }
  void Circle(float x, float y, float r) override { Log(Kind::Circle, {x, y, r}, foreColor_); }
  void DottedLine(float x1, float y1, float x2, float y2) override {
    Log(Kind::DottedLine, {x1, y1, x2, y2}, foreColor_);
  }
  float TextWidth(const std::string& t) const override { return 105.0f * std::size(t); }
  float TextHeight(const std::string&) const override { return kLineHeight; }
  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  void Print(const std::string& text) override {
    Log(Kind::Print, {currentX_, currentY_}, foreColor_, text);
    currentX_ = 0;
    currentY_ += kLineHeight;
  }
  void SetBackColor(Color c) override { backColor_ = c; }
  void SetForeColor(Color c) override { foreColor_ = c; }
  void SetPicture(PicturePtr p) override { picture_ = std::move(p); }
  PicturePtr GetPicture() const override { return picture_; }
  void Refresh() override {
    Log(Kind::Clear, {}, backColor_);
    canvasWidth_ = 0;
    canvas_.clear();
    ++paintCount;
    if (onPaint) onPaint();
  }

  // What was drawn since the last ClearLog.
  std::vector<DrawCall> calls;
  void ClearLog() { calls.clear(); }
  std::vector<DrawCall> CallsOf(Kind kind) const {
    std::vector<DrawCall> out;
    std::ranges::copy_if(calls, back_inserter(out), [kind](auto& c) { return c.kind == kind; });
    return out;
  }
  int paintCount = 0;

 private:
  // A measure in twips, then in the wanted unit.
  static float Convert(float value, ScaleUnit from, ScaleUnit to) {
    float twips = value;
    if (from == ScaleUnit::Pixels) twips = value * kTwipsPerPixel;
    if (from == ScaleUnit::Himetric) twips = value * 1440.0f / 2540.0f;
    if (to == ScaleUnit::Pixels) return twips / kTwipsPerPixel;
    if (to == ScaleUnit::Himetric) return twips * 2540.0f / 1440.0f;
    return twips;
  }
  void Log(Kind kind, std::vector<float> args, Color c, std::string text = "",
           const Picture* picture = nullptr) {
    calls.push_back(DrawCall{kind, std::move(args), c, std::move(text), picture});
  }
  float currentX_ = 0;
  float currentY_ = 0;
  int canvasWidth_ = 0;
  std::vector<uint32_t> canvas_;
  Color backColor_{255, 255, 255};
  Color foreColor_{0, 0, 0};
  PicturePtr picture_;
};

class HeadlessScrollBar : public Placed<ScrollBar> {
 public:
  using Placed::Placed;
  int16_t Min() const override { return min_; }
  int16_t Max() const override { return max_; }
  int16_t Value() const override { return value_; }
  void SetMin(int16_t v) override { SetRange(v, max_); }
  void SetMax(int16_t v) override { SetRange(min_, v); }
  void SetValue(int16_t v) override { MoveTo(v, false); }
  void Refresh() override {}
  // The user moves the thumb: Scroll while dragging, Change at the end.
  void UserSetValue(int16_t v) { MoveTo(v, true); }

 private:
  void SetRange(int16_t min, int16_t max) {
    std::tie(min_, max_) = std::pair(min, max);
    MoveTo(value_, false);
  }
  // Min may exceed Max; the value stays between the two either way.
  void MoveTo(int16_t v, bool byUser) {
    v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    if (v == value_) return;
    value_ = v;
    if (byUser && onScroll) onScroll();
    if (onChange) onChange();
  }
  int16_t min_ = 0;
  int16_t max_ = 32767;
  int16_t value_ = 0;
};

class HeadlessButton : public Placed<Button> {
 public:
  HeadlessButton(std::string caption, Place p) : Placed(p), caption_(std::move(caption)) {}
  std::string Caption() const override { return caption_; }
  void Click() {
    if (onClick) onClick();
  }

 private:
  std::string caption_;
};

class HeadlessCheckBox : public Placed<CheckBox> {
 public:
  using Placed::Placed;
  int16_t Value() const override { return value_; }
  // Setting a different value raises onClick, as a user's click does.
  void SetValue(int16_t v) override {
    if (v == value_) return;
    value_ = v;
    if (onClick) onClick();
  }

 private:
  int16_t value_ = 0;
};

class HeadlessComboBox : public Placed<ComboBox> {
 public:
  using Placed::Placed;
  int16_t ListIndex() const override { return index_; }
  void SetListIndex(int16_t index) override {
    index_ = InRange(index) ? index : int16_t{-1};
    if (onClick) onClick();
  }
  int16_t ListCount() const override { return static_cast<int16_t>(items_.size()); }
  void AddItem(const std::string& text) override {
    items_.push_back(Item{text, 0});
    newIndex_ = static_cast<int16_t>(items_.size() - 1);
  }
  void RemoveItem(int16_t index) override {
    if (!InRange(index)) return;
    items_.erase(items_.begin() + index);
    if (index_ >= index) index_ = index_ == index ? int16_t{-1} : int16_t(index_ - 1);
  }
  std::string List(int16_t index) const override {
    return InRange(index) ? items_[index].text : "";
  }
  int32_t ItemData(int16_t index) const override { return InRange(index) ? items_[index].data : 0; }
  void SetItemData(int16_t index, int32_t data) override {
    if (InRange(index)) items_[index].data = data;
  }
  int16_t NewIndex() const override { return newIndex_; }

 private:
  struct Item {
    std::string text;
    int32_t data = 0;
  };
  bool InRange(int16_t index) const { return index >= 0 && index < ListCount(); }
  std::vector<Item> items_;
  int16_t index_ = -1;
  int16_t newIndex_ = -1;
};

class HeadlessTextBox : public Placed<TextBox> {
 public:
  HeadlessTextBox(std::string text, Place p) : Placed(p), text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  void SetText(const std::string& t) override { text_ = t; }

 private:
  std::string text_;
};

class HeadlessLabel : public Placed<Label> {
 public:
  HeadlessLabel(std::string caption, Place p) : Placed(p), caption_(std::move(caption)) {}
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& c) override { caption_ = c; }

 private:
  std::string caption_;
};

class HeadlessMenuItem : public MenuItem {
 public:
  explicit HeadlessMenuItem(std::string caption) : caption_(std::move(caption)) {}
  std::string Caption() const override { return caption_; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool e) override { enabled_ = e; }
  bool Checked() const override { return checked_; }
  void SetChecked(bool c) override { checked_ = c; }

 private:
  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
};

class HeadlessMenu : public Menu {
 public:
  MenuItem* AddItem(const std::string& caption) override {
    return items_.emplace_back(std::make_unique<HeadlessMenuItem>(caption)).get();
  }
  void AddSeparator() override {}

 private:
  std::vector<std::unique_ptr<HeadlessMenuItem>> items_;
};

class HeadlessWindow : public Window {
  using Text = const std::string&;

 public:
  HeadlessWindow(std::string caption, float clientWidth, float clientHeight)
      : caption_(std::move(caption)), clientWidth_(clientWidth), clientHeight_(clientHeight) {}

  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& c) override { caption_ = c; }
  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return clientWidth_ + kFrameWidth; }
  float Height() const override { return clientHeight_ + kFrameHeight; }
  void Move(float left, float top) override { std::tie(left_, top_) = std::pair(left, top); }
  void SetWidth(float w) override {
    UserResizeClient(std::max(0.0f, w - kFrameWidth), clientHeight_);
  }
  void SetHeight(float h) override {
    UserResizeClient(clientWidth_, std::max(0.0f, h - kFrameHeight));
  }
  float ScaleWidth() const override { return clientWidth_; }
  float ScaleHeight() const override { return clientHeight_; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override {
    if (visible == visible_) return;
    visible_ = visible;
    if (visible) RaiseResize();
  }
  bool Minimized() const override { return minimized_; }
  void BringToFront() override { ++broughtToFront; }
  int broughtToFront = 0;

  Surface* AddSurface(const Place& p) override { return Keep<HeadlessSurface>(p); }
  ScrollBar* AddHScrollBar(const Place& p) override { return Keep<HeadlessScrollBar>(p); }
  ScrollBar* AddVScrollBar(const Place& p) override { return Keep<HeadlessScrollBar>(p); }
  Button* AddButton(Text c, const Place& p) override { return Keep<HeadlessButton>(c, p); }
  CheckBox* AddCheckBox(Text, const Place& p) override { return Keep<HeadlessCheckBox>(p); }
  ComboBox* AddComboBox(const Place& p) override { return Keep<HeadlessComboBox>(p); }
  TextBox* AddTextBox(Text t, const Place& p) override { return Keep<HeadlessTextBox>(t, p); }
  Label* AddLabel(Text c, const Place& p) override { return Keep<HeadlessLabel>(c, p); }
  Menu* AddMenu(const std::string&) override {
    return menus_.emplace_back(std::make_unique<HeadlessMenu>()).get();
  }

  // What a user does to the window.
  void UserResizeClient(float clientWidth, float clientHeight) {
    std::tie(clientWidth_, clientHeight_) = std::pair(clientWidth, clientHeight);
    RaiseResize();
  }
  void UserMinimize() { SetMinimized(true); }
  void UserRestore() { SetMinimized(false); }
  // The close box: QueryUnload, then Unload. Returns whether the window closed. The window may
  // be destroyed by the time this returns when it closed.
  bool UserClose() {
    if (onQueryUnload && !onQueryUnload()) return false;
    auto unload = onUnload;  // the handler may destroy this window
    if (unload) unload();
    return true;
  }

 private:
  void RaiseResize() {
    if (visible_ && onResize) onResize();
  }
  void SetMinimized(bool minimized) {
    minimized_ = minimized;
    RaiseResize();
  }
  template <typename T, typename... Args>
  T* Keep(Args&&... args) {
    return static_cast<T*>(
        controls_.emplace_back(std::make_unique<T>(std::forward<Args>(args)...)).get());
  }
  std::string caption_;
  float left_ = 0;
  float top_ = 0;
  float clientWidth_;
  float clientHeight_;
  bool visible_ = false;
  bool minimized_ = false;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<HeadlessMenu>> menus_;
};

// What a test expects to be asked, and the answers it gives.
struct MessageAsked {
  std::string prompt;
  MessageButtons buttons;
  std::string title;
};
using InputAsked = MessageAsked;  // an input box has no buttons

class HeadlessToolkit : public Toolkit {
 public:
  std::unique_ptr<Window> CreateWindow(WindowKind, const std::string& caption, float clientWidth,
                                       float clientHeight) override {
    return std::make_unique<HeadlessWindow>(caption, clientWidth, clientHeight);
  }
  MessageResult MessageBox(const std::string& prompt, MessageButtons buttons,
                           const std::string& title) override {
    messagesAsked.push_back(MessageAsked{prompt, buttons, title});
    return Next(messageAnswers,
                buttons == MessageButtons::YesNoCancel ? MessageResult::Cancel : MessageResult::No);
  }
  void ReportFailure(const std::string& message) override { failuresReported.push_back(message); }
  std::string InputBox(const std::string& prompt, const std::string& title) override {
    inputsAsked.push_back(InputAsked{prompt, {}, title});
    return Next(inputAnswers, std::string());
  }
  std::optional<std::string> FileDialog(const FileDialogSpec&) override {
    return Next(fileAnswers, std::optional<std::string>());
  }
  PicturePtr LoadPicture(const std::string& path) override {
    auto it = pictures.find(path);
    return it == pictures.end() ? nullptr : it->second;
  }
  PicturePtr PictureFromImage(const RgbImage& image) override {
    return std::make_shared<HeadlessPicture>(image);
  }
  PixelRows<const uint32_t> PicturePixels(const Picture& picture) override {
    const auto* own = dynamic_cast<const HeadlessPicture*>(&picture);
    return own ? own->Pixels() : PixelRows<const uint32_t>{};
  }
  std::string CommandLine() const override { return commandLine; }
  std::string ExecutableFolder() const override { return executableFolder; }
  std::string EnvironmentVariable(const std::string& name) const override {
    const auto found = environment.find(name);
    return found == environment.end() ? "" : found->second;
  }
  float ScreenWidth() const override { return screenWidth; }
  float ScreenHeight() const override { return screenHeight; }
  void DoEvents() override { ++doEventsCount; }
  void RunLater(std::function<void()> work) override { later.push_back(std::move(work)); }
  // What an event loop does between events: the work handed to RunLater, in order.
  void RunLaterWork() {
    while (!later.empty()) {
      auto work = std::move(later.front());
      later.pop_front();
      work();
    }
  }
  std::deque<std::function<void()>> later;
  void SeedRandomFromTimer() override { ++seedCount; }
  float Random() override {
    ++randomCount;
    if (!randomValues.empty()) return Next(randomValues, 0.0f);
    randomState_ = randomState_ * 1103515245u + 12345u;
    return static_cast<float>((randomState_ >> 8) & 0xFFFFFF) / 16777216.0f;
  }
  FileSystem& Files() override { return files; }
  void Quit() override {}

  // ---- Scripts and records ----
  // An unscripted question is answered No, Cancel (for Yes/No/Cancel), "" or no file.
  std::deque<MessageResult> messageAnswers;
  std::vector<MessageAsked> messagesAsked;
  std::vector<std::string> failuresReported;
  std::deque<std::string> inputAnswers;
  std::vector<InputAsked> inputsAsked;
  std::deque<std::optional<std::string>> fileAnswers;
  // Pictures the loader knows, by path.
  std::map<std::string, PicturePtr> pictures;
  // Values Random() returns first, in order; after them a fixed-seed generator.
  std::deque<float> randomValues;
  int randomCount = 0;
  int seedCount = 0;
  int doEventsCount = 0;
  std::string commandLine;
  std::string executableFolder = ".";
  // The environment the editor sees; the test process's own is never consulted.
  std::map<std::string, std::string> environment;
  float screenWidth = 12000;
  float screenHeight = 9000;
  FaultyFileSystem files;

 private:
  // The next scripted answer, or `otherwise` when the script has run out.
  template <typename T>
  static T Next(std::deque<T>& answers, T otherwise) {
    if (answers.empty()) return otherwise;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
  uint32_t randomState_ = 12345;
};

// The headless parts behind the editor's interface pointers.
inline constexpr struct HeadlessPartOf {
  HeadlessWindow& operator()(Window& w) const { return static_cast<HeadlessWindow&>(w); }
  HeadlessSurface& operator()(Surface& s) const { return static_cast<HeadlessSurface&>(s); }
  HeadlessScrollBar& operator()(ScrollBar& s) const { return static_cast<HeadlessScrollBar&>(s); }
  HeadlessButton& operator()(Button& b) const { return static_cast<HeadlessButton&>(b); }
} H;

}  // namespace korvane::headless
