#pragma once

#include <string>

#include "overlay/CatalogueHome.h"

namespace korvane {

// What decides where the catalogue lives on Windows.
struct WindowsCatalogueFacts {
  std::string executableFolder;
  // Whether the running user may create files in the executable's folder.
  bool executableFolderWritable = false;
  // %APPDATA%, empty when unset.
  std::string applicationData;
};

// An unpacked copy whose folder the user may write keeps the catalogue beside korvane.exe. A copy
// in a folder the user may not write (one installed under Program Files) keeps it in
// %APPDATA%\Korvane and, until the user has one there, starts from the catalogue beside the
// program.
CatalogueHome ChooseWindowsCatalogueHome(const WindowsCatalogueFacts& facts);

}  // namespace korvane
