#include "app/cli/TmjImport.h"

#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

#include "app/cli/Json.h"
#include "app/cli/TmjExport.h"
#include "app/cli/TmjSize.h"

namespace korvane::cli {

namespace {

// Every refusal travels as this exception inside the importer and leaves it as a sentence.
struct Refusal {
  std::string reason;
};

[[noreturn]] void Refuse(std::string reason) {
  throw Refusal{std::move(reason)};
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::optional<int64_t> WholeNumber(const JsonValue* v) {
  if (v && v->IsNumber() && v->isInteger) return v->integer;
  // Tiled may write a whole number with a fraction, such as 16.0.
  if (v && v->IsNumber() && std::isfinite(v->number) && v->number == std::floor(v->number) &&
      std::fabs(v->number) < 9.0e15)
    return static_cast<int64_t>(v->number);
  return std::nullopt;
}

int64_t RequireWhole(const JsonValue& owner, const char* key, int64_t lo, int64_t hi,
                     const std::string& what) {
  const auto n = WholeNumber(owner.Find(key));
  if (!n || *n < lo || *n > hi)
    Refuse(what + " must be a whole number from " + std::to_string(lo) + " to " +
           std::to_string(hi) + ".");
  return *n;
}

std::string StringMember(const JsonValue& owner, const char* key) {
  const JsonValue* v = owner.Find(key);
  return v && v->IsString() ? v->string : std::string();
}

// A custom property: the value and its declared type (empty when the document gives none).
// Both the current list form and the older name-to-value object form are understood.
struct Property {
  const JsonValue* value = nullptr;
  std::string type;
};

std::optional<Property> FindProperty(const JsonValue& owner, std::string_view name) {
  const JsonValue* properties = owner.Find("properties");
  if (!properties) return std::nullopt;
  if (properties->IsObject()) {
    if (const JsonValue* v = properties->Find(name)) return Property{v, ""};
    return std::nullopt;
  }
  if (!properties->IsArray()) return std::nullopt;
  for (const JsonValue& p : properties->array) {
    if (!p.IsObject() || StringMember(p, "name") != name) continue;
    return Property{p.Find("value"), StringMember(p, "type")};
  }
  return std::nullopt;
}

// An integer property within [lo, hi]; nullopt when absent. `owner` names it in a refusal.
std::optional<int64_t> IntProperty(const JsonValue& owner, std::string_view name, int64_t lo,
                                   int64_t hi, const std::string& whose) {
  const auto property = FindProperty(owner, name);
  if (!property) return std::nullopt;
  const auto n = WholeNumber(property->value);
  if ((!property->type.empty() && property->type != "int") || !n)
    Refuse(whose + " property " + Quoted(std::string(name)) + " must be an integer.");
  if (*n < lo || *n > hi)
    Refuse(whose + " property " + Quoted(std::string(name)) + " is " + std::to_string(*n) +
           ", outside " + std::to_string(lo) + " to " + std::to_string(hi) + ".");
  return n;
}

std::string CellText(int64_t x, int64_t y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

struct Layers {
  const JsonValue* tiles = nullptr;
  const JsonValue* objects = nullptr;
};

Layers FindLayers(const JsonValue& map) {
  const JsonValue* layers = map.Find("layers");
  if (!layers || !layers->IsArray()) Refuse("The map has no list of layers.");
  Layers found;
  int tileLayers = 0;
  int objectLayers = 0;
  for (const JsonValue& layer : layers->array) {
    const std::string type = layer.IsObject() ? StringMember(layer, "type") : std::string();
    if (type == "tilelayer") {
      ++tileLayers;
      found.tiles = &layer;
    } else if (type == "objectgroup") {
      ++objectLayers;
      found.objects = &layer;
    } else {
      Refuse("Layer " + Quoted(layer.IsObject() ? StringMember(layer, "name") : "") +
             " is of type " + Quoted(type) +
             "; only one tile layer and one object layer can be imported.");
    }
  }
  if (tileLayers != 1)
    Refuse("The map has " + std::to_string(tileLayers) +
           " tile layers; exactly one can be imported.");
  if (objectLayers > 1)
    Refuse("The map has " + std::to_string(objectLayers) +
           " object layers; at most one can be imported.");
  return found;
}

Grid16 ReadTiles(const JsonValue& layer, int32_t w, int32_t h, int64_t firstGid) {
  if (layer.Find("chunks")) Refuse("The tile layer is stored in chunks, as infinite maps are.");
  const std::string encoding = StringMember(layer, "encoding");
  if (!encoding.empty() && encoding != "csv")
    Refuse("The tile layer is stored as " + encoding +
           "; choose the CSV tile layer format in Tiled and save again.");
  const auto lw = WholeNumber(layer.Find("width"));
  const auto lh = WholeNumber(layer.Find("height"));
  if (lw != w || lh != h)
    Refuse("The tile layer is not the map's size of " + std::to_string(w) + " x " +
           std::to_string(h) + " tiles.");
  const JsonValue* data = layer.Find("data");
  if (!data || !data->IsArray()) Refuse("The tile layer has no data array.");
  const size_t cells = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (data->ArraySize() != cells)
    Refuse("The tile layer holds " + std::to_string(data->ArraySize()) + " ids but the map has " +
           std::to_string(cells) + " cells.");
  if (!data->array.empty()) Refuse("The tile layer's data holds something other than tile ids.");

  auto grid = Grid16::TryCreate(w, h);
  if (!grid)
    Refuse("There is not enough memory for a " + std::to_string(w) + " x " + std::to_string(h) +
           " map.");
  auto& out = grid->Cells();
  constexpr int64_t kFlagBits = 0xF0000000;
  for (size_t i = 0; i < cells; ++i) {
    const int64_t gid = data->integers[i];
    const int64_t x = static_cast<int64_t>(i % static_cast<size_t>(w));
    const int64_t y = static_cast<int64_t>(i / static_cast<size_t>(w));
    if (gid < 0 || gid > 0xFFFFFFFF)
      Refuse("The tile id " + std::to_string(gid) + " at " + CellText(x, y) +
             " is not a Tiled tile id.");
    if (gid & kFlagBits)
      Refuse("The tile at " + CellText(x, y) +
             " is flipped or rotated, which a Korvane map cannot hold.");
    if (gid == 0) {
      out[i] = kEmptyCellTile;
      continue;
    }
    if (gid < firstGid)
      Refuse("The tile id " + std::to_string(gid) + " at " + CellText(x, y) +
             " lies before the tileset's first id " + std::to_string(firstGid) + ".");
    const int64_t tile = gid - firstGid;
    if (tile > 32767)
      Refuse("The tile id " + std::to_string(gid) + " at " + CellText(x, y) +
             " gives tile number " + std::to_string(tile) +
             ", more than the 32767 a map can hold.");
    out[i] = static_cast<int16_t>(tile);
  }
  return std::move(*grid);
}

std::string ObjectName(const JsonValue& object, size_t index) {
  if (const auto id = WholeNumber(object.Find("id"))) return "Object " + std::to_string(*id);
  return "Object number " + std::to_string(index + 1);
}

double Coordinate(const JsonValue& object, const char* key, const std::string& who) {
  const JsonValue* v = object.Find(key);
  if (!v || !v->IsNumber()) Refuse(who + " has no " + key + " position.");
  return v->number;
}

OverlayLayer ReadOverlay(const JsonValue* layer, int32_t w, int32_t h, int64_t tileW,
                         int64_t tileH) {
  OverlayLayer overlay = *OverlayLayer::TryCreate(w, h);
  if (!layer) return overlay;
  const JsonValue* objects = layer->Find("objects");
  if (!objects || !objects->IsArray()) Refuse("The object layer has no list of objects.");
  if (!objects->integers.empty()) Refuse("The object layer holds numbers instead of objects.");
  if (objects->ArraySize() > static_cast<size_t>(kMaxOverlayEntries))
    Refuse("The object layer holds more than the " + std::to_string(kMaxOverlayEntries) +
           " objects a map can hold.");
  // Which object took each cell, to name both when a second one arrives.
  std::unordered_map<int64_t, std::string> owners;
  for (size_t i = 0; i < objects->array.size(); ++i) {
    const JsonValue& object = objects->array[i];
    if (!object.IsObject()) Refuse("The object layer holds something that is not an object.");
    const std::string who = ObjectName(object, i);
    const auto id = IntProperty(object, kOverlayIdProperty, 1, 32767, who + "'s");
    if (!id) Refuse(who + " has no integer property " + Quoted(kOverlayIdProperty) + ".");
    const double x = Coordinate(object, "x", who);
    double top = Coordinate(object, "y", who);
    // A tile object stands on its bottom-left corner.
    if (object.Find("gid")) {
      const JsonValue* height = object.Find("height");
      if (height && height->IsNumber()) top -= height->number;
    }
    // A hair of tolerance keeps positions written as 31.9999999 in their cell.
    const double cx = std::floor(x / static_cast<double>(tileW) + 1e-9);
    const double cy = std::floor(top / static_cast<double>(tileH) + 1e-9);
    if (!(cx >= 0 && cy >= 0 && cx < w && cy < h))
      Refuse(who + " lies outside the " + std::to_string(w) + " x " + std::to_string(h) + " map.");
    const auto cellX = static_cast<int32_t>(cx);
    const auto cellY = static_cast<int32_t>(cy);
    auto [owner, fresh] = owners.emplace(int64_t{cellY} * w + cellX, who);
    if (!fresh)
      Refuse(owner->second + " and " + who + " both lie on cell " + CellText(cellX, cellY) +
             "; a cell holds one overlay object.");
    overlay.Set(cellX, cellY, static_cast<int16_t>(*id));
  }
  return overlay;
}

MapDocument Import(std::string_view text) {
  // A text far longer than its map could need is refused before it is parsed: parsing costs
  // memory in proportion to the text.
  if (const auto size = TopLevelSize(text);
      size && text.size() > MaxTmjBytes(size->first, size->second))
    Refuse("The file is " + std::to_string(text.size()) + " bytes long, more than a map of " +
           std::to_string(size->first) + " x " + std::to_string(size->second) +
           " cells can take (" + std::to_string(MaxTmjBytes(size->first, size->second)) + ").");
  JsonParseResult parsed = ParseJson(text);
  if (const auto* error = std::get_if<JsonError>(&parsed))
    Refuse("The file is not valid JSON: at line " + std::to_string(error->line) + ", column " +
           std::to_string(error->column) + ", " + error->what + ".");
  const JsonValue& map = std::get<JsonValue>(parsed);
  if (!map.IsObject()) Refuse("The file does not hold a JSON object.");
  if (const std::string type = StringMember(map, "type"); !type.empty() && type != "map")
    Refuse("The file holds a Tiled " + type + ", not a map.");
  if (const std::string orientation = StringMember(map, "orientation"); orientation != "orthogonal")
    Refuse("The map's orientation is " + Quoted(orientation) +
           "; only orthogonal maps can be imported.");
  if (const JsonValue* infinite = map.Find("infinite");
      infinite && infinite->IsBool() && infinite->boolean)
    Refuse("The map is infinite; give it fixed bounds in Tiled first.");
  const auto w = static_cast<int32_t>(RequireWhole(map, "width", 1, 32767, "The map width"));
  const auto h = static_cast<int32_t>(RequireWhole(map, "height", 1, 32767, "The map height"));
  const int64_t tileW = RequireWhole(map, "tilewidth", 1, 1 << 30, "The map's tile width");
  const int64_t tileH = RequireWhole(map, "tileheight", 1, 1 << 30, "The map's tile height");

  const JsonValue* tilesets = map.Find("tilesets");
  const size_t tilesetCount = tilesets && tilesets->IsArray() ? tilesets->ArraySize() : 0;
  if (tilesetCount != 1)
    Refuse("The map uses " + std::to_string(tilesetCount) +
           " tilesets; only maps with exactly one can be imported.");
  // A list of numbers holds them in `integers`: its `array` is empty then.
  if (tilesets->array.empty() || !tilesets->array[0].IsObject())
    Refuse("The map's tileset is not an object.");
  const int64_t firstGid =
      RequireWhole(tilesets->array[0], "firstgid", 1, 0x0FFFFFFF, "The tileset's first id");

  const Layers layers = FindLayers(map);
  MapDocument contents;
  contents.MapWidth = static_cast<int16_t>(w);
  contents.MapHeight = static_cast<int16_t>(h);
  constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
  contents.HumanResources = static_cast<int32_t>(
      IntProperty(map, kHumanResourcesProperty, kMin32, kMax32, "The map's").value_or(0));
  contents.ComputerResources = static_cast<int32_t>(
      IntProperty(map, kComputerResourcesProperty, kMin32, kMax32, "The map's").value_or(0));
  contents.MapTiles = TileLayer(ReadTiles(*layers.tiles, w, h, firstGid));
  contents.OverlayData = ReadOverlay(layers.objects, w, h, tileW, tileH);
  // Every imported id is at least 1, and there are at most kMaxOverlayEntries of them.
  contents.OverlayEntriesStored = static_cast<int16_t>(contents.OverlayData.Count());
  return contents;
}

}  // namespace

std::variant<MapDocument, std::string> ImportTmj(std::string_view text) {
  try {
    return Import(text);
  } catch (const Refusal& refusal) {
    return refusal.reason;
  }
}

}  // namespace korvane::cli
