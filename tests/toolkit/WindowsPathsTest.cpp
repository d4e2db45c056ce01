#include <gtest/gtest.h>

#include "toolkit/win32/WindowsPaths.h"

namespace korvane::win32 {
namespace {

TEST(WindowsPaths, FoldersNamesAndRootsAtEveryForm) {
  // clang-format off
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> split[] = {
      {L"C:\\a.map", L"C:\\", L"a.map"}, {L"C:a.map", L"C:", L"a.map"},
      {L"C:\\maps\\a.map", L"C:\\maps", L"a.map"}, {L"\\a.map", L"\\", L"a.map"},
      {L"a.map", L".", L"a.map"}, {L"maps/a.map", L"maps", L"a.map"}, {L"C:", L"C:", L""},
      {L"C", L".", L"C"},
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
      {L"\\maps", 0}, {L"", 0}, {L"C:", 2}, {L"C", 0}};
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

// Reparse data as the system hands it over: the tag, the data's length, the substitute name's
// and the print name's offsets and lengths in bytes, a symbolic link's flags, then the names
// (here the print name first). `cut` bytes are taken off the end.
std::vector<uint8_t> ReparseData(uint32_t tag, uint32_t flags, const std::wstring& print,
                                 const std::wstring& substitute, size_t cut) {
  std::vector<uint8_t> data;
  const auto put16 = [&data](size_t v) {
    data.push_back(uint8_t(v));
    data.push_back(uint8_t(v >> 8));
  };
  const size_t printBytes = 2 * print.size(), substituteBytes = 2 * substitute.size();
  put16(tag & 0xFFFF), put16(tag >> 16), put16(0), put16(0);
  put16(printBytes), put16(substituteBytes), put16(0), put16(printBytes);
  if (tag == 0xA000000C) put16(flags & 0xFFFF), put16(flags >> 16);
  for (const wchar_t c : print + substitute) put16(size_t(c));
  data.resize(data.size() - cut);
  return data;
}

// A link that no file stands behind yet is followed by the target its reparse data names: a
// symbolic link's print name (or its substitute name without the "\??\" prefix when the print
// name is empty), relative to the link's folder when its flags say so; a junction's likewise,
// never relative. Other reparse points and data cut short name nothing.
TEST(WindowsPaths, ReparseDataNamesTheTargetOfLinksAndJunctionsOnly) {
  constexpr uint32_t kLink = 0xA000000C, kJunction = 0xA0000003;
  const std::wstring link = L"C:\\maps\\link.map";
  const struct {
    uint32_t tag, flags;
    const wchar_t *print, *substitute;
    size_t cut;
    std::optional<std::wstring> target;
  } rows[] = {{kLink, 0, L"D:\\real.map", L"\\??\\D:\\other.map", 0, L"D:\\real.map"},
              {kLink, 0, L"", L"\\??\\D:\\other.map", 0, L"D:\\other.map"},
              {kLink, 0, L"", L"D:\\x\\??\\y", 0, L"D:\\x\\??\\y"},
              {kLink, 1, L"real.map", L"real.map", 0, L"C:\\maps\\real.map"},
              {kLink, 0x10001, L"..\\r.map", L"", 0, L"C:\\maps\\..\\r.map"},
              {kLink, 2, L"E:\\r.map", L"", 0, L"E:\\r.map"},
              {kJunction, 0, L"C:\\store", L"\\??\\C:\\store", 0, L"C:\\store"},
              {kJunction, 0, L"", L"\\??\\C:\\store", 0, L"C:\\store"},
              {kLink, 0, L"D:\\real.map", L"", 1, std::nullopt},
              {kLink, 0, L"r.map", L"", 1, std::nullopt},  // shorter than the header
              {kJunction, 0, L"", L"\\??\\C:\\store", 2, std::nullopt},
              {0x8000001B, 0, L"D:\\real.map", L"", 0, std::nullopt},
              {0x0000000C, 0, L"D:\\real.map", L"", 0, std::nullopt},
              {0xA0000000, 0, L"D:\\real.map", L"", 0, std::nullopt}};
  for (const auto& r : rows)
    EXPECT_EQ(ReparseTarget(ReparseData(r.tag, r.flags, r.print, r.substitute, r.cut), link),
              r.target)
        << std::hex << r.tag << " " << r.cut;
  EXPECT_EQ(ReparseTarget(std::vector<uint8_t>(19, 0), link), std::nullopt);
  EXPECT_EQ(ReparseTarget({}, link), std::nullopt);
}

}  // namespace
}  // namespace korvane::win32
