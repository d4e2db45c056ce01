#pragma once

// What `korvane --help` prints, on every platform.
inline constexpr const char* kEditorUsage =
    "Usage: korvane [MAP]\n"
    "Opens the Korvane tile-map editor, loading MAP when one is given.\n"
    "Everything after the program's name is taken as one map path, blanks included.\n"
    "\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";
