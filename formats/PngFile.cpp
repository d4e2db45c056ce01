#include "formats/PngFile.h"

#include <zlib.h>

#include <new>
#include <string_view>

namespace korvane {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

// One chunk: its length, type, data and the CRC of type and data.
void Chunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
  Put32(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

}  // namespace

std::optional<std::vector<uint8_t>> EncodePng(const toolkit::RgbImage& image) {
  if (image.width < 1 || image.height < 1) return std::nullopt;
  try {
    // Each row after a filter byte of 0 (none).
    std::vector<uint8_t> raw;
    raw.reserve(size_t(image.height) * (size_t(image.width) * 3 + 1));
    for (int32_t y = 0; y < image.height; ++y) {
      raw.push_back(0);
      for (int32_t x = 0; x < image.width; ++x) {
        const toolkit::Color c = image.At(x, y);
        raw.insert(raw.end(), {c.r, c.g, c.b});
      }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK)
      return std::nullopt;
    packed.resize(packedSize);

    std::vector<uint8_t> header;
    Put32(header, uint32_t(image.width));
    Put32(header, uint32_t(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", {});
    return png;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace korvane
