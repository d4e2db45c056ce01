// Random editing sessions through the menus and the mouse: presses in every painting mode, flood
// fills, loads, new maps, saves and mode switches, with the undo copy checked after every step
// against the plainest model of it, a full copy of the tiles taken whenever the copy is due.

#include <map>
#include <random>
#include <string>

#include "tests/hardening/HardeningFixture.h"

namespace korvane::hardening {
namespace {

using toolkit::MessageResult;

class UndoSessionModel : public HardeningTest, public testing::WithParamInterface<uint32_t> {};

TEST_P(UndoSessionModel, UndoCopyIsTheTilesWhenTheLastCopyWasDue) {
  std::mt19937 rng(GetParam());
  const auto pick = [&rng](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
  };
  auto s = NewSession();
  MapView& v = s->view();
  headless::HeadlessToolkit& tk = s->tk;
  Grid16 model;  // the undo copy as a full copy: empty before the first map
  // What the test saved to each file, or nothing for files that hold no map.
  std::map<std::string, Grid16> saved;
  const std::string files[] = {Path("a.map"), Path("b.map"), Path("broken.map"),
                               Path("missing.map")};
  WriteBytes(files[2], {1, 2, 3});
  // Answers the "lose all changes?" question when it is going to be asked; true to go on.
  const auto confirm = [&] {
    if (v.MapChanged != 1) return true;
    const bool yes = pick(0, 3) != 0;
    tk.messageAnswers = {yes ? MessageResult::Yes : MessageResult::No};
    return yes;
  };
  const char* sides[] = {"0", "abc", "-3", "1", "2", "5", "8", "9"};
  const auto side = [&] { return std::string(sides[pick(0, 7)]); };

  for (int step = 0; step < 400; ++step) {
    SCOPED_TRACE(step);
    const Grid16 tilesBefore = v.MapTiles.Tiles();
    const bool tileModePress = v.MapWidth >= 1 && !s->editor.DatViewVisible();
    const float x = static_cast<float>(pick(-200, 2400));
    const float y = static_cast<float>(pick(-200, 2000));
    switch (pick(0, 15)) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
        v.PaintMode->SetListIndex(static_cast<int16_t>(pick(0, 2)));
        v.Display_MouseDown(static_cast<int16_t>(pick(1, 2)), 0, x, y);
        if (tileModePress) model = tilesBefore;
        break;
      case 5:
      case 6:
      case 7:
        v.Display_MouseMove(1, 0, x, y);
        break;
      case 8:
        v.Display_MouseUp(1, 0, x, y);
        break;
      case 9:
        tk.messageAnswers = {pick(0, 1) ? MessageResult::Yes : MessageResult::No};
        v.FloodFillMap_Click();
        break;
      case 10:
      case 11:
        v.CommandUndo_Click();
        ASSERT_EQ(v.MapTiles.Tiles(), model);
        break;
      case 12: {
        const bool go = confirm();
        const std::string w = side(), h = side();
        tk.inputAnswers = {w, h};
        v.MENU_NEW_MAP_Click();
        const int wn = std::atoi(w.c_str()), hn = std::atoi(h.c_str());
        if (go && wn >= 1 && hn >= 1) {
          model = MakeGrid(wn, hn);
          ASSERT_EQ(v.MapTiles.Tiles(), model);
        }
        break;
      }
      case 13: {
        const std::string& file = files[pick(0, 1)];
        tk.fileAnswers = {file};
        v.MENU_SAVEAS_MAP_Click();
        if (v.MapWidth >= 1) saved[file] = v.MapTiles.Tiles();
        break;
      }
      case 14: {
        const std::string& file = files[pick(0, 3)];
        const bool go = confirm();
        tk.fileAnswers = {file};
        v.MENU_LOAD_MAP_Click();
        if (go && saved.count(file)) {
          model = saved[file];
          ASSERT_EQ(v.MapTiles.Tiles(), model);
        }
        break;
      }
      default: {
        if (pick(0, 2) == 0) {
          v.MENU_DATA_VIEW_Click();
          break;
        }
        MapGlobal& g = s->editor.Global();
        g.SelectedCount = static_cast<int16_t>(pick(0, 3));
        for (int i = 1; i <= g.SelectedCount; ++i)
          g.SelectedTiles[static_cast<size_t>(i)] = static_cast<int16_t>(pick(0, 40));
        break;
      }
    }
    tk.messageAnswers.clear();
    tk.inputAnswers.clear();
    tk.fileAnswers.clear();
    ASSERT_EQ(v.MapTiles.UndoTiles(), model);
    ExpectConsistent(v);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoSessionModel, testing::Values(11u, 12u, 13u, 14u, 15u, 16u));

}  // namespace
}  // namespace korvane::hardening
