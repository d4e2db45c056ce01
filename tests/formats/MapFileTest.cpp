// The map file's layout. Files made by hand, every prefix of good files and every single-bit flip
// of one are loaded by the running editor and judged by a reader written here the plainest way,
// independently of the editor's: the file's whole map, or the document as it was and one message
// that names the byte and the reason.

#include "tests/document/DocumentFixture.h"

namespace korvane::testing_document {
namespace {

std::optional<MapDocument> Decode(const std::vector<uint8_t>& b) {
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
  MapDocument m;
  m.MapWidth = static_cast<int16_t>(*w);
  m.MapHeight = static_cast<int16_t>(*h);
  m.HumanResources = *human;
  m.ComputerResources = *computer;
  Grid16 tiles = MakeGrid(*w, *h);
  for (int16_t& cell : tiles.Cells()) cell = static_cast<int16_t>(*next(2));
  m.MapTiles = TileLayer(std::move(tiles));
  m.OverlayData = *OverlayLayer::TryCreate(*w, *h);
  const int32_t entries = *next(2);
  for (int32_t i = 0; i < entries; ++i) {
    const auto x = next(2), y = next(2), v = next(2);
    if (!v || !m.OverlayData.Contains(*x, *y)) return std::nullopt;
    m.OverlayData.Set(*x, *y, static_cast<int16_t>(*v));
  }
  return m;
}

// The bytes the editor must write for a map: one entry per object above 0, row by row.
std::vector<uint8_t> Encode(const MapDocument& m) {
  const CellVector& cells = m.MapTiles.Tiles().Cells();
  std::vector<int> tiles(cells.begin(), cells.end()), rest = {0};
  for (int y = 0; y < m.MapHeight; ++y)
    for (int x = 0; x < m.MapWidth; ++x)
      if (const int v = m.OverlayData.At(x, y); v > 0) {
        rest.insert(rest.end(), {x, y, v});
        ++rest[0];
      }
  return MapBytes(m.MapWidth, m.MapHeight, m.HumanResources, m.ComputerResources, tiles, rest);
}

class MapFileLayout : public DocumentTest {
 protected:
  // Loads `bytes` over an unsaved 3 x 2 map and checks the outcome against Decode (with the file
  // operation `failAt` failing, a refusal); a map that loaded is then saved with Save As over a
  // file that held other bytes, and checked against Encode. Returns the message shown, "" when
  // the map loaded.
  std::string Load(const std::vector<uint8_t>& bytes, bool saveBack = false, int failAt = -1) {
    MapView& v = view();
    PutSmallMap(Path("current.map"));
    const auto before = Snapshot(v);
    WriteBytes(Path("m.map"), bytes);
    tk.failuresReported.clear();
    tk.files.operations = 0;
    tk.files.failAt = failAt;
    v.LoadMap(Path("m.map"));
    const auto& told = tk.failuresReported;
    const auto m = failAt < 0 ? Decode(bytes) : std::nullopt;
    if (!m) {
      EXPECT_EQ(Snapshot(v), before);
      return told.size() == 1 ? told[0] : "(" + std::to_string(told.size()) + " messages)";
    }
    EXPECT_EQ(Snapshot(v),
              std::tuple(m->MapWidth, m->MapHeight, m->HumanResources, m->ComputerResources,
                         m->MapTiles.Tiles(), m->MapTiles.Tiles(), m->OverlayData, Path("m.map"),
                         "m - Korvane", 0));
    if (saveBack) {
      WriteBytes(Path("saved.map"), std::vector<uint8_t>(100, 0xAB));
      v.Map.MapChanged = 1;
      tk.fileAnswers = {Path("saved.map")};
      v.MENU_SAVEAS_MAP_Click();
      EXPECT_EQ(ReadBytes(Path("saved.map")), Encode(*m));
      EXPECT_EQ(std::tuple(v.Map.MapChanged, v.Map.CurrentMapFile, v.window->Caption()),
                std::tuple(0, Path("saved.map"), "saved - Korvane"));
    }
    EXPECT_EQ(told, std::vector<std::string>{});
    return "";
  }
};

TEST_F(MapFileLayout, EachFileLoadsWholeOrIsRefusedWithTheByteAndTheReason) {
  const auto two = MapBytes(2, 1, 5, 6, {5, 7}, {1, 1, 0, 3});
  const auto cut = [&two](int n) { return std::vector<uint8_t>(two.begin(), two.begin() + n); };
  const auto entries = [](std::vector<int> rest) { return MapBytes(2, 1, 5, 6, {5, 7}, rest); };
  auto odd = MapBytes(2, 2, INT32_MIN, INT32_MAX, {-32768, 32767, 0, -1},
                      {4, 1, 1, 8, 0, 0, 5, 1, 1, 9, 1, 0, -3});
  odd[0] = 0x99;
  const auto ends = [](int at, const std::string& what, int needed, int remain) {
    return std::to_string(at) + ": The file ends inside " + what + ": " + std::to_string(needed) +
           " bytes are needed but only " + std::to_string(remain) + " remain.";
  };
  const auto outside = [](int at, int entry, const std::string& xy) {
    return std::to_string(at) + ": Overlay entry " + std::to_string(entry) + " lies at (" + xy +
           "), outside the 2 x 1 map.";
  };
  // clang-format off
  struct Row { const char* what; std::vector<uint8_t> bytes; std::string refusal; };  // "": loads
  // clang-format on
  const Row rows[] = {
      {"1 x 3, an entry in the last row", MapBytes(1, 3, -1, -2, {1, 2, 3}, {1, 0, 2, 7}), ""},
      {"32767 x 1, an entry in the last cell",
       MapBytes(32767, 1, 1, 2, std::vector<int>(32767, 3), {1, 32766, 0, 4}), ""},
      {"any order, later wins, values as read, any signature", odd, ""},
      {"count -1 is none, bytes after it unread", entries({-1, 9, 9, 9}), ""},
      {"empty", {}, ends(0, "the 16-byte signature", 16, 0)},
      {"15 bytes", cut(15), ends(0, "the 16-byte signature", 16, 15)},
      {"16 bytes", cut(16), ends(16, "the map header", 12, 0)},
      {"27 bytes", cut(27), ends(16, "the map header", 12, 11)},
      {"28 bytes", cut(28), ends(28, "the tile layer of 2 x 1 tiles", 4, 0)},
      {"width 0", MapBytes(0, 1, 0, 0, {}, {0}), "16: The map width is 0 but must be at least 1."},
      {"width -32768", MapBytes(0x8000, 1, 0, 0, {1}, {0}),
       "16: The map width is -32768 but must be at least 1."},
      {"tile layer 1 byte short", cut(31), ends(28, "the tile layer of 2 x 1 tiles", 4, 3)},
      {"no count", cut(32), ends(32, "the overlay entry count", 2, 0)},
      {"entry cut short", cut(38), ends(34, "the 1 overlay entries", 6, 4)},
      {"count 32767", entries({32767, 1, 0, 3}), ends(34, "the 32767 overlay entries", 196602, 6)},
      {"x = width", entries({1, 2, 0, 3}), outside(34, 1, "2, 0")},
      {"y = height", entries({1, 0, 1, 3}), outside(34, 1, "0, 1")},
      {"second entry x = -1", entries({2, 1, 0, 3, -1, 0, 3}), outside(40, 2, "-1, 0")},
  };
  MapView& v = view();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    // Every load ends overlay mode and gives up a map waiting from the command line.
    if (v.EditMode == 0) v.MENU_DATA_VIEW_Click();
    v.StartupMapFile = "waiting";
    const std::string prefix =
        "The file \"" + Path("m.map") + "\" is not a map that Korvane can open. At byte ";
    EXPECT_EQ(Load(row.bytes, true), row.refusal.empty() ? "" : prefix + row.refusal);
    EXPECT_TRUE(v.EditMode == 0 && editor->TileViewVisible() && !editor->DatViewVisible());
    EXPECT_EQ(v.StartupMapFile, "");
  }
}

// Every prefix (around the header and the entries) of the shipped demo map and a small one, and
// every single-bit flip of the small one.
TEST_F(MapFileLayout, EveryPrefixAndBitFlipLoadsWholeOrNotAtAll) {
  const auto small = *SerializeMapFile(1004, -14, Pattern(5, 3, 2), OverlayOf(Pattern(5, 3, 1, 4)));
  std::vector<std::vector<uint8_t>> files;
  for (const auto& good : {ReadBytes(KORVANE_DEMO_MAP), small}) {
    ASSERT_TRUE(Decode(good));
    for (size_t n = 0; n <= good.size(); ++n)  // the header, the entries and everything around
      if (n < 40 || n + 40 > good.size()) files.emplace_back(good.begin(), good.begin() + n);
  }
  for (size_t bit = 0; bit < small.size() * 8; ++bit) {
    files.push_back(small);
    files.back()[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
  }
  size_t loaded = 0;
  for (size_t i = 0; i < files.size() && !HasFailure(); ++i) {
    SCOPED_TRACE(i);
    loaded += Load(files[i]).empty();
  }
  EXPECT_TRUE(loaded > 2 && loaded < files.size()) << loaded;  // neither all nor none
  // A failed open or read at each step of a good file's load (open, header, count, entries, tiles).
  for (int n = 0; n < 5; ++n) EXPECT_NE(Load(small, false, n), "") << n;
  EXPECT_EQ(Load(small), "");
  EXPECT_EQ(tk.files.operations, 5);
}

}  // namespace
}  // namespace korvane::testing_document
