#include "app/cli/CliToolkit.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "model/Catalogue.h"

namespace korvane::cli {

PrivateFolder::PrivateFolder() {
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  if (ec) return;
  std::string pattern = (base / "korvane-cli-XXXXXX").string();
  if (mkdtemp(pattern.data())) path_ = pattern;
}

PrivateFolder::~PrivateFolder() {
  std::error_code ec;
  if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

CliToolkit::CliToolkit(const std::optional<std::vector<uint8_t>>& catalogue) : QtToolkit("") {
  if (!catalogue || folder_.Path().empty()) return;
  std::ofstream(folder_.Path() + "/" + kCatalogueFileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(catalogue->data()),
             static_cast<std::streamsize>(catalogue->size()));
}

void CliToolkit::ReportFailure(const std::string& message) {
  std::cerr << "korvane-cli: " << message << '\n';
}

}  // namespace korvane::cli
