#include "toolkit/win32/Win32Ui.h"

#include <set>
#include <string>

namespace korvane::win32 {

namespace {

// The windows are laid out in twips for a small dialog font; larger text would not fit the
// labels and the tool strip.
constexpr int kFontPoints = 8;

Ui MakeUi() {
  // Pixels are the screen's own: the system must not scale the windows' bitmaps.
  ::SetProcessDPIAware();
  Ui ui;
  ui.instance = ::GetModuleHandleW(nullptr);
  HDC screen = ::GetDC(nullptr);
  const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  ui.tppX = toolkit::TwipsPerPixelAt(dpiX);
  ui.tppY = toolkit::TwipsPerPixelAt(dpiY);
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(kFontPoints, dpiY > 0 ? dpiY : 96, 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  ::lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
  ui.font = ::CreateFontIndirectW(&font);
  if (!ui.font) ui.font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  return ui;
}

}  // namespace

const Ui& TheUi() {
  static const Ui ui = MakeUi();
  return ui;
}

const wchar_t* RegisterClassOnce(const wchar_t* name, WNDPROC procedure, UINT style) {
  static std::set<std::wstring> registered;
  if (registered.insert(name).second) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = TheUi().instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    // The editor's icon, when the program carries one (resource 1).
    wc.hIcon = ::LoadIconW(TheUi().instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = name;
    ::RegisterClassExW(&wc);
  }
  return name;
}

}  // namespace korvane::win32
