#pragma once

// What the catalogue window tells the designer when Overlay.dat could not be kept up to date.

#include <string>

namespace korvane {

// "The overlay catalogue "PATH" could not be read (REASON), so it was left as it is."
std::string CatalogueUnreadableMessage(const std::string& path, const std::string& reason);
// "The overlay catalogue "PATH" was left as it is: it could not be read in full, and no backup
// copy could be made (REASON)."
std::string CatalogueNotBackedUpMessage(const std::string& path, const std::string& reason);
// "The overlay catalogue could not be saved to "PATH": REASON."
std::string CatalogueNotSavedMessage(const std::string& path, const std::string& reason);
// "The overlay catalogue "PATH" could not be read in full, so it was kept as "BACKUP" before it
// was replaced."
std::string CatalogueBackedUpMessage(const std::string& path, const std::string& backup);
// "The overlay catalogue was not saved: neither XDG_DATA_HOME nor HOME names a folder to keep it
// in."
std::string CatalogueWithoutHomeMessage();

}  // namespace korvane
