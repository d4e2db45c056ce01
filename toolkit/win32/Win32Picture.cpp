#include "toolkit/win32/Win32Picture.h"

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "toolkit/win32/Win32Ui.h"

namespace korvane::win32 {

// ---- Bitmap ----

Bitmap::Bitmap(int width, int height) {
  if (width <= 0 || height <= 0 || int64_t{width} * height * 4 > kPictureMemoryLimit) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  handle_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle_ || !bits) {
    Release();
    return;
  }
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
}

Bitmap::~Bitmap() {
  Release();
}

Bitmap::Bitmap(Bitmap&& other) noexcept {
  *this = std::move(other);
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this == &other) return *this;
  Release();
  std::swap(handle_, other.handle_);
  std::swap(bits_, other.bits_);
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  return *this;
}

void Bitmap::Release() {
  if (handle_) ::DeleteObject(handle_);
  handle_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

BitmapDc::BitmapDc(HBITMAP bitmap)
    : dc_(::CreateCompatibleDC(nullptr)), previous_(::SelectObject(dc_, bitmap)) {}

BitmapDc::~BitmapDc() {
  ::SelectObject(dc_, previous_);
  ::DeleteDC(dc_);
}

Win32Picture::Win32Picture(Bitmap bitmap)
    : bitmap_(std::move(bitmap)),
      widthHimetric_(toolkit::PixelsToHimetric(bitmap_.Width(), TheUi().tppX)),
      heightHimetric_(toolkit::PixelsToHimetric(bitmap_.Height(), TheUi().tppY)) {}

// ---- Bitmap files ----

namespace {

uint32_t U16(std::span<const uint8_t> b, size_t at) {
  return b[at] | uint32_t{b[at + 1]} << 8;
}
uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

constexpr size_t kFileHeader = 14;

// The header as GDI takes it: a BITMAPINFOHEADER, its three bit-field masks when it has them, and
// its colour table.
struct Header {
  std::vector<uint8_t> info;
  int width = 0;
  int height = 0;  // negative: rows from the top
  uint32_t compression = BI_RGB;
  int bitsPerPixel = 0;
};

bool Fail(std::string& why, const std::string& reason) {
  why = reason;
  return false;
}

// Reads the header of any of the forms (OS/2's 12 bytes, Windows' 40, and the longer ones that
// add masks and colour spaces) into one form, checking every size against the file.
bool ReadHeader(std::span<const uint8_t> file, Header& h, std::string& why) {
  const std::string notBmp = "it is not a Windows bitmap (BMP) file";
  if (file.size() < kFileHeader + 12 || file[0] != 'B' || file[1] != 'M') return Fail(why, notBmp);
  const uint32_t headerSize = U32(file, kFileHeader);
  const bool core = headerSize == 12;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124)
    return Fail(why, notBmp);
  if (file.size() < kFileHeader + headerSize) return Fail(why, "the file ends inside its header");
  const size_t at = kFileHeader;
  // Signed in the longer headers (a negative height puts the top row first); each branch is
  // widened on its own, or the unsigned one would turn -1 into 4294967295.
  const int64_t width =
      core ? int64_t{U16(file, at + 4)} : int64_t{static_cast<int32_t>(U32(file, at + 4))};
  const int64_t height =
      core ? int64_t{U16(file, at + 6)} : int64_t{static_cast<int32_t>(U32(file, at + 8))};
  const uint32_t planes = U16(file, at + (core ? 8 : 12));
  h.bitsPerPixel = static_cast<int>(U16(file, at + (core ? 10 : 14)));
  h.compression = core ? BI_RGB : U32(file, at + 16);
  const uint32_t used = core ? 0 : U32(file, at + 32);
  const int bpp = h.bitsPerPixel;
  const bool bitsOk = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
  const bool codingOk = h.compression == BI_RGB || (h.compression == BI_RLE8 && bpp == 8) ||
                        (h.compression == BI_RLE4 && bpp == 4) ||
                        (h.compression == BI_BITFIELDS && (bpp == 16 || bpp == 32));
  if (planes != 1 || !bitsOk) return Fail(why, notBmp);
  if (!codingOk) return Fail(why, "it uses a form of bitmap coding that Korvane does not read");
  if (width < 1 || height == 0 ||
      (height < 0 && h.compression != BI_RGB && h.compression != BI_BITFIELDS))
    return Fail(why, "its header gives no usable size");
  if (width * std::llabs(height) * 4 > kPictureMemoryLimit)
    return Fail(why, "the picture is " + std::to_string(width) + " x " +
                         std::to_string(std::llabs(height)) + " pixels, more than the " +
                         std::to_string(kPictureMemoryLimit >> 20) +
                         " MiB of pixels a tile sheet may take");
  h.width = static_cast<int>(width);
  h.height = static_cast<int>(height);

  // Masks: after a 40-byte header, or inside the longer ones.
  size_t next = kFileHeader + headerSize;
  std::vector<uint8_t> masks;
  if (h.compression == BI_BITFIELDS) {
    const size_t from = headerSize == 40 ? next : kFileHeader + 40;
    if (file.size() < from + 12) return Fail(why, "the file ends inside its colour masks");
    masks.assign(file.begin() + static_cast<ptrdiff_t>(from),
                 file.begin() + static_cast<ptrdiff_t>(from + 12));
    if (headerSize == 40) next += 12;
  }
  // The colour table, which only pictures of up to 8 bits a pixel use.
  const size_t most = bpp <= 8 ? size_t{1} << bpp : 0;
  const size_t entries = bpp > 8 ? 0 : (used == 0 || used > most ? most : used);
  const size_t entrySize = core ? 3 : 4;
  if (file.size() < next + entries * entrySize)
    return Fail(why, "the file ends inside its colour table");

  BITMAPINFOHEADER out{};
  out.biSize = sizeof out;
  out.biWidth = h.width;
  out.biHeight = h.height;
  out.biPlanes = 1;
  out.biBitCount = static_cast<WORD>(bpp);
  out.biCompression = h.compression;
  out.biClrUsed = static_cast<DWORD>(entries);
  h.info.resize(sizeof out);
  std::memcpy(h.info.data(), &out, sizeof out);
  h.info.insert(h.info.end(), masks.begin(), masks.end());
  for (size_t i = 0; i < entries; ++i) {
    const size_t e = next + i * entrySize;
    h.info.insert(h.info.end(), {file[e], file[e + 1], file[e + 2], 0});
  }
  return true;
}

}  // namespace

