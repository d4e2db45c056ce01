#pragma once

#include <QApplication>
#include <chrono>
#include <string>

namespace korvane::bench {

// The one QApplication of the program, on the offscreen platform unless another is chosen.
QApplication& Application();

// The body of `korvane_bench --qt-startup MAP`: starts the editor on the Qt backend with MAP on
// its command line, waits for the first paint to load and draw it, and prints the milliseconds
// since `mainEntered`. Returns the exit status.
int QtStartupMain(const std::string& map, std::chrono::steady_clock::time_point mainEntered);

}  // namespace korvane::bench
