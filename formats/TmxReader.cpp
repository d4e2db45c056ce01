#include "formats/TmxReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <new>
#include <pugixml.hpp>
#include <vector>

#include "formats/MapFile.h"
#include "formats/TmjSize.h"

namespace korvane {

namespace {

using Kind = JsonScalar::Kind;
using Size = std::pair<int32_t, int32_t>;

// What an attribute's text spells: a number when it is one in full, a string otherwise, absent
// when there is no attribute.
JsonScalar Scalar(const pugi::xml_attribute& attribute) {
  if (!attribute) return {};
  const char* text = attribute.value();
  const char* end = text + std::strlen(text);
  JsonScalar v{Kind::Number};
  if (auto [p, ec] = std::from_chars(text, end, v.integer); ec == std::errc() && p == end) {
    v.isInteger = true;
    v.number = double(v.integer);
    return v;
  }
  if (auto [p, ec] = std::from_chars(text, end, v.number);
      ec == std::errc() && p == end && p != text)
    return v;
  return JsonScalar{Kind::String};
}

// A position Tiled leaves out when it is 0.
JsonScalar Position(const pugi::xml_attribute& attribute) {
  if (attribute) return Scalar(attribute);
  JsonScalar zero{Kind::Number};
  zero.isInteger = true;
  return zero;
}

PropertyFacts::Type PropertyType(const char* type) {
  const std::string_view t(type);
  return t.empty()    ? PropertyFacts::Type::None
         : t == "int" ? PropertyFacts::Type::Int
                      : PropertyFacts::Type::Other;
}

// The first property called `name` in an element's properties.
PropertyFacts Property(const pugi::xml_node& owner, const char* name) {
  const pugi::xml_node p =
      owner.child("properties").find_child_by_attribute("property", "name", name);
  if (!p) return {};
  return PropertyFacts{true, Scalar(p.attribute("value")),
                       PropertyType(p.attribute("type").value())};
}

void ReadTilesetElement(const pugi::xml_node& node, TilesetFacts& t) {
  t.tileWidth = Scalar(node.attribute("tilewidth"));
  t.tileHeight = Scalar(node.attribute("tileheight"));
  t.spacing = Scalar(node.attribute("spacing"));
  t.margin = Scalar(node.attribute("margin"));
  t.image = node.child("image").attribute("source").value();
}

// Where each line of a text starts, taken before parsing in place writes terminators into it.
class Lines {
 public:
  Lines(const char* text, size_t length) {
    for (const char* p = text;
         (p = static_cast<const char*>(std::memchr(p, '\n', size_t(text + length - p)))); ++p)
      breaks_.push_back(size_t(p - text));
  }
  // Line and column (both from 1; the column in bytes) of a byte offset.
  std::pair<uint64_t, uint64_t> At(size_t offset) const {
    const auto after = std::lower_bound(breaks_.begin(), breaks_.end(), offset);
    const size_t line = size_t(after - breaks_.begin());
    const size_t start = line == 0 ? 0 : breaks_[line - 1] + 1;
    return {line + 1, offset - start + 1};
  }

 private:
  std::vector<size_t> breaks_;
};

bool Blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

class TmxWalk {
 public:
  TmxWalk(const char* buffer, const Lines& lines, std::optional<Size> size)
      : buffer_(buffer), lines_(lines) {
    f_.size = size;
  }

  TiledFacts& Facts() { return f_; }

  void Map(const pugi::xml_node& map) {
    f_.root = Kind::Object;
    if (std::strcmp(map.name(), "map") != 0) f_.type = map.name();
    f_.orientation = map.attribute("orientation").value();
    f_.infinite = map.attribute("infinite").as_int() != 0;
    f_.width = Scalar(map.attribute("width"));
    f_.height = Scalar(map.attribute("height"));
    f_.tileWidth = Scalar(map.attribute("tilewidth"));
    f_.tileHeight = Scalar(map.attribute("tileheight"));
    f_.human = Property(map, "human_resources");
    f_.computer = Property(map, "computer_resources");
    f_.tilesets = Kind::Array;
    f_.layers = Kind::Array;
    for (const pugi::xml_node& child : map.children()) {
      const std::string_view name = child.name();
      if (name == "tileset") {
        Tileset(child);
      } else if (name == "layer") {
        if (f_.tileLayers++ == 0) TileLayer(child);
      } else if (name == "objectgroup") {
        if (f_.objectLayers++ == 0) ObjectLayer(child);
      } else if ((name == "imagelayer" || name == "group") && !f_.otherLayer) {
        f_.otherLayer = std::pair(std::string(child.attribute("name").value()), std::string(name));
      }
    }
  }

