#include <gtest/gtest.h>

#include <cmath>

#include "model/Numbers.h"

namespace korvane {
namespace {

TEST(Numbers, TypedAnswersBecome16BitIntegersWithHalvesToEven) {
  // clang-format off
  const std::pair<const char*, int16_t> accepted[] = {
      {"16", 16}, {" \t16 ", 16}, {"+7", 7}, {"-5", -5}, {"16.5", 16}, {"17.5", 18}, {"-0.5", 0},
      {".5", 0}, {"5.", 5}, {"1e3", 1000}, {"1E+2", 100}, {"25e-1", 2}, {"32767", 32767},
      {"-32768", -32768}, {"-32768.5", -32768}, {"32767.4", 32767}};
  // clang-format on
  for (const auto& [text, expected] : accepted)
    EXPECT_EQ(ConvertTypedNumber(text), expected) << text;
  for (const char* text : {"32767.5", "32768", "-32769", "1e9", "1e999", "", "  ", ".", "-", "e5",
                           "1e", "1e+", "12abc", "1 2", "--1", "0x10", "inf", "nan", "1,5"})
    EXPECT_EQ(ConvertTypedNumber(text), std::nullopt) << text;
}

// Twips and pixels round halves to even and stop at the 32-bit ends instead of wrapping.
TEST(Numbers, RoundingStopsAtTheEndsOfA32BitInteger) {
  constexpr int32_t kMax = 2147483647, kMin = -kMax - 1;
  const std::pair<double, int32_t> rows[] = {{0.5, 0},
                                             {1.5, 2},
                                             {-2.5, -2},
                                             {2147483646.5, 2147483646},
                                             {2147483647.4, kMax},
                                             {2147483647.5, kMax},
                                             {2147483648.0, kMax},
                                             {1e300, kMax},
                                             {-2147483648.4, kMin},
                                             {-2147483648.5, kMin},
                                             {-2147483649.0, kMin},
                                             {std::nan(""), 0}};
  for (const auto& [value, rounded] : rows) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

}  // namespace
}  // namespace korvane
