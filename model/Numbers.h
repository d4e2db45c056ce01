#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvane {

// N(v): the nearest 32-bit integer, halves to the even neighbour. Values beyond the 32-bit range
// saturate at its ends (they only arise from screen sizes far outside any real display).
int32_t RoundHalfEven(double value);

// R(v): the nearest 16-bit integer, halves to even; nullopt when the result leaves -32768..32767.
std::optional<int16_t> RoundHalfEven16(double value);

// Reads a typed answer as a decimal number (blanks around it allowed, an optional sign, digits
// with an optional fraction and exponent) and rounds it to the nearest 16-bit integer, halves to
// even. Empty text, anything that is not such a number, and results outside -32768..32767 give
// nullopt.
std::optional<int16_t> ConvertTypedNumber(std::string_view text);

// True when v fits the 16-bit model of screen geometry.
inline bool Fits16(int64_t v) {
  return v >= -32768 && v <= 32767;
}

}  // namespace korvane
