#pragma once

#include <string>

#include "toolkit/Toolkit.h"

namespace korvane {

// What decides where the catalogue lives, gathered from the disk and the environment.
struct CatalogueHomeFacts {
  std::string executableFolder;
  // Whether the running user may create files in the executable's folder.
  bool executableFolderWritable = false;
  // $XDG_DATA_HOME and $HOME, empty when unset.
  std::string xdgDataHome;
  std::string home;
};

struct CatalogueHome {
  // The catalogue the window reads and writes.
  std::string file;
  // The folder to create before the first write; empty when the file's folder is taken as given.
  std::string folder;
  // Read instead of `file` while `file` does not exist yet; empty when there is none to consult.
  std::string installedDefault;
};

// A copy whose folder the user may write (a build folder, an unpacked portable copy) keeps the
// catalogue beside the executable. An installed copy keeps it in the user's data folder and,
// until the user has one, starts from the catalogue installed in <prefix>/share/korvane.
CatalogueHome ChooseCatalogueHome(const CatalogueHomeFacts& facts);

// The same, with the facts taken from the running system.
CatalogueHome FindCatalogueHome(toolkit::Toolkit& toolkit);

}  // namespace korvane
