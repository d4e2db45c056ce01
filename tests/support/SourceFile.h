#pragma once

// Files kept in the source tree beside the tests, found from the demo map's place: the build gives
// every test program its absolute path (with the drive Wine sees on Windows).

#include <filesystem>
#include <string>

namespace korvane::testing_support {

inline std::filesystem::path SourceFile(const std::string& relative) {
  return std::filesystem::path(KORVANE_DEMO_MAP).parent_path().parent_path() / relative;
}

}  // namespace korvane::testing_support
