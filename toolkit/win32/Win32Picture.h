#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "toolkit/Picture.h"
#include "toolkit/PixelCopy.h"
#include "toolkit/win32/Win32Api.h"

namespace korvane::win32 {

// 32-bit pixels, 0x00RRGGBB, in a device-independent bitmap that GDI can draw from and into,
// row by row from the top.
class Bitmap {
 public:
  Bitmap() = default;
  // A bitmap of the size, or an empty one when the size is not positive or there is no memory.
  Bitmap(int width, int height);
  ~Bitmap();
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  bool Empty() const { return bits_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HBITMAP Handle() const { return handle_; }
  toolkit::PixelRows<uint32_t> Rows() { return {bits_, width_, height_, width_}; }
  toolkit::PixelRows<const uint32_t> Rows() const { return {bits_, width_, height_, width_}; }
  uint32_t At(int x, int y) const { return bits_[static_cast<size_t>(y) * width_ + x]; }

 private:
  void Release();
  HBITMAP handle_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// A memory device context with a bitmap selected into it for as long as it lives.
class BitmapDc {
 public:
  explicit BitmapDc(HBITMAP bitmap);
  ~BitmapDc();
  BitmapDc(const BitmapDc&) = delete;
  BitmapDc& operator=(const BitmapDc&) = delete;
  HDC Handle() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A decoded image. It reports its size in HIMETRIC at the screen's resolution, so that
// converting that size back to twips gives exactly its pixel count in screen twips.
class Win32Picture : public toolkit::Picture {
 public:
  explicit Win32Picture(Bitmap bitmap);
  int32_t WidthHimetric() const override { return widthHimetric_; }
  int32_t HeightHimetric() const override { return heightHimetric_; }
  const Bitmap& Pixels() const { return bitmap_; }

 private:
  Bitmap bitmap_;
  int32_t widthHimetric_;
  int32_t heightHimetric_;
};

// The most pixel memory a decoded picture may take: as much as the Qt backend allows a tile sheet,
// so that a hostile header cannot ask for gigabytes.
inline constexpr int64_t kPictureMemoryLimit = int64_t{1024} << 20;

// Decodes a Windows bitmap file (every form the system draws: 1 to 32 bits a pixel, colour
// tables, bit fields, run-length coding, the old OS/2 header) from its bytes. An empty bitmap,
// with the reason in `why`, when the bytes are no such file or ask for more than they hold.
Bitmap DecodeBmp(std::span<const uint8_t> file, std::string& why);

}  // namespace korvane::win32
