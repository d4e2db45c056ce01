#pragma once

// A toolkit without a display, for tests: it records every drawing call with its twips
// arguments, answers message boxes, input boxes and file dialogs from scripts, reports a screen
// size the test chooses at 15 twips per pixel, and draws random numbers from a fixed sequence.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/FaultyFileSystem.h"
#include "toolkit/Toolkit.h"

namespace korvane::headless {

using namespace korvane::toolkit;

// A picture of a given pixel size, reported in HIMETRIC at 96 dots per inch as a loader does.
class HeadlessPicture : public Picture {
 public:
  HeadlessPicture(int32_t widthPx, int32_t heightPx) : widthPx_(widthPx), heightPx_(heightPx) {}
  int32_t WidthHimetric() const override { return Himetric(widthPx_); }
  int32_t HeightHimetric() const override { return Himetric(heightPx_); }

 private:
  static int32_t Himetric(int32_t px) { return static_cast<int32_t>(int64_t{px} * 2540 / 96); }
  int32_t widthPx_;
  int32_t heightPx_;
};

// The outer frame around a window's client area, in twips.
inline constexpr float kFrameWidth = 120;
inline constexpr float kFrameHeight = 420;

struct DrawCall {
  enum class Kind { Clear, PaintPicture, FilledBox, Circle, Print };
  Kind kind;
  // PaintPicture: x1 y1 w1 h1 x2 y2 w2 h2; FilledBox: x1 y1 dx dy; Circle: x y radius;
  // Print: CurrentX CurrentY.
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
 public:
  using Placed::Placed;
  float ScaleWidth() const override { return GetPlace().width; }
  float ScaleHeight() const override { return GetPlace().height; }
  float ScaleX(float value, ScaleUnit from, ScaleUnit to) const override;
  float ScaleY(float value, ScaleUnit from, ScaleUnit to) const override;
  void PaintPicture(const Picture& picture, float x1, float y1, float w1, float h1, float x2,
                    float y2, float w2, float h2) override;
  void FilledBox(float x1, float y1, float dx, float dy, Color color) override;
  void Circle(float x, float y, float radius) override;
  float TextWidth(const std::string& text) const override;
  float TextHeight(const std::string& text) const override;
  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  void Print(const std::string& text) override;
  void SetBackColor(Color c) override { backColor_ = c; }
  void SetForeColor(Color c) override { foreColor_ = c; }
  void SetPicture(PicturePtr p) override { picture_ = std::move(p); }
  PicturePtr GetPicture() const override { return picture_; }
  void Refresh() override;

  // What was drawn since the last ClearLog.
  std::vector<DrawCall> calls;
  void ClearLog() { calls.clear(); }
  std::vector<DrawCall> CallsOf(DrawCall::Kind kind) const;
  int paintCount = 0;

 private:
  float currentX_ = 0;
  float currentY_ = 0;
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
  void SetMin(int16_t v) override {
    min_ = v;
    MoveTo(value_, false);
  }
  void SetMax(int16_t v) override {
    max_ = v;
    MoveTo(value_, false);
  }
  void SetValue(int16_t v) override { MoveTo(v, false); }
  void Refresh() override {}
  // The user moves the thumb: Scroll while dragging, Change at the end.
  void UserSetValue(int16_t v) { MoveTo(v, true); }

 private:
  void MoveTo(int16_t v, bool byUser);
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
  void SetValue(int16_t v) override;

 private:
  int16_t value_ = 0;
};

class HeadlessComboBox : public Placed<ComboBox> {
 public:
  using Placed::Placed;
  int16_t ListIndex() const override { return index_; }
  void SetListIndex(int16_t index) override;
  int16_t ListCount() const override { return static_cast<int16_t>(items_.size()); }
  void AddItem(const std::string& text) override;
  void RemoveItem(int16_t index) override;
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

