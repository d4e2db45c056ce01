#pragma once

// A streaming JSON writer, enough for the outputs of the command-line tool. It writes the
// layout those outputs have always had (a tile layer's ids a row to a line, lower-case \u
// escapes), which a general-purpose writer cannot reproduce.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/BlockSink.h"

namespace korvane {

// Writes JSON to a sink as it goes, so that a large document never sits in memory whole.
// Objects and arrays put each member on its own line, indented by two blanks; arrays begun
// "flowing" put their elements on one line separated by ", " and break only where LineBreak is
// called. The caller is responsible for a well-formed sequence of calls.
class JsonWriter {
 public:
  // The sink receives the text in pieces; it returns false on a write failure, after which the
  // writer stops writing and Ok() is false.
  using Sink = BlockSink::Sink;
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
  bool Ok() const { return out_.Ok(); }

 private:
  struct Level {
    bool flowing = false;
    bool empty = true;
    bool breakPending = false;
  };
  void BeforeValue();
  void NewLine(size_t depth);
  void Put(std::string_view text);

  BlockSink out_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

// The JSON text that `write` makes, as one string (for small documents printed whole).
std::string JsonText(const std::function<void(JsonWriter&)>& write);

// `text` as a JSON string literal, quotes included.
std::string JsonQuote(std::string_view text);

}  // namespace korvane
