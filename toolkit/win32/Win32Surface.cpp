#include "toolkit/win32/Win32Surface.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvane::win32 {

namespace {

// Asks a surface for its clear and paint once the messages before it have been handled.
constexpr UINT kUncoverMessage = WM_APP + 1;

// Larger than any screen: a box placed beyond it keeps its drawing to this part, and shows the
// background colour in the rest, instead of asking for gigabytes.
constexpr int kLargestImageSide = 8192;

uint32_t ToPixel(toolkit::Color c) {
  return uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
}

COLORREF ToColorRef(toolkit::Color c) {
  return RGB(c.r, c.g, c.b);
}

// The held mouse buttons as the editor numbers them: 1 left, 2 right, 4 middle.
int16_t HeldButtons(WPARAM keys) {
  int16_t code = 0;
  if (keys & MK_LBUTTON) code += toolkit::kLeftButton;
  if (keys & MK_RBUTTON) code += toolkit::kRightButton;
  if (keys & MK_MBUTTON) code += toolkit::kMiddleButton;
  return code;
}

// Shift 1, Ctrl 2, Alt 4.
int16_t ShiftCode(WPARAM keys) {
  int16_t code = 0;
  if (keys & MK_SHIFT) code += 1;
  if (keys & MK_CONTROL) code += 2;
  if (::GetKeyState(VK_MENU) < 0) code += 4;
  return code;
}

// The part of `r` inside a bitmap of w x h pixels.
toolkit::PixelRect Clipped(const toolkit::PixelRect& r, int w, int h) {
  const int x1 = std::clamp(r.x, 0, w), x2 = std::clamp(r.x + r.width, 0, w);
  const int y1 = std::clamp(r.y, 0, h), y2 = std::clamp(r.y + r.height, 0, h);
  return {x1, y1, x2 - x1, y2 - y1};
}

void FillPixels(Bitmap& image, const toolkit::PixelRect& box, uint32_t pixel) {
  const toolkit::PixelRect r = Clipped(box, image.Width(), image.Height());
  if (r.Empty()) return;
  toolkit::PixelRows<uint32_t> rows = image.Rows();
  for (int y = r.y; y < r.y + r.height; ++y) std::fill_n(rows.Row(y) + r.x, r.width, pixel);
}

}  // namespace

Win32Surface::Win32Surface(HWND parent, const toolkit::Place& place)
    : Win32Control(CreateChild(parent, RegisterClassOnce(L"KorvaneSurface", Procedure), "", 0),
                   place) {
  SetOwner(hwnd_, this);
  FitImage();
}

Win32Surface::~Win32Surface() {
  SetOwner(hwnd_, nullptr);
  dc_.reset();  // before the bitmap it holds
}

SIZE Win32Surface::ClientSize() const {
  RECT r{};
  ::GetClientRect(hwnd_, &r);  // whose left and top are always 0
  return SIZE{r.right, r.bottom};
}

void Win32Surface::SetPlace(const toolkit::Place& place) {
  Win32Control::SetPlace(place);
  FitImage();
}

float Win32Surface::ScaleWidth() const {
  return static_cast<float>(ClientSize().cx * TheUi().tppX);
}

float Win32Surface::ScaleHeight() const {
  return static_cast<float>(ClientSize().cy * TheUi().tppY);
}

