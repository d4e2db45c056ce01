#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/Catalogue.h"
#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"

namespace korvane {
namespace {

using headless::H;

// The catalogue window of a started editor whose folder holds no Overlay.dat yet.
class CatalogueWindow : public testing_support::EditorTest {
 protected:
  std::string File() const { return Folder() + "/Overlay.dat"; }
  std::string FileText() const { return Text(File()); }
  static std::string Text(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  DatView& Dat() { return editor->datView(); }
  void AddEntry(const std::string& name, const std::string& x, const std::string& y) {
    tk.inputAnswers = {name, x, y};
    H(*Dat().Add).Click();
  }
  // The entry at list position p and the three labels after choosing it.
  std::string Choose(int16_t p) {
    Dat().Items->SetListIndex(p);
    return (p >= 0 ? Dat().Items->List(p) + "|" : "") + Dat().ID->Caption() + "|" +
           Dat().XSize->Caption() + "|" + Dat().YSize->Caption();
  }
};

// Entries get the next number, the typed name with line breaks turned into blanks and 128 * x + y;
// a deletion renumbers the positions, not the texts. The close writes the list, "Remove" aside.
TEST_F(CatalogueWindow, AddDeleteAndCloseWriteTheList) {
  EXPECT_EQ(Choose(0), "Remove|ID Number:   0|X-Size:   0|Y-Size:   0");
  ASSERT_TRUE(H(*Dat().window).UserClose());
  EXPECT_EQ(FileText(), "0\r\n");
  AddEntry("Tree", "2", "3");
  EXPECT_EQ(tk.inputsAsked.at(2).prompt, "Enter the Y-Size of this object:");
  AddEntry("Ro\r\nck", "1", "1");
  AddEntry("C", "1", "3");
  ASSERT_TRUE(editor->UnloadDatView());
  EXPECT_EQ(FileText(), "3\r\n\"1: Tree\"\r\n259\r\n\"2: Ro  ck\"\r\n129\r\n\"3: C\"\r\n131\r\n");
  EXPECT_EQ(Choose(1), "1: Tree|ID Number:   1|X-Size:   2|Y-Size:   3");
  Dat().Items->SetListIndex(2);
  H(*Dat().Remove).Click();
  AddEntry("D", "1", "4");
  EXPECT_EQ(Choose(2), "3: C|ID Number:   2|X-Size:   1|Y-Size:   3");
  EXPECT_EQ(Choose(3), "3: D|ID Number:   3|X-Size:   1|Y-Size:   4");
  EXPECT_EQ(Choose(-1), "ID Number:|X-Size:|Y-Size:");
  H(*Dat().Remove).Click();  // nothing is selected
  Dat().Items->SetListIndex(0);
  H(*Dat().Remove).Click();  // "Remove" itself is selected
  EXPECT_EQ(std::pair(Dat().Items->ListCount(), tk.failuresReported.size()),
            std::pair(int16_t{4}, size_t{0}));
  Dat().Items->SetListIndex(1);  // the first entry goes like any other
  H(*Dat().Remove).Click();
  EXPECT_EQ(Choose(1), "3: C|ID Number:   1|X-Size:   1|Y-Size:   3");
}

// Sizes are whole numbers from 1 to 127; a full list takes no more entries and asks nothing.
TEST_F(CatalogueWindow, SizesOutsideOneTo127AndAFullListAddNothing) {
  const std::tuple<const char*, const char*, int32_t> cases[] = {
      {"0", "5", 0},   {"128", "5", 0}, {"", "5", 0},      {"5", "0", 0},
      {"5", "128", 0}, {"5", "", 0},    {"1", "127", 255}, {"127", "1", 16257}};  // 0: refused
  for (const auto& [x, y, packed] : cases) {
    const int16_t before = Dat().Items->ListCount();
    AddEntry("Thing", x, y);
    EXPECT_EQ(Dat().Items->ListCount() - before, packed ? 1 : 0) << x << " x " << y;
    EXPECT_EQ(packed ? Dat().Items->ItemData(before) : 0, packed);
  }
  while (Dat().Items->ListCount() < kMaxCatalogueEntries) Dat().Items->AddItem("x");
  AddEntry("last", "1", "1");
  tk.inputsAsked.clear();
  AddEntry("one too many", "1", "1");
  EXPECT_EQ(std::pair(Dat().Items->ListCount(), tk.inputsAsked.size()),
            std::pair(int16_t{kMaxCatalogueEntries + 1}, size_t{0}));
}

// The close reads the file (operations 0 and 1) and then writes it: whichever step fails, the
// previous file stays whole and the designer is told once what went wrong.
TEST_F(CatalogueWindow, AFailedWriteLeavesThePreviousFileAndSaysWhy) {
  const std::string good = "1\r\n\"1: Tree\"\r\n259\r\n";
  const std::string reason = headless::FaultyFileSystem::kInjectedFailure;
  for (int failAt = 1; failAt <= 6; ++failAt) {
    tk.files.failAt = -1;
    ASSERT_TRUE(editor->UnloadDatView());
    std::ofstream(File(), std::ios::binary) << good;
    AddEntry("Rock", "1", "1");
    tk.files.operations = 0;
    tk.files.log.clear();
    tk.files.failAt = failAt;
    tk.failuresReported.clear();
    EXPECT_TRUE(editor->UnloadDatView());  // the close is never refused
    EXPECT_EQ(FileText(), good);
    EXPECT_EQ(tk.failuresReported,
              std::vector<std::string>{tk.files.log.at(failAt) == "ReadAt"
                                           ? "The overlay catalogue \"" + File() +
                                                 "\" could not be read (" + reason +
                                                 "), so it was left as it is."
                                           : "The overlay catalogue could not be saved to \"" +
                                                 File() + "\": " + reason + "."})
        << failAt;
  }
}

// An installed copy keeps the catalogue in the user's data folder, starting from the installed
// one, even when it could write its own folder (as root can /usr/bin); it never writes under its
// prefix, so without a data folder it keeps nothing and says so.
TEST_F(CatalogueWindow, AnInstalledCopyWritesOnlyInTheUserDataFolder) {
#ifdef _WIN32
  GTEST_SKIP() << "a Windows copy keeps its catalogue by the writable-folder rule";
#endif
  namespace fs = std::filesystem;
  const fs::path top = Folder(), prefix = top / "usr";
  const std::string installed = "1\r\n\"1: Tree\"\r\n259\r\n";
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "share/korvane");
  std::ofstream(prefix / "share/korvane/Overlay.dat", std::ios::binary) << installed;
  const auto under = [](const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(folder))
      names.push_back(fs::relative(e.path(), folder).string());
    std::ranges::sort(names);
    return names;
  };
  const std::vector<std::string> prefixBefore = under(prefix);
  const struct {
    std::string xdg, home, file;  // file: where the catalogue is written, below `top`
  } rows[] = {{(top / "data").string(), (top / "home").string(), "data/korvane/Overlay.dat"},
              {"", (top / "home").string(), "home/.local/share/korvane/Overlay.dat"},
              {"", "", ""}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.file);
    editor.reset();
    tk.executableFolder = (prefix / "bin").string();
    tk.environment = {{"XDG_DATA_HOME", r.xdg}, {"HOME", r.home}};
    tk.failuresReported.clear();
    editor = std::make_unique<Editor>(tk);
    editor->Start();
    EXPECT_EQ(Choose(1), "1: Tree|ID Number:   1|X-Size:   2|Y-Size:   3");
    ASSERT_TRUE(editor->UnloadDatView());
    EXPECT_EQ(r.file.empty() ? installed : Text(top / r.file), installed);
    EXPECT_EQ(tk.failuresReported.size(), r.file.empty() ? 1u : 0u);
    EXPECT_EQ(under(prefix), prefixBefore);
  }
}

