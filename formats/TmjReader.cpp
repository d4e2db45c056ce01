#include "formats/TmjReader.h"

#include <rapidjson/reader.h>

#include <charconv>
#include <cstdlib>
#include <new>
#include <string_view>
#include <unordered_set>

#include "formats/JsonFileStream.h"
#include "formats/MapFile.h"

namespace korvane {

namespace {

using Kind = JsonScalar::Kind;

// Deeper nesting is refused rather than risking the stack.
constexpr size_t kMaxDepth = 200;
// The most the reader holds of one string, and of the member names of the objects open at one
// time (to find a repeated one): a hostile file costs no more than this.
constexpr size_t kMaxHeld = size_t{64} << 20;
// What one held member name costs beside its characters, about.
constexpr size_t kNameCost = 64;

// Longer numbers are refused: no number a map needs comes near.
constexpr uint64_t kLongestNumber = 4096;

struct HeldTooLong {};

// RapidJSON's working stack, which holds each string while it is read. It grows by half each
// time, so a string up to two thirds of kMaxHeld always fits.
struct BoundedStack {
  static const bool kNeedFree = true;
  void* Malloc(size_t size) { return size == 0 ? nullptr : Grow(nullptr, size); }
  void* Realloc(void* old, size_t, size_t size) {
    if (size == 0) {
      std::free(old);
      return nullptr;
    }
    return Grow(old, size);
  }
  static void Free(void* p) { std::free(p); }

 private:
  static void* Grow(void* old, size_t size) {
    if (size > kMaxHeld) throw HeldTooLong{};
    void* p = std::realloc(old, size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
  }
};

// Where in the document a value lies, as far as a Korvane map is concerned.
enum class Where : uint8_t {
  Skip,  // read as JSON only
  Root,
  Tilesets,
  Tileset,  // the first tileset
  Layers,
  Layer,
  Data,
  Objects,
  Object,
  Properties,  // of the map or of an object, as a list or as a name-to-value object
  Property,    // one element of a property list
};

enum class Member : uint8_t {
  Other,
  Type,
  Orientation,
  Infinite,
  Width,
  Height,
  TileWidth,
  TileHeight,
  Tilesets,
  Layers,
  Properties,
  FirstGid,
  Name,
  Chunks,
  Encoding,
  Data,
  Objects,
  Id,
  X,
  Y,
  Gid,
  Value,
  Source,
  Image,
  Spacing,
  Margin,
  Compression,
  // The custom properties read: the map's two resources, an object's overlay value.
  Human,
  Computer,
  OverlayId,
};

struct Name {
  Where where;
  std::string_view key;
  Member member;
};
constexpr Name kNames[] = {
    {Where::Root, "type", Member::Type},
    {Where::Root, "orientation", Member::Orientation},
    {Where::Root, "infinite", Member::Infinite},
    {Where::Root, "width", Member::Width},
    {Where::Root, "height", Member::Height},
    {Where::Root, "tilewidth", Member::TileWidth},
    {Where::Root, "tileheight", Member::TileHeight},
    {Where::Root, "tilesets", Member::Tilesets},
    {Where::Root, "layers", Member::Layers},
    {Where::Root, "properties", Member::Properties},
    {Where::Tileset, "firstgid", Member::FirstGid},
    {Where::Tileset, "source", Member::Source},
    {Where::Tileset, "image", Member::Image},
    {Where::Tileset, "tilewidth", Member::TileWidth},
    {Where::Tileset, "tileheight", Member::TileHeight},
    {Where::Tileset, "spacing", Member::Spacing},
    {Where::Tileset, "margin", Member::Margin},
    {Where::Layer, "type", Member::Type},
    {Where::Layer, "name", Member::Name},
    {Where::Layer, "chunks", Member::Chunks},
    {Where::Layer, "encoding", Member::Encoding},
    {Where::Layer, "compression", Member::Compression},
    {Where::Layer, "width", Member::Width},
    {Where::Layer, "height", Member::Height},
    {Where::Layer, "data", Member::Data},
    {Where::Layer, "objects", Member::Objects},
    {Where::Object, "id", Member::Id},
    {Where::Object, "x", Member::X},
    {Where::Object, "y", Member::Y},
    {Where::Object, "gid", Member::Gid},
    {Where::Object, "height", Member::Height},
    {Where::Object, "properties", Member::Properties},
    {Where::Property, "name", Member::Name},
    {Where::Property, "type", Member::Type},
    {Where::Property, "value", Member::Value},
};

struct Frame {
  Where where;
  bool object;
  Member member = Member::Other;  // in an object: whose value comes next
  uint64_t elements = 0;          // in an array: how many came so far
  size_t namesHeld = 0;           // in an object: what its member names cost
};

// A layer being read. What kind it is shows only at its end: Tiled writes "type" after "data".
struct LayerInProgress {
  std::string name, type;
  bool typeSeen = false;
  TileLayerFacts tiles;
  ObjectLayerFacts objects;
  bool ownsTiles = false;
  std::optional<uint64_t> firstNonId;  // its offset
  std::string text;                    // data given as a string (base64), kept to the layer's end
};

// One element of a property list: which of the properties read it names, its type and value.
struct PropertyInProgress {
  Member name = Member::Other;
  PropertyFacts facts;
};

class TmjHandler {
 public:
  TmjHandler(JsonFileStream& in, std::optional<std::pair<int32_t, int32_t>> size) : in_(in) {
    facts_.size = size;
    if (size) cells_ = uint64_t(size->first) * uint64_t(size->second);
  }

