#pragma once

#include <QString>
#include <cstdint>
#include <string>

namespace korvane::qt {

// Option bits of a file dialog's flags, as the editor passes them.
inline constexpr int32_t kOverwritePrompt = 0x2;
inline constexpr int32_t kHideReadOnly = 0x4;
inline constexpr int32_t kFileMustExist = 0x1000;

// "Desc|pattern|Desc2|pattern2" to Qt's "Desc (pattern);;Desc2 (pattern2)". A description that
// already ends in its pattern in parentheses ("Map File (*.map)") is kept as it is; patterns
// separated by ';' are separated by blanks for Qt. An empty filter gives an empty string.
QString ToQtFilter(const std::string& filter);

// The chosen name with the default extension (".map" or "map") appended when the name's last
// component has no extension of its own.
QString WithDefaultExtension(const QString& path, const std::string& defaultExtension);

}  // namespace korvane::qt
