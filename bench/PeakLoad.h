#pragma once

#include <string>

namespace korvane::bench {

// The body of `korvane_bench --peak-load PATH`: starts an editor, loads PATH (nothing when it is
// empty) and prints the process's peak resident memory in bytes. Returns the exit status.
int PeakLoadMain(const std::string& path);

}  // namespace korvane::bench
