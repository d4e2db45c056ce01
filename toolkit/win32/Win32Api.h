#pragma once

// The Windows API as the Win32 backend includes it. Only files in toolkit/win32 (and its tests)
// include this.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif

#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <winioctl.h>

// The toolkit's own methods carry these names; the API's macros would rename them.
#undef CreateWindow
#undef MessageBox