 private:
  void Tileset(const pugi::xml_node& node) {
    if (f_.tilesetCount++ > 0) return;
    f_.firstTileset = Kind::Object;
    f_.firstGid = Scalar(node.attribute("firstgid"));
    f_.tileset.source = node.attribute("source").value();
    ReadTilesetElement(node, f_.tileset);
  }

  void TileLayer(const pugi::xml_node& layer) {
    TileLayerFacts& t = f_.tileLayer;
    t.width = Scalar(layer.attribute("width"));
    t.height = Scalar(layer.attribute("height"));
    const pugi::xml_node data = layer.child("data");
    if (!data) return;
    t.encoding = data.attribute("encoding").value();
    t.compression = data.attribute("compression").value();
    t.hasChunks = static_cast<bool>(data.child("chunk"));
    if (t.encoding == "base64") {
      t.data = Kind::String;
      StoreEncodedIds(f_, t, data.child_value());
      return;
    }
    if (t.encoding == "csv") {
      const pugi::xml_node text = data.first_child();
      Csv(t, text.type() == pugi::node_pcdata ? text : pugi::xml_node());
    } else if (t.encoding.empty()) {
      // One element for each cell, as Tiled writes the layer when asked for XML.
      int16_t* cells = ClaimTiles(f_, t) ? f_.tiles.Cells().data() : nullptr;
      for (const pugi::xml_node& tile : data.children("tile"))
        Id(t, cells, tile.attribute("gid").as_llong());
    } else {
      return;
    }
    t.data = Kind::Array;
    t.stored = !t.outOfMemory && f_.size.has_value();
  }

  void Id(TileLayerFacts& t, int16_t* cells, int64_t gid) {
    const uint64_t cell = t.ids++;
    if (cells && cell < f_.tiles.Cells().size() && !t.fault) StoreTileId(t, cells[cell], cell, gid);
  }

  // Ids separated by commas, blanks around each.
  void Csv(TileLayerFacts& t, const pugi::xml_node& text) {
    int16_t* cells = ClaimTiles(f_, t) ? f_.tiles.Cells().data() : nullptr;
    if (!text) return;
    const char* s = text.value();
    const char* end = s + std::strlen(s);
    for (;;) {
      const char* comma = std::find(s, end, ',');
      const char* a = s;
      const char* b = comma;
      while (a < b && Blank(*a)) ++a;
      while (b > a && Blank(b[-1])) --b;
      if (a == b && comma == end) break;  // blanks after the last id
      int64_t gid = 0;
      const auto [stop, ec] = std::from_chars(a, b, gid);
      if (a != b && ec == std::errc() && stop == b) {
        Id(t, cells, gid);
      } else {
        ++t.ids;
        if (!t.firstNonId) t.firstNonId = lines_.At(size_t(a - buffer_));
      }
      if (comma == end) break;
      s = comma + 1;
    }
  }

  void ObjectLayer(const pugi::xml_node& group) {
    ObjectLayerFacts& o = f_.objectLayer;
    o.objects = Kind::Array;
    o.allIntegers = false;
    for (const pugi::xml_node& node : group.children("object")) {
      ++o.count;
      if (o.elements.size() >= size_t(kMaxOverlayEntries)) continue;
      ObjectFacts object;
      object.isObject = true;
      object.id = Scalar(node.attribute("id"));
      object.x = Position(node.attribute("x"));
      object.y = Position(node.attribute("y"));
      object.height = Scalar(node.attribute("height"));
      object.hasGid = static_cast<bool>(node.attribute("gid"));
      object.idProperty = Property(node, "id");
      o.elements.push_back(std::move(object));
    }
  }

