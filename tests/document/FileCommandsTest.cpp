#include <filesystem>
#include <optional>
#include <ostream>

#include "document/CaptionRule.h"
#include "tests/document/DocumentFixture.h"

namespace korvane {
namespace {

using testing_document::DocumentTest;
using testing_document::MakeGrid;
using testing_document::ReadBytes;
using toolkit::FileDialogMode;
using toolkit::MessageButtons;
using toolkit::MessageResult;

TEST(CaptionRule, ShowsTheFileNameWithoutItsExtension) {
  const std::pair<const char*, const char*> table[] = {
      {"/home/ana/maps/island.map", "island - Korvane"},
      {"C:\\maps\\island.map", "island - Korvane"},
      {"C:\\maps\\Island.MAP", "Island.MAP - Korvane"},
      {"a.mapx.map", "ax - Korvane"},
      {"a.m.mapap", "a.map - Korvane"},
  };
  for (const auto& [path, caption] : table) EXPECT_EQ(MapCaption(path), caption) << path;
}

using FileCommands = DocumentTest;

TEST_F(FileCommands, NewMapRoundsHalvesToEvenAndStartsAnUnsavedMap) {
  SetMap(MakeGrid(1, 1, {9}), MakeGrid(1, 1, {2}), Path("old.map"), 0);
  view().HumanResources = 5;
  view().ComputerResources = 6;
  tk.inputAnswers = {" 2.5 ", "3.5"};
  view().MENU_NEW_MAP_Click();
  ASSERT_EQ(tk.inputsAsked.size(), 2u);
  EXPECT_EQ(tk.inputsAsked[0].prompt, "Please enter the width of the map in tiles:");
  EXPECT_EQ(tk.inputsAsked[1].prompt, "Please enter the height of the map in tiles:");
  // Halves go to the even neighbour; the new map is blank, unsaved and has no file.
  EXPECT_EQ(State(), std::tuple(2, 4, MakeGrid(2, 4), MakeGrid(2, 4), 0, 0, 1, "", "Korvane"));
}

TEST_F(FileCommands, RefusedNewMapAnswersLeaveTheMapAlone) {
  const std::vector<std::vector<std::string>> refused = {{"0"},     {"-1"},     {""},       {"abc"},
                                                         {"40000"}, {"12", ""}, {"12", "0"}};
  SetMap(MakeGrid(3, 2, {1, 2, 3, 4, 5, 6}), MakeGrid(3, 2), Path("kept.map"), 0);
  const auto before = State();
  for (const auto& answers : refused) {
    SCOPED_TRACE(answers.front() + " then " + answers.back());
    tk.inputAnswers.assign(answers.begin(), answers.end());
    view().MENU_NEW_MAP_Click();
    EXPECT_EQ(State(), before);
  }
  EXPECT_TRUE(tk.failuresReported.empty());  // a refused answer is no failed file operation
}

TEST_F(FileCommands, SaveAsksForANameOnlyWhenTheMapHasNone) {
  // Without a map neither command asks or writes.
  testing_document::WriteBytes(Path("first.map"), {1, 2, 3});
  view().CurrentMapFile = Path("first.map");
  tk.fileAnswers = {Path("first.map"), Path("first.map")};
  EXPECT_FALSE(view().MENU_SAVE_MAP_Click());
  view().MENU_SAVEAS_MAP_Click();
  EXPECT_TRUE(tk.fileDialogsShown.empty());
  EXPECT_EQ(ReadBytes(Path("first.map")), (std::vector<uint8_t>{1, 2, 3}));

  SetMap(MakeGrid(2, 1, {5, 7}), MakeGrid(2, 1), "", 1);
  EXPECT_TRUE(view().MENU_SAVE_MAP_Click());
  ASSERT_EQ(tk.fileDialogsShown.size(), 1u);
  EXPECT_EQ(tk.fileDialogsShown[0].mode, FileDialogMode::Save);
  view().MapTiles.Set(0, 0, 6);
  EXPECT_TRUE(view().MENU_SAVE_MAP_Click());
  EXPECT_EQ(tk.fileDialogsShown.size(), 1u);
  EXPECT_EQ(ReadBytes(Path("first.map"))[28], 6);  // the first tile, written without a dialog
  // Save As always asks.
  tk.fileAnswers = {Path("second.map")};
  view().MENU_SAVEAS_MAP_Click();
  EXPECT_EQ(tk.fileDialogsShown.size(), 2u);
  EXPECT_EQ(view().CurrentMapFile, Path("second.map"));
}

// The designer must not take a save that did not happen for one that did.
TEST_F(FileCommands, SaveAndSaveAsIntoAMissingFolderSayWhyAndChangeNothing) {
  const std::string gone = Path("gone/x.map");
  for (const bool saveAs : {false, true}) {
    SCOPED_TRACE(saveAs ? "Save As" : "Save");
    tk.failuresReported.clear();
    SetMap(MakeGrid(2, 1, {5, 7}), MakeGrid(2, 1), saveAs ? Path("kept.map") : gone, 1);
    const auto before = State();
    tk.fileAnswers = {gone};
    if (saveAs)
      view().MENU_SAVEAS_MAP_Click();
    else
      EXPECT_FALSE(view().MENU_SAVE_MAP_Click());
    EXPECT_EQ(tk.failuresReported,
              std::vector<std::string>{"The map could not be saved to \"" + gone +
                                       "\": the folder does not exist."});
    EXPECT_EQ(State(), before);
    EXPECT_FALSE(std::filesystem::exists(Path("gone")));
    EXPECT_FALSE(std::filesystem::exists(Path("kept.map")));
  }
}

// Closing the main window: a save that does not happen must not cost the changes.
struct CloseCase {
  const char* what;
  int16_t changed;
  MessageResult answer;
  const char* file;    // the map's file, "" for none
  const char* saveAs;  // the save dialog's answer, nullptr when cancelled
  bool closes;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
  *os << c.what;
}

class CloseQuestion : public DocumentTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, ClosesOnlyWhenTheChangesAreSavedOrGivenUp) {
  const CloseCase& c = GetParam();
  SetMap(MakeGrid(2, 1, {5, 7}), MakeGrid(2, 1), *c.file ? Path(c.file) : "", c.changed);
  tk.messageAnswers = {c.answer};
  tk.fileAnswers = {c.saveAs ? std::optional(Path(c.saveAs)) : std::nullopt};
  EXPECT_EQ(mainWindow().UserClose(), c.closes);
  EXPECT_EQ(editor->HasTileView(), !c.closes);
  EXPECT_EQ(ReadBytes(Path("closing.map")).size(), c.saveAs ? 34u : 0u);
  // Only the failed save speaks; a cancelled dialog stays silent.
  EXPECT_EQ(tk.failuresReported.size(), c.closes || !*c.file ? 0u : 1u);
  if (!c.changed) {
    EXPECT_TRUE(tk.messagesAsked.empty());
    return;
  }
  ASSERT_EQ(tk.messagesAsked.size(), 1u);
  EXPECT_EQ(tk.messagesAsked[0].prompt, "Do you want to save this map?");
  EXPECT_EQ(tk.messagesAsked[0].buttons, MessageButtons::YesNoCancel);
  if (!c.closes) {
    EXPECT_EQ(view().MapChanged, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CloseQuestion,
    testing::Values(CloseCase{"NothingUnsaved", 0, MessageResult::Cancel, "", nullptr, true},
                    CloseCase{"Cancel", 1, MessageResult::Cancel, "", nullptr, false},
                    CloseCase{"No", 1, MessageResult::No, "", nullptr, true},
                    CloseCase{"Yes", 1, MessageResult::Yes, "", "closing.map", true},
                    CloseCase{"YesDialogCancelled", 1, MessageResult::Yes, "", nullptr, false},
                    CloseCase{"YesSaveFails", 1, MessageResult::Yes, "none/x.map", nullptr, false}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(FileCommands, ResourcesShowTheValueAndStoreTheAnswer) {
  tk.inputAnswers = {"5"};
  view().EDHUMRES_Click();  // no map: nothing is asked
  EXPECT_TRUE(tk.inputsAsked.empty());

  SetMap(MakeGrid(1, 1), MakeGrid(1, 1), Path("r.map"), 0);
  view().HumanResources = 250;
  view().ComputerResources = 7;
  tk.inputAnswers = {"-100"};
  view().EDHUMRES_Click();
  ASSERT_EQ(tk.inputsAsked.size(), 1u);
  EXPECT_EQ(tk.inputsAsked[0].prompt, "Human Resources: 250");
  EXPECT_EQ(view().HumanResources, -100);
  ASSERT_TRUE(view().SaveNow(Path("r.map")));
  const auto bytes = ReadBytes(Path("r.map"));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 20, bytes.begin() + 24),
            (std::vector<uint8_t>{0x9C, 0xFF, 0xFF, 0xFF}));

  // An empty or unreadable answer changes nothing; the same value still counts as a change.
  tk.inputAnswers = {"", "abc", "7"};
  view().EDCOMPRES_Click();
  view().EDCOMPRES_Click();
  EXPECT_EQ(view().MapChanged, 0);
  view().EDCOMPRES_Click();
  EXPECT_EQ(tk.inputsAsked.back().prompt, "Computer Resources: 7");
  EXPECT_EQ(view().ComputerResources, 7);
  EXPECT_EQ(view().MapChanged, 1);
}

}  // namespace
}  // namespace korvane
