#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

using CliSymmetry = CliTest;

// mirror then check passes for every mode and every part it can keep, on even and odd sizes and
// on maps one cell wide or high; the cells inside the kept part keep their tiles and objects,
// and info lists the mode.
TEST_F(CliSymmetry, MirrorThenCheckPassesForEveryModeAndKeep) {
  const std::pair<std::string, std::vector<std::string>> modes[] = {
      {"left-right", {"left", "right"}},
      {"top-bottom", {"top", "bottom"}},
      {"four-way", {"top-left", "top-right", "bottom-left", "bottom-right"}},
      {"half-turn", {"left", "right", "top", "bottom"}}};
  for (const auto& [w, h] : {std::pair(4, 3), std::pair(5, 4), std::pair(1, 5), std::pair(5, 1)}) {
    std::vector<int16_t> tiles(static_cast<size_t>(w * h));
    for (size_t i = 0; i < tiles.size(); ++i) tiles[i] = static_cast<int16_t>(i + 1);
    Grid16 overlay = Grid(w, h);
    overlay.Set(0, 0, 7);
    overlay.Set(w - 1, h - 1, 9);
    WriteMap("in.map", Grid(w, h, tiles), overlay);
    for (const auto& [mode, keeps] : modes)
      for (const std::string& keep : keeps) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " " + mode + " " + keep);
        const RunResult mirrored =
            Line("mirror @in.map --symmetry " + mode + " --keep " + keep + " -o @out.map");
        ASSERT_EQ(std::tuple(mirrored.code, mirrored.out, mirrored.err), std::tuple(0, "", ""));
        EXPECT_EQ(Line("check @out.map --symmetry " + mode).out, "ok\n");
        EXPECT_NE(Line("info @out.map").out.find('"' + mode + '"'), std::string::npos);
        const auto out = std::get<MapDocument>(ParseMapFile(ReadBytes(Path("out.map"))));
        const auto in = std::get<MapDocument>(ParseMapFile(ReadBytes(Path("in.map"))));
        const auto has = [&keep](const char* side) { return keep.find(side) != std::string::npos; };
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            if ((has("left") && x >= w / 2) || (has("right") && x < (w + 1) / 2) ||
                (has("top") && y >= h / 2) || (has("bottom") && y < (h + 1) / 2))
              continue;
            EXPECT_EQ(std::pair(out.MapTiles.At(x, y), out.OverlayData.At(x, y)),
                      std::pair(in.MapTiles.At(x, y), in.OverlayData.At(x, y)));
          }
      }
  }
}

// A cell differs when its tile or its object differs from one of its images; those cells are
// listed as rectangles, and --json says the same.
TEST_F(CliSymmetry, CheckCountsTheCellsThatDifferFromTheirImages) {
  Grid16 overlay = Grid(4, 3);
  overlay.Set(3, 2, 2);
  WriteMap("m.map", Grid(4, 3, {1}), overlay);
  const std::string corners = "  0,0 .. 0,0 (1 x 1)\n  3,0 .. 3,0 (1 x 1)\n";
  const std::string four = corners + "  0,2 .. 0,2 (1 x 1)\n  3,2 .. 3,2 (1 x 1)\n";
  for (const auto& [mode, cells, list] :
       {std::tuple("left-right", 4, four), std::tuple("top-bottom", 4, four),
        std::tuple("four-way", 4, four),
        std::tuple("half-turn", 2, std::string("  0,0 .. 0,0 (1 x 1)\n  3,2 .. 3,2 (1 x 1)\n"))}) {
    const RunResult text = Line("check @m.map --symmetry " + std::string(mode));
    const std::string head = std::string(mode) + ": " + std::to_string(cells) +
                             " cells differ from their images, in " + std::to_string(cells) +
                             " rectangles\n";
    EXPECT_EQ(std::tuple(text.code, text.out, text.err), std::tuple(1, head + list, ""));
    const RunResult json = Line("check @m.map --json --symmetry " + std::string(mode));
    const rapidjson::Document doc = ParsedJson(json.out);
    EXPECT_EQ(std::tuple(json.code, doc["symmetric"].GetBool(), doc["differing_cells"].GetInt(),
                         doc["rectangles"].Size()),
              std::tuple(1, false, cells, static_cast<unsigned>(cells)));
  }
}

TEST_F(CliSymmetry, BadUsageAndOutputsThatMayNotBeWritten) {
  WriteMap("m.map", Grid(2, 2), Grid(2, 2));
  const std::string mirror = "mirror @m.map -o @o.map --symmetry ";
  for (const auto& [line, reason] :
       {std::pair<std::string, std::string>{"check @m.map --json", "--json applies only with"},
        {"check @m.map --symmetry diagonal", "--symmetry must be left-right, top-bottom"},
        {"mirror @m.map --keep left -o @o.map", "missing --symmetry"},
        {mirror + "left-right", "missing --keep"},
        {"mirror @m.map --symmetry left-right --keep left", "missing -o"},
        {mirror + "left-right --keep top",
         "--keep top does not fit --symmetry left-right (left or right)"},
        {mirror + "top-bottom --keep right",
         "--keep right does not fit --symmetry top-bottom (top or bottom)"},
        {mirror + "four-way --keep left",
         "--keep left does not fit --symmetry four-way (top-left, top-right, bottom-left or "
         "bottom-right)"},
        {mirror + "half-turn --keep top-left",
         "--keep top-left does not fit --symmetry half-turn (left, right, top or bottom)"},
        {"mirror @m.map --symmetry half-turn --keep left -o @m.map", "itself"}})
    ExpectRefused(line, 2, reason);
  ExpectRefused("mirror @m.map --symmetry half-turn --keep left -o /dev/null", 1, "/dev/null");
  EXPECT_FALSE(std::filesystem::exists(Path("o.map")));
}

}  // namespace
}  // namespace korvane::clitest
