#pragma once

// What the importer of Tiled maps needs to know of a document to judge whether it makes a Korvane
// map, in either of Tiled's formats: the JSON and the XML reader both write these down, and one
// judge (TmjImport.h) decides.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/Grid16.h"

namespace korvane {

// One value as far as the importer looks at it: a JSON value, or an XML attribute read as the
// number or string it spells.
struct JsonScalar {
  enum class Kind : uint8_t { Absent, Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Absent;
  bool boolean = false;
  // Written without fraction or exponent, and within 64 bits: `integer` holds it exactly.
  bool isInteger = false;
  int64_t integer = 0;
  double number = 0;

  bool Is(Kind k) const { return kind == k; }
  // The whole number it stands for: an integer, or a number with no fraction such as 16.0.
  std::optional<int64_t> Whole() const;
};

// A custom property: its value and its declared type (None when the document gives none).
struct PropertyFacts {
  enum class Type : uint8_t { None, Int, Other };
  bool found = false;
  JsonScalar value;
  Type type = Type::None;
};

struct ObjectFacts {
  bool isObject = false;
  JsonScalar id, x, y, height;
  bool hasGid = false;
  PropertyFacts idProperty;
};

// Why a tile id can belong to no tileset: it is no Tiled id at all, it carries flip bits, or it
// lies more than 32767 from the first id of the layer, so that no first id gives both tile
// numbers from 0 to 32767.
struct IdFault {
  enum class Kind : uint8_t { NotAnId, Flipped, OutOfReach };
  uint64_t cell = 0;
  Kind kind = Kind::NotAnId;
  int64_t gid = 0;
};

struct TileLayerFacts {
  bool hasChunks = false;
  std::string encoding;
  JsonScalar width, height;
  JsonScalar::Kind data = JsonScalar::Kind::Absent;
  uint64_t ids = 0;  // elements of the data array
  // The line and column where the first element that is no whole number starts, if any.
  std::optional<std::pair<uint64_t, uint64_t>> firstNonId;
  // The ids went into TiledFacts::tiles; false when no size was known or memory ran out.
  bool stored = false;
  bool outOfMemory = false;
  // The tileset's first id is not known while the ids arrive (Tiled writes the tilesets after
  // the layers), so each id is kept as its distance from `base`, the first id above 0 (from
  // -32767 to 32767), and kEmptyId marks id 0.
  int64_t base = 0;
  std::optional<IdFault> fault;
  // A layer stored as text (base64, maybe compressed): its compression, and why the text gave
  // no ids when it gave none.
  std::string compression;
  std::string dataFault;
};
inline constexpr int16_t kEmptyId = INT16_MIN;

struct ObjectLayerFacts {
  JsonScalar::Kind objects = JsonScalar::Kind::Absent;
  uint64_t count = 0;
  bool allIntegers = true;
  // The first elements, as many as a map holds.
  std::vector<ObjectFacts> elements;
};

// The tileset as far as the editor applies it as its sheet: embedded, or the .tsx file it names.
struct TilesetFacts {
  std::string source;  // the external tileset file, as the map names it; empty when embedded
  std::string image;
  JsonScalar tileWidth, tileHeight, spacing, margin;
};

struct TiledFacts {
  // The map size the ids were laid out for (what a first look found), if any.
  std::optional<std::pair<int32_t, int32_t>> size;
  JsonScalar::Kind root = JsonScalar::Kind::Absent;
  std::string type, orientation;
  bool infinite = false;
  JsonScalar width, height, tileWidth, tileHeight;
  JsonScalar::Kind tilesets = JsonScalar::Kind::Absent;
  uint64_t tilesetCount = 0;
  JsonScalar::Kind firstTileset = JsonScalar::Kind::Absent;
  JsonScalar firstGid;
  TilesetFacts tileset;
  PropertyFacts human, computer;
  JsonScalar::Kind layers = JsonScalar::Kind::Absent;
  // The first layer that is neither a tile layer nor an object group: its name and type.
  std::optional<std::pair<std::string, std::string>> otherLayer;
  int64_t tileLayers = 0;
  int64_t objectLayers = 0;
  TileLayerFacts tileLayer;
  ObjectLayerFacts objectLayer;
  Grid16 tiles;
};

// Keeps tile id `gid` of cell `cell` in `out`, as a distance from the layer's base id (see
// TileLayerFacts); an id no tileset could make valid is noted as the layer's fault instead.
void StoreTileId(TileLayerFacts& t, int16_t& out, uint64_t cell, int64_t gid);

// Gives the map's tile layer (f.tiles, made for f.size when it is still empty) to layer `t`; false
// when no size is known or memory runs out (t.outOfMemory).
bool ClaimTiles(TiledFacts& f, TileLayerFacts& t);

// The ids of layer `t` stored as base64 `text`, decoded (see TileData.h) into the map's tile
// layer; the reason goes to t.dataFault when the text gives no ids. Nothing happens when the
// layer cannot claim the tiles.
void StoreEncodedIds(TiledFacts& f, TileLayerFacts& t, std::string_view text);

}  // namespace korvane
