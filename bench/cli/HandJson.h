#pragma once

// The hand-written JSON reader korvane-cli used before its import streamed through RapidJSON,
// kept only so the benchmark can compare the two on the same file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "document/MapFile.h"

namespace korvane::bench::hand {

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

// The whole import as it was: the text in memory, parsed into a tree, then judged.
std::variant<MapFileContents, std::string> ImportTmjText(std::string_view text);

}  // namespace korvane::bench::hand