float Win32Surface::ScaleX(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const {
  return toolkit::ConvertScale(value, from, to, TheUi().tppX);
}

float Win32Surface::ScaleY(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const {
  return toolkit::ConvertScale(value, from, to, TheUi().tppY);
}

void Win32Surface::FitImage() {
  const SIZE size = ClientSize();
  const int w = std::clamp<int>(size.cx, 0, kLargestImageSide);
  const int h = std::clamp<int>(size.cy, 0, kLargestImageSide);
  if (fitted_ && w == image_.Width() && h == image_.Height()) return;
  const bool grew = !fitted_ || w > image_.Width() || h > image_.Height();
  fitted_ = true;
  Bitmap fresh(w, h);
  ::GdiFlush();
  if (!grew) {
    const toolkit::PixelRect kept{0, 0, w, h};
    toolkit::CopyPlainOrDoubled(fresh.Rows(), kept, std::as_const(image_).Rows(), kept);
  }
  dc_.reset();
  image_ = std::move(fresh);
  if (!image_.Empty()) {
    dc_ = std::make_unique<BitmapDc>(image_.Handle());
    ::SelectObject(dc_->Handle(), TheUi().font);
  }
  if (!grew) return;
  ClearImage();
  RequestUncoverPaint();
}

void Win32Surface::ClearImage() {
  if (image_.Empty()) return;
  ::GdiFlush();
  FillPixels(image_, {0, 0, image_.Width(), image_.Height()}, ToPixel(backColor_));
  const auto* own = dynamic_cast<const Win32Picture*>(picture_.get());
  if (!own || own->Pixels().Empty()) return;
  const toolkit::PixelRect shown = Clipped({0, 0, own->Pixels().Width(), own->Pixels().Height()},
                                           image_.Width(), image_.Height());
  toolkit::CopyPlainOrDoubled(image_.Rows(), shown, own->Pixels().Rows(), shown);
}

void Win32Surface::RequestUncoverPaint() {
  paintPending_ = true;
  if (paintPosted_ || !::IsWindowVisible(hwnd_)) return;  // a hidden one asks when it is painted
  paintPosted_ = true;
  ::PostMessageW(hwnd_, kUncoverMessage, 0, 0);
}

// A Refresh in the meantime has already painted.
void Win32Surface::UncoverPaint() {
  paintPosted_ = false;
  if (!paintPending_ || !::IsWindowVisible(hwnd_)) return;
  Refresh();
}

void Win32Surface::Refresh() {
  FitImage();
  paintPending_ = false;
  ClearImage();
  const std::weak_ptr<int> alive = alive_;
  const bool nested = refreshing_;
  refreshing_ = true;
  Raise(onPaint);
  if (alive.expired()) return;  // the handler destroyed this surface
  refreshing_ = nested;
  ::InvalidateRect(hwnd_, nullptr, FALSE);
}

// Windows gathers the rectangles and repaints once the queue is empty; inside Refresh nothing is
// asked for, as Refresh repaints the whole window itself.
void Win32Surface::ShowLater(const toolkit::PixelRect& touched) {
  if (refreshing_) return;
  const toolkit::PixelRect r = Clipped(touched, image_.Width(), image_.Height());
  if (r.Empty()) return;
  const RECT rect{r.x, r.y, r.x + r.width, r.y + r.height};
  ::InvalidateRect(hwnd_, &rect, FALSE);
}

void Win32Surface::Paint() {
  PAINTSTRUCT ps{};
  HDC dc = ::BeginPaint(hwnd_, &ps);
  const RECT& asked = ps.rcPaint;
  const int w = image_.Width(), h = image_.Height();
  if (dc_) {
    ::GdiFlush();
    const toolkit::PixelRect inside =
        Clipped({asked.left, asked.top, asked.right - asked.left, asked.bottom - asked.top}, w, h);
    if (!inside.Empty())
      ::BitBlt(dc, inside.x, inside.y, inside.width, inside.height, dc_->Handle(), inside.x,
               inside.y, SRCCOPY);
  }
  // Anything the bitmap does not cover yet shows the background colour.
  HBRUSH back = ::CreateSolidBrush(ToColorRef(backColor_));
  const RECT right{std::max<LONG>(asked.left, w), asked.top, asked.right, asked.bottom};
  const RECT below{asked.left, std::max<LONG>(asked.top, h), std::min<LONG>(asked.right, w),
                   asked.bottom};
  for (const RECT& r : {right, below})
    if (r.left < r.right && r.top < r.bottom) ::FillRect(dc, &r, back);
  ::DeleteObject(back);
  ::EndPaint(hwnd_, &ps);
  if (paintPending_ && !paintPosted_) {
    paintPosted_ = true;
    ::PostMessageW(hwnd_, kUncoverMessage, 0, 0);
  }
}

void Win32Surface::SetPicture(toolkit::PicturePtr picture) {
  picture_ = std::move(picture);
  // The new picture replaces what the box showed, at once; the paint handler follows later.
  ClearImage();
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  if (onPaint) RequestUncoverPaint();
}

void Win32Surface::PaintPicture(const toolkit::Picture& picture, float x1, float y1, float w1,
                                float h1, float x2, float y2, float w2, float h2) {
  const auto* source = dynamic_cast<const Win32Picture*>(&picture);
  FitImage();
  if (!source || source->Pixels().Empty() || image_.Empty()) return;
  const toolkit::PixelRect to = PixelsOf(x1, y1, w1, h1);
  const toolkit::PixelRect from = PixelsOf(x2, y2, w2, h2);
  if (to.Empty() || from.Empty()) return;
  ::GdiFlush();
  if (!toolkit::CopyPlainOrDoubled(image_.Rows(), to, source->Pixels().Rows(), from)) {
    BitmapDc pictureDc(source->Pixels().Handle());
    ::SetStretchBltMode(dc_->Handle(), COLORONCOLOR);
    ::StretchBlt(dc_->Handle(), to.x, to.y, to.width, to.height, pictureDc.Handle(), from.x, from.y,
                 from.width, from.height, SRCCOPY);
  }
  ShowLater(to);
}

// The box takes in both corners, so a box from a cell's corner to one pixel beyond its tile
// covers the pixel beyond too.
void Win32Surface::FilledBox(float x1, float y1, float dx, float dy, toolkit::Color color) {
  FitImage();
  if (image_.Empty()) return;
  toolkit::PixelRect box = PixelsOf(x1, y1, dx, dy);
  box.width += 1;
  box.height += 1;
  ::GdiFlush();
  FillPixels(image_, box, ToPixel(color));
  ShowLater(box);
}

void Win32Surface::PutPixels(float x, float y, const toolkit::PixelRows<const uint32_t>& pixels) {
  FitImage();
  if (image_.Empty()) return;
  const Ui& ui = TheUi();
  const toolkit::PixelRect at{toolkit::TwipsToPixels(x, ui.tppX),
                              toolkit::TwipsToPixels(y, ui.tppY), pixels.width, pixels.height};
  const toolkit::PixelRect r = Clipped(at, image_.Width(), image_.Height());
  if (r.Empty()) return;
  ::GdiFlush();
  toolkit::PixelRows<uint32_t> rows = image_.Rows();
  for (int row = r.y; row < r.y + r.height; ++row) {
    const uint32_t* from = pixels.Row(row - at.y) + (r.x - at.x);
    uint32_t* to = rows.Row(row) + r.x;
    // The bitmap's unused top byte stays 0, as GDI leaves it.
    for (int i = 0; i < r.width; ++i) to[i] = from[i] & 0x00FFFFFFu;
  }
  ShowLater(r);
}

void Win32Surface::Circle(float x, float y, float radius) {
  FitImage();
  if (!dc_) return;
  const Ui& ui = TheUi();
  const int cx = toolkit::TwipsToPixels(x, ui.tppX);
  const int cy = toolkit::TwipsToPixels(y, ui.tppY);
  const int rx = toolkit::TwipsToPixels(std::fabs(radius), ui.tppX);
  const int ry = toolkit::TwipsToPixels(std::fabs(radius), ui.tppY);
  HPEN pen = ::CreatePen(PS_SOLID, 1, ToColorRef(foreColor_));
  HDC dc = dc_->Handle();
  HGDIOBJ oldPen = ::SelectObject(dc, pen);
  HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  ::Ellipse(dc, cx - rx, cy - ry, cx + rx + 1, cy + ry + 1);
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, oldPen);
  ::DeleteObject(pen);
  ShowLater({cx - rx - 2, cy - ry - 2, 2 * rx + 5, 2 * ry + 5});
}

void Win32Surface::DottedLine(float x1, float y1, float x2, float y2) {
  FitImage();
  if (image_.Empty()) return;
  const Ui& ui = TheUi();
  const toolkit::PixelRect line = toolkit::DottedLinePixels(x1, y1, x2, y2, ui.tppX, ui.tppY);
  ::GdiFlush();
  toolkit::DrawDotted(image_.Rows(), line, ToPixel(foreColor_));
  ShowLater(line);
}

float Win32Surface::TextWidth(const std::string& text) const {
  const std::wstring wide = Widen(text);
  SIZE size{};
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, TheUi().font);
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return static_cast<float>(size.cx * TheUi().tppX);
}

