#include "toolkit/win32/Win32Text.h"

#include <algorithm>
#include <climits>

#include "toolkit/win32/Win32Api.h"

namespace korvane::win32 {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  const int length = static_cast<int>(utf8.size());
  const int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring out(static_cast<size_t>(std::max(needed, 0)), L'\0');
  if (needed > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), needed);
  return out;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty() || utf16.size() > INT_MAX) return {};
  const int length = static_cast<int>(utf16.size());
  const int needed =
      ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(std::max(needed, 0)), '\0');
  if (needed > 0)
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, out.data(), needed, nullptr, nullptr);
  return out;
}

}  // namespace korvane::win32
