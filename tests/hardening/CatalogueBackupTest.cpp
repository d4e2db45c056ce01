// The catalogue's read states and its backup: a disk failure when the window opens or during its
// close loses none of the entries on the disk.

#include <vector>

#include "model/Catalogue.h"
#include "overlay/CatalogueHome.h"
#include "overlay/DatView.h"
#include "tests/document/DocumentFixture.h"

namespace korvane::testing_document {
namespace {

using CatalogueBackup = DocumentTest;

// The start-up's file operation that opens Overlay.dat: after the look for an installed data
// folder beside the executable's.
constexpr int kOpenCatalogue = 1;

// At the close, a catalogue the window did not read whole (unreadable when the window opened, or
// readable only in part) is copied to Overlay.dat.bak before it is replaced, and the designer is
// told once; when that copy fails it is left alone, and the designer is told that instead. An
// added entry shows that a replacement happened.
TEST_F(CatalogueBackup, ACatalogueNotReadWholeIsBackedUpBeforeItIsReplaced) {
  const auto whole =
      WriteCatalogue(std::vector<CatalogueEntry>{{"1: Tree", 259}, {"2: Rock", 129}});
  const std::string text = "3\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\nwide\r\n";
  const std::vector<uint8_t> partial(text.begin(), text.end());
  const struct {
    const std::vector<uint8_t>& old;
    bool unreadableAtOpen;
    bool backupFails;  // the close's operation 2 (after opening and reading the file) fails
  } rows[] = {{whole, true, false}, {whole, true, true}, {partial, false, true}};
  for (const auto& r : rows) {
    SCOPED_TRACE(&r - rows);
    std::filesystem::remove(CataloguePath() + ".bak");
    WriteBytes(CataloguePath(), r.old);
    Restart(r.unreadableAtOpen ? kOpenCatalogue : -1);
    tk.files.operations = 0;
    tk.files.failAt = r.backupFails ? 2 : -1;
    DatView& dat = editor->datView();
    tk.inputAnswers = {"Bush", "3", "4"};
    headless::H(*dat.Add).Click();
    const std::vector<CatalogueEntry> shown = dat.Entries();
    ASSERT_TRUE(editor->UnloadDatView());
    const bool backedUp = (r.unreadableAtOpen || &r.old == &partial) && !r.backupFails;
    EXPECT_EQ(ReadBytes(CataloguePath()), r.backupFails ? r.old : WriteCatalogue(shown));
    EXPECT_EQ(ReadBytes(CataloguePath() + ".bak"), backedUp ? r.old : std::vector<uint8_t>{});
    EXPECT_EQ(tk.failuresReported.size(), backedUp || r.backupFails ? 1u : 0u);
    for (const std::string& name : Names(dir)) EXPECT_NE(name[0], '.');  // no temporary file
  }
  // One read in part and gone by the close: nothing is left to lose, so the entries are written.
  WriteBytes(CataloguePath(), partial);
  Restart();
  tk.inputAnswers = {"Bush", "3", "4"};
  headless::H(*editor->datView().Add).Click();
  const std::vector<CatalogueEntry> shown = editor->datView().Entries();
  std::filesystem::remove(CataloguePath());
  ASSERT_TRUE(editor->UnloadDatView());
  EXPECT_EQ(std::pair(ReadBytes(CataloguePath()), tk.failuresReported.size()),
            std::pair(WriteCatalogue(shown), size_t{0}));
}

// The count on the first line decides how many entries are shown; a file with more entries than
// that, or fewer, is damaged: the close keeps a copy of it before writing the entries shown, and
// says so once.
TEST_F(CatalogueBackup, ACountThatDisagreesWithTheEntriesKeepsACopy) {
  const std::vector<CatalogueEntry> both{{"1: Tree", 259}, {"2: Rock", 129}};
  for (const int count : {-32768, -1, 0, 1, 2, 3, 32767}) {
    SCOPED_TRACE(count);
    const std::string text =
        std::to_string(count) + "\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\n129\r\n";
    const std::vector<uint8_t> old(text.begin(), text.end());
    std::filesystem::remove(CataloguePath() + ".bak");
    WriteBytes(CataloguePath(), old);
    Restart();
    DatView& dat = editor->datView();
    // As the window names it: Windows joins the folder and the name with a backslash.
    const std::string file = FindCatalogueHome(tk).file;
    const std::vector<CatalogueEntry> shown = dat.Entries();
    ASSERT_TRUE(editor->UnloadDatView());
    EXPECT_EQ(shown,
              std::vector<CatalogueEntry>(both.begin(), both.begin() + std::clamp(count, 0, 2)));
    EXPECT_EQ(ReadBytes(CataloguePath()), WriteCatalogue(shown));
    const bool damaged = count != 2;
    EXPECT_EQ(ReadBytes(CataloguePath() + ".bak"), damaged ? old : std::vector<uint8_t>{});
    EXPECT_EQ(tk.failuresReported,
              damaged ? std::vector<std::string>{"The overlay catalogue \"" + file +
                                                 "\" could not be read in full, so it was kept "
                                                 "as \"" +
                                                 file + ".bak\" before it was replaced."}
                      : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace korvane::testing_document
