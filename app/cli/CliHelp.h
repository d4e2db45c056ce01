#pragma once

// The help texts of korvane-cli, one per command.

namespace korvane::cli {

extern const char* const kGeneralHelp;
extern const char* const kInfoHelp;
extern const char* const kCheckHelp;
extern const char* const kRenderHelp;
extern const char* const kExportHelp;
extern const char* const kImportHelp;
extern const char* const kMirrorHelp;
extern const char* const kDumpHelp;
extern const char* const kDiffHelp;

}  // namespace korvane::cli
