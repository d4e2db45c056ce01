// The disk on Windows: what may be a file, saves in one step with any characters in the name,
// temporary files, links, and folders. Run under Wine.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "formats/AtomicFile.h"
#include "tests/support/EditorFixture.h"
#include "tests/win32/Win32Desktop.h"
#include "toolkit/win32/Win32Api.h"
#include "toolkit/win32/Win32FileSystem.h"
#include "toolkit/win32/Win32Text.h"

namespace korvane::win32 {
namespace {

namespace fs = std::filesystem;

const std::string kDevice = "it is a device, not a regular file";
const std::string kPipe = "it is a pipe, not a regular file";
const std::string kNoFolder = "the folder does not exist";

fs::path U8(const std::string& utf8) {
  return fs::path(Widen(utf8));
}

using testing_desktop::Bytes;
using testing_desktop::Names;

class Win32Disk : public testing::Test {
 protected:
  bool Save(const std::string& path, std::vector<uint8_t> bytes) {
    error = {};
    return WriteFileAtomically(disk, path, bytes, error);
  }
  Win32FileSystem disk;
  toolkit::FileError error;
  const std::string dir = testing_support::FreshFolder();
};

// A reason completes "could not ... because ...": Windows' own words for codes it has words for,
// begun in lower case, without the full stop and line end they come with; its number otherwise.
TEST(Win32Errors, AReasonIsPartOfASentence) {
  EXPECT_EQ(DescribeWindowsError(ERROR_PATH_NOT_FOUND, true), "the folder does not exist");
  EXPECT_EQ(DescribeWindowsError(0x2000BEEF), "Windows error 536919791");
  for (const uint32_t code : {ERROR_INVALID_PARAMETER, ERROR_NOT_READY, ERROR_BAD_NETPATH}) {
    const std::string reason = DescribeWindowsError(code);
    ASSERT_FALSE(reason.empty());
    EXPECT_TRUE(std::islower(static_cast<unsigned char>(reason.front())) &&
                std::isalnum(static_cast<unsigned char>(reason.back())))
        << code << ": \"" << reason << '"';
  }
}

// The names Windows keeps for devices, in any folder, with any extension and trailing blanks,
// and the device and pipe namespaces; the names next to them are files.
TEST_F(Win32Disk, DevicesAndPipesAreNeverFiles) {
  const std::pair<std::string, std::string> table[] = {
      {"NUL", kDevice},
      {"C:\\maps\\nul.map", kDevice},
      {"con.txt", kDevice},
      {"CONOUT$", kDevice},
      {"COM1", kDevice},
      {"com9.map", kDevice},
      {"LPT1 .map", kDevice},
      {"COM0.map", ""},
      {"COM10", ""},
      {"LPT", ""},
      {"console.map", ""},
      {"\\\\.\\C:\\maps\\a.map", kDevice},
      {"\\\\.\\pipe\\korvane", kPipe},
      {"//./PIPE/korvane", kPipe},
      {"\\\\?\\GLOBALROOT\\Device\\Null", kDevice},
      {"\\\\?\\C:\\maps\\a.map", ""},
      {"\\\\?\\UNC\\server\\share\\a.map", ""},
      {"\\\\server\\share\\nul2.map", ""},
  };
  for (const auto& [path, reason] : table) EXPECT_EQ(DeviceReason(path), reason) << path;
  // Refused before anything is opened or made.
  for (const std::string name : {"NUL", "nul.map", "COM1", "\\\\.\\pipe\\korvane"}) {
    const std::string path = name.find('\\') == 0 ? name : dir + "\\" + name;
    EXPECT_EQ(disk.OpenForReading(path, error), nullptr);
    EXPECT_FALSE(error.reason.empty());
    EXPECT_FALSE(Save(path, {1}));
    EXPECT_NE(error.reason.find("not a regular file"), std::string::npos) << path;
  }
  EXPECT_TRUE(Names(dir).empty());
}

// A save writes a temporary file beside the target, open to nobody else, and puts it in place in
// one step; the name keeps every character. Failures say why in the editor's words.
TEST_F(Win32Disk, SavesReplaceInOneStepWithAnyName) {
  const std::string name = "Kärtchen – 地図 🗺.map";
  const std::string path = dir + "\\" + name;
  ASSERT_TRUE(Save(path, {1, 2, 3})) << error.reason;
  const auto replacement = FileReplacement::Begin(disk, path, error);
  ASSERT_TRUE(replacement && replacement->File().Write(std::vector<uint8_t>{4, 5}));
  const std::string temporary = replacement->File().Path();
  EXPECT_TRUE(disk.SameFile(temporary.substr(0, temporary.find_last_of('\\')), dir));
  EXPECT_EQ(Names(dir).size(), 2u);
  EXPECT_EQ(::CreateFileW(Widen(temporary).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(Bytes(path), (std::vector<uint8_t>{1, 2, 3}));  // untouched until the commit
  ASSERT_TRUE(replacement->Commit(error)) << error.reason;
  EXPECT_EQ(Bytes(path), (std::vector<uint8_t>{4, 5}));
  EXPECT_EQ(Names(dir), std::vector<std::string>{name});
  EXPECT_EQ(disk.ReadAll(path), (std::vector<uint8_t>{4, 5}));
  {
    const auto input = disk.OpenForReading(path, error);  // then another program cuts it short
    ASSERT_NE(input, nullptr);
    fs::resize_file(U8(path), 1);
    std::vector<uint8_t> both(2);
    EXPECT_FALSE(input->ReadAt(0, both, error));
    EXPECT_EQ(error.reason, "the file became shorter while it was read");
  }

  fs::create_directory(U8(dir + "\\folder"));
  // Open to nobody else, as another program may hold a map.
  std::ofstream(U8(dir + "\\held.map")) << "x";
  const HANDLE held = ::CreateFileW(Widen(dir + "\\held.map").c_str(), GENERIC_READ | GENERIC_WRITE,
                                    0, nullptr, OPEN_EXISTING, 0, nullptr);
  const struct {
    std::string path;
    bool save;
    std::string reason;
    bool notFound;
  } failures[] = {
      {"", false, "no file name was given", true},
      {"", true, "no file name was given", true},
      {dir + "\\none.map", false, "there is no such file", true},
      {dir + "\\gone\\x.map", false, "there is no such file", true},
      {dir + "\\gone\\x.map", true, kNoFolder, false},
      {dir + "\\folder", true, "it is a folder, not a file", false},
      {dir + "\\folder", false, "it is a folder, not a file", false},
      {dir + "\\held.map", false, "another program is using the file", false},
      {dir + "\\held.map", true, "permission denied", false},  // Windows' word for the rename
  };
  for (const auto& f : failures) {
    error = {};
    if (f.save)
      EXPECT_FALSE(Save(f.path, {1}));
    else
      EXPECT_EQ(disk.OpenForReading(f.path, error), nullptr);
    EXPECT_EQ(std::pair(error.reason, error.notFound), std::pair(f.reason, f.notFound)) << f.path;
  }
  ::CloseHandle(held);
  EXPECT_EQ(Bytes(dir + "\\held.map"), std::vector<uint8_t>{'x'});
  EXPECT_EQ(Names(dir), (std::vector<std::string>{name, "folder", "held.map"}));
  // The last step of a save: a folder gone under it, and a temporary file gone.
  std::ofstream(U8(dir + "\\new.map")) << "y";
  EXPECT_FALSE(disk.Rename(dir + "\\new.map", dir + "\\gone\\x.map", error));
  EXPECT_EQ(std::pair(error.reason, error.notFound), std::pair(kNoFolder, false));
  EXPECT_FALSE(disk.Rename(dir + "\\gone.map", dir + "\\x.map", error));
  EXPECT_EQ(error.reason, "the temporary file or its folder has disappeared");
  EXPECT_EQ(Bytes(dir + "\\new.map"), std::vector<uint8_t>{'y'});
}

// A later save to the same target removes what a killed save left: only its own target's
// leftovers, and only old ones: written before this run started and more than a minute ago.
TEST_F(Win32Disk, LeftoversOfAKilledSaveAreRemoved) {
  const std::string prefix = toolkit::TemporaryPrefixFor("m.map");
  const auto leftover = [&](const std::string& name, int64_t written) {
    std::ofstream(U8(dir + "\\" + name)) << "x";
    const HANDLE h = ::CreateFileW(Widen(dir + "\\" + name).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME time{DWORD(written), DWORD(written >> 32)};
    EXPECT_TRUE(::SetFileTime(h, nullptr, nullptr, &time) && ::CloseHandle(h)) << name;
  };
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const int64_t anHourAgo =
      (int64_t{now.dwHighDateTime} << 32 | now.dwLowDateTime) - 36'000'000'000;
  leftover(prefix + "AAAAAA", anHourAgo);
  leftover(toolkit::TemporaryPrefixFor("other.map") + "CCCCCC", anHourAgo);
  ASSERT_TRUE(Save(dir + "\\m.map", {7}));
  EXPECT_EQ(Names(dir), (std::vector<std::string>{".other.map.korvane-tmp-CCCCCC", "m.map"}));

  // Times in 100 ns: one row a side of each bound, with the other bound well met.
  constexpr int64_t kMinute = 600'000'000, kNow = 134'100'000'000'000'000,
                    kEarly = kNow - 2 * kMinute;
  const struct {
    const char* suffix;
    int64_t written, started;
    bool removed;
  } rows[] = {{"AAAAAA", kEarly - 1, kEarly, true},       {"AAAAAA", kEarly, kEarly, false},
              {"AAAAAA", kNow - kMinute - 1, kNow, true}, {"AAAAAA", kNow - kMinute, kNow, false},
              {"AAAAA", kEarly - 1, kEarly, false},       {"AAAAAAA", kEarly - 1, kEarly, false}};
  for (const auto& r : rows) {
    leftover(prefix + r.suffix, r.written);
    RemoveLeftovers(Widen(dir), Widen(prefix), uint64_t(r.started), uint64_t(kNow));
    const fs::path path = U8(dir + "\\" + prefix + r.suffix);
    EXPECT_EQ(fs::exists(path), !r.removed) << r.suffix << " " << r.written - r.started;
    fs::remove(path);
  }
}

TEST_F(Win32Disk, FoldersAreMadeLevelByLevelAndTriedForNewFiles) {
  const std::string nested = dir + "\\a\\b/c";
  EXPECT_TRUE(disk.CreateFolders(nested));
  EXPECT_TRUE(disk.CreateFolders(nested));  // already there
  EXPECT_TRUE(fs::is_directory(U8(nested)));
  std::ofstream(U8(dir + "\\file")) << "x";
  EXPECT_FALSE(disk.CreateFolders(dir + "\\file\\sub"));
  EXPECT_TRUE(disk.CanCreateFilesIn(nested));
  EXPECT_FALSE(disk.CanCreateFilesIn(dir + "\\missing"));
  EXPECT_FALSE(disk.CanCreateFilesIn(dir + "\\file"));
  EXPECT_TRUE(fs::is_empty(U8(nested)));  // the trial leaves nothing behind
  EXPECT_TRUE(disk.SameFile(dir + "\\file", dir + "/a/../file"));
  EXPECT_FALSE(disk.SameFile(dir + "\\file", nested));
}

// Links made on the Linux side (the test script's fixtures): a save goes to the file a link
// names; a link to a device is neither read nor replaced. The links stay links (the script
// checks).
TEST_F(Win32Disk, LinksAreFollowed) {
  const char* fixtures = std::getenv("KORVANE_WINE_FIXTURES");
  if (!fixtures) GTEST_SKIP() << "KORVANE_WINE_FIXTURES is not set";
  const std::string links = std::string(fixtures) + "\\links";
  for (const char* name : {"link.map", "chain.map"})
    EXPECT_TRUE(Save(links + "\\" + name, {6, 6})) << name << ": " << error.reason;
  EXPECT_EQ(Bytes(links + "\\real\\map.map"), (std::vector<uint8_t>{6, 6}));
  EXPECT_FALSE(Save(links + "\\loop-a.map", {1}));
  EXPECT_EQ(error.reason, "the symbolic links form a loop");
  EXPECT_EQ(disk.OpenForReading(links + "\\device.map", error), nullptr);
  EXPECT_EQ(error.reason, kDevice);
  EXPECT_FALSE(Save(links + "\\device.map", {1}));
  EXPECT_EQ(error.reason, kDevice);
}

// A Windows symbolic link to a file that does not exist yet: the save makes that file. (Wine
// shows Linux links only by the files they name, and makes no Windows links.)
TEST_F(Win32Disk, ALinkToNoFileYetMakesThatFile) {
  const std::string link = dir + "\\dangling.map";
  ::CreateSymbolicLinkW(Widen(link).c_str(), L"new.map", 0);
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(Widen(link).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) GTEST_SKIP() << "this system makes no symbolic links";
  ::FindClose(search);
  EXPECT_TRUE(Save(link, {6, 6})) << error.reason;
  EXPECT_EQ(Bytes(dir + "\\new.map"), (std::vector<uint8_t>{6, 6}));
}

}  // namespace
}  // namespace korvane::win32
