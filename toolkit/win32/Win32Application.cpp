#include "toolkit/win32/Win32Application.h"

#include "toolkit/win32/Win32Api.h"
#include "toolkit/win32/Win32Text.h"
#include "toolkit/win32/Win32Toolkit.h"
#include "toolkit/win32/Win32Ui.h"

namespace korvane::win32 {

Application::Application() {
  int count = 0;
  if (wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) arguments_.push_back(Narrow(words[i]));
    ::LocalFree(words);
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
}

Application::~Application() = default;

toolkit::Toolkit& Application::Toolkit() {
  if (!toolkit_) {
    std::string joined;
    for (const std::string& word : arguments_) joined += (joined.empty() ? "" : " ") + word;
    toolkit_ = std::make_unique<Win32Toolkit>(joined);
  }
  return *toolkit_;
}

int Application::Run() {
  MSG message{};
  for (;;) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got < 0) return 1;
    Dispatch(message);
  }
}

void Application::Tell(const std::string& text) {
  const std::wstring wide = Widen(text);
  HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  bool attached = false;
  if (out == nullptr || out == INVALID_HANDLE_VALUE || ::GetFileType(out) == FILE_TYPE_UNKNOWN) {
    // A windowed program started from a command prompt writes into that prompt's console.
    attached = ::AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    out = attached ? ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr)
                   : INVALID_HANDLE_VALUE;
  }
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    ::MessageBoxW(nullptr, wide.c_str(), Widen(toolkit::kApplicationTitle).c_str(), MB_OK);
    return;
  }
  DWORD mode = 0, written = 0;
  if (::GetConsoleMode(out, &mode))
    ::WriteConsoleW(out, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
  else
    ::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  if (attached) ::CloseHandle(out);
}

}  // namespace korvane::win32
