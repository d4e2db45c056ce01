#pragma once

// The real disk of the platform the tests run on.

#if defined(_WIN32)
#include "toolkit/win32/Win32FileSystem.h"
namespace korvane::headless {
using NativeFileSystem = win32::Win32FileSystem;
}
#else
#include "toolkit/posix/PosixFileSystem.h"
namespace korvane::headless {
using NativeFileSystem = toolkit::PosixFileSystem;
}
#endif
