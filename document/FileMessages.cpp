#include "document/FileMessages.h"

namespace korvane {

std::string SaveFailedMessage(const std::string& path, const std::string& reason) {
  return "The map could not be saved to \"" + path + "\": " + reason + ".";
}

std::string OpenFailedMessage(const std::string& path, const std::string& reason) {
  return "The map \"" + path + "\" could not be opened: " + reason + ".";
}

std::string NotAMapMessage(const std::string& path, const MapFileError& error) {
  return "The file \"" + path + "\" is not a map that Korvane can open. At byte " +
         std::to_string(error.offset) + ": " + error.reason;
}

}  // namespace korvane
