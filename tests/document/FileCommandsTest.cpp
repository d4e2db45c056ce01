#include "document/CaptionRule.h"
#include "tests/document/DocumentFixture.h"

namespace korvane {
namespace {

using headless::H;
using testing_document::MakeGrid;
using testing_document::ReadBytes;
using testing_document::SmallMapBytes;
using testing_document::WriteBytes;
using toolkit::FileDialogMode;
using toolkit::MessageButtons;
using toolkit::MessageResult;

TEST(CaptionRule, ShowsTheFileNameWithoutItsExtension) {
  const std::pair<const char*, const char*> table[] = {
      {"/home/ana/maps/island.map", "island - Korvane"},
      {"C:\\maps\\island.map", "island - Korvane"},
      {"C:\\maps\\Island.MAP", "Island.MAP - Korvane"},
      {"a.mapx.map", "ax - Korvane"},
      {"mixed/dir\\name.map", "name - Korvane"},
      {"a.m.mapap", "a.map - Korvane"},
  };
  for (const auto& [path, caption] : table) EXPECT_EQ(MapCaption(path), caption) << path;
}

class FileCommandsTest : public testing_document::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    SetUpTileSheet();
  }
  void NewMap(std::vector<std::string> answers) {
    for (auto& a : answers) tk.inputAnswers.push_back(std::move(a));
    view().MENU_NEW_MAP_Click();
  }
};

TEST_F(FileCommandsTest, NewMapAsksForTheSizeAndStartsAnUnsavedMap) {
  SetMap(MakeGrid(1, 1, {9}), MakeGrid(1, 1, {2}), Path("old.map"), 0);
  view().HumanResources = 5;
  NewMap({" 2.5 ", "3.5"});
  ASSERT_EQ(tk.inputsAsked.size(), 2u);
  EXPECT_EQ(tk.inputsAsked[0].prompt, "Please enter the width of the map in tiles:");
  EXPECT_EQ(tk.inputsAsked[1].prompt, "Please enter the height of the map in tiles:");
  EXPECT_EQ(tk.inputsAsked[1].title, "New Map");
  EXPECT_TRUE(tk.messagesAsked.empty());
  EXPECT_EQ(view().MapWidth, 2);  // halves go to the even neighbour
  EXPECT_EQ(view().MapHeight, 4);
  EXPECT_EQ(view().MapTiles.Tiles(), MakeGrid(2, 4));
  EXPECT_EQ(view().OverlayData, MakeGrid(2, 4));
  EXPECT_EQ(view().HumanResources, 0);
  EXPECT_EQ(view().MapChanged, 1);
  EXPECT_TRUE(view().CurrentMapFile.empty());
  EXPECT_EQ(Caption(), "Korvane");
}

