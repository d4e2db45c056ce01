#include "formats/TmjImport.h"

#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>
#include <utility>

#include "formats/JsonFileStream.h"
#include "formats/TileData.h"
#include "formats/TmjExport.h"
#include "formats/TmjReader.h"
#include "formats/TmjSize.h"

namespace korvane {

namespace {

using Kind = JsonScalar::Kind;
using Size = std::pair<int32_t, int32_t>;

// Every refusal travels as this exception inside the importer and leaves it as a sentence.
struct Refusal {
  std::string reason;
};

[[noreturn]] void Refuse(std::string reason) {
  throw Refusal{std::move(reason)};
}

// The ids were read for another map size than the document turned out to have (the first look
// at its size found none, or the file changed): they must be read again for this one.
struct ReadAgain {
  Size size;
};

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

int64_t RequireWhole(const JsonScalar& v, int64_t lo, int64_t hi, const std::string& what) {
  const auto n = v.Whole();
  if (!n || *n < lo || *n > hi)
    Refuse(what + " must be a whole number from " + std::to_string(lo) + " to " +
           std::to_string(hi) + ".");
  return *n;
}

// An integer property within [lo, hi]; nullopt when absent. `whose` names it in a refusal.
std::optional<int64_t> IntProperty(const PropertyFacts& property, const std::string& name,
                                   int64_t lo, int64_t hi, const std::string& whose) {
  if (!property.found) return std::nullopt;
  const auto n = property.value.Whole();
  if (property.type == PropertyFacts::Type::Other || !n)
    Refuse(whose + " property " + Quoted(name) + " must be an integer.");
  if (*n < lo || *n > hi)
    Refuse(whose + " property " + Quoted(name) + " is " + std::to_string(*n) + ", outside " +
           std::to_string(lo) + " to " + std::to_string(hi) + ".");
  return n;
}

// Appended piece by piece: MinGW's GCC 12 at -O3 takes `"(" + std::to_string(x)` for an
// overlapping copy (-Wrestrict) and stops the Windows build.
std::string CellText(int64_t x, int64_t y) {
  std::string text = "(";
  text += std::to_string(x);
  text += ", ";
  text += std::to_string(y);
  return text + ")";
}

void CheckLayers(const TiledFacts& f) {
  if (f.layers != Kind::Array) Refuse("The map has no list of layers.");
  if (f.otherLayer)
    Refuse("Layer " + Quoted(f.otherLayer->first) + " is of type " + Quoted(f.otherLayer->second) +
           "; only one tile layer and one object layer can be imported.");
  if (f.tileLayers != 1)
    Refuse("The map has " + std::to_string(f.tileLayers) +
           " tile layers; exactly one can be imported.");
  if (f.objectLayers > 1)
    Refuse("The map has " + std::to_string(f.objectLayers) +
           " object layers; at most one can be imported.");
}

// The refusal of tile id `gid` in cell `cell`, given the tileset's first id.
[[noreturn]] void RefuseId(IdFault::Kind kind, int64_t gid, uint64_t cell, int32_t w,
                           int64_t firstGid) {
  const std::string at = CellText(int64_t(cell % uint64_t(w)), int64_t(cell / uint64_t(w)));
  if (kind == IdFault::Kind::NotAnId)
    Refuse("The tile id " + std::to_string(gid) + " at " + at + " is not a Tiled tile id.");
  if (kind == IdFault::Kind::Flipped)
    Refuse("The tile at " + at + " is flipped or rotated, which a Korvane map cannot hold.");
  if (gid < firstGid)
    Refuse("The tile id " + std::to_string(gid) + " at " + at +
           " lies before the tileset's first id " + std::to_string(firstGid) + ".");
  Refuse("The tile id " + std::to_string(gid) + " at " + at + " gives tile number " +
         std::to_string(gid - firstGid) + ", more than the 32767 a map can hold.");
}

Grid16 ReadTiles(TiledFacts& f, int32_t w, int32_t h, int64_t firstGid) {
  const TileLayerFacts& t = f.tileLayer;
  if (t.hasChunks) Refuse("The tile layer is stored in chunks, as infinite maps are.");
  const bool encoded = t.encoding == "base64";
  if (!t.encoding.empty() && t.encoding != "csv" && !encoded)
    Refuse("The tile layer is stored as " + t.encoding +
           "; choose the CSV or a base64 tile layer format in Tiled and save again.");
  if (!t.compression.empty() && !encoded)
    Refuse("The tile layer is compressed with " + t.compression + " but not stored as base64.");
  if (encoded && !CanDecompress(t.compression))
    Refuse("The tile layer is compressed with " + t.compression +
           ", which cannot be read; choose another tile layer format in Tiled and save again.");
  if (t.width.Whole() != w || t.height.Whole() != h)
    Refuse("The tile layer is not the map's size of " + std::to_string(w) + " x " +
           std::to_string(h) + " tiles.");
  if (encoded && t.data != Kind::String) Refuse("The tile layer has no base64 data.");
  if (!encoded && t.data != Kind::Array) Refuse("The tile layer has no data array.");
  if (!t.dataFault.empty()) Refuse(t.dataFault);
  const uint64_t cells = uint64_t(w) * uint64_t(h);
  if (encoded && !t.stored && !t.outOfMemory) throw ReadAgain{Size(w, h)};
  if (t.ids != cells)
    Refuse("The tile layer holds " + std::to_string(t.ids) + " ids but the map has " +
           std::to_string(cells) + " cells.");
  if (t.firstNonId)
    Refuse("The tile layer's data holds something other than tile ids, first at line " +
           std::to_string(t.firstNonId->first) + ", column " +
           std::to_string(t.firstNonId->second) + ".");
  if (t.outOfMemory)
    Refuse("There is not enough memory for a " + std::to_string(w) + " x " + std::to_string(h) +
           " map.");
  if (!t.stored || f.size != Size(w, h)) throw ReadAgain{Size(w, h)};

  // The ids were kept as distances from the layer's first id: now that the tileset's first id
  // is known they become tile numbers, up to the first id no tileset could make valid.
  int16_t* cell = f.tiles.Cells().data();
  const uint64_t checked = t.fault ? t.fault->cell : cells;
  const int64_t shift = t.base - firstGid;
  for (uint64_t i = 0; i < checked; ++i) {
    if (cell[i] == kEmptyId) {
      cell[i] = kEmptyCellTile;
      continue;
    }
    const int64_t tile = cell[i] + shift;
    if (tile < 0 || tile > 32767)
      RefuseId(IdFault::Kind::OutOfReach, t.base + cell[i], i, w, firstGid);
    cell[i] = static_cast<int16_t>(tile);
  }
  if (t.fault) RefuseId(t.fault->kind, t.fault->gid, t.fault->cell, w, firstGid);
  return std::move(f.tiles);
}

std::string ObjectName(const ObjectFacts& object, size_t index) {
  if (const auto id = object.id.Whole()) return "Object " + std::to_string(*id);
  return "Object number " + std::to_string(index + 1);
}

double Coordinate(const JsonScalar& v, const char* key, const std::string& who) {
  if (!v.Is(Kind::Number)) Refuse(who + " has no " + key + " position.");
  return v.number;
}

OverlayLayer ReadOverlay(const TiledFacts& f, int32_t w, int32_t h, int64_t tileW, int64_t tileH) {
  OverlayLayer overlay = *OverlayLayer::TryCreate(w, h);
  if (f.objectLayers == 0) return overlay;
  const ObjectLayerFacts& o = f.objectLayer;
  if (o.objects != Kind::Array) Refuse("The object layer has no list of objects.");
  if (o.count > 0 && o.allIntegers) Refuse("The object layer holds numbers instead of objects.");
  if (o.count > uint64_t(kMaxOverlayEntries))
    Refuse("The object layer holds more than the " + std::to_string(kMaxOverlayEntries) +
           " objects a map can hold.");
  // Which object took each cell, to name both when a second one arrives.
  std::unordered_map<int64_t, size_t> owners;
  for (size_t i = 0; i < o.elements.size(); ++i) {
    const ObjectFacts& object = o.elements[i];
    if (!object.isObject) Refuse("The object layer holds something that is not an object.");
    const std::string who = ObjectName(object, i);
    const auto id = IntProperty(object.idProperty, kOverlayIdProperty, 1, 32767, who + "'s");
    if (!id) Refuse(who + " has no integer property " + Quoted(kOverlayIdProperty) + ".");
    const double x = Coordinate(object.x, "x", who);
    double top = Coordinate(object.y, "y", who);
    // A tile object stands on its bottom-left corner.
    if (object.hasGid && object.height.Is(Kind::Number)) top -= object.height.number;
    // A hair of tolerance keeps positions written as 31.9999999 in their cell.
    const double cx = std::floor(x / static_cast<double>(tileW) + 1e-9);
    const double cy = std::floor(top / static_cast<double>(tileH) + 1e-9);
    if (!(cx >= 0 && cy >= 0 && cx < w && cy < h))
      Refuse(who + " lies outside the " + std::to_string(w) + " x " + std::to_string(h) + " map.");
    const auto cellX = static_cast<int32_t>(cx);
    const auto cellY = static_cast<int32_t>(cy);
    auto [owner, fresh] = owners.emplace(int64_t{cellY} * w + cellX, i);
    if (!fresh)
      Refuse(ObjectName(o.elements[owner->second], owner->second) + " and " + who +
             " both lie on cell " + CellText(cellX, cellY) + "; a cell holds one overlay object.");
    overlay.Set(cellX, cellY, static_cast<int16_t>(*id));
  }
  return overlay;
}

MapDocument Judge(TiledFacts& f) {
  if (!f.type.empty() && f.type != "map")
    Refuse("The file holds a Tiled " + f.type + ", not a map.");
  if (f.orientation != "orthogonal")
    Refuse("The map's orientation is " + Quoted(f.orientation) +
           "; only orthogonal maps can be imported.");
  if (f.infinite) Refuse("The map is infinite; give it fixed bounds in Tiled first.");
  const auto w = static_cast<int32_t>(RequireWhole(f.width, 1, 32767, "The map width"));
  const auto h = static_cast<int32_t>(RequireWhole(f.height, 1, 32767, "The map height"));
  const int64_t tileW = RequireWhole(f.tileWidth, 1, 1 << 30, "The map's tile width");
  const int64_t tileH = RequireWhole(f.tileHeight, 1, 1 << 30, "The map's tile height");

  const uint64_t tilesets = f.tilesets == Kind::Array ? f.tilesetCount : 0;
  if (tilesets != 1)
    Refuse("The map uses " + std::to_string(tilesets) +
           " tilesets; only maps with exactly one can be imported.");
  if (f.firstTileset != Kind::Object) Refuse("The map's tileset is not an object.");
  const int64_t firstGid = RequireWhole(f.firstGid, 1, 0x0FFFFFFF, "The tileset's first id");

  CheckLayers(f);
  MapDocument contents;
  contents.MapWidth = static_cast<int16_t>(w);
  contents.MapHeight = static_cast<int16_t>(h);
  constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
  contents.HumanResources = static_cast<int32_t>(
      IntProperty(f.human, kHumanResourcesProperty, kMin32, kMax32, "The map's").value_or(0));
  contents.ComputerResources = static_cast<int32_t>(
      IntProperty(f.computer, kComputerResourcesProperty, kMin32, kMax32, "The map's").value_or(0));
  contents.MapTiles = TileLayer(ReadTiles(f, w, h, firstGid));
  contents.OverlayData = ReadOverlay(f, w, h, tileW, tileH);
  // Every imported id is at least 1, and there are at most kMaxOverlayEntries of them.
  contents.OverlayEntriesStored = static_cast<int16_t>(contents.OverlayData.Count());
  return contents;
}

// A text far longer than its map could need is refused before it is parsed: it would only cost
// time.
std::optional<TmjRefusal> TooLong(uint64_t length, const std::optional<Size>& size) {
  if (!size || length <= MaxTmjBytes(size->first, size->second)) return std::nullopt;
  return TmjRefusal{"The file is " + std::to_string(length) + " bytes long, more than a map of " +
                    std::to_string(size->first) + " x " + std::to_string(size->second) +
                    " cells can take (" + std::to_string(MaxTmjBytes(size->first, size->second)) +
                    ")."};
}

}  // namespace

std::variant<TiledMap, TmjRefusal> JudgeTiledMap(
    TiledFacts& facts, std::optional<std::pair<int32_t, int32_t>>* readAgain) {
  try {
    MapDocument map = Judge(facts);
    return TiledMap{std::move(map), std::move(facts.tileset), {}};
  } catch (const Refusal& refusal) {
    return TmjRefusal{refusal.reason};
  } catch (const ReadAgain& again) {
    if (readAgain) *readAgain = again.size;
    return TmjRefusal{"The file changed while it was read."};
  }
}

std::variant<TiledMap, TmjRefusal> ImportTmj(toolkit::InputFile& file) {
  if (file.Size() > LargestTmjBytes())
    return TmjRefusal{"it is larger than " + std::to_string(LargestTmjBytes()) + " bytes", true};
  // A first look for the map's size, so that the ids can go straight into a layer of that size.
  std::optional<Size> size;
  {
    JsonFileStream text(file);
    size = TopLevelSize(text);
    if (text.ReadError()) return TmjRefusal{text.ReadError()->reason, true};
  }
  for (int round = 0; round < 2; ++round) {
    if (auto refusal = TooLong(file.Size(), size)) return *refusal;
    auto read = ReadTmj(file, size);
    if (auto* failure = std::get_if<TmjReadFailure>(&read))
      return TmjRefusal{failure->reason, failure->unreadable};
    TiledFacts& facts = std::get<TiledFacts>(read);
    if (facts.root != Kind::Object) return TmjRefusal{"The file does not hold a JSON object."};
    std::optional<Size> again;
    auto judged = JudgeTiledMap(facts, &again);
    if (!again) return judged;
    size = again;
  }
  return TmjRefusal{"The file changed while it was read."};
}

}  // namespace korvane
