// The Windows editor's picture loader: every form of bitmap file it reads, and the files it
// refuses with the reason it gives.

#include <gtest/gtest.h>

#include "tests/win32/BmpFile.h"
#include "toolkit/win32/Win32Picture.h"

namespace korvane::win32 {
namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00, kWhite = 0xFFFFFF;
const std::vector<uint8_t> kTwoColours{0, 0, 0xFF, 0, 0xFF, 0, 0, 0};  // red, blue

TEST(Win32Bmp, ReadsEveryFormRowsFromTheBottomUnlessTheHeightIsNegative) {
  const std::vector<std::pair<BmpForm, std::vector<uint32_t>>> forms = {
      // 24 bits, two rows of two, each row padded to four bytes; the bottom row comes first.
      {{2, 2, 24, 0, {}, {0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0}},
       {kGreen, kWhite, kRed, kBlue}},
      {{2, -1, 24, 0, {}, {0, 0, 0xFF, 0xFF, 0, 0, 0, 0}}, {kRed, kBlue}},
      {{1, 2, 24, 0, {}, {0xFF, 0, 0, 0, 0, 0, 0xFF, 0}}, {kRed, kBlue}},  // one pixel wide
      {{2, 1, 32, 0, {}, {0, 0, 0xFF, 0x80, 0xFF, 0, 0, 0xFF}}, {kRed, kBlue}},
      {{2, 1, 8, 0, kTwoColours, {1, 0, 0, 0}}, {kBlue, kRed}},
      {{3, 1, 4, 0, kTwoColours, {0x10, 0x10, 0, 0}}, {kBlue, kRed, kBlue}},
      {{3, 1, 1, 0, kTwoColours, {0xA0, 0, 0, 0}}, {kBlue, kRed, kBlue}},
      {{2, 1, 32, 3, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0}, {0, 0, 0xFF, 0, 0xFF, 0, 0, 0}},
       {kRed, kBlue}},
      // Run lengths: three of colour 1, then the end of the picture.
      {{3, 1, 8, 1, kTwoColours, {3, 1, 0, 1}}, {kBlue, kBlue, kBlue}},
      {{3, 1, 4, 2, kTwoColours, {3, 0x10, 0, 1}}, {kBlue, kRed, kBlue}},
      {{2, 1, 24, 0, {}, {0, 0, 0xFF, 0xFF, 0, 0, 0, 0}, true}, {kRed, kBlue}},
      // Bit fields at 16 bits a pixel: five bits each for red, green and blue.
      {{2, 1, 16, 3, {0, 0x7C, 0, 0, 0xE0, 0x03, 0, 0, 0x1F, 0, 0, 0}, {0, 0x7C, 0x1F, 0}},
       {kRed, kBlue}},
      // Masks inside a longer header: red in the low byte, blue in the third.
      {{2,
        1,
        32,
        3,
        {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0},
        {0xFF, 0, 0, 0, 0, 0, 0xFF, 0},
        false,
        true},
       {kRed, kBlue}},
      // Colour tables whose every byte differs, with four and with three bytes an entry.
      {{2, 1, 8, 0, {0x10, 0x20, 0x30, 0x77, 0x40, 0x50, 0x60, 0x77}, {1, 0, 0, 0}},
       {0x605040, 0x302010}},
      {{2, 1, 1, 0, {0x10, 0x20, 0x30, 0x40, 0x50, 0x60}, {0x80, 0, 0, 0}, true},
       {0x605040, 0x302010}}};
  for (size_t i = 0; i < forms.size(); ++i) {
    const auto& [form, want] = forms[i];
    std::string why;
    const Bitmap bitmap = DecodeBmp(Bmp(form), why);
    ASSERT_FALSE(bitmap.Empty()) << "form " << i << ": " << why;
    ASSERT_EQ(bitmap.Width() * bitmap.Height(), static_cast<int>(want.size())) << "form " << i;
    for (size_t p = 0; p < want.size(); ++p)
      EXPECT_EQ(bitmap.At(int(p) % bitmap.Width(), int(p) / bitmap.Width()), want[p])
          << "form " << i << " pixel " << p;
  }
}

