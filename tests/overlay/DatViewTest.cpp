#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlay/DatView.h"
#include "shell/Editor.h"
#include "tests/overlay/OverlayTestFolder.h"
#include "tests/support/HeadlessToolkit.h"

namespace korvane {
namespace {

using overlaytest::ReadText;
using overlaytest::WriteText;

class CatalogueWindow : public testing::Test {
 protected:
  CatalogueWindow() {
    tk.executableFolder = overlaytest::FreshFolder();
    file = tk.executableFolder + "/Overlay.dat";
  }

  // The catalogue window as the editor loads it.
  DatView& Open() { return editor.datView(); }

  void AddEntry(const std::string& name, const std::string& x, const std::string& y) {
    tk.inputAnswers.insert(tk.inputAnswers.end(), {name, x, y});
    headless::H(*editor.datView().Add).Click();
  }

  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    DatView& d = editor.datView();
    for (int16_t i = 0; i < d.Items->ListCount(); ++i) out.push_back(d.Items->List(i));
    return out;
  }

  std::vector<std::string> Labels() {
    DatView& d = editor.datView();
    return {d.ID->Caption(), d.XSize->Caption(), d.YSize->Caption()};
  }

  headless::HeadlessToolkit tk;
  Editor editor{tk};
  std::string file;
};

TEST_F(CatalogueWindow, WithoutAFileHoldsOnlyRemoveAndClosingWritesZero) {
  DatView& d = Open();
  EXPECT_EQ(Texts(), std::vector<std::string>{"Remove"});
  EXPECT_EQ(d.Items->ListIndex(), 0);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"ID Number:   0", "X-Size:   0", "Y-Size:   0"}));
  EXPECT_TRUE(headless::H(*d.window).UserClose());
  EXPECT_EQ(ReadText(file), "0\r\n");
  EXPECT_FALSE(editor.HasDatView());
}

TEST_F(CatalogueWindow, AddedEntriesAreSavedAndReadBack) {
  Open();
  AddEntry("Tree", "2", "3");
  AddEntry("Rock", "1", "1");
  EXPECT_EQ(tk.inputsAsked.size(), 6u);
  EXPECT_EQ(tk.inputsAsked[0].prompt, "Enter the name of this object:");
  EXPECT_EQ(tk.inputsAsked[1].prompt, "Enter the X-Size of this object:");
  EXPECT_EQ(tk.inputsAsked[2].prompt, "Enter the Y-Size of this object:");
  EXPECT_EQ(tk.inputsAsked[2].title, "");
  // A new entry is not selected.
  EXPECT_EQ(editor.datView().Items->ListIndex(), 0);
  EXPECT_EQ(Labels()[0], "ID Number:   0");
  ASSERT_TRUE(editor.UnloadDatView());
  EXPECT_EQ(ReadText(file), "2\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\n129\r\n");

  DatView& again = Open();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove", "1: Tree", "2: Rock"}));
  EXPECT_EQ(again.Items->ItemData(1), 259);
  EXPECT_EQ(again.Items->ItemData(2), 129);
  again.Items->SetListIndex(1);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"ID Number:   1", "X-Size:   2", "Y-Size:   3"}));
}

TEST_F(CatalogueWindow, SizeAnswersOutsideOneTo127AddNothing) {
  Open();
  const struct {
    std::string x, y;
    bool added;
  } cases[] = {{"0", "5", false},   {"128", "5", false}, {"", "5", false},
               {"abc", "5", false}, {"5", "0", false},   {"5", "128", false},
               {"1", "127", true},  {"127", "1", true},  {" 2.5 ", "3", true}};
  int16_t expectedCount = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x + " x " + c.y);
    AddEntry("Thing", c.x, c.y);
    if (c.added) ++expectedCount;
    tk.inputAnswers.clear();  // a refused X-size leaves the Y answer unasked
    EXPECT_EQ(editor.datView().Items->ListCount(), expectedCount);
  }
  DatView& d = editor.datView();
  EXPECT_EQ(d.Items->ItemData(1), 1 * 128 + 127);
  EXPECT_EQ(d.Items->ItemData(2), 127 * 128 + 1);
  EXPECT_EQ(d.Items->ItemData(3), 2 * 128 + 3);  // 2.5 rounds to the even 2
}