  TiledFacts& Facts() { return facts_; }
  // Why the handler stopped the reading, and where, once it has.
  const std::string& Failure() const { return failure_; }
  uint64_t FailureAt() const { return failureAt_; }

  bool Null() { return Scalar({Kind::Null}, {}); }
  bool Bool(bool b) {
    JsonScalar v{Kind::Bool};
    v.boolean = b;
    return Scalar(v, {});
  }
  bool Int(int i) { return Integer(i); }
  bool Int64(int64_t i) { return Integer(i); }
  bool Uint(unsigned u) { return Integer(u); }
  bool Uint64(uint64_t u) { return u <= uint64_t(INT64_MAX) ? Integer(int64_t(u)) : Double(0); }
  // RapidJSON's own value is not always right near the ends of the double range (10e308 comes
  // out as a tiny negative number), so the number is read again from its text, exactly.
  bool Double(double) {
    const uint64_t end = in_.Tell();
    const uint64_t start = in_.NumberStart(end, kLongestNumber);
    if (end - start > kLongestNumber)
      return Fail("a number is longer than " + std::to_string(kLongestNumber) + " characters",
                  start);
    const std::string text = in_.Text(start, end);
    JsonScalar v{Kind::Number};
    if (std::from_chars(text.data(), text.data() + text.size(), v.number).ec != std::errc())
      return Fail("the number is out of range", start);
    return Scalar(v, {});
  }
  bool RawNumber(const char*, rapidjson::SizeType, bool) { return true; }
  bool String(const char* s, rapidjson::SizeType n, bool) {
    return Scalar({Kind::String}, std::string_view(s, n));
  }
  bool StartObject() { return Open(true); }
  bool StartArray() { return Open(false); }
  bool EndObject(rapidjson::SizeType) { return Close(); }
  bool EndArray(rapidjson::SizeType) { return Close(); }

  bool Key(const char* s, rapidjson::SizeType n, bool) {
    Frame& f = frames_.back();
    auto& names = names_[frames_.size() - 1];
    const size_t cost = n + kNameCost;
    if (namesHeld_ + cost > kMaxHeld)
      return Fail("the objects open here hold more than 64 MiB of member names",
                  in_.StringStart(in_.Tell()));
    // A repeated name would leave it to chance which of the two values counts.
    const std::string_view key(s, n);
    if (!names.emplace(key).second)
      return Fail("the member name \"" + std::string(key) + "\" appears twice in one object",
                  in_.StringStart(in_.Tell()));
    namesHeld_ += cost;
    f.namesHeld += cost;
    f.member = Identify(f.where, key);
    return true;
  }

