#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/cli/CliCommands.h"

namespace korvane::cli {

// Pictures read and written with Qt, and the renderer. A QApplication must exist while they run.
CliServices MakeQtServices();

// The image as the bytes of a PNG file; nullopt when encoding fails.
std::optional<std::vector<uint8_t>> EncodePng(const QImage& image);

}  // namespace korvane::cli
