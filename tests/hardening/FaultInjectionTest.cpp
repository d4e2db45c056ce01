// Disk failures injected at every file operation of a load, a save in many pieces and the
// catalogue's load and close: what was on the disk and in the editor before survives each one.
// (A one-piece save and the catalogue's plain write steps are covered in tests/document and
// tests/overlay.)

#include <functional>
#include <string>
#include <vector>

#include "overlay/Catalogue.h"
#include "overlay/DatView.h"
#include "tests/hardening/HardeningFixture.h"

namespace korvane::hardening {
namespace {

using toolkit::MessageResult;

const std::vector<CatalogueEntry> kTwoEntries = {{"1: Tree", 259}, {"2: Rock", 129}};

class FaultInjection : public HardeningTest {
 protected:
  // Puts the files on the disk, starts an editor, runs `prepare` then `run` once without faults to
  // count the steps, then again once per step with that step failing, calling `check` after.
  void AtEveryStep(const std::function<void()>& onDisk,
                   const std::function<void(Session&)>& prepare,
                   const std::function<void(Session&)>& run,
                   const std::function<void(Session&, int)>& check, int minSteps) {
    int steps = 0;
    {
      onDisk();
      auto s = NewSession();
      prepare(*s);
      run(*s);
      steps = s->tk.files.operations;
    }
    ASSERT_GE(steps, minSteps);
    for (int n = 0; n < steps; ++n) {
      SCOPED_TRACE(n);
      onDisk();
      auto s = NewSession();
      prepare(*s);
      s->tk.files.operations = 0;
      s->tk.files.failAt = n;
      run(*s);
      check(*s, n);
    }
  }
};

// Through the menu, so that the question and the file dialog come before the file is read.
TEST_F(FaultInjection, ALoadFailingAtAnyStepLeavesTheDocumentAsItWas) {
  const MapFileContents other = SampleMap(5, 4, 3);
  WriteBytes(Path("other.map"), Bytes(other));
  const auto load = [&](Session& s) {
    s.tk.messageAnswers = {MessageResult::Yes};
    s.tk.fileAnswers = {Path("other.map")};
    s.view().MENU_LOAD_MAP_Click();
  };
  DocumentSnapshot before;
  const auto prepare = [&](Session& s) {
    s.PutSmallMap(Path("current.map"));
    before = Snapshot(s.view());
  };
  AtEveryStep([] {}, prepare, load,
              [&](Session& s, int) {
                EXPECT_EQ(Snapshot(s.view()), before);
                ExpectConsistent(s.view());
                // Nothing was left open or half-done: the same load now goes through.
                s.tk.files.failAt = -1;
                load(s);
                EXPECT_EQ(s.view().MapTiles.Tiles(), other.tiles);
                EXPECT_EQ(s.view().OverlayData, other.overlay);
              },
              1);
}

// A map written in several pieces (the tile layer, then objects enough for more than one piece):
// each step can fail, and each failure keeps the old file and the document.
TEST_F(FaultInjection, ASaveInManyPiecesFailingAtAnyStepKeepsTheOldFile) {
  MapFileContents big = SampleMap(300, 200, 4);
  std::fill(big.overlay.Cells().begin(), big.overlay.Cells().end(), int16_t{0});
  for (size_t i = 0; i < 32767; ++i) big.overlay.Cells()[i * 60000 / 32767] = 5;
  const std::vector<uint8_t> old = Bytes(SampleMap(3, 2, 5));
  DocumentSnapshot before;
  const auto onDisk = [&] { WriteBytes(Path("current.map"), old); };
  const auto prepare = [&](Session& s) {
    s.PutMap(big.tiles, big.overlay, Path("current.map"));
    s.view().HumanResources = big.humanResources;
    s.view().ComputerResources = big.computerResources;
    before = Snapshot(s.view());
  };
  bool saved = true;
  const auto save = [&](Session& s) { saved = s.view().SaveNow(Path("current.map")); };
  {
    onDisk();
    auto s = NewSession();
    prepare(*s);
    save(*s);
    ASSERT_TRUE(saved);
    big.tiles.Set(0, 0, 77);
    EXPECT_EQ(ReadBytes(Path("current.map")), Bytes(big));
  }
  // create, at least three writes, flush, close, rename
  AtEveryStep(
      onDisk, prepare, save,
      [&](Session& s, int) {
        EXPECT_FALSE(saved);
        EXPECT_EQ(
            s.tk.failuresReported,
            std::vector<std::string>{"The map could not be saved to \"" + Path("current.map") +
                                     "\": " + headless::FaultyFileSystem::kInjectedFailure + "."});
        EXPECT_EQ(ReadBytes(Path("current.map")), old);
        EXPECT_EQ(Snapshot(s.view()), before);
        EXPECT_EQ(StrayFiles(maps, {"current.map"}), std::vector<std::string>{});
      },
      7);
}

// A catalogue that could not be read when the window opened (operation 0 of the start-up) must
// not be replaced by the short list the window then holds.
TEST_F(FaultInjection, ACatalogueThatFailedToLoadSurvivesTheClose) {
  WriteBytes(CataloguePath(), WriteCatalogue(kTwoEntries));
  auto s = NewSession(0);
  ASSERT_EQ(s->tk.files.log.at(0), "OpenForReading");
  ASSERT_EQ(s->editor.datView().Items->ListCount(), 1);
  ASSERT_TRUE(s->editor.UnloadDatView());
  const auto kept = [&](const std::string& path) {
    return ReadCatalogue(ReadBytes(path)).entries == kTwoEntries;
  };
  EXPECT_TRUE(kept(CataloguePath()) || kept(CataloguePath() + ".bak"));
}

// A catalogue the window could not hold whole (a whole one is covered in tests/overlay): every
// failed step of the close leaves the old file, or the new list with the old bytes in the safe
// copy, and no temporary file.
TEST_F(FaultInjection, ACatalogueCloseFailingAtAnyStepKeepsTheOldFile) {
  const std::string text =
      "3\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\nwide\r\n\"3: Bush\"\r\n130\r\n";
  const std::vector<uint8_t> old(text.begin(), text.end());
  std::vector<CatalogueEntry> entries = ReadCatalogue(old).entries;
  entries.push_back({"3: Bush", 3 * 128 + 4});
  const std::vector<uint8_t> newBytes = WriteCatalogue(entries);
  const auto onDisk = [&] {
    std::filesystem::remove(CataloguePath() + ".bak");
    WriteBytes(CataloguePath(), old);
  };
  const auto prepare = [](Session& s) {
    s.tk.inputAnswers = {"Bush", "3", "4"};
    headless::H(*s.editor.datView().Add).Click();
  };
  const auto close = [](Session& s) { ASSERT_TRUE(s.editor.UnloadDatView()); };
  AtEveryStep(
      onDisk, prepare, close,
      [&](Session& s, int) {
        const auto now = ReadBytes(CataloguePath());
        EXPECT_TRUE(now == old || (now == newBytes && ReadBytes(CataloguePath() + ".bak") == old));
        // A close that left the old list in place says so once; one that got through is silent.
        EXPECT_EQ(s.tk.failuresReported.size(), now == old ? 1u : 0u);
        EXPECT_EQ(StrayFiles(dir, {"Overlay.dat", "Overlay.dat.bak", "maps"}),
                  std::vector<std::string>{});
      },
      4);
}

}  // namespace
}  // namespace korvane::hardening
