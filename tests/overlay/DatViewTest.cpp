#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"
#include "tests/support/Unprivileged.h"

namespace korvane {
namespace {

using headless::H;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The catalogue window of a started editor whose folder holds no Overlay.dat yet.
class CatalogueWindow : public testing_support::EditorTest {
 protected:
  std::string File() const { return Folder() + "/Overlay.dat"; }
  DatView& Dat() { return editor->datView(); }
  void AddEntry(const std::string& name, const std::string& x, const std::string& y) {
    tk.inputAnswers.insert(tk.inputAnswers.end(), {name, x, y});
    H(*Dat().Add).Click();
    tk.inputAnswers.clear();  // a refused X-size leaves the Y answer unasked
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (int16_t i = 0; i < Dat().Items->ListCount(); ++i) out.push_back(Dat().Items->List(i));
    return out;
  }
  std::vector<std::string> Labels() {
    return {Dat().ID->Caption(), Dat().XSize->Caption(), Dat().YSize->Caption()};
  }
};

TEST_F(CatalogueWindow, WithoutAFileHoldsOnlyRemoveAndClosingWritesZero) {
  EXPECT_EQ(Texts(), std::vector<std::string>{"Remove"});
  EXPECT_EQ(Dat().Items->ListIndex(), 0);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"ID Number:   0", "X-Size:   0", "Y-Size:   0"}));
  EXPECT_TRUE(H(*Dat().window).UserClose());
  EXPECT_FALSE(editor->HasDatView());
  EXPECT_EQ(ReadText(File()), "0\r\n");
}

TEST_F(CatalogueWindow, AddedEntriesAreWrittenAndReadBack) {
  AddEntry("Tree", "2", "3");
  AddEntry("Rock", "1", "1");
  ASSERT_EQ(tk.inputsAsked.size(), 6u);
  EXPECT_EQ(tk.inputsAsked[0].prompt, "Enter the name of this object:");
  EXPECT_EQ(tk.inputsAsked[1].prompt, "Enter the X-Size of this object:");
  EXPECT_EQ(tk.inputsAsked[2].prompt, "Enter the Y-Size of this object:");
  EXPECT_EQ(Dat().Items->ListIndex(), 0);  // a new entry is not selected
  ASSERT_TRUE(editor->UnloadDatView());
  EXPECT_EQ(ReadText(File()), "2\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\n129\r\n");

  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove", "1: Tree", "2: Rock"}));
  Dat().Items->SetListIndex(1);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"ID Number:   1", "X-Size:   2", "Y-Size:   3"}));

  // Quotes in a name survive the file, and nothing after them is lost.
  AddEntry("the \"big\" one, really", "4", "4");
  AddEntry("last", "5", "5");
  ASSERT_TRUE(editor->UnloadDatView());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove", "1: Tree", "2: Rock",
                                               "3: the \"big\" one, really", "4: last"}));
  EXPECT_EQ(Dat().Items->ItemData(4), 5 * 128 + 5);
}

TEST_F(CatalogueWindow, SizesOutsideOneTo127AddNothing) {
  const struct {
    const char* x;
    const char* y;
    int32_t packed;  // 128 * x + y, 0 when refused
  } cases[] = {{"0", "5", 0},   {"128", "5", 0}, {"", "5", 0},      {"5", "0", 0},
               {"5", "128", 0}, {"5", "", 0},    {"1", "127", 255}, {"127", "1", 16257}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.x) + " x " + c.y);
    const int16_t before = Dat().Items->ListCount();
    AddEntry("Thing", c.x, c.y);
    ASSERT_EQ(Dat().Items->ListCount(), before + (c.packed ? 1 : 0));
    if (c.packed) {
      EXPECT_EQ(Dat().Items->ItemData(before), c.packed);
    }
  }
}

