#pragma once

// The pieces every command shares: reading a map, the one-sentence errors, the tile-sheet options
// and writing outputs whole or not at all, so a change to how inputs are read or outputs written
// reaches every command.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "formats/MapFormat.h"
#include "model/MapDocument.h"
#include "model/TileRule.h"

namespace korvane::cli {

// The output name that means standard output, for outputs that can be written there.
inline constexpr const char* kStandardOutput = "-";

// Reports one sentence prefixed with the command and returns `code`.
int Fail(CliContext& ctx, const char* command, int code, const std::string& sentence);
// Reports a usage problem (pointing to --help) and returns the usage exit code.
int UsageError(CliContext& ctx, const char* command, const std::string& problem);

// The single positional argument (named `inName` in errors) and -o, required when `needsOutput`;
// nullopt after reporting, with the exit code in `code`.
struct InOut {
  std::string in;
  std::string out;
};
std::optional<InOut> InputAndOutput(const ParsedArgs& args, CliContext& ctx, const char* command,
                                    const char* inName, bool needsOutput, int& code);

// Refuses a map by its header alone (its size), before its layers are read: a sentence, or
// nullopt to go on.
using HeaderCheck = std::function<std::optional<std::string>(const MapDocument& header)>;

// Reports why a map file was refused: the reason it could not be read, or the byte where it goes
// wrong. Returns the exit code.
int ReportMapRefusal(CliContext& ctx, const char* command, const std::string& path,
                     const ReadRefusal& refusal);

// The map file, read as the editor reads it; nullopt after reporting why not, with the exit code
// in `code`. A header check (or null) may refuse it before its layers are read.
std::optional<MapDocument> ReadMap(CliContext& ctx, const char* command, const std::string& path,
                                   int& code, const HeaderCheck& check = nullptr);

// --tile-size, --spacing and --offset into `settings`; the usage problem when one is malformed.
std::optional<std::string> ReadSheetOptions(const ParsedArgs& args, SheetSettings& settings);

// The sheet picture named (the sample sheet for an empty name) and its layout.
struct Sheet {
  toolkit::PicturePtr picture;
  SheetLayout layout;
};
// nullopt after reporting why the sheet cannot be read or laid out, with the exit code in `code`.
std::optional<Sheet> LoadSheet(CliContext& ctx, const char* command, const std::string& path,
                               const SheetSettings& settings, int& code);

// The --catalogue file's bytes; nullopt without the option, or after reporting (`failed`).
std::optional<std::vector<uint8_t>> ReadCatalogueOption(const ParsedArgs& args, CliContext& ctx,
                                                        const char* command, bool& failed,
                                                        int& code);

// Exit code 2 after saying so when the output names one of the inputs; nullopt otherwise.
std::optional<int> RefuseOutputOverInput(CliContext& ctx, const char* command,
                                         const std::string& output,
                                         std::initializer_list<std::string> inputs);

// Writes the outputs whole or not at all (a single output named "-" to standard output); the
// exit code, after reporting a failure.
int WriteOutputs(CliContext& ctx, const char* command, std::span<const FormatOutput> outputs);

// The map in `format` to `path`, its files written whole or not at all; the exit code.
int WriteMap(CliContext& ctx, const char* command, const MapFormat& format, const MapDocument& map,
             const std::string& path, const WriteContext& context);

// A picture encoded as PNG and written to `path`, as above.
int WritePng(CliContext& ctx, const char* command, const std::string& path,
             const toolkit::PixelRows<const uint32_t>& pixels);

// Reports a failed write of one output (standard output once only) and returns the command's
// exit code for it.
int WriteFailed(CliContext& ctx, const char* command, const std::string& path,
                const std::string& why);

// Reports, once, that standard output could not be written, and returns the command's code.
int OutputFailed(CliContext& ctx, const std::string& command);

}  // namespace korvane::cli
