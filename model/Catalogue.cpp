#include "model/Catalogue.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "model/Numbers.h"

namespace korvane {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Walks the file text field by field. A field ends at a comma or at the end of its line.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {
    // Editors on Windows like to put a byte-order mark in front of a text file.
    if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
  }

  // The next field, or nullopt at the end of the text. Blank lines before a field are skipped.
  std::optional<std::string> Next() {
    while (pos_ < text_.size() && (IsBlank(text_[pos_]) || IsLineEnd(text_[pos_]))) ++pos_;
    if (pos_ >= text_.size()) return std::nullopt;
    const size_t lineEnd = LineEnd(pos_);
    std::string value;
    if (text_[pos_] == '"') {
      // Runs to the last double quote of the line, so quotes inside a name survive.
      const size_t close = text_.substr(0, lineEnd).rfind('"');
      if (close == pos_) {
        value = std::string(text_.substr(pos_ + 1, lineEnd - pos_ - 1));
        pos_ = lineEnd;
      } else {
        value = std::string(text_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
      }
      // Anything between the closing quote and the field's end is not part of the value.
      while (pos_ < lineEnd && text_[pos_] != ',') ++pos_;
    } else {
      const size_t start = pos_;
      while (pos_ < lineEnd && text_[pos_] != ',') ++pos_;
      size_t end = pos_;
      while (end > start && IsBlank(text_[end - 1])) --end;
      value = std::string(text_.substr(start, end - start));
    }
    EndField();
    return value;
  }

 private:
  size_t LineEnd(size_t from) const {
    while (from < text_.size() && !IsLineEnd(text_[from])) ++from;
    return from;
  }

  // Steps over the comma that closes a field. A line end (CR LF, LF or a lone CR) is left to
  // Next, which skips line ends before every field.
  void EndField() {
    if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

std::optional<int16_t> NextNumber(FieldReader& reader) {
  const std::optional<std::string> field = reader.Next();
  if (!field) return std::nullopt;
  return ConvertTypedNumber(*field);
}

}  // namespace

CatalogueReading ReadCatalogue(std::span<const uint8_t> bytes) {
  FieldReader reader(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  CatalogueReading result;
  const std::optional<std::string> countField = reader.Next();
  if (!countField) return result;  // an empty file is an empty catalogue
  const std::optional<int16_t> count = ConvertTypedNumber(*countField);
  if (!count) {
    result.complete = false;
    return result;
  }
  result.complete = *count <= kMaxCatalogueEntries;
  const int16_t wanted = std::min(*count, kMaxCatalogueEntries);
  for (int16_t i = 0; i < wanted; ++i) {
    std::optional<std::string> text = reader.Next();
    if (!text) {
      result.complete = false;
      break;
    }
    const std::optional<int16_t> size = NextNumber(reader);
    if (!size) {
      result.complete = false;
      break;
    }
    result.entries.push_back(CatalogueEntry{std::move(*text), *size});
  }
  // Text after the counted entries is more entries than the count admits to: they are not read,
  // but the file is not whole either, so it is not replaced without a copy.
  if (result.complete && reader.Next()) result.complete = false;
  return result;
}

std::vector<uint8_t> WriteCatalogue(std::span<const CatalogueEntry> entries) {
  std::string text = std::to_string(entries.size()) + "\r\n";
  for (const CatalogueEntry& entry : entries) {
    const int32_t size = std::clamp<int32_t>(entry.packedSize, -32768, 32767);
    text += '"' + entry.text + "\"\r\n" + std::to_string(size) + "\r\n";
  }
  return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace korvane
