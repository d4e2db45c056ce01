#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/qt/QtToolkit.h"

namespace korvane::cli {

// A folder of the tool's own under the system's temporary folder, removed with everything in
// it when the object goes.
class PrivateFolder {
 public:
  PrivateFolder();
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  // Empty when the folder could not be made.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The Qt toolkit for an editor that runs only to draw: its "executable folder", where the
// catalogue window reads Overlay.dat, is a private folder, and it sees no environment, so the tool
// never reads or writes the catalogue of an installed editor or of the user.
class CliToolkit : public qt::QtToolkit {
 public:
  // The catalogue's bytes are placed in the private folder as Overlay.dat when given.
  explicit CliToolkit(const std::optional<std::vector<uint8_t>>& catalogue);
  std::string ExecutableFolder() const override { return folder_.Path(); }
  // No window may wait for a click here: a failure goes to stderr.
  void ReportFailure(const std::string& message) override;
  std::string EnvironmentVariable(const std::string&) const override { return {}; }

 private:
  PrivateFolder folder_;
};

}  // namespace korvane::cli