 private:
  bool Fail(std::string what, uint64_t at) {
    failure_ = std::move(what);
    failureAt_ = at;
    return false;
  }

  // The member a name stands for in the top frame.
  Member Identify(Where where, std::string_view key) const {
    if (where == Where::Properties) return PropertyName(frames_.size() - 1, key);
    for (const Name& name : kNames)
      if (name.where == where && name.key == key) return name.member;
    return Member::Other;
  }

  // The property read under `name` in the properties frame frames_[index]: the map's two
  // resources, or an object's overlay value.
  Member PropertyName(size_t index, std::string_view name) const {
    const bool ofMap = frames_[index - 1].where == Where::Root;
    if (ofMap && name == "human_resources") return Member::Human;
    if (ofMap && name == "computer_resources") return Member::Computer;
    if (!ofMap && name == "id") return Member::OverlayId;
    return Member::Other;
  }

  // A tile id in a data array: the hot path of a large map.
  bool Integer(int64_t gid) {
    if (!frames_.empty() && frames_.back().where == Where::Data) {
      TileLayerFacts& t = layer_.tiles;
      const uint64_t cell = t.ids++;
      if (layer_.ownsTiles && cell < cells_ && !t.fault) StoreTileId(t, cells16_[cell], cell, gid);
      return true;
    }
    JsonScalar v{Kind::Number};
    v.isInteger = true;
    v.integer = gid;
    v.number = double(gid);
    return Scalar(v, {});
  }

  // An element of a data array that is no tile id, starting at `at`.
  void NonId(uint64_t at) {
    ++layer_.tiles.ids;
    if (!layer_.firstNonId) layer_.firstNonId = at;
  }

  // Where the scalar that was just read starts.
  uint64_t ScalarStart(const JsonScalar& v) {
    const uint64_t end = in_.Tell();
    switch (v.kind) {
      case Kind::String:
        return in_.StringStart(end);
      case Kind::Number:
        return in_.NumberStart(end);
      case Kind::Bool:
        return end - (v.boolean ? 4 : 5);
      default:
        return end - 4;  // null
    }
  }

  bool Scalar(const JsonScalar& v, std::string_view text) {
    if (frames_.empty()) {
      facts_.root = v.kind;
      return true;
    }
    Frame& f = frames_.back();
    if (f.where == Where::Data) {
      NonId(ScalarStart(v));
      return true;
    }
    if (!f.object) {
      Element(f, v, nullptr);
      return true;
    }
    Assign(f, v, text);
    return true;
  }

  // The next element of an array (other than a data array); for a container, the frame it
  // opens is set in `child`.
  void Element(Frame& f, const JsonScalar& v, Where* child) {
    const uint64_t index = f.elements++;
    switch (f.where) {
      case Where::Tilesets:
        ++facts_.tilesetCount;
        if (index == 0) facts_.firstTileset = v.kind;
        if (child && index == 0 && v.kind == Kind::Object) *child = Where::Tileset;
        break;
      case Where::Layers:
        if (child && v.kind == Kind::Object) {
          layer_ = LayerInProgress{};
          *child = Where::Layer;
        } else if (!facts_.otherLayer) {
          facts_.otherLayer.emplace();  // a layer that is no object has no name and no type
        }
        break;
      case Where::Objects: {
        ObjectLayerFacts& o = layer_.objects;
        ++o.count;
        o.allIntegers = o.allIntegers && v.isInteger;
        object_ = ObjectFacts{};
        object_.isObject = v.kind == Kind::Object;
        if (child && object_.isObject)
          *child = Where::Object;
        else
          KeepObject();
        break;
      }
      case Where::Properties:
        if (child && v.kind == Kind::Object) {
          property_ = PropertyInProgress{};
          *child = Where::Property;
        }
        break;
      default:
        break;
    }
  }

