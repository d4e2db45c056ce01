#include "overlay/CatalogueHome.h"

#include "model/Catalogue.h"
#include "overlay/CatalogueHomeWindows.h"

namespace korvane {

namespace {

// A relative or empty value does not name a folder: it would depend on where the editor was
// started from.
bool IsAbsolute(const std::string& path) {
  return !path.empty() && path.front() == '/';
}

std::string UserDataFolder(const CatalogueHomeFacts& facts) {
  if (IsAbsolute(facts.xdgDataHome)) return facts.xdgDataHome;
  if (IsAbsolute(facts.home)) return facts.home + "/.local/share";
  return {};
}

std::string InstalledDataFolder(const std::string& executableFolder) {
  return executableFolder + "/../share/korvane";
}

}  // namespace

CatalogueHome ChooseCatalogueHome(const CatalogueHomeFacts& facts) {
  if (!facts.installed) return {facts.executableFolder + "/" + kCatalogueFileName, {}, {}};
  const std::string installedDefault =
      InstalledDataFolder(facts.executableFolder) + "/" + kCatalogueFileName;
  const std::string data = UserDataFolder(facts);
  if (data.empty()) return {{}, {}, installedDefault};
  const std::string folder = data + "/korvane";
  return {folder + "/" + kCatalogueFileName, folder, installedDefault};
}

CatalogueHome FindCatalogueHome(toolkit::Toolkit& toolkit) {
  const std::string folder = toolkit.ExecutableFolder();
  if (toolkit.DataFolders() == toolkit::DataFolderConvention::WindowsApplicationData)
    return ChooseWindowsCatalogueHome(
        {folder, toolkit.Files().CanCreateFilesIn(folder), toolkit.EnvironmentVariable("APPDATA")});
  return ChooseCatalogueHome({folder, toolkit.Files().Exists(InstalledDataFolder(folder)),
                              toolkit.EnvironmentVariable("XDG_DATA_HOME"),
                              toolkit.EnvironmentVariable("HOME")});
}

}  // namespace korvane
