#include "toolkit/win32/WindowsPaths.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <string_view>

namespace korvane::win32 {

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos)
    return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : L".";
  // The root of a drive keeps its separator.
  if (cut == 0 || (cut == 2 && path[1] == L':')) return path.substr(0, cut + 1);
  return path.substr(0, cut);
}

std::wstring NameOf(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/");
  const size_t from =
      cut == std::wstring::npos ? (path.size() >= 2 && path[1] == L':' ? 2 : 0) : cut + 1;
  return path.substr(from);
}

size_t RootLength(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':') return 2;
  const bool longForm = path.rfind(L"\\\\?\\", 0) == 0;
  if (longForm && path.size() >= 6 && path[5] == L':') return 6;
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return 0;
  // A share: past the server's name and the share's.
  size_t at = longForm ? 7 : 1;  // "\\?\UNC" or the first separator
  for (int part = 0; part < 2 && at != std::wstring::npos; ++part)
    at = path.find_first_of(L"\\/", at + 1);
  return at == std::wstring::npos ? path.size() : at;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return !folder.empty() && IsSeparator(folder.back()) ? folder + name : folder + L"\\" + name;
}

bool IsDeviceName(std::wstring name) {
  if (const size_t stream = name.find(L':'); stream != std::wstring::npos) name.resize(stream);
  if (const size_t dot = name.find(L'.'); dot != std::wstring::npos) name.resize(dot);
  while (!name.empty() && name.back() == L' ') name.pop_back();
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
  static constexpr std::array<std::wstring_view, 6> kPlain = {L"CON", L"PRN",    L"AUX",
                                                              L"NUL", L"CONIN$", L"CONOUT$"};
  if (std::find(kPlain.begin(), kPlain.end(), name) != kPlain.end()) return true;
  // COM1 to COM9 and LPT1 to LPT9, and the superscript digits Windows also takes.
  if (name.size() != 4 || (name.compare(0, 3, L"COM") != 0 && name.compare(0, 3, L"LPT") != 0))
    return false;
  const wchar_t d = name[3];
  return (d >= L'1' && d <= L'9') || d == L'\u00B9' || d == L'\u00B2' || d == L'\u00B3';
}

std::wstring DeviceReasonWide(const std::wstring& path) {
  const std::wstring device = L"it is a device, not a regular file";
  const auto starts = [&path](std::wstring_view prefix) {
    if (path.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
      const wchar_t a = IsSeparator(path[i]) ? L'\\' : static_cast<wchar_t>(std::towlower(path[i]));
      if (a != prefix[i]) return false;
    }
    return true;
  };
  if (starts(L"\\\\.\\pipe\\") || starts(L"\\\\?\\pipe\\"))
    return L"it is a pipe, not a regular file";
  if (starts(L"\\\\.\\")) return device;
  // The long-path form of a drive or a share names a file; any other is a device of some sort.
  if (starts(L"\\\\?\\") && !starts(L"\\\\?\\unc\\") &&
      !(path.size() >= 7 && path[5] == L':' && IsSeparator(path[6])))
    return device;
  return IsDeviceName(NameOf(path)) ? device : std::wstring();
}

std::optional<std::wstring> ReparseTarget(std::span<const uint8_t> data, const std::wstring& link) {
  constexpr uint32_t kSymbolicLink = 0xA000000C, kJunction = 0xA0000003;
  if (data.size() < 20) return std::nullopt;
  const auto u16 = [&data](size_t at) { return static_cast<size_t>(data[at] | data[at + 1] << 8); };
  const auto tag = static_cast<uint32_t>(u16(0) | u16(2) << 16);
  const bool symlink = tag == kSymbolicLink;
  if (!symlink && tag != kJunction) return std::nullopt;
  // The names follow the header: a symbolic link's after its flags.
  const size_t names = symlink ? 20 : 16;
  const bool relative = symlink && (data[16] & 1) != 0;
  size_t offset = u16(12), length = u16(14);  // the name as the user gave it
  if (length == 0) offset = u16(8), length = u16(10);
  if (names + offset + length > data.size()) return std::nullopt;
  std::wstring target(length / 2, L'\0');
  for (size_t i = 0; i < target.size(); ++i)
    target[i] = static_cast<wchar_t>(u16(names + offset + 2 * i));
  if (target.rfind(L"\\??\\", 0) == 0) target.erase(0, 4);
  return relative ? Join(FolderOf(link), target) : target;
}

}  // namespace korvane::win32