  const char* buffer_;
  const Lines& lines_;
  TiledFacts f_;
};

std::string XmlFault(const pugi::xml_parse_result& result, const Lines& lines) {
  const auto [line, column] = lines.At(size_t(std::max<ptrdiff_t>(result.offset, 0)));
  std::string what = result.description();
  if (!what.empty()) what.front() = char(std::tolower(static_cast<unsigned char>(what.front())));
  return "The file is not valid XML: at line " + std::to_string(line) + ", column " +
         std::to_string(column) + ", " + what + ".";
}

constexpr unsigned kParse = pugi::parse_default;

// The size a map element gives, when it gives one a map can have.
std::optional<Size> MapSize(const pugi::xml_node& map) {
  const JsonScalar w = Scalar(map.attribute("width"));
  const JsonScalar h = Scalar(map.attribute("height"));
  if (!w.isInteger || !h.isInteger || w.integer < 1 || h.integer < 1 || w.integer > 32767 ||
      h.integer > 32767)
    return std::nullopt;
  return Size(int32_t(w.integer), int32_t(h.integer));
}

// The map's size from the start of the file, where Tiled writes the map element.
std::optional<Size> SizeFromStart(toolkit::InputFile& file, toolkit::FileError& error,
                                  bool& failed) {
  std::vector<char> start(static_cast<size_t>(std::min<uint64_t>(file.Size(), 64 * 1024)));
  failed = !file.ReadAt(0, {reinterpret_cast<uint8_t*>(start.data()), start.size()}, error);
  if (failed) return std::nullopt;
  pugi::xml_document doc;
  // A cut document parses as far as it goes.
  doc.load_buffer_inplace(start.data(), start.size(), kParse);
  return MapSize(doc.child("map"));
}

}  // namespace

std::variant<TiledMap, TmjRefusal> ImportTmx(toolkit::InputFile& file) {
  const uint64_t length = file.Size();
  if (length > LargestTmjBytes())
    return TmjRefusal{"it is larger than " + std::to_string(LargestTmjBytes()) + " bytes", true};
  try {
    toolkit::FileError error;
    bool failed = false;
    const std::optional<Size> size = SizeFromStart(file, error, failed);
    if (failed) return TmjRefusal{error.reason, true};
    const uint64_t most = size ? MaxTmjBytes(size->first, size->second) : MaxTmjBytes(1, 1);
    if (length > most)
      return TmjRefusal{"The file is " + std::to_string(length) + " bytes long, more than " +
                        (size ? "a map of " + std::to_string(size->first) + " x " +
                                    std::to_string(size->second) + " cells"
                              : std::string("a map whose size is not at its start")) +
                        " can take (" + std::to_string(most) + ")."};
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    if (!file.ReadAt(0, {reinterpret_cast<uint8_t*>(text.data()), size_t(length)}, error))
      return TmjRefusal{error.reason, true};
    const Lines lines(text.data(), size_t(length));
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer_inplace(text.data(), length, kParse);
    if (!parsed) return TmjRefusal{XmlFault(parsed, lines)};
    const pugi::xml_node root = doc.document_element();
    if (!root) return TmjRefusal{"The file holds no XML element."};
    TmxWalk walk(text.data(), lines, MapSize(root));
    walk.Map(root);
    std::optional<Size> again;
    auto judged = JudgeTiledMap(walk.Facts(), &again);
    if (!again) return judged;
    // A size spelled otherwise than in plain digits ("3.0") is known only once the map is
    // judged; the ids are then read again, into a layer of that size.
    TmxWalk second(text.data(), lines, again);
    second.Map(root);
    return JudgeTiledMap(second.Facts());
  } catch (const std::bad_alloc&) {
    return TmjRefusal{"There is not enough memory to read the file."};
  }
}

std::optional<std::string> ReadTsx(std::span<const uint8_t> bytes, TilesetFacts& tileset) {
  std::vector<char> text(bytes.begin(), bytes.end());
  const Lines lines(text.data(), text.size());
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_buffer_inplace(text.data(), text.size(), kParse);
  if (!parsed) return XmlFault(parsed, lines);
  const pugi::xml_node node = doc.child("tileset");
  if (!node) return "It holds no tileset.";
  if (node.attribute("source"))
    return "It names a tileset file (" + std::string(node.attribute("source").value()) +
           ") where it should describe the tileset itself.";
  ReadTilesetElement(node, tileset);
  return std::nullopt;
}

}  // namespace korvane