float Win32Surface::TextHeight(const std::string&) const {
  TEXTMETRICW metrics{};
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, TheUi().font);
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return static_cast<float>(metrics.tmHeight * TheUi().tppY);
}

void Win32Surface::Print(const std::string& text) {
  FitImage();
  if (dc_) {
    const std::wstring wide = Widen(text);
    const int x = toolkit::TwipsToPixels(currentX_, TheUi().tppX);
    const int y = toolkit::TwipsToPixels(currentY_, TheUi().tppY);
    HDC dc = dc_->Handle();
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(foreColor_));
    ::SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    ShowLater({x - 2, y - 2, size.cx + 4, size.cy + 4});
  }
  currentX_ = 0;
  currentY_ += TextHeight(text);
}

void Win32Surface::Mouse(const toolkit::MouseHandler& handler, int16_t button, WPARAM keys,
                         LPARAM position) {
  if (!handler) return;
  const auto x = static_cast<short>(LOWORD(position));
  const auto y = static_cast<short>(HIWORD(position));
  auto copy = handler;
  copy(button, ShiftCode(keys), static_cast<float>(x * TheUi().tppX),
       static_cast<float>(y * TheUi().tppY));
}

LRESULT CALLBACK Win32Surface::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Surface* self = OwnerOf<Win32Surface>(hwnd);
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  // The button a press or release is about, for the editor's numbering.
  int16_t button = 0;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      button = toolkit::kLeftButton;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      button = toolkit::kRightButton;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      button = toolkit::kMiddleButton;
      break;
    default:
      break;
  }
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      self->Paint();
      return 0;
    case WM_SIZE:
      self->FitImage();
      return 0;
    case kUncoverMessage:
      self->UncoverPaint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // The surface keeps hearing the pointer while a button is held, also outside it.
      ::SetCapture(hwnd);
      self->Mouse(self->onMouseDown, button, wParam, lParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (HeldButtons(wParam) == 0 && ::GetCapture() == hwnd) ::ReleaseCapture();
      self->Mouse(self->onMouseUp, button, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      self->Mouse(self->onMouseMove, HeldButtons(wParam), wParam, lParam);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace korvane::win32
