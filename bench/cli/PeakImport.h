#pragma once

#include <string>

namespace korvane::bench {

// The body of `korvane_bench --peak-import PATH`: imports the .tmj at PATH (nothing when it is
// empty) and prints the process's peak resident memory in bytes. Returns the exit status.
int PeakImportMain(const std::string& path);

}  // namespace korvane::bench
