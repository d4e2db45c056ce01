#pragma once

#include <QImage>
#include <string>

namespace korvane::qt {

// The most memory a decoded picture may take. Qt's own default (256 MiB) would refuse sheets
// the editor can use; a limit stays so that a hostile header cannot ask for gigabytes.
inline constexpr int kPictureMemoryLimitMiB = 1024;

// Decodes a picture file as the editor's picture loader does. The file is read like every other
// input (a regular file only, never waiting on a FIFO) and decoded from memory. A null image,
// with the reason in `why`, when it cannot be read or decoded.
QImage DecodePictureFile(const std::string& path, std::string& why);

}  // namespace korvane::qt