// Switching modes swaps the companion windows. Switching back hides a closed catalogue without
// loading it, and minimising does not load it either; restoring loads it and shows it.
TEST_F(CatalogueWindow, ModeSwitchSwapsTheCompanionsAndLoadsOnlyWhatIsShown) {
  const auto state = [&] {
    return std::tuple(view().EditMode, editor->TileViewVisible(), editor->DatViewVisible(),
                      editor->HasDatView());
  };
  view().MENU_DATA_VIEW_Click();
  EXPECT_EQ(state(), std::tuple(1, false, true, true));
  mainWindow().UserMinimize();  // an open catalogue hides with the main window and comes back
  EXPECT_EQ(state(), std::tuple(1, false, false, true));
  mainWindow().UserRestore();
  EXPECT_EQ(state(), std::tuple(1, false, true, true));
  ASSERT_TRUE(H(*Dat().window).UserClose());
  std::ofstream(File()) << "1\r\n\"1: Rock\"\r\n129\r\n";
  mainWindow().UserMinimize();
  EXPECT_EQ(state(), std::tuple(1, false, false, false));
  mainWindow().UserRestore();
  EXPECT_EQ(state(), std::tuple(1, false, true, true));
  EXPECT_EQ(Dat().Items->List(1), "1: Rock");
  ASSERT_TRUE(H(*Dat().window).UserClose());
  view().MENU_DATA_VIEW_Click();
  EXPECT_EQ(state(), std::tuple(0, true, false, false));
}

}  // namespace
}  // namespace korvane