TEST_F(CatalogueWindow, DeletingRenumbersPositionsButNotTexts) {
  Open();
  AddEntry("A", "1", "1");
  AddEntry("B", "1", "2");
  AddEntry("C", "1", "3");
  DatView& d = editor.datView();
  d.Items->SetListIndex(2);
  headless::H(*d.Remove).Click();
  EXPECT_EQ(d.Items->ListIndex(), 0);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"ID Number:   0", "X-Size:   0", "Y-Size:   0"}));
  AddEntry("D", "1", "4");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove", "1: A", "3: C", "3: D"}));
  d.Items->SetListIndex(2);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"ID Number:   2", "X-Size:   1", "Y-Size:   3"}));
}

TEST_F(CatalogueWindow, RemoveNeverDeletesTheRemoveEntry) {
  DatView& d = Open();
  AddEntry("A", "1", "1");
  headless::H(*d.Remove).Click();  // "Remove" selected
  d.Items->SetListIndex(-1);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"ID Number:", "X-Size:", "Y-Size:"}));
  headless::H(*d.Remove).Click();  // nothing selected
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove", "1: A"}));
}

TEST_F(CatalogueWindow, NamesSurviveTheFileWhateverTheyHold) {
  Open();
  AddEntry("", "1", "1");
  AddEntry("the \"big\" one, really", "2", "2");
  AddEntry("two\r\nlines", "3", "3");
  AddEntry("last", "4", "4");
  ASSERT_TRUE(editor.UnloadDatView());
  Open();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove", "1: ", "2: the \"big\" one, really",
                                               "3: two  lines", "4: last"}));
}

TEST_F(CatalogueWindow, FailedWriteLeavesThePreviousCatalogue) {
  const std::string good = "1\r\n\"1: Tree\"\r\n259\r\n";
  // Operation 0 is the load, then the close reads the file once before writing.
  for (int failAt = 2; failAt <= 6; ++failAt) {
    SCOPED_TRACE(failAt);
    WriteText(file, good);
    tk.files.operations = 0;
    tk.files.failAt = failAt;
    Open();
    AddEntry("Rock", "1", "1");
    EXPECT_TRUE(editor.UnloadDatView());  // the close is never refused
    EXPECT_EQ(ReadText(file), good);
  }
  tk.files.failAt = -1;
  Open();
  AddEntry("Rock", "1", "1");
  EXPECT_TRUE(editor.UnloadDatView());
  EXPECT_EQ(ReadText(file), "2\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\n129\r\n");
}

TEST_F(CatalogueWindow, AnUnreadablePartOfTheFileIsKeptAside) {
  const std::string broken =
      "3\r\n\"1: Tree\"\r\n259\r\n\"2: Rock\"\r\nwide\r\n\"3: Bush\"\r\n130\r\n";
  WriteText(file, broken);
  // Without a safe copy the file is not replaced at all (operation 2 creates the copy).
  tk.files.failAt = 2;
  Open();
  ASSERT_TRUE(editor.UnloadDatView());
  EXPECT_EQ(ReadText(file), broken);
  EXPECT_FALSE(ReadText(file + ".bak"));

  tk.files.failAt = -1;
  DatView& d = Open();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove", "1: Tree"}));
  EXPECT_EQ(d.Items->ItemData(1), 259);
  ASSERT_TRUE(editor.UnloadDatView());
  EXPECT_EQ(ReadText(file + ".bak"), broken);
  EXPECT_EQ(ReadText(file), "1\r\n\"1: Tree\"\r\n259\r\n");
}

TEST_F(CatalogueWindow, AFullListTakesNoMoreEntries) {
  // Positions are 16-bit: "Remove" and 32766 entries fill the list.
  std::string text = "32767\r\n";
  for (int i = 1; i <= 32767; ++i) text += "\"" + std::to_string(i) + ": x\"\r\n129\r\n";
  WriteText(file, text);
  DatView& d = Open();
  EXPECT_EQ(d.Items->ListCount(), 32767);
  AddEntry("one too many", "1", "1");
  EXPECT_EQ(d.Items->ListCount(), 32767);
  EXPECT_TRUE(tk.inputsAsked.empty());
  ASSERT_TRUE(editor.UnloadDatView());
  EXPECT_TRUE(ReadText(file)->starts_with("32766\r\n\"1: x\"\r\n"));
  EXPECT_EQ(ReadText(file + ".bak"), text);
}

}  // namespace
}  // namespace korvane
