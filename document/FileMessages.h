#pragma once

// What the editor tells the designer when a map could not be saved or opened.

#include <string>

#include "formats/MapFile.h"

namespace korvane {

// Asked before a command would replace a map with unsaved changes.
inline constexpr const char* kLoseChangesQuestion = "Are you sure you want to lose all changes?";

inline constexpr const char* kTooManyObjects =
    "it holds more than 32767 overlay objects, more than a map file can store";

// "The map could not be saved to "PATH": REASON."
std::string SaveFailedMessage(const std::string& path, const std::string& reason);
// "The map "PATH" could not be opened: REASON."
std::string OpenFailedMessage(const std::string& path, const std::string& reason);
// "The file "PATH" is not a map that Korvane can open. At byte N: REASON"
std::string NotAMapMessage(const std::string& path, const MapFileError& error);

}  // namespace korvane
