#pragma once

#include <string>

namespace korvane::bench {

// The body of `korvane_bench --peak-import KIND PATH`: imports the .tmj at PATH with the
// importer named (KIND "sax", or "hand" for the hand-written reader it replaced; "none" imports
// nothing) and prints the process's peak resident memory in bytes. Returns the exit status.
int PeakImportMain(const std::string& kind, const std::string& path);

}  // namespace korvane::bench
