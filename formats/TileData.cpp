#include "formats/TileData.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <limits>
#include <new>

#ifdef KORVANE_HAVE_ZSTD
#include <zstd.h>
#endif

namespace korvane {

namespace {

using Bytes = std::vector<uint8_t>;
using Decoded = std::variant<Bytes, std::string>;

constexpr auto kBase64Values = [] {
  std::array<int8_t, 256> values{};
  values.fill(-1);
  const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (int i = 0; i < 64; ++i) values[static_cast<unsigned char>(alphabet[i])] = int8_t(i);
  return values;
}();

bool Blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Base64 with its '=' padding; nothing may follow the padding but blanks.
Decoded Base64(std::string_view text, uint64_t limit) {
  Bytes out;
  uint32_t bits = 0;
  int held = 0;
  size_t symbols = 0;
  size_t padding = 0;
  for (const char c : text) {
    if (Blank(c)) continue;
    ++symbols;
    if (c == '=') {
      ++padding;
      continue;
    }
    const int8_t v = kBase64Values[static_cast<unsigned char>(c)];
    if (v < 0 || padding > 0)
      return "The tile layer's base64 data holds a character that is no base64.";
    bits = (bits << 6) | uint32_t(v);
    held += 6;
    if (held >= 8) {
      held -= 8;
      if (out.size() >= limit)
        return "The tile layer's data holds more than the " + std::to_string(limit) +
               " bytes a map of its size needs.";
      out.push_back(uint8_t(bits >> held));
    }
  }
  // Base64 comes in groups of four symbols, the last padded with '=' as needed.
  if (symbols % 4 != 0 || padding > 2)
    return std::string("The tile layer's base64 data is cut short.");
  return out;
}

std::string TooLarge(uint64_t limit) {
  return "The tile layer inflates to more than the " + std::to_string(limit) +
         " bytes a map of its size needs.";
}

// Output room for inflating: grown as the data turns out to need it, so that memory follows
// what the layer really holds, up to one byte past the limit (which tells that it is too large).
class Room {
 public:
  Room(uint64_t limit, size_t inputSize)
      : limit_(limit),
        out_(static_cast<size_t>(std::min<uint64_t>(limit + 1, inputSize * 4 + 65536))) {}
  // Room for more, false once the byte past the limit has room.
  bool Grow() {
    if (out_.size() > limit_) return false;
    out_.resize(static_cast<size_t>(std::min<uint64_t>(limit_ + 1, uint64_t(out_.size()) * 2)));
    return true;
  }
  Bytes& Out() { return out_; }

 private:
  uint64_t limit_;
  Bytes out_;
};

// zlib or gzip (windowBits picks which), never inflating past `limit` bytes.
Decoded Inflate(const Bytes& in, int windowBits, const char* name, uint64_t limit) {
  z_stream z{};
  if (inflateInit2(&z, windowBits) != Z_OK)
    return std::string("There is not enough memory to inflate the tile layer.");
  Room room(limit, in.size());
  uint64_t produced = 0;
  int status = Z_OK;
  // zlib counts in 32 bits: it is fed and drained in pieces it can count.
  constexpr uint64_t kPiece = std::numeric_limits<uInt>::max() / 2;
  uint64_t used = 0;
  while (status == Z_OK) {
    if (produced == room.Out().size() && !room.Grow()) break;
    const uint64_t inPiece = std::min<uint64_t>(in.size() - used, kPiece);
    const uint64_t outPiece = std::min<uint64_t>(room.Out().size() - produced, kPiece);
    z.next_in = const_cast<Bytef*>(in.data() + used);
    z.avail_in = uInt(inPiece);
    z.next_out = room.Out().data() + produced;
    z.avail_out = uInt(outPiece);
    status = inflate(&z, Z_NO_FLUSH);
    used += inPiece - z.avail_in;
    produced += outPiece - z.avail_out;
    // No progress with all of the input given: it is cut short.
    if (status == Z_BUF_ERROR && used == in.size() && z.avail_out > 0) break;
    if (status == Z_BUF_ERROR) status = Z_OK;
  }
  inflateEnd(&z);
  if (produced > limit) return TooLarge(limit);
  if (status != Z_STREAM_END || used != in.size())
    return std::string("The tile layer's ") + name + " data is damaged or cut short.";
  Bytes& out = room.Out();
  out.resize(static_cast<size_t>(produced));
  return std::move(out);
}

#ifdef KORVANE_HAVE_ZSTD
Decoded Unzstd(const Bytes& in, uint64_t limit) {
  ZSTD_DStream* stream = ZSTD_createDStream();
  if (stream == nullptr)
    return std::string("There is not enough memory to inflate the tile layer.");
  Room room(limit, in.size());
  ZSTD_inBuffer source{in.data(), in.size(), 0};
  size_t produced = 0;
  size_t status = 1;
  while (status != 0 && !ZSTD_isError(status)) {
    if (produced == room.Out().size() && !room.Grow()) break;
    ZSTD_outBuffer target{room.Out().data(), room.Out().size(), produced};
    const size_t before = source.pos + produced;
    status = ZSTD_decompressStream(stream, &target, &source);
    produced = target.pos;
    if (source.pos + produced == before) break;  // no progress: the input is used up
  }
  ZSTD_freeDStream(stream);
  if (produced > limit) return TooLarge(limit);
  if (status != 0 || source.pos != source.size)
    return std::string("The tile layer's zstd data is damaged or cut short.");
  Bytes& out = room.Out();
  out.resize(produced);
  return std::move(out);
}
#endif

}  // namespace

bool CanDecompress(std::string_view compression) {
#ifdef KORVANE_HAVE_ZSTD
  if (compression == "zstd") return true;
#endif
  return compression.empty() || compression == "zlib" || compression == "gzip";
}

std::variant<std::vector<uint8_t>, std::string> DecodeTileData(std::string_view text,
                                                               std::string_view compression,
                                                               uint64_t cells) {
  const uint64_t limit = cells * 4;
  try {
    // Compressed data is never longer than what it holds by more than a few bytes a block, so
    // the compressed text too is bounded by the layer's size (plus room for headers).
    Decoded bytes = Base64(text, compression.empty() ? limit : limit + limit / 2 + 1024);
    if (auto* raw = std::get_if<Bytes>(&bytes)) {
      if (compression == "zlib")
        bytes = Inflate(*raw, MAX_WBITS, "zlib", limit);
      else if (compression == "gzip")
        bytes = Inflate(*raw, MAX_WBITS + 16, "gzip", limit);
#ifdef KORVANE_HAVE_ZSTD
      else if (compression == "zstd")
        bytes = Unzstd(*raw, limit);
#endif
      else if (!compression.empty())
        return "The tile layer is compressed with " + std::string(compression) +
               ", which cannot be read; choose another tile layer format in Tiled.";
    }
    if (auto* why = std::get_if<std::string>(&bytes)) return std::move(*why);
    Bytes& raw = std::get<Bytes>(bytes);
    if (raw.size() != limit)
      return "The tile layer's data holds " + std::to_string(raw.size() / 4) +
             " ids but the map has " + std::to_string(cells) + " cells.";
    return std::move(raw);
  } catch (const std::bad_alloc&) {
    return std::string("There is not enough memory to decode the tile layer.");
  }
}

}  // namespace korvane
