#include "formats/JsonWriter.h"

#include <charconv>
#include <cstdio>

namespace korvane {

std::string JsonText(const std::function<void(JsonWriter&)>& write) {
  std::string text;
  JsonWriter out([&text](std::string_view piece) {
    text += piece;
    return true;
  });
  write(out);
  out.Finish();
  return text;
}

std::string JsonQuote(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out.push_back('"');
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
  return out;
}

JsonWriter::JsonWriter(Sink sink) : out_(std::move(sink)) {}

JsonWriter::~JsonWriter() = default;

void JsonWriter::Put(std::string_view text) {
  out_.Put(text);
}

void JsonWriter::NewLine(size_t depth) {
  Put("\n");
  Put(std::string(2 * depth, ' '));
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (!level.empty) Put(",");
  if (!level.flowing || level.empty || level.breakPending) {
    NewLine(levels_.size());
  } else {
    Put(" ");
  }
  level.empty = false;
  level.breakPending = false;
}

JsonWriter& JsonWriter::BeginObject() {
  BeforeValue();
  Put("{");
  levels_.push_back(Level{});
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  const bool empty = levels_.back().empty;
  levels_.pop_back();
  if (!empty) NewLine(levels_.size());
  Put("}");
  if (levels_.empty()) Put("\n");
  return *this;
}

JsonWriter& JsonWriter::BeginArray(bool flowing) {
  BeforeValue();
  Put("[");
  levels_.push_back(Level{.flowing = flowing});
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  const bool empty = levels_.back().empty;
  levels_.pop_back();
  if (!empty) NewLine(levels_.size());
  Put("]");
  if (levels_.empty()) Put("\n");
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
  BeforeValue();
  Put(JsonQuote(name));
  Put(": ");
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
  BeforeValue();
  Put(JsonQuote(text));
  return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
  BeforeValue();
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  Put(std::string_view(digits, static_cast<size_t>(end - digits)));
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  Put(value ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::LineBreak() {
  if (!levels_.empty()) levels_.back().breakPending = true;
  return *this;
}

bool JsonWriter::Finish() {
  return out_.Flush();
}

}  // namespace korvane