  // The value of the member `f.member`; `text` for a string.
  void Assign(Frame& f, const JsonScalar& v, std::string_view text) {
    const bool isString = v.kind == Kind::String;
    switch (f.where) {
      case Where::Root:
        switch (f.member) {
          case Member::Type:
            if (isString) facts_.type = text;
            break;
          case Member::Orientation:
            if (isString) facts_.orientation = text;
            break;
          case Member::Infinite:
            facts_.infinite = v.kind == Kind::Bool && v.boolean;
            break;
          case Member::Width:
            facts_.width = v;
            break;
          case Member::Height:
            facts_.height = v;
            break;
          case Member::TileWidth:
            facts_.tileWidth = v;
            break;
          case Member::TileHeight:
            facts_.tileHeight = v;
            break;
          case Member::Tilesets:
            facts_.tilesets = v.kind;
            break;
          case Member::Layers:
            facts_.layers = v.kind;
            break;
          default:
            break;
        }
        break;
      case Where::Tileset:
        AssignTileset(f.member, v, text);
        break;
      case Where::Layer:
        switch (f.member) {
          case Member::Type:
            layer_.typeSeen = true;
            if (isString) layer_.type = text;
            break;
          case Member::Name:
            if (isString) layer_.name = text;
            break;
          case Member::Encoding:
            if (isString) layer_.tiles.encoding = text;
            break;
          case Member::Compression:
            if (isString) layer_.tiles.compression = text;
            break;
          case Member::Chunks:
            layer_.tiles.hasChunks = true;
            break;
          case Member::Width:
            layer_.tiles.width = v;
            break;
          case Member::Height:
            layer_.tiles.height = v;
            break;
          case Member::Data:
            layer_.tiles.data = v.kind;
            if (isString) layer_.text = text;
            break;
          case Member::Objects:
            layer_.objects.objects = v.kind;
            break;
          default:
            break;
        }
        break;
      case Where::Object:
        switch (f.member) {
          case Member::Id:
            object_.id = v;
            break;
          case Member::X:
            object_.x = v;
            break;
          case Member::Y:
            object_.y = v;
            break;
          case Member::Height:
            object_.height = v;
            break;
          case Member::Gid:
            object_.hasGid = true;
            break;
          default:
            break;
        }
        break;
      case Where::Properties:
        if (PropertyFacts* p = PropertyOf(f.member)) *p = PropertyFacts{true, v};
        break;
      case Where::Property:
        if (f.member == Member::Name && isString) {
          property_.name = PropertyName(frames_.size() - 2, text);
        } else if (f.member == Member::Type && isString) {
          property_.facts.type = text.empty()    ? PropertyFacts::Type::None
                                 : text == "int" ? PropertyFacts::Type::Int
                                                 : PropertyFacts::Type::Other;
        } else if (f.member == Member::Value) {
          property_.facts.value = v;
        }
        break;
      default:
        break;
    }
  }

  void AssignTileset(Member member, const JsonScalar& v, std::string_view text) {
    TilesetFacts& t = facts_.tileset;
    const bool isString = v.kind == Kind::String;
    switch (member) {
      case Member::FirstGid:
        facts_.firstGid = v;
        break;
      case Member::Source:
        if (isString) t.source = text;
        break;
      case Member::Image:
        if (isString) t.image = text;
        break;
      case Member::TileWidth:
        t.tileWidth = v;
        break;
      case Member::TileHeight:
        t.tileHeight = v;
        break;
      case Member::Spacing:
        t.spacing = v;
        break;
      case Member::Margin:
        t.margin = v;
        break;
      default:
        break;
    }
  }

