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

inline constexpr float kTwipsPerPixel = 15;
// Outer frame around a window's client area, in twips.
inline constexpr float kFrameWidth = 120;
inline constexpr float kFrameHeight = 420;
// Text measures: every character is 7 pixels wide, a line 13 pixels high.
inline constexpr float kCharWidth = 7 * kTwipsPerPixel;
inline constexpr float kLineHeight = 13 * kTwipsPerPixel;

// A picture of a given pixel size; pixels are kept when the program made them.
class HeadlessPicture : public Picture {
 public:
  HeadlessPicture(int32_t widthPx, int32_t heightPx, RgbImage image = {})
      : widthPx_(widthPx), heightPx_(heightPx), image_(std::move(image)) {}
  int32_t WidthHimetric() const override;
  int32_t HeightHimetric() const override;
  int32_t WidthPixels() const { return widthPx_; }
  int32_t HeightPixels() const { return heightPx_; }
  const RgbImage& Image() const { return image_; }

 private:
  int32_t widthPx_;
  int32_t heightPx_;
  RgbImage image_;
};

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

class HeadlessControl {
 public:
  Place place;
  bool enabled = true;
};

class HeadlessSurface : public Surface {
 public:
  explicit HeadlessSurface(Place p) : place_(p) {}
  Place GetPlace() const override { return place_; }
  void SetPlace(const Place& p) override { place_ = p; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool e) override { enabled_ = e; }
  float ScaleWidth() const override { return place_.width; }
  float ScaleHeight() const override { return place_.height; }
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
  Color BackColor() const { return backColor_; }
  Color ForeColor() const { return foreColor_; }

 private:
  Place place_;
  bool enabled_ = true;
  float currentX_ = 0;
  float currentY_ = 0;
  Color backColor_{255, 255, 255};
  Color foreColor_{0, 0, 0};
  PicturePtr picture_;
};

class HeadlessScrollBar : public ScrollBar {
 public:
  explicit HeadlessScrollBar(Place p) : place_(p) {}
  Place GetPlace() const override { return place_; }
  void SetPlace(const Place& p) override { place_ = p; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool e) override { enabled_ = e; }
  int16_t Min() const override { return min_; }
  int16_t Max() const override { return max_; }
  int16_t Value() const override { return value_; }
  void SetMin(int16_t v) override;
  void SetMax(int16_t v) override;
  void SetValue(int16_t v) override;
  void Refresh() override { ++refreshCount; }
  // The user moves the thumb: Scroll while dragging (each page passed), Change at the end.
  void UserSetValue(int16_t v);
  int refreshCount = 0;

 private:
  void Clamp();
  Place place_;
  bool enabled_ = true;
  int16_t min_ = 0;
  int16_t max_ = 32767;
  int16_t value_ = 0;
};

class HeadlessButton : public Button {
 public:
  HeadlessButton(std::string caption, Place p) : caption_(std::move(caption)), place_(p) {}
  Place GetPlace() const override { return place_; }
  void SetPlace(const Place& p) override { place_ = p; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool e) override { enabled_ = e; }
  std::string Caption() const override { return caption_; }
  void Click() {
    if (onClick) onClick();
  }

 private:
  std::string caption_;
  Place place_;
  bool enabled_ = true;
};

class HeadlessCheckBox : public CheckBox {
 public:
  HeadlessCheckBox(std::string caption, Place p) : caption_(std::move(caption)), place_(p) {}
  Place GetPlace() const override { return place_; }
  void SetPlace(const Place& p) override { place_ = p; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool e) override { enabled_ = e; }
  int16_t Value() const override { return value_; }
  // Setting a different value raises onClick, as a user's click does.
  void SetValue(int16_t v) override;
  std::string Caption() const { return caption_; }

 private:
  std::string caption_;
  Place place_;
  bool enabled_ = true;
  int16_t value_ = 0;
};

class HeadlessComboBox : public ComboBox {
 public:
  explicit HeadlessComboBox(Place p) : place_(p) {}
  Place GetPlace() const override { return place_; }
  void SetPlace(const Place& p) override { place_ = p; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool e) override { enabled_ = e; }
  int16_t ListIndex() const override { return index_; }
  void SetListIndex(int16_t index) override;
  int16_t ListCount() const override { return static_cast<int16_t>(items_.size()); }
  void AddItem(const std::string& text) override;
  void RemoveItem(int16_t index) override;
  std::string List(int16_t index) const override;
  int32_t ItemData(int16_t index) const override;
  void SetItemData(int16_t index, int32_t data) override;
  int16_t NewIndex() const override { return newIndex_; }

