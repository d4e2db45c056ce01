#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Picture.h"
#include "toolkit/PixelCopy.h"
#include "toolkit/Types.h"

namespace korvane::toolkit {

// Every control can be placed and shown; positions are twips within the owning window's client
// area.
class Control {
 public:
  virtual ~Control() = default;
  virtual Place GetPlace() const = 0;
  virtual void SetPlace(const Place& place) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

using MouseHandler = std::function<void(int16_t button, int16_t shift, float x, float y)>;

// A picture box working in twips. Drawing calls may come at any time, not only from the paint
// handler; what they draw stays until the surface is cleared.
class Surface : public Control {
 public:
  // Interior size in twips.
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;
  // Converts a measure between units on this surface's screen, horizontally or vertically.
  virtual float ScaleX(float value, ScaleUnit from, ScaleUnit to) const = 0;
  virtual float ScaleY(float value, ScaleUnit from, ScaleUnit to) const = 0;

  // Stretched plain copy of the source rectangle (x2, y2, w2, h2) of the picture, in twips of
  // this surface mapped onto the picture's pixels, to the destination (x1, y1, w1, h1).
  virtual void PaintPicture(const Picture& picture, float x1, float y1, float w1, float h1,
                            float x2, float y2, float w2, float h2) = 0;
  // Filled box from (x1, y1) to (x1 + dx, y1 + dy) in the colour.
  virtual void FilledBox(float x1, float y1, float dx, float dy, Color color) = 0;
  // Pixels made by the program (0xffRRGGBB) copied one to one, their top-left pixel at (x, y);
  // what falls outside the surface is dropped. A picture drawn pixel by pixel (the overview) is
  // one call, not a box per pixel. This fallback draws a box per run of one colour.
  virtual void PutPixels(float x, float y, const PixelRows<const uint32_t>& pixels) {
    const float px = ScaleX(1, ScaleUnit::Pixels, ScaleUnit::Twips);
    const float py = ScaleY(1, ScaleUnit::Pixels, ScaleUnit::Twips);
    for (int row = 0; row < pixels.height; ++row) {
      const uint32_t* line = pixels.Row(row);
      for (int run = 0, end = 0; run < pixels.width; run = end) {
        while (end < pixels.width && line[end] == line[run]) ++end;
        FilledBox(x + run * px, y + row * py, (end - run - 1) * px, 0, ColorOf(line[run]));
      }
    }
  }
  // Outline of a circle in the foreground colour.
  virtual void Circle(float x, float y, float radius) = 0;
  // A one-pixel dotted line in the foreground colour, across (y1 == y2) or down (x1 == x2), from
  // (x1, y1) up to but not including (x2, y2), x2 >= x1 and y2 >= y1. Of its pixels only those
  // whose coordinate along the line, counted from the surface's origin, is even are drawn, so
  // pieces of one line drawn separately make up the same pattern.
  virtual void DottedLine(float x1, float y1, float x2, float y2) = 0;
  virtual float TextWidth(const std::string& text) const = 0;
  virtual float TextHeight(const std::string& text) const = 0;
  virtual void SetCurrentX(float x) = 0;
  virtual void SetCurrentY(float y) = 0;
  // Text at (CurrentX, CurrentY) in the foreground colour; ends the line.
  virtual void Print(const std::string& text) = 0;

  virtual void SetBackColor(Color color) = 0;
  virtual void SetForeColor(Color color) = 0;

  // The picture shown as the surface's own content (the tile-sheet preview), drawn at its
  // natural size from the top-left corner; null for none.
  virtual void SetPicture(PicturePtr picture) = 0;
  virtual PicturePtr GetPicture() const = 0;

  // Clears the surface to its background colour and runs the paint handler before returning.
  virtual void Refresh() = 0;

  std::function<void()> onPaint;
  MouseHandler onMouseDown;
  MouseHandler onMouseMove;
  MouseHandler onMouseUp;
};

class ScrollBar : public Control {
 public:
  virtual int16_t Min() const = 0;
  virtual int16_t Max() const = 0;
  virtual int16_t Value() const = 0;
  // Setting Min or Max moves Value into range; a Value that moves raises onChange.
  virtual void SetMin(int16_t min) = 0;
  virtual void SetMax(int16_t max) = 0;
  virtual void SetValue(int16_t value) = 0;
  // Repaints the bar.
  virtual void Refresh() = 0;

  std::function<void()> onChange;  // after a click, or after the thumb is released
  std::function<void()> onScroll;  // while the thumb is dragged
};

class Button : public Control {
 public:
  virtual std::string Caption() const = 0;
  std::function<void()> onClick;
};

class CheckBox : public Control {
 public:
  // 0 unchecked, 1 checked, 2 greyed.
  virtual int16_t Value() const = 0;
  virtual void SetValue(int16_t value) = 0;
  std::function<void()> onClick;  // the value changed
};

class ComboBox : public Control {
 public:
  // Selected position, -1 for none. Setting it raises onClick.
  virtual int16_t ListIndex() const = 0;
  virtual void SetListIndex(int16_t index) = 0;
  virtual int16_t ListCount() const = 0;
  virtual void AddItem(const std::string& text) = 0;
  virtual void RemoveItem(int16_t index) = 0;
  virtual std::string List(int16_t index) const = 0;
  virtual int32_t ItemData(int16_t index) const = 0;
  virtual void SetItemData(int16_t index, int32_t data) = 0;
  // Position of the entry added last.
  virtual int16_t NewIndex() const = 0;
  std::function<void()> onClick;
};

class TextBox : public Control {
 public:
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

class Label : public Control {
 public:
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
};

class MenuItem {
 public:
  virtual ~MenuItem() = default;
  virtual std::string Caption() const = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  // The check mark beside the caption. Choosing an item never changes its mark by itself: the
  // click handler sets the marks it wants.
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool checked) = 0;
  std::function<void()> onClick;
};

}  // namespace korvane::toolkit
