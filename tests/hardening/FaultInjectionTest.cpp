// Disk failures injected at every file operation of the load, start-up, catalogue and close
// flows: what was on the disk and in the editor before survives each one.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "overlay/Catalogue.h"
#include "overlay/DatView.h"
#include "tests/hardening/HardeningFixture.h"

namespace korvane::hardening {
namespace {

using toolkit::MessageResult;

std::vector<uint8_t> CatalogueBytes(const std::vector<CatalogueEntry>& entries) {
  return WriteCatalogue(entries);
}

const std::vector<CatalogueEntry> kTwoEntries = {{"1: Tree", 259}, {"2: Rock", 129}};

// The number of file operations `run` makes on a fresh, fault-free session.
int CountSteps(const std::function<std::unique_ptr<Session>()>& make,
               const std::function<void(Session&)>& run) {
  auto s = make();
  run(*s);
  return s->tk.files.operations;
}

class FaultInjection : public HardeningTest {
 protected:
  // A session with a tile sheet, overlay mode off and an unsaved 3 x 2 map from current.map.
  std::unique_ptr<Session> EditingSession(const std::string& commandLine = "", int failAt = -1) {
    auto s = NewSession(commandLine, failAt);
    s->UseTileSheet();
    s->PutMap(MakeGrid(3, 2, {1, 2, 3, 4, 5, 6}), MakeGrid(3, 2, {0, 4, 0, 0, 0, 2}),
              Path("current.map"), 1);
    return s;
  }
};

TEST_F(FaultInjection, ALoadFailingAtAnyStepLeavesTheDocumentAsItWas) {
  const MapFileContents other = SampleMap(5, 4, 3);
  WriteBytes(Path("other.map"), Bytes(other));
  const std::vector<std::pair<const char*, std::function<void(Session&)>>> loads = {
      {"LoadMap", [&](Session& s) { s.view().LoadMap(Path("other.map")); }},
      {"Load Map menu",
       [&](Session& s) {
         s.tk.messageAnswers = {MessageResult::Yes};
         s.tk.fileAnswers = {Path("other.map")};
         s.view().MENU_LOAD_MAP_Click();
       }},
  };
  for (const auto& [name, load] : loads) {
    SCOPED_TRACE(name);
    const int steps = CountSteps([&] { return EditingSession(); }, load);
    ASSERT_GE(steps, 1);
    for (int n = 0; n < steps; ++n) {
      SCOPED_TRACE(n);
      auto s = EditingSession();
      const DocumentSnapshot before = Snapshot(s->view());
      s->tk.files.failAt = n;
      load(*s);
      EXPECT_EQ(Snapshot(s->view()), before);
      ExpectConsistent(s->view());
      // Nothing was left open or half-done: the same load now goes through.
      s->tk.files.failAt = -1;
      load(*s);
      EXPECT_EQ(s->view().MapTiles.Tiles(), other.tiles);
      EXPECT_EQ(s->view().OverlayData, other.overlay);
    }
  }
}

TEST_F(FaultInjection, AStartUpFailingAtAnyStepStartsWithTheWholeMapOrNone) {
  const MapFileContents first = SampleMap(6, 3, 1);
  WriteBytes(Path("first.map"), Bytes(first));
  WriteBytes(CataloguePath(), CatalogueBytes(kTwoEntries));
  const auto startUp = [&](int failAt) {
    auto s = NewSession(Path("first.map"), failAt);
    s->UseTileSheet();
    headless::H(*s->view().Display).Refresh();  // the first paint loads the named map
    headless::H(*s->view().Display).Refresh();
    return s;
  };
  const int steps = startUp(1 << 30)->tk.files.operations;
  ASSERT_GE(steps, 2);
  for (int n = 0; n < steps; ++n) {
    SCOPED_TRACE(n);
    auto s = startUp(n);
    MapView& v = s->view();
    EXPECT_TRUE(v.StartupMapFile.empty());
    ExpectConsistent(v);
    if (v.MapWidth != 0) {
      EXPECT_EQ(v.MapTiles.Tiles(), first.tiles);
      EXPECT_EQ(v.OverlayData, first.overlay);
      EXPECT_EQ(v.CurrentMapFile, Path("first.map"));
    } else {
      EXPECT_TRUE(v.MapTiles.Tiles().Empty());
      EXPECT_TRUE(v.CurrentMapFile.empty());
    }
    const int16_t listed = s->editor.datView().Items->ListCount();
    EXPECT_TRUE(listed == 1 || listed == 3) << listed;
  }
}

// A catalogue that could not be read when the window opened must not be replaced by the short
// list the window then holds.
TEST_F(FaultInjection, ACatalogueThatFailedToLoadSurvivesTheClose) {
  WriteBytes(CataloguePath(), CatalogueBytes(kTwoEntries));
  // Operation 0 of the start-up is the catalogue window reading Overlay.dat.
  auto s = NewSession("", 0);
  ASSERT_EQ(s->tk.files.log.at(0), "ReadAll");
  ASSERT_EQ(s->editor.datView().Items->ListCount(), 1);
  ASSERT_TRUE(s->editor.UnloadDatView());
  const auto kept = [&](const std::string& path) {
    const auto bytes = ReadBytes(path);
    return ReadCatalogue(bytes).entries == kTwoEntries;
  };
  EXPECT_TRUE(kept(CataloguePath()) || kept(CataloguePath() + ".bak"));
}

TEST_F(FaultInjection, ACatalogueCloseFailingAtAnyStepKeepsTheOldFile) {
  struct Case {
    const char* name;
    std::vector<uint8_t> old;
  };
  const std::string brokenText =
      "3\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\nwide\r\n\"3: Bush\"\r\n130\r\n";
  const Case cases[] = {
      {"whole catalogue", CatalogueBytes(kTwoEntries)},
      {"catalogue with an unreadable tail", {brokenText.begin(), brokenText.end()}},
  };
  const auto closeWithNewEntry = [](Session& s) {
    s.tk.inputAnswers = {"Bush", "3", "4"};
    headless::H(*s.editor.datView().Add).Click();
    ASSERT_TRUE(s.editor.UnloadDatView());  // the close is never refused
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(CataloguePath() + ".bak");
    WriteBytes(CataloguePath(), c.old);
    std::vector<CatalogueEntry> entries = ReadCatalogue(c.old).entries;
    entries.push_back({"3: Bush", 3 * 128 + 4});
    const std::vector<uint8_t> newBytes = WriteCatalogue(entries);
    const int steps = CountSteps([&] { return NewSession(); }, closeWithNewEntry);
    ASSERT_GE(steps, 4);
    for (int n = 0; n < steps; ++n) {
      SCOPED_TRACE(n);
      std::filesystem::remove(CataloguePath() + ".bak");
      WriteBytes(CataloguePath(), c.old);
      auto s = NewSession();
      s->tk.files.failAt = n;
      closeWithNewEntry(*s);
      // The file is the old one or the window's new list; when the window never held all of the
      // old one, the old bytes are kept in the safe copy.
      const auto now = ReadBytes(CataloguePath());
      const bool oldWasWhole = ReadCatalogue(c.old).complete;
      const bool replaced =
          now == newBytes && (oldWasWhole || ReadBytes(CataloguePath() + ".bak") == c.old);
      EXPECT_TRUE(now == c.old || replaced) << s->tk.files.log[static_cast<size_t>(n)];
      EXPECT_EQ(StrayFiles(dir, {"Overlay.dat", "Overlay.dat.bak", "maps"}),
                std::vector<std::string>{});
    }
  }
}

// A map whose file is written in several pieces (the tile layer, then objects enough for more
// than one piece): each write can fail, and each failure keeps the old file and the document.
TEST_F(FaultInjection, ASaveInManyPiecesFailingAtAnyStepKeepsTheOldFile) {
  MapFileContents big = SampleMap(300, 200, 4);
  std::fill(big.overlay.Cells().begin(), big.overlay.Cells().end(), int16_t{0});
  for (size_t i = 0; i < 32767; ++i) big.overlay.Cells()[i * 60000 / 32767] = 5;
  const std::vector<uint8_t> expected = Bytes(big);
  const std::vector<uint8_t> old = Bytes(SampleMap(3, 2, 5));
  const auto putBig = [&](Session& s) {
    s.PutMap(big.tiles, big.overlay, Path("current.map"), 1);
    s.view().MapTiles.Set(0, 0, big.tiles.At(0, 0));
    s.view().HumanResources = big.humanResources;
    s.view().ComputerResources = big.computerResources;
  };
  const auto save = [&](Session& s) { return s.view().SaveNow(Path("current.map")); };
  WriteBytes(Path("current.map"), old);
  const int steps = CountSteps(
      [&] {
        auto s = NewSession();
        putBig(*s);
        return s;
      },
      [&](Session& s) { ASSERT_TRUE(save(s)); });
  EXPECT_EQ(ReadBytes(Path("current.map")), expected);
  ASSERT_GE(steps, 7);  // create, at least three writes, flush, close, rename
  for (int n = 0; n < steps; ++n) {
    SCOPED_TRACE(n);
    WriteBytes(Path("current.map"), old);
    auto s = NewSession();
    putBig(*s);
    const DocumentSnapshot before = Snapshot(s->view());
    s->tk.files.failAt = n;
    EXPECT_FALSE(save(*s));
    EXPECT_EQ(ReadBytes(Path("current.map")), old);
    EXPECT_EQ(Snapshot(s->view()), before);
    EXPECT_EQ(StrayFiles(maps, {"current.map"}), std::vector<std::string>{});
  }
}

// Closing the editor with "Yes, save" while the disk fails: either the map is saved and the
// window closes, or the window stays open with the work and the old file intact.
TEST_F(FaultInjection, ClosingWithAFailingSaveKeepsTheWorkOrTheSavedFile) {
  const MapFileContents old = SampleMap(3, 2, 5);
  WriteBytes(Path("current.map"), Bytes(old));
  WriteBytes(CataloguePath(), CatalogueBytes(kTwoEntries));
  const auto close = [](Session& s) {
    s.tk.messageAnswers = {MessageResult::Yes};
    return headless::H(*s.view().window).UserClose();
  };
  const int steps = CountSteps([&] { return EditingSession(); }, [&](Session& s) { close(s); });
  ASSERT_GE(steps, 5);
  for (int n = 0; n < steps; ++n) {
    SCOPED_TRACE(n);
    WriteBytes(Path("current.map"), Bytes(old));
    WriteBytes(CataloguePath(), CatalogueBytes(kTwoEntries));
    auto s = EditingSession();
    const DocumentSnapshot before = Snapshot(s->view());
    s->tk.files.failAt = n;
    if (close(*s)) {
      const auto parsed = ParseMapFile(ReadBytes(Path("current.map")));
      ASSERT_TRUE(std::holds_alternative<MapFileContents>(parsed));
      EXPECT_EQ(std::get<MapFileContents>(parsed).tiles, before.tiles);
      EXPECT_EQ(s->view().MapChanged, 0);
    } else {
      EXPECT_EQ(ReadBytes(Path("current.map")), Bytes(old));
      EXPECT_EQ(Snapshot(s->view()), before);
      EXPECT_FALSE(s->tk.quit);
    }
    EXPECT_EQ(ReadCatalogue(ReadBytes(CataloguePath())).entries, kTwoEntries);
    EXPECT_EQ(StrayFiles(maps, {"current.map"}), std::vector<std::string>{});
    EXPECT_EQ(StrayFiles(dir, {"Overlay.dat", "maps"}), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace korvane::hardening
