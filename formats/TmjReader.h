#pragma once

// Reading a Tiled JSON map (.tmj) in one streaming pass with RapidJSON's SAX reader. The reader
// recognises the parts of the document a Korvane map is made from and writes down what the
// importer needs to judge them (TmjFacts); everything else is checked as JSON and forgotten.
// Tile ids go straight into a tile layer of the map's size, so memory follows the map: two bytes
// a cell and a few hundred bytes for each of at most 32767 objects, whatever the file's length.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "model/Grid16.h"
#include "toolkit/FileSystem.h"

namespace korvane {

// One JSON value as far as the importer looks at it.
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
  // The ids went into TmjFacts::tiles; false when no size was known or memory ran out.
  bool stored = false;
  bool outOfMemory = false;
  // The tileset's first id is not known while the ids arrive (Tiled writes the tilesets after
  // the layers), so each id is kept as its distance from `base`, the first id above 0 (from
  // -32767 to 32767), and kEmptyId marks id 0.
  int64_t base = 0;
  std::optional<IdFault> fault;
};
inline constexpr int16_t kEmptyId = INT16_MIN;

struct ObjectLayerFacts {
  JsonScalar::Kind objects = JsonScalar::Kind::Absent;
  uint64_t count = 0;
  bool allIntegers = true;
  // The first elements, as many as a map holds.
  std::vector<ObjectFacts> elements;
};

struct TmjFacts {
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

// What cannot be read as JSON at all (a syntax fault, nesting deeper than 200, a repeated
// member name, a number beyond a double, a string too long, a failed read), in one sentence.
struct TmjReadFailure {
  std::string reason;
  // The file itself could not be read (rather than its text being refused).
  bool unreadable = false;
};

// Reads the whole document. With `size`, the ids of the first tile layer go into a layer of
// that size as they arrive.
std::variant<TmjFacts, TmjReadFailure> ReadTmj(toolkit::InputFile& file,
                                               std::optional<std::pair<int32_t, int32_t>> size);

}  // namespace korvane
