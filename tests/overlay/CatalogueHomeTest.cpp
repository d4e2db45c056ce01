#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "overlay/CatalogueHome.h"
#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

TEST(CatalogueHome, FollowsTheExecutableFolderAndTheEnvironment) {
  const struct {
    const char* what;
    bool writable;
    const char* xdg;
    const char* home;
    CatalogueHome expected;
  } cases[] = {
      {"portable copy", true, "/x", "/h", {"/opt/k/Overlay.dat", "", ""}},
      {"installed, XDG_DATA_HOME set",
       false,
       "/x",
       "/h",
       {"/x/korvane/Overlay.dat", "/x/korvane", "/opt/k/../share/korvane/Overlay.dat"}},
      {"installed, XDG_DATA_HOME unset",
       false,
       "",
       "/h",
       {"/h/.local/share/korvane/Overlay.dat", "/h/.local/share/korvane",
        "/opt/k/../share/korvane/Overlay.dat"}},
      {"relative XDG_DATA_HOME is ignored",
       false,
       "data",
       "/h",
       {"/h/.local/share/korvane/Overlay.dat", "/h/.local/share/korvane",
        "/opt/k/../share/korvane/Overlay.dat"}},
      {"no usable folder at all", false, "data", "home", {"/opt/k/Overlay.dat", "", ""}},
  };
  for (const auto& c : cases) {
    const CatalogueHome home = ChooseCatalogueHome({"/opt/k", c.writable, c.xdg, c.home});
    EXPECT_EQ(home.file, c.expected.file) << c.what;
    EXPECT_EQ(home.folder, c.expected.folder) << c.what;
    EXPECT_EQ(home.installedDefault, c.expected.installedDefault) << c.what;
  }
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// An installed editor: <prefix>/bin is read-only, <prefix>/share/korvane may hold the installed
// catalogue, and the user's data folder does not exist yet.
class InstalledCatalogue : public testing::Test {
 protected:
  InstalledCatalogue() {
    fs::create_directories(prefix / "bin");
    tk.executableFolder = (prefix / "bin").string();
    tk.files.readOnlyFolders.insert(tk.executableFolder);
    tk.environment["XDG_DATA_HOME"] = (root / "home/data").string();
  }
  void InstallDefault(const std::string& text) {
    fs::create_directories(prefix / "share/korvane");
    std::ofstream(prefix / "share/korvane/Overlay.dat", std::ios::binary) << text;
  }
  DatView& Start() {
    editor = std::make_unique<Editor>(tk);
    editor->Start();
    return editor->datView();
  }

  const fs::path root = testing_support::FreshFolder();
  const fs::path prefix = root / "usr";
  const fs::path userFile = root / "home/data/korvane/Overlay.dat";
  headless::HeadlessToolkit tk;
  std::unique_ptr<Editor> editor;
};

constexpr const char* kRock = "1\r\n\"1: Rock\"\r\n129\r\n";
constexpr const char* kTree = "1\r\n\"1: Tree\"\r\n259\r\n";

TEST_F(InstalledCatalogue, IsWrittenToTheUserFolderCreatedOnClose) {
  Start();
  EXPECT_FALSE(fs::exists(root / "home")) << "nothing is created before the first write";
  ASSERT_TRUE(editor->UnloadDatView());
  EXPECT_EQ(ReadText(userFile), "0\r\n");
  EXPECT_EQ(fs::status(userFile.parent_path()).permissions() & fs::perms::all,
            fs::perms::owner_all);
  EXPECT_FALSE(fs::exists(prefix / "bin/Overlay.dat"));
}

TEST_F(InstalledCatalogue, StartsFromTheInstalledDefaultOnlyWithoutTheUsersOwn) {
  InstallDefault(kRock);
  EXPECT_EQ(Start().Items->List(1), "1: Rock");
  ASSERT_TRUE(editor->UnloadDatView());
  EXPECT_EQ(ReadText(userFile), kRock);
  EXPECT_FALSE(fs::exists(userFile.string() + ".bak"));

  std::ofstream(userFile, std::ios::binary) << kTree;
  DatView& again = editor->datView();
  ASSERT_EQ(again.Items->ListCount(), 2);
  EXPECT_EQ(again.Items->List(1), "1: Tree");
  ASSERT_TRUE(editor->UnloadDatView());
  EXPECT_EQ(ReadText(userFile), kTree);
  EXPECT_EQ(ReadText(prefix / "share/korvane/Overlay.dat"), kRock);
}

// The disk side of the choice: only an existing folder takes files, and a nested user folder is
// made whole, private to the user.
TEST(CatalogueHome, PosixFoldersAreFoundAndMade) {
  const fs::path root = testing_support::FreshFolder();
  std::ofstream(root / "file") << "x";
  toolkit::PosixFileSystem disk;
  const struct {
    std::string folder;
    bool takesFiles;
  } cases[] = {{root.string(), true},
               {(root / "file").string(), false},
               {(root / "missing").string(), false},
               {"", false}};
  for (const auto& c : cases) EXPECT_EQ(disk.CanCreateFilesIn(c.folder), c.takesFiles) << c.folder;

  const fs::path nested = root / "a/b/korvane";
  ASSERT_TRUE(disk.CreateFolders(nested.string()));
  EXPECT_TRUE(disk.CreateFolders(nested.string())) << "an existing folder is fine";
  EXPECT_TRUE(disk.CanCreateFilesIn(nested.string()));
  EXPECT_EQ(fs::status(root / "a").permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_FALSE(disk.CreateFolders((root / "file/sub").string()));
  EXPECT_FALSE(disk.CreateFolders((root / "file").string()));
}

}  // namespace
}  // namespace korvane
