// Damaged map files and catalogues opened by the running editor: every prefix of a good file and
// every single-bit flip either loads completely or leaves the editor as it was, and closing the
// catalogue window never throws away what the damaged file still held.

#include <optional>
#include <string>
#include <vector>

#include "overlay/Catalogue.h"
#include "overlay/DatView.h"
#include "tests/hardening/HardeningFixture.h"

namespace korvane::hardening {
namespace {

// The map a file holds, read the plainest way and independently of the editor's reader; nullopt
// when the bytes do not hold a whole map.
std::optional<MapFileContents> Decode(const std::vector<uint8_t>& b) {
  size_t at = 16;
  const auto next = [&](int bytes) -> std::optional<int32_t> {
    if (at + static_cast<size_t>(bytes) > b.size()) return std::nullopt;
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(b[at + i]) << (8 * i);
    at += static_cast<size_t>(bytes);
    return bytes == 2 ? int32_t{static_cast<int16_t>(v)} : static_cast<int32_t>(v);
  };
  const auto w = next(2), h = next(2), human = next(4), computer = next(4);
  if (!computer || *w < 1 || *h < 1) return std::nullopt;
  if (b.size() < 30 + 2 * static_cast<size_t>(*w * *h)) return std::nullopt;
  MapFileContents m;
  m.width = static_cast<int16_t>(*w);
  m.height = static_cast<int16_t>(*h);
  m.humanResources = *human;
  m.computerResources = *computer;
  m.tiles = MakeGrid(*w, *h);
  m.overlay = MakeGrid(*w, *h);
  for (int16_t& cell : m.tiles.Cells()) cell = static_cast<int16_t>(*next(2));
  const int32_t entries = *next(2);
  for (int32_t i = 0; i < entries; ++i) {
    const auto x = next(2), y = next(2), v = next(2);
    if (!v || !m.overlay.Contains(*x, *y)) return std::nullopt;
    m.overlay.Set(*x, *y, static_cast<int16_t>(*v));
  }
  return m;
}

class DamagedFiles : public HardeningTest {
 protected:
  std::unique_ptr<Session> session = NewSession();
};

std::vector<uint8_t> DemoMap() {
  return ReadBytes(std::filesystem::path(KORVANE_DEMO_MAP));
}

// Every prefix of two good maps and every single-bit flip of a small one, each loaded through
// LoadMap over an unsaved 3 x 2 map: the file's whole map or the document as it was.
TEST_F(DamagedFiles, EveryPrefixAndBitFlipLoadsWholeOrNotAtAll) {
  std::vector<std::vector<uint8_t>> damaged;
  for (const auto& golden : {DemoMap(), Bytes(SampleMap(4, 3, 2))}) {
    ASSERT_TRUE(Decode(golden));
    for (size_t length = 0; length <= golden.size(); ++length)
      damaged.emplace_back(golden.begin(), golden.begin() + static_cast<ptrdiff_t>(length));
  }
  const std::vector<uint8_t> good = Bytes(SampleMap(5, 3, 1));
  for (size_t bit = 0; bit < good.size() * 8; ++bit) {
    damaged.push_back(good);
    damaged.back()[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
  }
  MapView& v = session->view();
  size_t loaded = 0;
  for (size_t i = 0; i < damaged.size(); ++i) {
    SCOPED_TRACE(i);
    session->PutSmallMap(Path("current.map"));
    const DocumentSnapshot before = Snapshot(v);
    WriteBytes(Path("damaged.map"), damaged[i]);
    v.LoadMap(Path("damaged.map"));
    ExpectConsistent(v);
    if (const auto expected = Decode(damaged[i])) {
      ++loaded;
      EXPECT_EQ(v.MapWidth, expected->width);
      EXPECT_EQ(v.MapHeight, expected->height);
      EXPECT_EQ(v.HumanResources, expected->humanResources);
      EXPECT_EQ(v.ComputerResources, expected->computerResources);
      EXPECT_EQ(v.MapTiles.Tiles(), expected->tiles);
      EXPECT_EQ(v.MapTiles.UndoTiles(), expected->tiles);
      EXPECT_EQ(v.OverlayData, expected->overlay);
      EXPECT_EQ(v.MapChanged, 0);
      EXPECT_EQ(v.CurrentMapFile, Path("damaged.map"));
    } else {
      EXPECT_EQ(Snapshot(v), before);
    }
    if (HasFailure()) return;
  }
  // Whole files and most flips load; short prefixes and flips in the size mostly do not.
  EXPECT_GT(loaded, 2u);
  EXPECT_LT(loaded, damaged.size());
}

// A damaged Overlay.dat shows what can be read of it, and the close that rewrites the file keeps
// the damaged original aside whenever the window could not hold all of it.
TEST_F(DamagedFiles, DamagedCataloguesLoseNothingOnClose) {
  const std::vector<CatalogueEntry> entries = {
      {"1: Tree", 259}, {"2: Rock, big", 129}, {"3: say \"hi\"", 16383}};
  const std::vector<uint8_t> good = WriteCatalogue(entries);
  std::vector<std::vector<uint8_t>> damaged;
  for (size_t length = 0; length < good.size(); ++length)
    damaged.emplace_back(good.begin(), good.begin() + static_cast<ptrdiff_t>(length));
  // Flips that turn digits into letters or signs, quotes into other marks, line ends into text.
  for (size_t byte = 0; byte < good.size(); ++byte) {
    for (const unsigned bit : {0u, 2u, 5u}) {
      damaged.push_back(good);
      damaged.back()[byte] ^= static_cast<uint8_t>(1u << bit);
    }
  }
  Editor& editor = session->editor;
  for (size_t i = 0; i < damaged.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(editor.UnloadDatView());
    std::filesystem::remove(CataloguePath() + ".bak");
    WriteBytes(CataloguePath(), damaged[i]);
    DatView& dat = editor.datView();
    ASSERT_GE(dat.Items->ListCount(), 1);
    EXPECT_EQ(dat.Items->List(0), "Remove");
    std::vector<CatalogueEntry> shown;
    for (int16_t k = 1; k < dat.Items->ListCount(); ++k)
      shown.push_back({dat.Items->List(k), dat.Items->ItemData(k)});
    ASSERT_TRUE(editor.UnloadDatView());
    EXPECT_EQ(ReadCatalogue(ReadBytes(CataloguePath())).entries, shown);
    if (!ReadCatalogue(damaged[i]).complete) {
      EXPECT_EQ(ReadBytes(CataloguePath() + ".bak"), damaged[i]);
    }
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace korvane::hardening
