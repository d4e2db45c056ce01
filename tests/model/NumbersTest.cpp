#include <gtest/gtest.h>

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

}  // namespace
}  // namespace korvane
