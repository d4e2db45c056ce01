// The Windows editor's picture loader: every form of bitmap file it reads, and the files it
// refuses with the reason it gives.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "toolkit/win32/Win32Picture.h"

namespace korvane::win32 {
namespace {

void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

struct BmpForm {
  int32_t width;
  int32_t height;
  uint16_t bitsPerPixel;
  uint32_t coding;             // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
  std::vector<uint8_t> table;  // colour table (B, G, R, 0 each) or the three masks
  std::vector<uint8_t> pixels;
  bool os2 = false;  // the 12-byte header, with 3-byte table entries
  bool v4 = false;   // the 108-byte header, which holds the masks itself
};

std::vector<uint8_t> Bmp(const BmpForm& f) {
  const uint32_t header = f.os2 ? 12 : f.v4 ? 108 : 40;
  const uint32_t offset = 14 + header + (f.v4 ? 0 : static_cast<uint32_t>(f.table.size()));
  std::vector<uint8_t> b{'B', 'M'};
  Put(b, offset + static_cast<uint32_t>(f.pixels.size()), 4);
  Put(b, 0, 4);
  Put(b, offset, 4);
  Put(b, header, 4);
  if (f.os2) {
    Put(b, static_cast<uint32_t>(f.width), 2);
    Put(b, static_cast<uint32_t>(f.height), 2);
    Put(b, 1, 2);
    Put(b, f.bitsPerPixel, 2);
  } else {
    for (const uint32_t v : {static_cast<uint32_t>(f.width), static_cast<uint32_t>(f.height)})
      Put(b, v, 4);
    Put(b, 1, 2);
    Put(b, f.bitsPerPixel, 2);
    Put(b, f.coding, 4);
    Put(b, static_cast<uint32_t>(f.pixels.size()), 4);
    Put(b, 0, 4);  // resolution
    Put(b, 0, 4);
    Put(b, f.bitsPerPixel <= 8 ? static_cast<uint32_t>(f.table.size() / 4) : 0, 4);  // colours
    Put(b, 0, 4);
  }
  b.insert(b.end(), f.table.begin(), f.table.end());
  b.resize(std::max<size_t>(b.size(), offset));
  b.insert(b.end(), f.pixels.begin(), f.pixels.end());
  return b;
}

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00, kWhite = 0xFFFFFF;
const std::vector<uint8_t> kTwoColours{0, 0, 0xFF, 0, 0xFF, 0, 0, 0};  // red, blue

TEST(Win32Bmp, ReadsEveryFormRowsFromTheBottomUnlessTheHeightIsNegative) {
  const std::vector<std::pair<BmpForm, std::vector<uint32_t>>> forms = {
      // 24 bits, two rows of two, each row padded to four bytes; the bottom row comes first.
      {{2, 2, 24, 0, {}, {0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0}},
       {kGreen, kWhite, kRed, kBlue}},
      {{2, -1, 24, 0, {}, {0, 0, 0xFF, 0xFF, 0, 0, 0, 0}}, {kRed, kBlue}},
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
  EXPECT_EQ(refused(Bmp({2, 1, 8, 2, kTwoColours, {0, 1}})),
            "it uses a form of bitmap coding that Korvane does not read");
  EXPECT_EQ(refused(Bmp({2, 1, 24, 1, {}, {0, 1}})),
            "it uses a form of bitmap coding that Korvane does not read");
  EXPECT_EQ(refused(Bmp({2, -1, 8, 1, kTwoColours, {0, 1}})), "its header gives no usable size");
  EXPECT_EQ(refused(Bmp({0, 1, 24, 0, {}, {}})), "its header gives no usable size");
  EXPECT_EQ(refused(Bmp({2, 0, 24, 0, {}, {}})), "its header gives no usable size");
  EXPECT_EQ(refused(std::vector<uint8_t>(plain.begin(), plain.end() - 1)),
            "the file ends inside its pixels");
  EXPECT_EQ(refused(std::vector<uint8_t>(plain.begin(), plain.begin() + 40)),
            "the file ends inside its header");
  EXPECT_EQ(refused(Bmp({2, 1, 8, 0, {0, 0, 0xFF}, {}})), "the file ends inside its colour table");
  EXPECT_NE(refused(Bmp({16385, 16385, 24, 0, {}, {}})).find("more than the 1024 MiB"),
            std::string::npos);
}

}  // namespace
}  // namespace korvane::win32
