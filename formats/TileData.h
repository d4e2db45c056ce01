#pragma once

// A tile layer stored as text other than CSV: base64, optionally compressed with zlib, gzip or
// zstd, as Tiled writes it in both of its map formats. Decoding is bounded by the map's size, so
// a small layer that claims to inflate to gigabytes costs no more than the map it is meant for.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvane {

// Whether this build can inflate `compression` ("" for none, "zlib", "gzip", "zstd").
bool CanDecompress(std::string_view compression);

// The decoded bytes of a layer of `cells` cells (exactly cells x 4: each tile id four bytes,
// little-endian; see TileIdAt), or one sentence saying why the text gives none. Blanks around and
// inside the base64 text are skipped. The decoded bytes are never more than cells x 4; a layer that
// would inflate beyond that is refused as soon as it does, whatever its compressed header claims.
std::variant<std::vector<uint8_t>, std::string> DecodeTileData(std::string_view text,
                                                               std::string_view compression,
                                                               uint64_t cells);

// The tile id of cell `i` in decoded bytes.
inline uint32_t TileIdAt(const std::vector<uint8_t>& bytes, size_t i) {
  const uint8_t* b = bytes.data() + 4 * i;
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

}  // namespace korvane