 private:
  struct Item {
    std::string text;
    int32_t data = 0;
  };
  Place place_;
  bool enabled_ = true;
  std::vector<Item> items_;
  int16_t index_ = -1;
  int16_t newIndex_ = -1;
};

class HeadlessTextBox : public TextBox {
 public:
  HeadlessTextBox(std::string text, Place p) : text_(std::move(text)), place_(p) {}
  Place GetPlace() const override { return place_; }
  void SetPlace(const Place& p) override { place_ = p; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool e) override { enabled_ = e; }
  std::string Text() const override { return text_; }
  void SetText(const std::string& t) override { text_ = t; }

 private:
  std::string text_;
  Place place_;
  bool enabled_ = true;
};

class HeadlessLabel : public Label {
 public:
  HeadlessLabel(std::string caption, Place p) : caption_(std::move(caption)), place_(p) {}
  Place GetPlace() const override { return place_; }
  void SetPlace(const Place& p) override { place_ = p; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool e) override { enabled_ = e; }
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& c) override { caption_ = c; }

 private:
  std::string caption_;
  Place place_;
  bool enabled_ = true;
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
  explicit HeadlessMenu(std::string caption) : caption(std::move(caption)) {}
  MenuItem* AddItem(const std::string& caption) override;
  void AddSeparator() override;
  std::string caption;
  // Captions in display order, "-" for separators.
  std::vector<std::string> entries;
  std::vector<std::unique_ptr<HeadlessMenuItem>> items;
};

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(WindowKind kind, std::string caption, float clientWidth, float clientHeight);

  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& c) override { caption_ = c; }
  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return clientWidth_ + kFrameWidth; }
  float Height() const override { return clientHeight_ + kFrameHeight; }
  void Move(float left, float top) override;
  void SetWidth(float width) override;
  void SetHeight(float height) override;
  float ScaleWidth() const override { return clientWidth_; }
  float ScaleHeight() const override { return clientHeight_; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  bool Minimized() const override { return minimized_; }

  Surface* AddSurface(const Place& place) override;
  ScrollBar* AddHScrollBar(const Place& place) override;
  ScrollBar* AddVScrollBar(const Place& place) override;
  Button* AddButton(const std::string& caption, const Place& place) override;
  CheckBox* AddCheckBox(const std::string& caption, const Place& place) override;
  ComboBox* AddComboBox(const Place& place) override;
  TextBox* AddTextBox(const std::string& text, const Place& place) override;
  Label* AddLabel(const std::string& caption, const Place& place) override;
  Menu* AddMenu(const std::string& caption) override;

  // What a user does to the window.
  void UserResizeClient(float clientWidth, float clientHeight);
  void UserMinimize();
  void UserRestore();
  // The close box: QueryUnload, then Unload. Returns whether the window closed. The window may
  // be destroyed by the time this returns when it closed.
  bool UserClose();

  WindowKind kind;
  std::vector<std::unique_ptr<HeadlessMenu>> menus;
  int resizeEvents = 0;

 private:
  void RaiseResize();
  std::string caption_;
  float left_ = 0;
  float top_ = 0;
  float clientWidth_;
  float clientHeight_;
  bool visible_ = false;
  bool minimized_ = false;
  std::vector<std::unique_ptr<Control>> controls_;
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
  HeadlessToolkit();

  std::unique_ptr<Window> CreateWindow(WindowKind kind, const std::string& caption,
                                       float clientWidth, float clientHeight) override;
  MessageResult MessageBox(const std::string& prompt, MessageButtons buttons,
                           const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title) override;
  std::optional<std::string> FileDialog(const FileDialogSpec& spec) override;
  PicturePtr LoadPicture(const std::string& path) override;
  PicturePtr PictureFromImage(const RgbImage& image) override;
  std::string CommandLine() const override { return commandLine; }
  std::string ExecutableFolder() const override { return executableFolder; }
  float ScreenWidth() const override { return screenWidth; }
  float ScreenHeight() const override { return screenHeight; }
  void DoEvents() override;
  void SeedRandomFromTimer() override { ++seedCount; }
  float Random() override;
  FileSystem& Files() override { return files; }
  void Quit() override { quit = true; }

  // ---- Scripts and records ----
  std::deque<MessageResult> messageAnswers;
  std::vector<MessageAsked> messagesAsked;
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
  float screenWidth = 12000;
  float screenHeight = 9000;
  bool quit = false;
  // A questions asked without a scripted answer: the test has missed something.
  int unscriptedQuestions = 0;
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
inline HeadlessCheckBox& H(CheckBox& c) {
  return static_cast<HeadlessCheckBox&>(c);
}
inline HeadlessComboBox& H(ComboBox& c) {
  return static_cast<HeadlessComboBox&>(c);
}

}  // namespace korvane::headless
