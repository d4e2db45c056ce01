// The File menu and the close question: what reaches the disk, what the document becomes, and
// what the designer is told. (Save and load of good and bad files: MapFileTest.)

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "document/CaptionRule.h"
#include "document/FileMessages.h"
#include "tests/document/DocumentFixture.h"
#include "tests/support/AddressSpace.h"

namespace korvane::testing_document {
namespace {

using toolkit::MessageResult;

TEST(CaptionRule, ShowsTheFileNameWithoutItsExtension) {
  const std::pair<const char*, const char*> table[] = {
      {"/home/ana/maps/island.map", "island - Korvane"},
      {"C:\\maps\\island.map", "island - Korvane"},
      {"Island.MAP", "Island.MAP - Korvane"},
      {"a.mapx.map", "ax - Korvane"},
      {"a.m.mapap", "a.map - Korvane"},
      {"", " - Korvane"}};
  for (const auto& [path, caption] : table) EXPECT_EQ(MapCaption(path), caption) << path;
}

using FileCommands = DocumentTest;

// New Map and the two resource entries take typed 16-bit numbers. A refused answer (not a number,
// out of range, a side below 1) changes nothing; an accepted one leaves the map unsaved.
TEST_F(FileCommands, NewMapAndResourcesTakeTypedNumbers) {
  PutSmallMap(Path("current.map"));
  view().Map.MapChanged = 0;
  const auto before = Snapshot(view());
  // A refused width ends the command before the height is asked for.
  for (std::deque<std::string> answers :
       {std::deque<std::string>{"0"}, {"1", "0"}, {"4", "32768"}, {"x"}}) {
    tk.inputAnswers = answers;
    tk.inputsAsked.clear();
    view().MENU_NEW_MAP_Click();
    EXPECT_EQ(std::pair(Snapshot(view()), tk.inputsAsked.size()),
              std::pair(before, answers.size()));
  }
  tk.inputAnswers = {"40000", "-32768", "32767", "x"};
  view().EDHUMRES_Click();
  EXPECT_EQ(Snapshot(view()), before);
  view().EDHUMRES_Click();
  view().EDCOMPRES_Click();
  view().EDCOMPRES_Click();  // shows the value it holds
  EXPECT_EQ(
      std::tuple(view().Map.HumanResources, view().Map.ComputerResources, view().Map.MapChanged),
      std::tuple(-32768, 32767, int16_t{1}));
  EXPECT_EQ(tk.inputsAsked.back().prompt, "Computer Resources: 32767");
  tk.messageAnswers = {MessageResult::Yes};
  tk.inputAnswers = {"32767", "1.4"};
  view().MENU_NEW_MAP_Click();
  EXPECT_EQ(Snapshot(view()), std::tuple(int16_t{32767}, int16_t{1}, 0, 0, MakeGrid(32767, 1),
                                         MakeGrid(32767, 1), *OverlayLayer::TryCreate(32767, 1),
                                         std::string(), std::string("Korvane"), int16_t{1}));
}

using testing_support::AddressSpaceInUse;

// A new or loaded map is shown at once: the first one with no sheet applied yet brings the sample
// sheet (without showing its dialog), a later one keeps the sheet applied.
TEST_F(FileCommands, ANewOrLoadedMapIsShownWithTheSheetAppliedOrTheSample) {
  WriteBytes(Path("m.map"), MapBytes(2, 1, 0, 0, {5, 7}, {0}));
  for (const bool load : {false, true})
    for (const int16_t size : {0, 16}) {
      global().TileSize = size;
      const toolkit::PicturePtr applied = global().TileSheet;
      const int paints = display().paintCount;
      tk.inputAnswers = {"2", "1"};
      tk.fileAnswers = {Path("m.map")};
      view().Map.MapChanged = 0;
      load ? view().MENU_LOAD_MAP_Click() : view().MENU_NEW_MAP_Click();
      EXPECT_EQ(std::tuple(view().Map.MapWidth, global().TileSize, global().TileSheet == applied,
                           display().paintCount > paints, editor->HasLoadTiles()),
                std::tuple(2, 16, size != 0, true, false))
          << (load ? "load" : "new") << " with sheet size " << size;
    }
}

// The designer must not take a save that did not happen for one that did, nor a map that did not
// load for the one shown: each says why, once, and changes neither the document nor the disk (no
// temporary file is left). A save fails at each of its steps in turn (create, the header, the tile
// layer and the entries written, flush, close, rename) and for what it is given.
TEST_F(FileCommands, AFailedSaveOrLoadSaysWhyOnceAndChangesNothing) {
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
  std::filesystem::create_symlink(Path("fifo"), Path("to-fifo"));
  std::filesystem::create_directory(Path("folder"));
  const std::string fifo = "it is a FIFO (named pipe), not a regular file";
  Grid16 crowded = MakeGrid(200, 200);
  std::fill_n(crowded.Cells().begin(), 32768, int16_t{1});
  const std::vector<uint8_t> old(100, 0xAB);
  // clang-format off
  struct Row { const char* file; bool save; std::string reason; int failAt = -1; };
  // clang-format on
  std::vector<Row> rows = {
      {"gone/x.map", true, "the folder does not exist"},
      {"to-fifo", true, fifo},  // a link is followed, and then refused
      {"folder", true, "it is a folder, not a file"},
      {"current.map", true, kTooManyObjects},  // 32768 objects
      {"none.map", false, "there is no such file"},
      {"to-fifo", false, fifo},  // refused at once, not waited on
  };
  for (int n = 0; n < 7; ++n)
    rows.push_back({"current.map", true, headless::FaultyFileSystem::kInjectedFailure, n});
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.file << " " << r.failAt);
    WriteBytes(Path("current.map"), old);
    const std::string file = Path(r.file);
    if (r.reason == kTooManyObjects)
      PutMap(MakeGrid(200, 200), crowded, file);
    else
      PutSmallMap(r.save ? file : Path("current.map"));
    const auto before = Snapshot(view());
    const std::vector<std::string> names = Names(maps);
    const auto kind = std::filesystem::symlink_status(file).type();
    tk.failuresReported.clear();
    tk.files.operations = 0;
    tk.files.failAt = r.failAt;
    ::alarm(10);  // a load that waits for a writer would hang the test
    if (r.save)
      EXPECT_FALSE(view().MENU_SAVE_MAP_Click());
    else
      view().LoadMap(file);
    ::alarm(0);
    EXPECT_EQ(tk.failuresReported,
              std::vector<std::string>{(r.save ? "The map could not be saved to \"" + file + "\": "
                                               : "The map \"" + file + "\" could not be opened: ") +
                                       r.reason + "."});
    EXPECT_EQ(Snapshot(view()), before);
    EXPECT_EQ(Names(maps), names);
    EXPECT_EQ(std::filesystem::symlink_status(file).type(), kind);
    EXPECT_EQ(ReadBytes(Path("current.map")), old);
  }
  tk.files.failAt = -1;
  tk.files.operations = 0;
  EXPECT_TRUE(view().MENU_SAVE_MAP_Click());  // the steps above are all there are
  EXPECT_EQ(tk.files.operations, 7);
}

