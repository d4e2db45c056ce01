#include <gtest/gtest.h>

#include "overlay/CatalogueHomeWindows.h"

namespace korvane {
namespace {

// Beside a writable korvane.exe, else under %APPDATA% when that names a folder of a drive or a
// share, starting from the catalogue beside the program.
TEST(CatalogueHomeWindows, FollowsTheProgramFolderAndApplicationData) {
  const std::string program = "C:\\Program Files\\Korvane", beside = program + "\\Overlay.dat";
  const struct {
    bool writable;
    const char* appData;
    std::string expected;  // file|folder|installed default
  } cases[] = {
      {true, "C:\\Users\\ana\\AppData\\Roaming", beside + "||"},
      {false, "C:\\Users\\ana\\AppData\\Roaming",
       "C:\\Users\\ana\\AppData\\Roaming\\Korvane\\Overlay.dat|"
       "C:\\Users\\ana\\AppData\\Roaming\\Korvane|" +
           beside},
      {false, "D:/", "D:/\\Korvane\\Overlay.dat|D:/\\Korvane|" + beside},
      {false, "\\\\server\\ana",
       "\\\\server\\ana\\Korvane\\Overlay.dat|\\\\server\\ana\\Korvane|" + beside},
      {false, "\\\\s", "\\\\s\\Korvane\\Overlay.dat|\\\\s\\Korvane|" + beside},
      {false, "\\\\", beside + "||"},
      {false, "C:", beside + "||"},
      {false, "C:Roaming", beside + "||"},
      {false, "Roaming", beside + "||"},
      {false, "", beside + "||"},
  };
  for (const auto& c : cases) {
    const CatalogueHome home = ChooseWindowsCatalogueHome({program, c.writable, c.appData});
    EXPECT_EQ(home.file + "|" + home.folder + "|" + home.installedDefault, c.expected) << c.appData;
  }
}

}  // namespace
}  // namespace korvane
