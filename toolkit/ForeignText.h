#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::toolkit {

// The editor's own text is UTF-8, but a catalogue written on Windows by an older tool or by hand
// holds its names in the Windows code page. Such a name keeps its bytes wherever it is stored;
// only where it is shown or handed to a format that must be UTF-8 is it read as Windows-1252.

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing past
// U+10FFFF, and no sequence cut short.
inline bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<uint8_t>(text[i]);
    size_t length = 0;
    uint8_t low = 0x80, high = 0xBF;  // the second byte's range; the later ones are 80..BF
    if (lead < 0x80) {
      length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // overlong below U+0800
      if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;   // overlong below U+10000
      if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
    } else {
      return false;
    }
    if (length > text.size() - i) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto b = static_cast<uint8_t>(text[i + k]);
      if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF)) return false;
    }
    i += length;
  }
  return true;
}

// UTF-8 as it is; anything else read byte by byte as Windows-1252. Its five unassigned bytes
// become the control characters of the same number, as Windows itself reads them.
inline std::string AsUtf8(std::string_view text) {
  if (IsUtf8(text)) return std::string(text);
  static constexpr char16_t kHighHalf[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) {
    const auto b = static_cast<uint8_t>(c);
    const char16_t u = b >= 0x80 && b < 0xA0 ? kHighHalf[b - 0x80] : char16_t{b};
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (u >> 6)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (u >> 12)));
      out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
  }
  return out;
}

}  // namespace korvane::toolkit
