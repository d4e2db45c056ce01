#pragma once

// Bitmap files of every form the picture loader reads, made byte by byte.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace korvane::win32 {

inline void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

struct BmpForm {
  int32_t width;
  int32_t height;
  uint16_t bitsPerPixel;
  uint32_t coding;             // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
  std::vector<uint8_t> table;  // colour table (B, G, R, 0 each) or the three masks
  std::vector<uint8_t> pixels;
  bool os2 = false;  // the 12-byte header, with 3-byte table entries
  bool v4 = false;   // the 108-byte header, which holds the masks itself
};

inline std::vector<uint8_t> Bmp(const BmpForm& f) {
  const uint32_t header = f.os2 ? 12 : f.v4 ? 108 : 40;
  const uint32_t offset = 14 + header + (f.v4 ? 0 : static_cast<uint32_t>(f.table.size()));
  std::vector<uint8_t> b{'B', 'M'};
  Put(b, offset + static_cast<uint32_t>(f.pixels.size()), 4);
  Put(b, 0, 4);
  Put(b, offset, 4);
  Put(b, header, 4);
  if (f.os2) {
    Put(b, static_cast<uint32_t>(f.width), 2);
    Put(b, static_cast<uint32_t>(f.height), 2);
    Put(b, 1, 2);
    Put(b, f.bitsPerPixel, 2);
  } else {
    for (const uint32_t v : {static_cast<uint32_t>(f.width), static_cast<uint32_t>(f.height)})
      Put(b, v, 4);
    Put(b, 1, 2);
    Put(b, f.bitsPerPixel, 2);
    Put(b, f.coding, 4);
    Put(b, static_cast<uint32_t>(f.pixels.size()), 4);
    Put(b, 0, 4);  // resolution
    Put(b, 0, 4);
    Put(b, f.bitsPerPixel <= 8 ? static_cast<uint32_t>(f.table.size() / 4) : 0, 4);  // colours
    Put(b, 0, 4);
  }
  b.insert(b.end(), f.table.begin(), f.table.end());
  b.resize(std::max<size_t>(b.size(), offset));
  b.insert(b.end(), f.pixels.begin(), f.pixels.end());
  return b;
}

}  // namespace korvane::win32
