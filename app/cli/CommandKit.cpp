#include "app/cli/CommandKit.h"

#include <ostream>

#include "formats/MapFile.h"
#include "model/SampleSheet.h"
#include "render/SheetLayout.h"

namespace korvane::cli {

// Every error leaves as one sentence on the error stream, prefixed with the command.
int Fail(CliContext& ctx, const char* command, int code, const std::string& sentence) {
  ctx.err << kProgramName << ' ' << command << ": " << sentence << '\n';
  return code;
}

int UsageError(CliContext& ctx, const char* command, const std::string& problem) {
  return Fail(ctx, command, kExitBadUsage, problem + " (see korvane-cli " + command + " --help).");
}

std::optional<InOut> InputAndOutput(const ParsedArgs& args, CliContext& ctx, const char* command,
                                    const char* inName, bool needsOutput, int& code) {
  if (args.positionals.size() != 1) {
    code = UsageError(ctx, command,
                      args.positionals.empty() ? std::string("missing ") + inName
                                               : std::string("expected one ") + inName);
    return std::nullopt;
  }
  InOut io{args.positionals[0], args.Value("-o").value_or("")};
  if (needsOutput && io.out.empty()) {
    code = UsageError(ctx, command, "missing -o");
    return std::nullopt;
  }
  return io;
}

int ReportMapRefusal(CliContext& ctx, const char* command, const std::string& path,
                     const ReadRefusal& refusal) {
  if (refusal.unreadable)
    return Fail(ctx, command, kExitBadInput,
                "cannot read the map file " + path + ": " + refusal.reason + ".");
  return Fail(ctx, command, kExitBadInput,
              path + ": byte " + std::to_string(refusal.byte.value_or(0)) + ": " + refusal.reason);
}

std::optional<MapDocument> ReadMap(CliContext& ctx, const char* command, const std::string& path,
                                   int& code, const HeaderCheck& check) {
  const auto refused = [&](const ReadRefusal& refusal) {
    code = ReportMapRefusal(ctx, command, path, refusal);
    return std::nullopt;
  };
  toolkit::FileError error;
  const auto file = ctx.files.OpenForReading(path, error);
  if (!file) return refused(ReadRefusal{error.reason, std::nullopt, true});
  if (check) {
    const MapFileParseResult header = ReadMapHeader(*file);
    if (const auto* fault = std::get_if<MapFileError>(&header))
      return refused(ReadRefusal{fault->reason, fault->offset});
    if (const auto refusal = check(std::get<MapDocument>(header))) {
      code = Fail(ctx, command, kExitBadInput, *refusal);
      return std::nullopt;
    }
  }
  ReadResult read = KorvaneMapFormat().reader->Read(*file);
  if (const auto* refusal = std::get_if<ReadRefusal>(&read)) return refused(*refusal);
  return std::move(std::get<MapDocument>(read));
}

std::optional<std::string> ReadSheetOptions(const ParsedArgs& args, SheetSettings& settings) {
  struct Field {
    const char* option;
    int32_t* target;
    int32_t lo;
  };
  for (const Field& f :
       {Field{"--tile-size", &settings.tileSize, 1}, Field{"--spacing", &settings.spacing, 0},
        Field{"--offset", &settings.offset, 0}}) {
    const auto text = args.Value(f.option);
    if (!text) continue;
    const auto n = ParseWholeNumber(*text, f.lo, 32767);
    if (!n)
      return std::string(f.option) + " must be a whole number from " + std::to_string(f.lo) +
             " to 32767";
    *f.target = *n;
  }
  return std::nullopt;
}

std::optional<Sheet> LoadSheet(CliContext& ctx, const char* command, const std::string& path,
                               const SheetSettings& settings, int& code) {
  Sheet sheet;
  if (path.empty()) {
    sheet.picture = ctx.imaging.PictureFromImage(MakeSampleSheet());
  } else {
    std::string why;
    sheet.picture = ctx.imaging.LoadPicture(path, why);
    if (!sheet.picture) {
      code = Fail(ctx, command, kExitBadInput,
                  "cannot read the tile sheet " + path + ": " + why + ".");
      return std::nullopt;
    }
  }
  const toolkit::PixelRows<const uint32_t> pixels = ctx.imaging.PicturePixels(*sheet.picture);
  auto layout = LayOutSheet(pixels.width, pixels.height, settings);
  if (const auto* refusal = std::get_if<std::string>(&layout)) {
    code = Fail(ctx, command, kExitBadInput, *refusal);
    return std::nullopt;
  }
  sheet.layout = std::get<SheetLayout>(layout);
  return sheet;
}

std::optional<std::vector<uint8_t>> ReadCatalogueOption(const ParsedArgs& args, CliContext& ctx,
                                                        const char* command, bool& failed,
                                                        int& code) {
  const auto path = args.Value("--catalogue");
  if (!path) return std::nullopt;
  toolkit::FileError error;
  auto bytes = ctx.files.ReadAll(*path, error);
  if (!bytes) {
    failed = true;
    code = Fail(ctx, command, kExitBadInput,
                "cannot read the catalogue " + *path + ": " + error.reason + ".");
  }
  return bytes;
}

// An output must never replace one of the command's own inputs, however the two are spelled.
std::optional<int> RefuseOutputOverInput(CliContext& ctx, const char* command,
                                         const std::string& output,
                                         std::initializer_list<std::string> inputs) {
  if (output == kStandardOutput) return std::nullopt;
  for (const std::string& input : inputs)
    if (!input.empty() && ctx.files.SameFile(output, input))
      return UsageError(ctx, command,
                        "the output " + output + " is the input file " + input + " itself");
  return std::nullopt;
}

namespace {

// diff's exit code for any trouble follows diff and cmp; the other commands' is bad input.
int TroubleCode(const std::string& command) {
  return command == "diff" ? kExitBadUsage : kExitBadInput;
}

}  // namespace

int OutputFailed(CliContext& ctx, const std::string& command) {
  if (!ctx.outputFailureReported) {
    ctx.outputFailureReported = true;
    const std::string why = ctx.outputProblem ? ctx.outputProblem() : "";
    ctx.err << kProgramName << (command.empty() ? "" : " " + command)
            << ": cannot write to standard output: " << (why.empty() ? "it failed" : why) << ".\n";
  }
  return TroubleCode(command);
}

int WriteFailed(CliContext& ctx, const char* command, const std::string& path,
                const std::string& why) {
  if (path == kStandardOutput) return OutputFailed(ctx, command);
  return Fail(ctx, command, TroubleCode(command), "cannot write " + path + ": " + why + ".");
}

int WriteOutputs(CliContext& ctx, const char* command, std::span<const FormatOutput> outputs) {
  if (outputs.size() == 1 && outputs[0].path == kStandardOutput) {
    const auto sink = [&ctx](std::span<const uint8_t> piece) {
      return static_cast<bool>(ctx.out.write(reinterpret_cast<const char*>(piece.data()),
                                             static_cast<std::streamsize>(piece.size())));
    };
    if (outputs[0].produce(sink) && ctx.out.flush()) return kExitOk;
    return OutputFailed(ctx, command);
  }
  const auto failure = korvane::WriteOutputs(ctx.files, outputs);
  return failure ? WriteFailed(ctx, command, failure->path, failure->reason) : kExitOk;
}

int WritePng(CliContext& ctx, const char* command, const std::string& path,
             const toolkit::PixelRows<const uint32_t>& pixels) {
  const auto png = ctx.imaging.EncodePng(pixels);
  if (!png)
    return Fail(ctx, command, TroubleCode(command), "The image could not be encoded as PNG.");
  const FormatOutput output{path, [&png](const ByteSink& sink) { return sink(*png); }};
  return WriteOutputs(ctx, command, {&output, 1});
}

int WriteMap(CliContext& ctx, const char* command, const MapFormat& format, const MapDocument& map,
             const std::string& path, const WriteContext& context) {
  const auto outputs = format.writer->Outputs(map, path, context);
  if (const auto* refusal = std::get_if<std::string>(&outputs))
    return Fail(ctx, command, kExitBadInput, *refusal);
  return WriteOutputs(ctx, command, std::get<std::vector<FormatOutput>>(outputs));
}

}  // namespace korvane::cli