// Closing the main window: a save that does not happen must not cost the changes.
TEST_F(FileCommands, TheWindowClosesOnlyWhenTheChangesAreSavedOrGivenUp) {
  // The map's file ("" for none) and the save dialog's answer (nullptr: cancelled).
  // clang-format off
  struct Row { int16_t changed; MessageResult answer; const char *file, *saveAs; bool closes; };
  // clang-format on
  const Row rows[] = {{0, MessageResult::Cancel, "", nullptr, true},
                      {1, MessageResult::Cancel, "", nullptr, false},
                      {1, MessageResult::No, "", nullptr, true},
                      {1, MessageResult::Yes, "", nullptr, false},  // the dialog cancelled
                      {1, MessageResult::Yes, "none/x.map", nullptr, false},  // the save fails
                      {1, MessageResult::Yes, "", "closing.map", true}};  // last: the file stays
  for (const auto& r : rows) {
    SCOPED_TRACE(&r - rows);
    Restart();
    // One column wide: the narrowest map there is is saved like any other.
    PutMap(MakeGrid(1, 2, {5, 7}), MakeGrid(1, 2), *r.file ? Path(r.file) : "");
    view().Map.MapChanged = r.changed;
    tk.messageAnswers = {r.answer};
    tk.fileAnswers = {r.saveAs ? std::optional(Path(r.saveAs)) : std::nullopt};
    EXPECT_EQ(mainWindow().UserClose(), r.closes);
    EXPECT_EQ(ReadBytes(Path("closing.map")).size(), r.saveAs ? 34u : 0u);
    // Only the failed save speaks; a cancelled dialog stays silent.
    EXPECT_EQ(tk.failuresReported.size(), r.closes || !*r.file ? 0u : 1u);
    ASSERT_EQ(tk.messagesAsked.size(), r.changed ? 1u : 0u);
    for (const auto& m : tk.messagesAsked) EXPECT_EQ(m.prompt, "Do you want to save this map?");
    EXPECT_TRUE(r.closes || view().Map.MapChanged == 1);
  }
}

// A new map too large for the memory at hand, which runs out while it makes its second layer:
// it fails cleanly, the previous map stays whole and the editor goes on working. The address
// space may grow by a chosen amount only (RLIMIT_AS) while it runs. (A load checks everything
// before it touches the document: MapFileTest.)
TEST_F(FileCommands, ANewMapTooLargeForMemoryKeepsThePreviousMap) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer reserves more address space than any useful cap";
#endif
  PutSmallMap(Path("current.map"));
  view().Map.MapChanged = 0;
  const auto before = Snapshot(view());
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_AS, &old), 0);
  rlimit capped = old;
  capped.rlim_cur = AddressSpaceInUse() + 128 * 1024 * 1024;  // half the 256 MiB tile layer
  ASSERT_EQ(::setrlimit(RLIMIT_AS, &capped), 0);
  tk.inputAnswers = {"16384", "8192"};
  view().MENU_NEW_MAP_Click();
  ASSERT_EQ(::setrlimit(RLIMIT_AS, &old), 0);
  EXPECT_EQ(Snapshot(view()), before);
  headless::H(*view().Display).Refresh();  // and the editor goes on: a press paints a cell
  view().Display_MouseDown(1, 0, 10, 10);
  EXPECT_EQ(view().Map.MapTiles.At(0, 0), 9);
  tk.messageAnswers = {toolkit::MessageResult::Yes};  // with room it goes through
  tk.inputAnswers = {"16384", "8192"};
  view().MENU_NEW_MAP_Click();
  EXPECT_EQ(view().Map.MapWidth, 16384);
}

}  // namespace
}  // namespace korvane::testing_document