TEST(Win32Bmp, RefusesWhatIsNoBitmapOrAsksForMoreThanItHolds) {
  const auto refused = [](std::vector<uint8_t> file) {
    std::string why;
    EXPECT_TRUE(DecodeBmp(file, why).Empty());
    return why;
  };
  const std::string notBmp = "it is not a Windows bitmap (BMP) file";
  std::vector<uint8_t> plain = Bmp({2, 1, 24, 0, {}, {0, 0, 0xFF, 0xFF, 0, 0, 0, 0}});
  auto renamed = plain;
  renamed[0] = 'X';
  EXPECT_EQ(refused(renamed), notBmp);
  EXPECT_EQ(refused(Bmp({2, 1, 3, 0, {}, {0, 0, 0, 0}})), notBmp);
  auto oddHeader = plain;  // a header of 41 bytes: no form has one
  oddHeader[14] = 41;
  EXPECT_EQ(refused(oddHeader), notBmp);
  EXPECT_EQ(refused(Bmp({2, 1, 8, 2, kTwoColours, {0, 1}})),
            "it uses a form of bitmap coding that Korvane does not read");
  for (const uint16_t bits : {8, 24})  // run lengths at 24 bits, bit fields at 8 or 24
    for (const uint32_t coding : {bits == 8 ? 3u : 1u, 3u})
      EXPECT_EQ(refused(Bmp({2,
                             1,
                             bits,
                             coding,
                             {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0},
                             {0, 1, 2, 3, 4, 5, 6, 7}})),
                "it uses a form of bitmap coding that Korvane does not read")
          << bits << " " << coding;
  EXPECT_EQ(refused(Bmp({2, -1, 8, 1, kTwoColours, {0, 1}})), "its header gives no usable size");
  EXPECT_EQ(refused(Bmp({0, 1, 24, 0, {}, {}})), "its header gives no usable size");
  EXPECT_EQ(refused(Bmp({2, 0, 24, 0, {}, {}})), "its header gives no usable size");
  EXPECT_EQ(refused(std::vector<uint8_t>(plain.begin(), plain.end() - 1)),
            "the file ends inside its pixels");
  for (const auto& [offset, why] :
       {std::pair(plain.size(), "the file ends before its pixels"),
        std::pair(plain.size() - 1, "the file ends inside its pixels")}) {
    auto moved = plain;  // where the pixels start
    moved[10] = uint8_t(offset);
    EXPECT_EQ(refused(moved), why) << offset;
  }
  EXPECT_EQ(refused(std::vector<uint8_t>(plain.begin(), plain.begin() + 40)),
            "the file ends inside its header");
  EXPECT_EQ(refused(Bmp({2, 1, 8, 0, {0, 0, 0xFF}, {}})), "the file ends inside its colour table");
  EXPECT_NE(refused(Bmp({16385, 16385, 24, 0, {}, {}})).find("more than the 1024 MiB"),
            std::string::npos);
  EXPECT_EQ(refused(Bmp({16384, 16384, 24, 0, {}, {}})), "the file ends before its pixels");
}

// Each bitmap's drawing object lives exactly as long as the bitmap that holds it, moves included:
// a picture loaded and dropped again and again must not use up the program's drawing objects.
TEST(Win32Bitmap, ReleasesItsDrawingObjectWhenItGoes) {
  HBITMAP first = nullptr;
  {
    Bitmap a(4, 3), b(2, 2);
    first = a.Handle();
    const HBITMAP second = b.Handle();
    ASSERT_EQ(::GetObjectType(second), DWORD{OBJ_BITMAP});
    b = std::move(a);
    EXPECT_EQ(::GetObjectType(second), 0u);
    const Bitmap c(std::move(b));
    EXPECT_TRUE(a.Empty() && b.Empty());
    EXPECT_EQ(c.Handle(), first);
    EXPECT_EQ(::GetObjectType(first), DWORD{OBJ_BITMAP});
  }
  EXPECT_EQ(::GetObjectType(first), 0u);
}

}  // namespace
}  // namespace korvane::win32
