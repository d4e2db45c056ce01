#pragma once

#include <string>

#include "toolkit/Toolkit.h"

namespace korvane {

// What decides where the catalogue lives, gathered from the disk and the environment.
struct CatalogueHomeFacts {
  std::string executableFolder;
  // Whether <executable folder>/../share/korvane exists: the mark of an installed copy.
  bool installed = false;
  // $XDG_DATA_HOME and $HOME, empty when unset.
  std::string xdgDataHome;
  std::string home;
};

struct CatalogueHome {
  // The catalogue the window reads and writes; empty when an installed copy has no user data
  // folder to keep it in.
  std::string file;
  // The folder to create before the first write; empty when the file's folder is taken as given.
  std::string folder;
  // Read instead of `file` while `file` does not exist yet; empty when there is none to consult.
  std::string installedDefault;
};

// A copy without an installed data folder beside it (a build folder, an unpacked copy) keeps the
// catalogue beside the executable. An installed copy keeps it in the user's data folder, whoever
// runs it (root too), and until the user has one starts from the catalogue installed in
// <prefix>/share/korvane. It never writes under its install prefix, so with no data folder
// named it keeps no catalogue at all.
CatalogueHome ChooseCatalogueHome(const CatalogueHomeFacts& facts);

// The same, with the facts taken from the running system.
CatalogueHome FindCatalogueHome(toolkit::Toolkit& toolkit);

}  // namespace korvane
