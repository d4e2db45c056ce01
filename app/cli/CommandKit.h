#pragma once

// The pieces every command shares, handed to commands that live in files of their own: reading a
// map as the editor reads it, the one-sentence errors and the tile-sheet options. They are the
// very functions the first commands use, so a change to how inputs are read reaches all of them.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/SheetGeometry.h"
#include "document/MapFile.h"

namespace korvane::cli {

// Refuses a map by its header alone (its size), before its layers are read: a sentence, or
// nullopt to go on.
using HeaderCheck = std::function<std::optional<std::string>(const MapDocument& header)>;

struct CommandKit {
  // The map file, read and parsed as the editor reads it; nullopt after reporting why not, with
  // the exit code in `code`. A header check (or null) may refuse it before its layers are read.
  std::function<std::optional<MapDocument>(CliContext&, const char* command,
                                           const std::string& path, int& code,
                                           const HeaderCheck& check)>
      readMap;
  // Reports one sentence prefixed with the command and returns `code`.
  std::function<int(CliContext&, const char* command, int code, const std::string& sentence)> fail;
  // Reports a usage problem (pointing to --help) and returns the usage exit code.
  std::function<int(CliContext&, const char* command, const std::string& problem)> usageError;
  // --tile-size, --spacing and --offset into `sheet`; the usage problem when one is malformed.
  std::function<std::optional<std::string>(const ParsedArgs&, SheetSettings& sheet)>
      readSheetOptions;
  // Lays out the sheet named (or the sample sheet for an empty name); nullopt after reporting.
  std::function<std::optional<SheetLayout>(CliContext&, const char* command,
                                           const std::string& sheetPath, const SheetSettings&,
                                           int& code)>
      sheetFor;
  // Exit code 2 after saying so when the output names one of the inputs; nullopt otherwise.
  std::function<std::optional<int>(CliContext&, const char* command, const std::string& output,
                                   std::initializer_list<std::string> inputs)>
      refuseOutputOverInput;
  // Writes an output whole or not at all ("-" is standard output); the exit code.
  std::function<int(CliContext&, const char* command, const std::string& path,
                    std::span<const uint8_t> bytes)>
      writeBytes;
};

}  // namespace korvane::cli
