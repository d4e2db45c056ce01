// korvane.exe [MAP]: the tile-map editor on Windows. Everything after the program's name is one
// map path.

#include <string>

#include "app/Usage.h"
#include "app/Version.h"
#include "shell/Editor.h"
#include "toolkit/win32/Win32Application.h"

int main() {
  korvane::win32::Application app;
  const std::vector<std::string>& arguments = app.Arguments();
  if (arguments.size() == 1 && arguments[0] == "--help") {
    korvane::win32::Application::Tell(kEditorUsage);
    return 0;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    korvane::win32::Application::Tell(std::string("Korvane ") + kKorvaneVersion + "\n");
    return 0;
  }
  int result = 0;
  {
    korvane::Editor editor(app.Toolkit());
    editor.Start();
    result = app.Run();
  }
  return result;
}