TEST_F(FileCommandsTest, NewMapAsksBeforeUnsavedChangesAreLost) {
  SetMap(MakeGrid(1, 1, {9}), MakeGrid(1, 1), "", 1);
  tk.messageAnswers = {MessageResult::No};
  NewMap({"4", "4"});
  ASSERT_EQ(tk.messagesAsked.size(), 1u);
  EXPECT_EQ(tk.messagesAsked[0].prompt, "Are you sure you want to lose all changes?");
  EXPECT_EQ(tk.messagesAsked[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(view().MapWidth, 1);
  EXPECT_TRUE(tk.inputsAsked.empty());

  // Yes goes on; with no tile sheet applied the sample sheet is set up for the new map.
  editor.Global().TileSize = 0;
  tk.messageAnswers = {MessageResult::Yes};
  view().MENU_NEW_MAP_Click();
  EXPECT_EQ(view().MapWidth, 4);
  EXPECT_EQ(editor.Global().TileSize, 16);
}

TEST_F(FileCommandsTest, RefusedSizeAnswersLeaveTheMapAlone) {
  const std::vector<std::vector<std::string>> refused = {
      {"0"}, {"-1"}, {""}, {"abc"}, {"40000"}, {"12", ""}, {"12", "0"}, {"12", "x"}};
  for (const auto& answers : refused) {
    SCOPED_TRACE(answers.back());
    SetMap(MakeGrid(3, 2, {1, 2, 3, 4, 5, 6}), MakeGrid(3, 2), Path("kept.map"), 0);
    tk.inputAnswers.clear();
    NewMap(answers);
    EXPECT_EQ(view().MapWidth, 3);
    EXPECT_EQ(view().MapHeight, 2);
    EXPECT_EQ(view().MapTiles.Tiles(), MakeGrid(3, 2, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(view().CurrentMapFile, Path("kept.map"));
    EXPECT_EQ(Caption(), "kept - Korvane");
    EXPECT_EQ(view().MapChanged, 0);
  }
}

TEST_F(FileCommandsTest, LoadMapOffersMapFilesAndStopsOnCancel) {
  WriteBytes(Path("small.map"), SmallMapBytes());
  tk.fileAnswers = {std::nullopt, Path("small.map")};
  view().MENU_LOAD_MAP_Click();
  EXPECT_EQ(view().MapWidth, 0);
  EXPECT_EQ(tk.doEventsCount, 0);
  view().MENU_LOAD_MAP_Click();
  EXPECT_EQ(view().MapWidth, 2);
  ASSERT_EQ(tk.fileDialogsShown.size(), 2u);
  const auto& dialog = tk.fileDialogsShown[0];
  EXPECT_EQ(dialog.mode, FileDialogMode::Open);
  EXPECT_EQ(dialog.filter, "Map File (*.map)|*.map");
  EXPECT_EQ(dialog.defaultExtension, ".map");
  EXPECT_EQ(dialog.flags, 4);
}

TEST_F(FileCommandsTest, SaveAsksForANameOnlyTheFirstTime) {
  SetMap(MakeGrid(2, 1, {5, 7}), MakeGrid(2, 1), "", 1);
  tk.fileAnswers = {Path("first.map")};
  EXPECT_TRUE(view().MENU_SAVE_MAP_Click());
  ASSERT_EQ(tk.fileDialogsShown.size(), 1u);
  EXPECT_EQ(tk.fileDialogsShown[0].mode, FileDialogMode::Save);
  EXPECT_EQ(tk.fileDialogsShown[0].flags, 4);

  view().MapTiles.Set(0, 0, 6);
  EXPECT_TRUE(view().MENU_SAVE_MAP_Click());
  EXPECT_EQ(tk.fileDialogsShown.size(), 1u);
  EXPECT_EQ(ReadBytes(Path("first.map"))[28], 6);

  // Save As always asks, also for a map that has a file.
  tk.fileAnswers = {Path("second.map")};
  view().MENU_SAVEAS_MAP_Click();
  EXPECT_EQ(tk.fileDialogsShown.size(), 2u);
  EXPECT_EQ(view().CurrentMapFile, Path("second.map"));
  EXPECT_EQ(Caption(), "second - Korvane");
}

TEST_F(FileCommandsTest, SaveCommandsWithoutAMapDoNothing) {
  WriteBytes(Path("existing.map"), {1, 2, 3});
  view().CurrentMapFile = Path("existing.map");
  tk.fileAnswers = {Path("existing.map"), Path("existing.map")};
  EXPECT_FALSE(view().MENU_SAVE_MAP_Click());
  view().MENU_SAVEAS_MAP_Click();
  EXPECT_TRUE(tk.fileDialogsShown.empty());
  EXPECT_EQ(ReadBytes(Path("existing.map")), (std::vector<uint8_t>{1, 2, 3}));
}

// Closing the main window with unsaved changes.
class CloseTest : public FileCommandsTest {
 protected:
  void SetUp() override {
    FileCommandsTest::SetUp();
    SetMap(MakeGrid(2, 1, {5, 7}), MakeGrid(2, 1), "", 1);
  }
  bool Close(MessageResult answer) {
    tk.messageAnswers = {answer};
    return H(*view().window).UserClose();
  }
};

TEST_F(CloseTest, WithoutChangesClosesWithoutAsking) {
  view().MapChanged = 0;
  EXPECT_TRUE(H(*view().window).UserClose());
  EXPECT_TRUE(tk.messagesAsked.empty());
  EXPECT_TRUE(tk.quit);
}

TEST_F(CloseTest, CancelKeepsTheWindowOpen) {
  EXPECT_FALSE(Close(MessageResult::Cancel));
  ASSERT_EQ(tk.messagesAsked.size(), 1u);
  EXPECT_EQ(tk.messagesAsked[0].prompt, "Do you want to save this map?");
  EXPECT_EQ(tk.messagesAsked[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_FALSE(tk.quit);
  EXPECT_EQ(view().MapChanged, 1);
}

TEST_F(CloseTest, NoClosesWithoutSaving) {
  EXPECT_TRUE(Close(MessageResult::No));
  EXPECT_TRUE(tk.fileDialogsShown.empty());
  EXPECT_TRUE(tk.quit);
  EXPECT_FALSE(editor.HasTileView());
  EXPECT_FALSE(editor.HasLoadTiles());
  EXPECT_FALSE(editor.HasDatView());
}

TEST_F(CloseTest, YesSavesThenCloses) {
  tk.fileAnswers = {Path("closing.map")};
  EXPECT_TRUE(Close(MessageResult::Yes));
  EXPECT_EQ(ReadBytes(Path("closing.map")).size(), 34u);
  EXPECT_EQ(view().MapChanged, 0);
  EXPECT_TRUE(tk.quit);
}

// A save that does not happen must not cost the changes: the window stays open.
TEST_F(CloseTest, YesWithACancelledOrFailedSaveKeepsTheWindowOpen) {
  tk.fileAnswers = {std::nullopt};
  EXPECT_FALSE(Close(MessageResult::Yes));
  EXPECT_FALSE(tk.quit);

  view().CurrentMapFile = (maps / "no-such-folder" / "x.map").string();
  EXPECT_FALSE(Close(MessageResult::Yes));
  EXPECT_FALSE(tk.quit);
  EXPECT_EQ(view().MapChanged, 1);
  EXPECT_TRUE(editor.HasTileView());
}

class ResourcesTest : public FileCommandsTest {};

TEST_F(ResourcesTest, PromptShowsTheCurrentValueAndStoresTheAnswer) {
  SetMap(MakeGrid(1, 1), MakeGrid(1, 1), Path("r.map"), 0);
  view().HumanResources = 250;
  view().ComputerResources = -5;
  tk.inputAnswers = {"-100", "250"};
  view().EDHUMRES_Click();
  view().EDCOMPRES_Click();
  ASSERT_EQ(tk.inputsAsked.size(), 2u);
  EXPECT_EQ(tk.inputsAsked[0].prompt, "Human Resources: 250");
  EXPECT_EQ(tk.inputsAsked[0].title, "");
  EXPECT_EQ(tk.inputsAsked[1].prompt, "Computer Resources: -5");
  EXPECT_EQ(view().HumanResources, -100);
  EXPECT_EQ(view().ComputerResources, 250);
  EXPECT_EQ(view().MapChanged, 1);

  ASSERT_TRUE(view().SaveNow(Path("r.map")));
  const auto bytes = ReadBytes(Path("r.map"));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 20, bytes.begin() + 24),
            (std::vector<uint8_t>{0x9C, 0xFF, 0xFF, 0xFF}));
}

TEST_F(ResourcesTest, TheSameValueStillCountsAsAChange) {
  SetMap(MakeGrid(1, 1), MakeGrid(1, 1), Path("r.map"), 0);
  view().HumanResources = 7;
  tk.inputAnswers = {"7"};
  view().EDHUMRES_Click();
  EXPECT_EQ(view().MapChanged, 1);
}

TEST_F(ResourcesTest, RefusedAnswersAndMissingMapChangeNothing) {
  tk.inputAnswers = {"5"};
  view().EDHUMRES_Click();
  EXPECT_TRUE(tk.inputsAsked.empty());

  SetMap(MakeGrid(1, 1), MakeGrid(1, 1), Path("r.map"), 0);
  view().ComputerResources = 70000;
  tk.inputAnswers = {"", "abc", "32768"};
  for (int i = 0; i < 3; ++i) view().EDCOMPRES_Click();
  EXPECT_EQ(tk.inputsAsked.back().prompt, "Computer Resources: 70000");
  EXPECT_EQ(view().ComputerResources, 70000);
  EXPECT_EQ(view().MapChanged, 0);
}

}  // namespace
}  // namespace korvane
