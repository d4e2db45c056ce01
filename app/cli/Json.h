#pragma once

// A small JSON reader and a streaming writer, enough for the map exchange formats of the
// command-line tool. No dependency beyond the standard library.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace korvane::cli {

// One parsed JSON value. Arrays whose every element is a whole number that fits 64 bits are kept
// compactly in `integers` (and `array` stays empty), so a tile layer of millions of ids costs
// eight bytes per cell rather than a full value each.
struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };

  Kind kind = Kind::Null;
  bool boolean = false;
  // Every number has `number`; whole numbers written without fraction or exponent that fit 64
  // bits also have `integer`.
  double number = 0;
  bool isInteger = false;
  int64_t integer = 0;
  std::string string;
  std::vector<JsonValue> array;
  std::vector<int64_t> integers;
  std::vector<std::pair<std::string, JsonValue>> object;

  bool IsObject() const { return kind == Kind::Object; }
  bool IsArray() const { return kind == Kind::Array; }
  bool IsString() const { return kind == Kind::String; }
  bool IsNumber() const { return kind == Kind::Number; }
  bool IsBool() const { return kind == Kind::Bool; }
  // Elements of an array, whichever way they are stored.
  size_t ArraySize() const { return array.size() + integers.size(); }
  // The member with this name, or null; the first one when a name repeats.
  const JsonValue* Find(std::string_view key) const;
};

struct JsonError {
  size_t offset = 0;  // byte offset into the text
  size_t line = 1;    // from 1
  size_t column = 1;  // from 1, in bytes
  std::string what;   // lower-case phrase, e.g. "a ',' or '}' was expected"
};

using JsonParseResult = std::variant<JsonValue, JsonError>;

// Parses one JSON text (RFC 8259; surrounding blanks and a leading UTF-8 byte-order mark allowed,
// nothing else after the value). A member name that appears twice in one object is refused, as
// is nesting deeper than 200 levels (rather than risking the stack). Throws nothing but
// std::bad_alloc when memory runs out.
JsonParseResult ParseJson(std::string_view text);

// Writes JSON to a sink as it goes, so that a large document never sits in memory whole.
// Objects and arrays put each member on its own line, indented by two blanks; arrays begun
// "flowing" put their elements on one line separated by ", " and break only where LineBreak is
// called. The caller is responsible for a well-formed sequence of calls.
class JsonWriter {
 public:
  // The sink receives the text in pieces; it returns false on a write failure, after which the
  // writer stops writing and Ok() is false.
  using Sink = std::function<bool(std::string_view)>;
  explicit JsonWriter(Sink sink);
  ~JsonWriter();
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray(bool flowing = false);
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view name);
  JsonWriter& String(std::string_view text);
  JsonWriter& Int(int64_t value);
  JsonWriter& Bool(bool value);
  // In a flowing array: the next element starts a new, indented line.
  JsonWriter& LineBreak();
  // Hands everything written so far to the sink; false once any write has failed.
  bool Finish();
  bool Ok() const { return ok_; }

 private:
  struct Level {
    bool array = false;
    bool flowing = false;
    bool empty = true;
    bool breakPending = false;
  };
  void BeforeValue();
  void NewLine(size_t depth);
  void Put(std::string_view text);
  void Flush();

  Sink sink_;
  std::string buffer_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
  bool ok_ = true;
};

// The JSON text that `write` makes, as one string (for small documents printed whole).
std::string JsonText(const std::function<void(JsonWriter&)>& write);

// `text` as a JSON string literal, quotes included.
std::string JsonQuote(std::string_view text);

}  // namespace korvane::cli