// Positions are renumbered after a deletion, the texts are not: a new entry can repeat a number.
TEST_F(CatalogueWindow, DeletingRenumbersPositionsButNotTexts) {
  AddEntry("A", "1", "1");
  AddEntry("B", "1", "2");
  AddEntry("C", "1", "3");
  Dat().Items->SetListIndex(2);
  H(*Dat().Remove).Click();
  EXPECT_EQ(Dat().Items->ListIndex(), 0);
  AddEntry("D", "1", "4");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove", "1: A", "3: C", "3: D"}));
  Dat().Items->SetListIndex(2);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"ID Number:   2", "X-Size:   1", "Y-Size:   3"}));

  H(*Dat().Remove).Click();  // "Remove" itself is selected
  Dat().Items->SetListIndex(-1);
  H(*Dat().Remove).Click();  // nothing is selected
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove", "1: A", "3: D"}));
}

// The close reads the file (operations 0 and 1) and then writes it: whichever step fails, the
// previous file stays whole and the designer is told once what went wrong.
TEST_F(CatalogueWindow, AFailedWriteLeavesThePreviousFileAndSaysWhy) {
  const std::string good = "1\r\n\"1: Tree\"\r\n259\r\n";
  const std::string reason = headless::FaultyFileSystem::kInjectedFailure;
  for (int failAt = 1; failAt <= 6; ++failAt) {
    SCOPED_TRACE(failAt);
    tk.files.failAt = -1;
    ASSERT_TRUE(editor->UnloadDatView());
    std::ofstream(File(), std::ios::binary) << good;
    AddEntry("Rock", "1", "1");
    tk.files.operations = 0;
    tk.files.log.clear();
    tk.files.failAt = failAt;
    tk.failuresReported.clear();
    EXPECT_TRUE(editor->UnloadDatView());  // the close is never refused
    EXPECT_EQ(ReadText(File()), good);
    EXPECT_EQ(tk.failuresReported,
              std::vector<std::string>{tk.files.log.at(failAt) == "ReadAt"
                                           ? "The overlay catalogue \"" + File() +
                                                 "\" could not be read (" + reason +
                                                 "), so it was left as it is."
                                           : "The overlay catalogue could not be saved to \"" +
                                                 File() + "\": " + reason + "."});
  }
}

// Another user's catalogue that this user may not read, in a folder this user may write: closing
// neither replaces nor copies it, and says so once.
TEST_F(CatalogueWindow, ACatalogueThatCannotBeReadIsLeftAsItIsAndTheCloseSaysSo) {
  const std::string good = "1\r\n\"1: Tree\"\r\n259\r\n";
  std::ofstream(File(), std::ios::binary) << good;
  // Root's file, read by "nobody"; without root, a file its owner may only write.
  ASSERT_EQ(::chmod(File().c_str(), ::geteuid() == 0 ? 0600 : 0200), 0);
  ASSERT_EQ(::chmod(Folder().c_str(), 0777), 0);
  struct stat before {};
  ASSERT_EQ(::stat(File().c_str(), &before), 0);
  testing_support::AsUnprivilegedUser([&] {
    headless::HeadlessToolkit userTk;
    userTk.executableFolder = Folder();
    Editor userEditor(userTk);
    userEditor.Start();
    EXPECT_TRUE(userEditor.UnloadDatView());
    EXPECT_EQ(userTk.failuresReported,
              std::vector<std::string>{"The overlay catalogue \"" + File() +
                                       "\" could not be read (permission denied), so it was left "
                                       "as it is."});
  });
  ASSERT_EQ(::chmod(File().c_str(), 0600), 0);
  struct stat after {};
  ASSERT_EQ(::stat(File().c_str(), &after), 0);
  EXPECT_EQ(std::tuple(after.st_ino, after.st_uid), std::tuple(before.st_ino, before.st_uid));
  EXPECT_EQ(ReadText(File()), good);
  EXPECT_FALSE(std::filesystem::exists(File() + ".bak"));
}

}  // namespace
}  // namespace korvane
