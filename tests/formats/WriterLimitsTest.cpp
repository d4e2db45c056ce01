// What the map writer and the picture encoder refuse to start on, at the edges of each rule.

#include <gtest/gtest.h>

#include "formats/BlockSink.h"
#include "formats/MapFile.h"
#include "formats/PngFile.h"

namespace korvane {
namespace {

TEST(WriterLimits, AMapIsWrittenOnlyWhenBothLayersHaveOneSize) {
  const struct {
    int32_t w, h, overlayW, overlayH;
    bool written;
  } rows[] = {{32767, 1, 32767, 1, true}, {1, 32767, 1, 32767, true}, {2, 3, 3, 3, false},
              {2, 3, 2, 2, false},        {2, 3, 2, 4, false},        {2, 3, 2, 3, true}};
  for (const auto& row : rows) {
    const Grid16 tiles = *Grid16::TryCreate(row.w, row.h);
    const OverlayLayer overlay = *OverlayLayer::TryCreate(row.overlayW, row.overlayH);
    EXPECT_EQ(MapFileWriter::For(1, 2, tiles, overlay).has_value(), row.written)
        << row.w << " x " << row.h << ", overlay " << row.overlayW << " x " << row.overlayH;
  }
  EXPECT_FALSE(MapFileWriter::For(1, 2, Grid16(), OverlayLayer()));
}

TEST(WriterLimits, AMapFileHoldsUpTo32767OverlayObjects) {
  for (const int objects : {32767, 32768}) {
    MapDocument map;
    map.MapTiles = TileLayer(*Grid16::TryCreate(200, 200));
    map.OverlayData = *OverlayLayer::TryCreate(200, 200);
    for (int i = 0; i < objects; ++i) map.OverlayData.Set(i % 200, i / 200, 1);
    const auto outputs = KorvaneMapFormat().writer->Outputs(map, "x.map", {});
    const auto* refusal = std::get_if<std::string>(&outputs);
    EXPECT_EQ(refusal ? *refusal : "", objects > 32767
                                           ? "the map holds more than the 32767 overlay "
                                             "objects a map file can hold."
                                           : "");
  }
}

TEST(WriterLimits, TheSizeGivenIsTheBytesWritten) {
  for (const int objects : {0, 2}) {
    const Grid16 tiles = *Grid16::TryCreate(3, 2);
    OverlayLayer overlay = *OverlayLayer::TryCreate(3, 2);
    for (int i = 0; i < objects; ++i) overlay.Set(i, 1, 7);
    const auto writer = MapFileWriter::For(1, 2, tiles, overlay);
    size_t written = 0;
    ASSERT_TRUE(writer->WriteTo([&](std::span<const uint8_t> piece) {
      written += piece.size();
      return true;
    }));
    EXPECT_EQ(writer->Size(), written) << objects;
  }
}

// Exported text goes out 64 KiB at a time, so a large map never sits in memory whole as text;
// after a write fails, nothing more is written.
TEST(WriterLimits, TextGoesOutABlockAtATimeUntilAWriteFails) {
  std::vector<size_t> writes;
  bool accepted = true;
  BlockSink out([&](std::string_view text) { return writes.push_back(text.size()), accepted; });
  out.Put(std::string(65535, 'a'));
  EXPECT_TRUE(writes.empty());
  out.Put("b");
  EXPECT_EQ(writes, std::vector<size_t>{65536});
  out.Put("c");
  accepted = false;
  EXPECT_FALSE(out.Flush());
  out.Put(std::string(70000, 'd'));
  EXPECT_FALSE(out.Flush());
  EXPECT_EQ(writes, (std::vector<size_t>{65536, 1}));
}

TEST(WriterLimits, APictureNeedsAtLeastOnePixelEachWay) {
  for (const auto& [w, h] : {std::pair{0, 1}, {1, 0}, {0, 0}, {1, 1}}) {
    const toolkit::RgbImage image{w, h, std::vector<toolkit::Color>(size_t(w * h))};
    EXPECT_EQ(EncodePng(image).has_value(), w > 0 && h > 0) << w << " x " << h;
  }
}

}  // namespace
}  // namespace korvane
