#include "formats/TiledFacts.h"

#include <cmath>
#include <variant>

#include "formats/TileData.h"
#include "toolkit/LargeMemory.h"

namespace korvane {

std::optional<int64_t> JsonScalar::Whole() const {
  if (kind != Kind::Number) return std::nullopt;
  if (isInteger) return integer;
  // Tiled may write a whole number with a fraction, such as 16.0.
  if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 9.0e15)
    return static_cast<int64_t>(number);
  return std::nullopt;
}

void StoreTileId(TileLayerFacts& t, int16_t& out, uint64_t cell, int64_t gid) {
  constexpr int64_t kFlagBits = 0xF0000000;
  if (gid < 0 || gid > 0xFFFFFFFF) {
    t.fault = IdFault{cell, IdFault::Kind::NotAnId, gid};
  } else if (gid & kFlagBits) {
    t.fault = IdFault{cell, IdFault::Kind::Flipped, gid};
  } else if (gid == 0) {
    out = kEmptyId;
  } else if (t.base == 0) {
    t.base = gid;
    out = 0;
  } else if (gid - t.base >= -32767 && gid - t.base <= 32767) {
    out = static_cast<int16_t>(gid - t.base);
  } else {
    t.fault = IdFault{cell, IdFault::Kind::OutOfReach, gid};
  }
}

bool ClaimTiles(TiledFacts& f, TileLayerFacts& t) {
  if (!f.size) return false;
  if (f.tiles.Empty()) {
    auto grid = Grid16::TryCreate(f.size->first, f.size->second);
    if (!grid) {
      t.outOfMemory = true;
      return false;
    }
    f.tiles = std::move(*grid);
    AdviseLargeBlock(f.tiles.Cells().data(), f.tiles.Cells().size() * sizeof(int16_t));
  }
  return true;
}

void StoreEncodedIds(TiledFacts& f, TileLayerFacts& t, std::string_view text) {
  if (!ClaimTiles(f, t)) return;
  const uint64_t cells = f.tiles.Cells().size();
  auto decoded = DecodeTileData(text, t.compression, cells);
  if (auto* why = std::get_if<std::string>(&decoded)) {
    t.dataFault = std::move(*why);
    return;
  }
  const auto& bytes = std::get<std::vector<uint8_t>>(decoded);
  int16_t* out = f.tiles.Cells().data();
  for (uint64_t i = 0; i < cells && !t.fault; ++i) StoreTileId(t, out[i], i, TileIdAt(bytes, i));
  t.ids = cells;
  t.stored = true;
}

}  // namespace korvane
