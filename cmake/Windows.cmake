# Korvane for Windows, cross-compiled with MinGW-w64 (cmake/mingw-w64-x86_64.cmake): the Win32
# backend, korvane.exe and the tests, which run under Wine. korvane-cli stays on Linux.

# Everything linked statically: the program needs no DLL beyond Windows' own.
add_link_options(-static -static-libgcc -static-libstdc++)

file(GLOB KORVANE_WIN32_SOURCES CONFIGURE_DEPENDS toolkit/win32/*.cpp)
add_library(korvane_win32 STATIC ${KORVANE_WIN32_SOURCES})
korvane_include_root(korvane_win32 PUBLIC toolkit/win32)
target_link_libraries(korvane_win32 PUBLIC korvane_toolkit user32 gdi32 comdlg32 comctl32 shell32)

# The icon, the version information and the manifest, from windres.
enable_language(RC)
set(KORVANE_ICON ${PROJECT_SOURCE_DIR}/packaging/icons/korvane.ico)
set(KORVANE_MANIFEST ${PROJECT_SOURCE_DIR}/app/win32/korvane.exe.manifest)
configure_file(app/win32/korvane.rc.in ${PROJECT_BINARY_DIR}/generated/korvane.rc @ONLY)

add_executable(korvane WIN32 app/win32/main.cpp ${PROJECT_BINARY_DIR}/generated/korvane.rc)
korvane_include_root(korvane PRIVATE app)
target_include_directories(korvane PRIVATE ${KORVANE_GENERATED_INCLUDE})
target_link_libraries(korvane PRIVATE korvane_editor korvane_win32)
target_link_options(korvane PRIVATE -s)  # no symbols in the shipped program

if(KORVANE_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests/win32)
endif()
