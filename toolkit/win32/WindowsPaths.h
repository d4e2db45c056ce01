#pragma once

// Windows' rules for path names and for the targets its links store, worked out without a call
// to the system, so they hold (and are tested) on any platform.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace korvane::win32 {

bool IsSeparator(wchar_t c);
// The folder a path names a file in: the drive's root, separator included, for a file there;
// "." for a bare name.
std::wstring FolderOf(const std::wstring& path);
// The last part of a path, past any folder and drive.
std::wstring NameOf(const std::wstring& path);
// How much of a path is no folder to make: "C:", "\\?\C:", "\\server\share",
// "\\?\UNC\server\share"; nothing of a relative path.
size_t RootLength(const std::wstring& path);
std::wstring Join(const std::wstring& folder, const std::wstring& name);
// The device names that Windows keeps in every folder: "NUL", "nul.txt" and "COM1 .map" are all
// the device.
bool IsDeviceName(std::wstring name);
// Why a path names a device or a pipe rather than a file; empty when it names a file.
std::wstring DeviceReasonWide(const std::wstring& path);
// The target a symbolic link's or junction's reparse data (as the system hands it over) stores,
// a relative one joined to the folder of `link`; nullopt for any other kind of reparse point or
// for data too short for the names it claims.
std::optional<std::wstring> ReparseTarget(std::span<const uint8_t> data, const std::wstring& link);

}  // namespace korvane::win32