 private:
  std::string caption_;
  bool enabled_ = true;
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
 public:
  HeadlessWindow(std::string caption, float clientWidth, float clientHeight)
      : caption_(std::move(caption)), clientWidth_(clientWidth), clientHeight_(clientHeight) {}

  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& c) override { caption_ = c; }
  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return clientWidth_ + kFrameWidth; }
  float Height() const override { return clientHeight_ + kFrameHeight; }
  void Move(float left, float top) override {
    left_ = left;
    top_ = top;
  }
  void SetWidth(float width) override;
  void SetHeight(float height) override;
  float ScaleWidth() const override { return clientWidth_; }
  float ScaleHeight() const override { return clientHeight_; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  bool Minimized() const override { return minimized_; }

  Surface* AddSurface(const Place& p) override { return Keep<HeadlessSurface>(p); }
  ScrollBar* AddHScrollBar(const Place& p) override { return Keep<HeadlessScrollBar>(p); }
  ScrollBar* AddVScrollBar(const Place& p) override { return Keep<HeadlessScrollBar>(p); }
  Button* AddButton(const std::string& c, const Place& p) override {
    return Keep<HeadlessButton>(c, p);
  }
  CheckBox* AddCheckBox(const std::string&, const Place& p) override {
    return Keep<HeadlessCheckBox>(p);
  }
  ComboBox* AddComboBox(const Place& p) override { return Keep<HeadlessComboBox>(p); }
  TextBox* AddTextBox(const std::string& t, const Place& p) override {
    return Keep<HeadlessTextBox>(t, p);
  }
  Label* AddLabel(const std::string& c, const Place& p) override {
    return Keep<HeadlessLabel>(c, p);
  }
  Menu* AddMenu(const std::string&) override {
    return menus_.emplace_back(std::make_unique<HeadlessMenu>()).get();
  }

  // What a user does to the window.
  void UserResizeClient(float clientWidth, float clientHeight);
  void UserMinimize() {
    minimized_ = true;
    RaiseResize();
  }
  void UserRestore() {
    minimized_ = false;
    RaiseResize();
  }
  // The close box: QueryUnload, then Unload. Returns whether the window closed. The window may
  // be destroyed by the time this returns when it closed.
  bool UserClose();

 private:
  void RaiseResize() {
    if (visible_ && onResize) onResize();
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
struct InputAsked {
  std::string prompt;
  std::string title;
};

class HeadlessToolkit : public Toolkit {
 public:
  std::unique_ptr<Window> CreateWindow(WindowKind kind, const std::string& caption,
                                       float clientWidth, float clientHeight) override;
  MessageResult MessageBox(const std::string& prompt, MessageButtons buttons,
                           const std::string& title) override;
  void ReportFailure(const std::string& message) override { failuresReported.push_back(message); }
  std::string InputBox(const std::string& prompt, const std::string& title) override;
  std::optional<std::string> FileDialog(const FileDialogSpec& dialog) override;
  PicturePtr LoadPicture(const std::string& path) override;
  PicturePtr PictureFromImage(const RgbImage& image) override;
  std::string CommandLine() const override { return commandLine; }
  std::string ExecutableFolder() const override { return executableFolder; }
  std::string EnvironmentVariable(const std::string& name) const override {
    const auto found = environment.find(name);
    return found == environment.end() ? "" : found->second;
  }
  float ScreenWidth() const override { return screenWidth; }
  float ScreenHeight() const override { return screenHeight; }
  void DoEvents() override;
  void SeedRandomFromTimer() override { ++seedCount; }
  float Random() override;
  void RandomFill(std::span<float> out) override;
  FileSystem& Files() override { return files; }
  void Quit() override { quit = true; }

  // ---- Scripts and records ----
  // An unscripted question is answered No, Cancel (for Yes/No/Cancel), "" or no file.
  std::deque<MessageResult> messageAnswers;
  std::vector<MessageAsked> messagesAsked;
  std::vector<std::string> failuresReported;
  std::deque<std::string> inputAnswers;
  std::vector<InputAsked> inputsAsked;
  std::deque<std::optional<std::string>> fileAnswers;
  std::vector<FileDialogSpec> fileDialogsShown;
  // Pictures the loader knows, by path.
  std::map<std::string, PicturePtr> pictures;
  // Values Random() returns first, in order; after them a fixed-seed generator.
  std::deque<float> randomValues;
  int randomCount = 0;
  int seedCount = 0;
  int doEventsCount = 0;
  std::function<void()> onDoEvents;
  std::string commandLine;
  std::string executableFolder = ".";
  // The environment the editor sees; the test process's own is never consulted.
  std::map<std::string, std::string> environment;
  float screenWidth = 12000;
  float screenHeight = 9000;
  bool quit = false;
  FaultyFileSystem files;

 private:
  uint32_t randomState_ = 12345;
};

// The headless parts behind the editor's interface pointers.
inline HeadlessWindow& H(Window& w) {
  return static_cast<HeadlessWindow&>(w);
}
inline HeadlessSurface& H(Surface& s) {
  return static_cast<HeadlessSurface&>(s);
}
inline HeadlessScrollBar& H(ScrollBar& s) {
  return static_cast<HeadlessScrollBar&>(s);
}
inline HeadlessButton& H(Button& b) {
  return static_cast<HeadlessButton&>(b);
}

}  // namespace korvane::headless
