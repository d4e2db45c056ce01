#pragma once

#include <string>
#include <string_view>

namespace korvane::win32 {

// The editor's strings are UTF-8; the Windows API's are UTF-16. Bytes that are not UTF-8 become
// U+FFFD, and unpaired surrogates become U+FFFD, rather than being dropped.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace korvane::win32
