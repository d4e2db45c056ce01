#pragma once

#include <memory>
#include <string>

#include "toolkit/Controls.h"
#include "toolkit/win32/Win32ControlBase.h"
#include "toolkit/win32/Win32Picture.h"

namespace korvane::win32 {

// A picture box working in twips. Every drawing call goes into a backing bitmap at once, in or
// out of the paint handler, and stays there until the surface is cleared; the window's own
// WM_PAINT only shows the bitmap. The surface is cleared and its paint handler raised by Refresh
// (at once), and, as uncovering a window does, when it grows or is first shown (from the message
// loop, once it is visible).
class Win32Surface : public Win32Control<toolkit::Surface> {
 public:
  Win32Surface(HWND parent, const toolkit::Place& place);
  ~Win32Surface() override;

  void SetPlace(const toolkit::Place& place) override;
  float ScaleWidth() const override;
  float ScaleHeight() const override;
  float ScaleX(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const override;
  float ScaleY(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const override;
  void PaintPicture(const toolkit::Picture& picture, float x1, float y1, float w1, float h1,
                    float x2, float y2, float w2, float h2) override;
  void FilledBox(float x1, float y1, float dx, float dy, toolkit::Color color) override;
  void PutPixels(float x, float y, const toolkit::PixelRows<const uint32_t>& pixels) override;
  void Circle(float x, float y, float radius) override;
  void DottedLine(float x1, float y1, float x2, float y2) override;
  float TextWidth(const std::string& text) const override;
  float TextHeight(const std::string& text) const override;
  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  void Print(const std::string& text) override;
  void SetBackColor(toolkit::Color color) override { backColor_ = color; }
  void SetForeColor(toolkit::Color color) override { foreColor_ = color; }
  void SetPicture(toolkit::PicturePtr picture) override;
  toolkit::PicturePtr GetPicture() const override { return picture_; }
  void Refresh() override;

  // What the window shows.
  const Bitmap& Image() const { return image_; }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // The size of the child window in pixels.
  SIZE ClientSize() const;
  // Matches the bitmap to the window's size: a smaller window keeps the top-left part of the
  // drawing, a larger one (or the first) starts a fresh bitmap and asks for a paint.
  void FitImage();
  // Fills the bitmap with the background colour and draws the surface's own picture.
  void ClearImage();
  // Asks for a clear and a paint from the message loop, as the window system does on uncovering.
  void RequestUncoverPaint();
  void UncoverPaint();
  // Lets the window show the pixels of `touched` again (not while Refresh runs).
  void ShowLater(const toolkit::PixelRect& touched);
  void Paint();
  void Mouse(const toolkit::MouseHandler& handler, int16_t button, WPARAM keys, LPARAM position);

  Bitmap image_;
  std::unique_ptr<BitmapDc> dc_;
  bool fitted_ = false;
  toolkit::Color backColor_{255, 255, 255};
  toolkit::Color foreColor_{0, 0, 0};
  float currentX_ = 0;
  float currentY_ = 0;
  toolkit::PicturePtr picture_;
  // A clear and paint is owed; a message asking for it is waiting in the queue.
  bool paintPending_ = false;
  bool paintPosted_ = false;
  // The paint handler of Refresh is running.
  bool refreshing_ = false;
  // Expires with this object: a handler that destroyed the surface is noticed through it.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace korvane::win32