Bitmap DecodeBmp(std::span<const uint8_t> file, std::string& why) {
  Header h;
  if (!ReadHeader(file, h, why)) return {};
  const uint32_t offset = U32(file, 10);
  if (offset >= file.size()) {
    why = "the file ends before its pixels";
    return {};
  }
  const size_t available = file.size() - offset;
  const bool runLengths = h.compression == BI_RLE8 || h.compression == BI_RLE4;
  const int rows = std::abs(h.height);
  if (!runLengths) {
    const uint64_t stride =
        (uint64_t{static_cast<uint32_t>(h.width)} * h.bitsPerPixel + 31) / 32 * 4;
    if (stride * static_cast<uint64_t>(rows) > available) {
      why = "the file ends inside its pixels";
      return {};
    }
  } else {
    // GDI reads no more coded bytes than the header says there are.
    auto* info = reinterpret_cast<BITMAPINFOHEADER*>(h.info.data());
    const uint32_t stated = U32(file, kFileHeader + 20);
    info->biSizeImage = static_cast<DWORD>(stated == 0 || stated > available ? available : stated);
  }

  Bitmap bitmap(h.width, rows);
  if (bitmap.Empty()) {
    why = "there is not enough memory for its pixels";
    return {};
  }
  {
    BitmapDc dc(bitmap.Handle());
    // Run-length coding may skip pixels; those stay black.
    ::PatBlt(dc.Handle(), 0, 0, h.width, rows, BLACKNESS);
    const int drawn = ::StretchDIBits(
        dc.Handle(), 0, 0, h.width, rows, 0, 0, h.width, rows, file.data() + offset,
        reinterpret_cast<const BITMAPINFO*>(h.info.data()), DIB_RGB_COLORS, SRCCOPY);
    ::GdiFlush();
    if (drawn == 0 || drawn == static_cast<int>(GDI_ERROR)) {
      why = "its pixels could not be decoded";
      return {};
    }
  }
  // Only the colours: whatever a 32-bit file kept in its fourth byte is dropped.
  toolkit::PixelRows<uint32_t> pixels = bitmap.Rows();
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) pixels.Row(y)[x] &= 0x00FFFFFFu;
  return bitmap;
}

}  // namespace korvane::win32
