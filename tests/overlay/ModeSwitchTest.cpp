#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "document/MapFile.h"
#include "overlay/DatView.h"
#include "tests/document/DocumentFixture.h"
#include "tiles/TileView.h"

namespace korvane {
namespace {

using headless::H;
using testing_document::MakeGrid;
using ModeSwitch = testing_support::EditorTest;

// One script through the ways of entering and leaving overlay mode: after each step, EditMode and
// which companion window is shown.
TEST_F(ModeSwitch, FollowsEverySwitchMinimiseCloseAndLoad) {
  const std::string map = Folder() + "/small.map";
  testing_document::WriteBytes(map, *SerializeMapFile(0, 0, MakeGrid(2, 1), MakeGrid(2, 1)));
  const auto switchMode = [&] { view().MENU_DATA_VIEW_Click(); };
  const auto minimise = [&] { mainWindow().UserMinimize(); };
  const auto restore = [&] { mainWindow().UserRestore(); };
  const auto closeCatalogueAndChangeItsFile = [&] {
    ASSERT_TRUE(H(*editor->datView().window).UserClose());
    std::ofstream(Folder() + "/Overlay.dat") << "1\r\n\"1: Rock\"\r\n129\r\n";
  };
  const struct {
    const char* what;
    std::function<void()> act;
    int16_t mode;
    std::string shown;
  } steps[] = {
      {"start", [] {}, 0, "palette"},
      {"switch", switchMode, 1, "catalogue"},
      {"switch back", switchMode, 0, "palette"},
      {"switch again", switchMode, 1, "catalogue"},
      {"minimise", minimise, 1, ""},
      {"restore", restore, 1, "catalogue"},
      {"close the catalogue", closeCatalogueAndChangeItsFile, 1, ""},
      {"switch with the catalogue closed", switchMode, 0, "palette"},
      {"switch reads the catalogue again", switchMode, 1, "catalogue"},
      {"load a map", [&] { view().LoadMap(map); }, 0, "palette"},
      {"minimise after the load", minimise, 0, ""},
      {"restore after the load", restore, 0, "palette"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(view().EditMode, step.mode);
    EXPECT_EQ(std::string(editor->TileViewVisible() ? "palette" : "") +
                  (editor->DatViewVisible() ? "catalogue" : ""),
              step.shown);
  }
  EXPECT_EQ(editor->datView().Items->List(1), "1: Rock");
  EXPECT_EQ(view().MapWidth, 2);
}

}  // namespace
}  // namespace korvane
