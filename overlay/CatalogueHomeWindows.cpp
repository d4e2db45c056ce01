#include "overlay/CatalogueHomeWindows.h"

#include "model/Catalogue.h"

namespace korvane {

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// "C:\..." or a share ("\\server\..."): a relative or empty value would depend on where the
// editor was started from.
bool IsAbsoluteWindowsPath(const std::string& path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]);
  const bool share = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]);
  return drive || share;
}

}  // namespace

CatalogueHome ChooseWindowsCatalogueHome(const WindowsCatalogueFacts& facts) {
  const std::string beside = facts.executableFolder + "\\" + kCatalogueFileName;
  if (facts.executableFolderWritable || !IsAbsoluteWindowsPath(facts.applicationData))
    return {beside, {}, {}};
  const std::string folder = facts.applicationData + "\\Korvane";
  return {folder + "\\" + kCatalogueFileName, folder, beside};
}

}  // namespace korvane
