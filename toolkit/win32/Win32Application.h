#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Toolkit.h"

namespace korvane::win32 {

class Win32Toolkit;

// The program on Windows, for a main() that knows nothing of the Windows API: the arguments it
// was started with, the toolkit, and the message loop that runs the windows.
class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The arguments after the program's name, as UTF-8.
  const std::vector<std::string>& Arguments() const { return arguments_; }
  // The toolkit, whose command line is the arguments joined with single blanks.
  toolkit::Toolkit& Toolkit();
  // Runs the windows until the program is asked to end; returns the exit status.
  int Run();

  // Shows a text to whoever started the program: on its standard output or its console when it
  // has one (a command prompt), else in a message box.
  static void Tell(const std::string& text);

 private:
  std::vector<std::string> arguments_;
  std::unique_ptr<Win32Toolkit> toolkit_;
};

}  // namespace korvane::win32