  // The property read for `member`, or null.
  PropertyFacts* PropertyOf(Member member) {
    switch (member) {
      case Member::Human:
        return &facts_.human;
      case Member::Computer:
        return &facts_.computer;
      case Member::OverlayId:
        return &object_.idProperty;
      default:
        return nullptr;
    }
  }

  bool Open(bool object) {
    if (frames_.size() >= kMaxDepth)
      return Fail("the values are nested too deeply", in_.Tell() - 1);
    const JsonScalar v{object ? Kind::Object : Kind::Array};
    Where child = Where::Skip;
    if (frames_.empty()) {
      facts_.root = v.kind;
      if (object) child = Where::Root;
    } else if (Frame& f = frames_.back(); f.where == Where::Data) {
      NonId(in_.Tell() - 1);
    } else if (!f.object) {
      Element(f, v, &child);
    } else {
      Assign(f, v, {});
      child = Child(f, object);
    }
    frames_.push_back(Frame{child, object});
    if (object) {
      if (names_.size() < frames_.size()) names_.resize(frames_.size());
      names_[frames_.size() - 1].clear();
    }
    return true;
  }

  // The frame a container opens as the value of `f.member`.
  Where Child(const Frame& f, bool object) {
    const auto is = [&f](Where where, Member member) {
      return f.where == where && f.member == member;
    };
    if (!object && is(Where::Root, Member::Tilesets)) return Where::Tilesets;
    if (!object && is(Where::Root, Member::Layers)) return Where::Layers;
    if (is(Where::Root, Member::Properties) || is(Where::Object, Member::Properties))
      return Where::Properties;
    if (!object && is(Where::Layer, Member::Objects)) return Where::Objects;
    if (!object && is(Where::Layer, Member::Data)) {
      StartData();
      return Where::Data;
    }
    return Where::Skip;
  }

  // The ids of the first tile layer go into the map's tile layer as they come; a layer that
  // turns out to be something else gives it back at its end.
  void StartData() {
    const bool mayBeTiles = !layer_.typeSeen || layer_.type == "tilelayer";
    if (!tilesFree_ || !mayBeTiles || !ClaimTiles(facts_, layer_.tiles)) return;
    cells16_ = facts_.tiles.Cells().data();
    layer_.ownsTiles = true;
    tilesFree_ = false;
  }

  bool Close() {
    const Frame f = frames_.back();
    frames_.pop_back();
    if (f.object) {
      namesHeld_ -= f.namesHeld;
      names_[frames_.size()].clear();
    }
    switch (f.where) {
      case Where::Layer:
        FinishLayer();
        break;
      case Where::Object:
        KeepObject();
        break;
      case Where::Property:
        if (PropertyFacts* p = PropertyOf(property_.name); p && !p->found) {
          *p = property_.facts;
          p->found = true;
        }
        break;
      default:
        break;
    }
    return true;
  }

  // Objects are kept for the first object layer only, and no more than a map can hold.
  void KeepObject() {
    ObjectLayerFacts& o = layer_.objects;
    if (facts_.objectLayers == 0 && o.elements.size() < size_t(kMaxOverlayEntries))
      o.elements.push_back(object_);
  }

  void FinishLayer() {
    LayerInProgress& l = layer_;
    l.tiles.stored = l.ownsTiles;
    if (l.type == "tilelayer") {
      if (facts_.tileLayers == 0 && l.tiles.data == Kind::String && tilesFree_) {
        StoreEncodedIds(facts_, l.tiles, l.text);
        tilesFree_ = false;
        l.text = std::string();
      }
      if (facts_.tileLayers++ == 0) {
        facts_.tileLayer = std::move(l.tiles);
        if (l.firstNonId) facts_.tileLayer.firstNonId = in_.LineAndColumn(*l.firstNonId);
        return;
      }
    } else if (l.type == "objectgroup") {
      if (facts_.objectLayers++ == 0) facts_.objectLayer = std::move(l.objects);
    } else if (!facts_.otherLayer) {
      facts_.otherLayer = std::pair(l.name, l.type);
    }
    if (l.ownsTiles) tilesFree_ = true;
  }

