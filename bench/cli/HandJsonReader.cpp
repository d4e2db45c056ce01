#include <charconv>
#include <unordered_set>

#include "bench/cli/HandJson.h"

namespace korvane::bench::hand {

const JsonValue* JsonValue::Find(std::string_view key) const {
  for (const auto& [name, value] : object)
    if (name == key) return &value;
  return nullptr;
}

namespace {

constexpr int kMaxDepth = 200;

struct ParseFailure {
  size_t offset;
  std::string what;
};

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue Document() {
    // A byte-order mark before the text is accepted, as JSON readers commonly do.
    if (text_.starts_with("\xEF\xBB\xBF")) at_ = 3;
    SkipBlanks();
    JsonValue value = Value(0);
    SkipBlanks();
    if (at_ < text_.size()) Fail("nothing may follow the JSON value");
    return value;
  }

 private:
  [[noreturn]] void Fail(std::string what) const { throw ParseFailure{at_, std::move(what)}; }

  void SkipBlanks() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
      ++at_;
  }

  char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }

  void Expect(char c, const char* what) {
    if (Peek() != c) Fail(what);
    ++at_;
  }

  void Literal(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) Fail("a JSON value was expected");
    at_ += word.size();
  }

  JsonValue Value(int depth) {
    if (at_ >= text_.size()) Fail("the text ends where a value was expected");
    JsonValue v;
    switch (text_[at_]) {
      case '{':
        return Object(depth + 1);
      case '[':
        return Array(depth + 1);
      case '"':
        v.kind = JsonValue::Kind::String;
        v.string = String();
        return v;
      case 't':
        Literal("true");
        v.kind = JsonValue::Kind::Bool;
        v.boolean = true;
        return v;
      case 'f':
        Literal("false");
        v.kind = JsonValue::Kind::Bool;
        return v;
      case 'n':
        Literal("null");
        return v;
      default:
        return Number();
    }
  }

  JsonValue Object(int depth) {
    if (depth > kMaxDepth) Fail("the values are nested too deeply");
    ++at_;  // '{'
    JsonValue v;
    v.kind = JsonValue::Kind::Object;
    std::unordered_set<std::string> names;
    SkipBlanks();
    if (Peek() == '}') {
      ++at_;
      return v;
    }
    for (;;) {
      SkipBlanks();
      if (Peek() != '"') Fail("a member name in double quotes was expected");
      const size_t nameAt = at_;
      std::string name = String();
      // A repeated name would leave it to chance which of the two values counts.
      if (!names.insert(name).second) {
        at_ = nameAt;
        Fail("the member name \"" + name + "\" appears twice in one object");
      }
      SkipBlanks();
      Expect(':', "a ':' was expected after the member name");
      SkipBlanks();
      JsonValue member = Value(depth);
      v.object.emplace_back(std::move(name), std::move(member));
      SkipBlanks();
      if (Peek() == ',') {
        ++at_;
        continue;
      }
      Expect('}', "a ',' or '}' was expected");
      return v;
    }
  }

  JsonValue Array(int depth) {
    if (depth > kMaxDepth) Fail("the values are nested too deeply");
    ++at_;  // '['
    JsonValue v;
    v.kind = JsonValue::Kind::Array;
    SkipBlanks();
    if (Peek() == ']') {
      ++at_;
      return v;
    }
    // Whole numbers stay compact until the first element of another kind arrives.
    bool compact = true;
    for (;;) {
      SkipBlanks();
      JsonValue element = Value(depth);
      if (compact && element.isInteger) {
        v.integers.push_back(element.integer);
      } else {
        if (compact) {
          compact = false;
          v.array.reserve(v.integers.size() + 1);
          for (const int64_t n : v.integers) v.array.push_back(IntegerValue(n));
          v.integers.clear();
          v.integers.shrink_to_fit();
        }
        v.array.push_back(std::move(element));
      }
      SkipBlanks();
      if (Peek() == ',') {
        ++at_;
        continue;
      }
      Expect(']', "a ',' or ']' was expected");
      return v;
    }
  }

  static JsonValue IntegerValue(int64_t n) {
    JsonValue v;
    v.kind = JsonValue::Kind::Number;
    v.isInteger = true;
    v.integer = n;
    v.number = static_cast<double>(n);
    return v;
  }

  JsonValue Number() {
    const size_t start = at_;
    if (Peek() == '-') ++at_;
    if (Peek() == '0') {
      ++at_;
    } else if (Peek() >= '1' && Peek() <= '9') {
      while (Peek() >= '0' && Peek() <= '9') ++at_;
    } else {
      at_ = start;
      Fail("a JSON value was expected");
    }
    bool whole = true;
    if (Peek() == '.') {
      whole = false;
      ++at_;
      if (!(Peek() >= '0' && Peek() <= '9')) Fail("a digit was expected after the decimal point");
      while (Peek() >= '0' && Peek() <= '9') ++at_;
    }
    if (Peek() == 'e' || Peek() == 'E') {
      whole = false;
      ++at_;
      if (Peek() == '+' || Peek() == '-') ++at_;
      if (!(Peek() >= '0' && Peek() <= '9')) Fail("a digit was expected in the exponent");
      while (Peek() >= '0' && Peek() <= '9') ++at_;
    }
    const char* first = text_.data() + start;
    const char* last = text_.data() + at_;
    JsonValue v;
    v.kind = JsonValue::Kind::Number;
    if (whole) {
      int64_t n = 0;
      if (std::from_chars(first, last, n).ec == std::errc()) return IntegerValue(n);
    }
    // Locale-independent, unlike strtod.
    if (std::from_chars(first, last, v.number).ec != std::errc()) {
      // Only magnitudes beyond the double range fail here.
      at_ = start;
      Fail("the number is too large");
    }
    return v;
  }

  static void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }

  uint32_t Hex4() {
    if (at_ + 4 > text_.size()) Fail("four hex digits were expected after \\u");
    uint32_t cp = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      cp <<= 4;
      if (c >= '0' && c <= '9') {
        cp |= static_cast<uint32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        cp |= static_cast<uint32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        cp |= static_cast<uint32_t>(c - 'A' + 10);
      } else {
        --at_;
        Fail("four hex digits were expected after \\u");
      }
    }
    return cp;
  }

  std::string String() {
    ++at_;  // opening quote
    std::string out;
    for (;;) {
      if (at_ >= text_.size()) Fail("the text ends inside a string");
      const char c = text_[at_];
      if (c == '"') {
        ++at_;
        return out;
      }
      if (static_cast<unsigned char>(c) < 0x20) Fail("a control character must be escaped");
      if (c != '\\') {
        out.push_back(c);
        ++at_;
        continue;
      }
      ++at_;
      const char e = Peek();
      ++at_;
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out.push_back(e);
          break;
        case 'b':
          out.push_back('\b');
          break;
        case 'f':
          out.push_back('\f');
          break;
        case 'n':
          out.push_back('\n');
          break;
        case 'r':
          out.push_back('\r');
          break;
        case 't':
          out.push_back('\t');
          break;
        case 'u': {
          uint32_t cp = Hex4();
          // A surrogate pair makes one character; a lone half is kept as the replacement mark.
          if (cp >= 0xD800 && cp <= 0xDBFF && text_.substr(at_, 2) == "\\u") {
            const size_t back = at_;
            at_ += 2;
            const uint32_t low = Hex4();
            if (low >= 0xDC00 && low <= 0xDFFF) {
              cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            } else {
              at_ = back;
              cp = 0xFFFD;
            }
          } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
          }
          AppendUtf8(out, cp);
          break;
        }
        default:
          at_ -= 2;
          Fail("an unknown escape sequence was found in a string");
      }
    }
  }

  std::string_view text_;
  size_t at_ = 0;
};

}  // namespace

JsonParseResult ParseJson(std::string_view text) {
  Parser parser(text);
  try {
    return parser.Document();
  } catch (const ParseFailure& failure) {
    JsonError error{failure.offset, 1, 1, failure.what};
    for (size_t i = 0; i < failure.offset && i < text.size(); ++i) {
      if (text[i] == '\n') {
        ++error.line;
        error.column = 1;
      } else {
        ++error.column;
      }
    }
    return error;
  }
}

}  // namespace korvane::bench::hand
