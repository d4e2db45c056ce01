#include <gtest/gtest.h>

#include "toolkit/win32/WindowsPaths.h"

namespace korvane::win32 {
namespace {

TEST(WindowsPaths, FoldersNamesAndRootsAtEveryForm) {
  // clang-format off
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> split[] = {
      {L"C:\\a.map", L"C:\\", L"a.map"}, {L"C:a.map", L"C:", L"a.map"},
      {L"C:\\maps\\a.map", L"C:\\maps", L"a.map"}, {L"\\a.map", L"\\", L"a.map"},
      {L"a.map", L".", L"a.map"}, {L"maps/a.map", L"maps", L"a.map"},
      {L"\\\\server\\share\\a.map", L"\\\\server\\share", L"a.map"}};
  // clang-format on
  for (const auto& [path, folder, name] : split) {
    EXPECT_EQ(FolderOf(path), folder) << path;
    EXPECT_EQ(NameOf(path), name) << path;
  }
  // clang-format off
  const std::pair<const wchar_t*, size_t> roots[] = {
      {L"C:\\maps\\x", 2}, {L"\\\\?\\C:\\maps", 6}, {L"\\\\server\\share\\maps", 14},
      {L"\\\\server\\share", 14}, {L"\\\\?\\UNC\\server\\share\\maps", 20}, {L"maps\\x", 0},
      {L"\\maps", 0}, {L"", 0}};
  // clang-format on
  for (const auto& [path, length] : roots) EXPECT_EQ(RootLength(path), length) << path;
  EXPECT_EQ(Join(L"C:\\", L"a"), L"C:\\a");
  EXPECT_EQ(Join(L"C:/x/", L"a"), L"C:/x/a");
  EXPECT_EQ(Join(L"maps", L"a"), L"maps\\a");
}

TEST(WindowsPaths, DevicesAndPipesUnderEveryName) {
  for (const wchar_t* device : {L"NUL", L"nul.txt", L"C:\\maps\\COM1 .map", L"lpt9", L"CON:stream",
                                L"conout$", L"COM\u00B9", L"\\\\.\\C:", L"\\\\?\\GLOBALROOT\\x"})
    EXPECT_EQ(DeviceReasonWide(device), L"it is a device, not a regular file") << device;
  for (const wchar_t* pipe : {L"\\\\.\\pipe\\p", L"//./PIPE/p", L"\\\\?\\pipe\\p"})
    EXPECT_EQ(DeviceReasonWide(pipe), L"it is a pipe, not a regular file") << pipe;
  for (const wchar_t* file : {L"NULL", L"COM0", L"COM10", L"LPT", L"xnul", L"nu", L"C:\\a.map",
                              L"\\\\?\\C:\\a.map", L"\\\\?\\UNC\\s\\h\\a.map", L"\\\\s\\h\\con1"})
    EXPECT_EQ(DeviceReasonWide(file), L"") << file;
}

}  // namespace
}  // namespace korvane::win32