  JsonFileStream& in_;
  TiledFacts facts_;
  std::vector<Frame> frames_;
  // The member names of each open object, by depth.
  std::vector<std::unordered_set<std::string>> names_;
  size_t namesHeld_ = 0;
  LayerInProgress layer_;
  ObjectFacts object_;
  PropertyInProgress property_;
  uint64_t cells_ = 0;
  int16_t* cells16_ = nullptr;
  bool tilesFree_ = true;
  std::string failure_;
  uint64_t failureAt_ = 0;
};

// The reader takes a '\0' byte for the end of the text, wherever it lies: only at the real end
// does the text end.
const char* Phrase(rapidjson::ParseErrorCode code, bool atEnd, char byte) {
  switch (code) {
    case rapidjson::kParseErrorDocumentRootNotSingular:
      return "nothing may follow the JSON value";
    case rapidjson::kParseErrorDocumentEmpty:
    case rapidjson::kParseErrorValueInvalid:
      return atEnd ? "the text ends where a value was expected" : "a JSON value was expected";
    case rapidjson::kParseErrorObjectMissName:
      return "a member name in double quotes was expected";
    case rapidjson::kParseErrorObjectMissColon:
      return "a ':' was expected after the member name";
    case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
      return "a ',' or '}' was expected";
    case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
      return "a ',' or ']' was expected";
    case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
      return "four hex digits were expected after \\u";
    case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
      return "a \\u escape holds half of a surrogate pair";
    case rapidjson::kParseErrorStringEscapeInvalid:
      return byte == '\\' ? "an unknown escape sequence was found in a string"
                          : "a control character must be escaped";
    case rapidjson::kParseErrorStringMissQuotationMark:
      return atEnd ? "the text ends inside a string" : "a control character must be escaped";
    case rapidjson::kParseErrorNumberTooBig:
      return "the number is out of range";
    case rapidjson::kParseErrorNumberMissFraction:
      return "a digit was expected after the decimal point";
    case rapidjson::kParseErrorNumberMissExponent:
      return "a digit was expected in the exponent";
    default:
      return "the text is not JSON";
  }
}

}  // namespace

std::variant<TiledFacts, TmjReadFailure> ReadTmj(toolkit::InputFile& file,
                                                 std::optional<std::pair<int32_t, int32_t>> size) {
  JsonFileStream in(file);
  TmjHandler handler(in, size);
  rapidjson::GenericReader<rapidjson::UTF8<>, rapidjson::UTF8<>, BoundedStack> reader;
  rapidjson::ParseResult result;
  std::string what;
  uint64_t at = 0;
  try {
    result = reader.Parse(in, handler);
  } catch (const HeldTooLong&) {
    what = "a string is longer than 32 MiB";
    at = in.Tell();
  } catch (const std::bad_alloc&) {
    return TmjReadFailure{"There is not enough memory to read the file."};
  }
  if (in.ReadError()) return TmjReadFailure{in.ReadError()->reason, true};
  if (result.IsError() && result.Code() == rapidjson::kParseErrorTermination) {
    what = handler.Failure();
    at = handler.FailureAt();
  } else if (result.IsError()) {
    at = result.Offset();
    what = Phrase(result.Code(), at >= file.Size(), in.ByteAt(at));
  } else if (what.empty() && in.Tell() < file.Size()) {
    // The reader stopped at a '\0' byte after the value, taking it for the end of the text.
    what = "nothing may follow the JSON value";
    at = in.Tell();
  }
  if (what.empty()) return std::move(handler.Facts());
  const auto [line, column] = in.LineAndColumn(at);
  return TmjReadFailure{"The file is not valid JSON: at line " + std::to_string(line) +
                        ", column " + std::to_string(column) + ", " + what + "."};
}

}  // namespace korvane
