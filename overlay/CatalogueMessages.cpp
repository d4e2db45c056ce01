#include "overlay/CatalogueMessages.h"

namespace korvane {

std::string CatalogueUnreadableMessage(const std::string& path, const std::string& reason) {
  return "The overlay catalogue \"" + path + "\" could not be read (" + reason +
         "), so it was left as it is.";
}

std::string CatalogueNotBackedUpMessage(const std::string& path, const std::string& reason) {
  return "The overlay catalogue \"" + path +
         "\" was left as it is: it could not be read in full, and no backup copy could be made (" +
         reason + ").";
}

std::string CatalogueNotSavedMessage(const std::string& path, const std::string& reason) {
  return "The overlay catalogue could not be saved to \"" + path + "\": " + reason + ".";
}

std::string CatalogueBackedUpMessage(const std::string& path, const std::string& backup) {
  return "The overlay catalogue \"" + path + "\" could not be read in full, so it was kept as \"" +
         backup + "\" before it was replaced.";
}

std::string CatalogueWithoutHomeMessage() {
  return "The overlay catalogue was not saved: neither XDG_DATA_HOME nor HOME names a folder to "
         "keep it in.";
}

}  // namespace korvane
