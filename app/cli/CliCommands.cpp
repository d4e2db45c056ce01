#include "app/cli/CliCommands.h"

#include <filesystem>
#include <ostream>
#include <span>
#include <string_view>
#include <tuple>

#include "app/Version.h"
#include "app/cli/CliArgs.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CommandKit.h"
#include "app/cli/DiffCommand.h"
#include "app/cli/MapDump.h"
#include "app/cli/MapSummary.h"
#include "app/cli/OutputFile.h"
#include "app/cli/OverviewCommand.h"
#include "app/cli/Progress.h"
#include "app/cli/RenderLimits.h"
#include "app/cli/TmjImport.h"
#include "formats/AtomicFile.h"
#include "model/Catalogue.h"
#include "model/SampleSheet.h"

namespace korvane::cli {

namespace {

struct Command {
  const char* name;
  const char* help;
  std::vector<OptionSpec> options;
  int (*run)(const ParsedArgs&, CliContext&);
};

// Every error leaves as one sentence on the error stream, prefixed with the command.
int Fail(CliContext& ctx, const char* command, int code, const std::string& sentence) {
  ctx.err << kProgramName << ' ' << command << ": " << sentence << '\n';
  return code;
}

int UsageError(CliContext& ctx, const char* command, const std::string& problem) {
  return Fail(ctx, command, kExitBadUsage, problem + " (see korvane-cli " + command + " --help).");
}

int ReportMapError(CliContext& ctx, const char* command, const std::string& path,
                   const MapFileParseResult& parsed) {
  const auto& error = std::get<MapFileError>(parsed);
  return Fail(ctx, command, kExitBadInput,
              path + ": byte " + std::to_string(error.offset) + ": " + error.reason);
}

// The map file named, read and parsed as the editor reads it, straight from the file; nullopt
// after reporting why not.
std::optional<MapDocument> ReadMap(CliContext& ctx, const char* command, const std::string& path,
                                   int& code, const HeaderCheck& check = nullptr) {
  toolkit::FileError error;
  const auto file = ctx.files.OpenForReading(path, error);
  if (!file) {
    code = Fail(ctx, command, kExitBadInput,
                "cannot read the map file " + path + ": " + error.reason + ".");
    return std::nullopt;
  }
  if (check) {
    const MapFileParseResult header = ReadMapHeader(*file);
    if (std::holds_alternative<MapFileError>(header)) {
      code = ReportMapError(ctx, command, path, header);
      return std::nullopt;
    }
    if (const auto refusal = check(std::get<MapDocument>(header))) {
      code = Fail(ctx, command, kExitBadInput, *refusal);
      return std::nullopt;
    }
  }
  MapFileParseResult parsed = ReadMapFile(*file);
  if (std::holds_alternative<MapFileError>(parsed)) {
    code = ReportMapError(ctx, command, path, parsed);
    return std::nullopt;
  }
  return std::move(std::get<MapDocument>(parsed));
}

// An output must never replace one of the command's own inputs, however the two are spelled:
// exit code 2 after saying which, or nullopt when they are all different files.
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

// diff's exit code for any trouble follows diff and cmp; the other commands' is bad input.
int TroubleCode(const std::string& command) {
  return command == "diff" ? kExitBadUsage : kExitBadInput;
}

// Reports, once, that standard output could not be written.
int OutputFailed(CliContext& ctx, const std::string& command) {
  if (!ctx.outputFailureReported) {
    ctx.outputFailureReported = true;
    const std::string why = ctx.outputProblem ? ctx.outputProblem() : "";
    ctx.err << kProgramName << (command.empty() ? "" : " " + command)
            << ": cannot write to standard output: " << (why.empty() ? "it failed" : why) << ".\n";
  }
  return TroubleCode(command);
}

// Reports a failed write of one output.
int WriteFailed(CliContext& ctx, const char* command, const std::string& path,
                const std::string& why) {
  if (path == kStandardOutput) return OutputFailed(ctx, command);
  return Fail(ctx, command, kExitBadInput, "cannot write " + path + ": " + why + ".");
}

int WriteBytes(CliContext& ctx, const char* command, const std::string& path,
               std::span<const uint8_t> bytes) {
  std::string why;
  const bool written = WriteOutput(
      ctx.files, ctx.out, path,
      [bytes](const JsonWriter::Sink& sink) {
        return sink({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
      },
      why);
  return written ? kExitOk : WriteFailed(ctx, command, path, why);
}

// The single positional argument and -o, which every command but info and check needs.
struct InOut {
  std::string in;
  std::string out;
};

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

int RunInfo(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "info", "MAP", false, code);
  if (!io) return code;
  const auto map = ReadMap(ctx, "info", io->in, code);
  if (!map) return code;
  ctx.out << SummaryJson(Summarize(*map));
  return kExitOk;
}

int RunCheck(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "check", "MAP", false, code);
  if (!io) return code;
  if (!ReadMap(ctx, "check", io->in, code)) return code;
  ctx.out << "ok\n";
  return kExitOk;
}

// The sheet options shared by render and export; the usage error when one is malformed.
std::optional<std::string> ReadSheetOptions(const ParsedArgs& args, SheetSettings& sheet) {
  struct Field {
    const char* option;
    int32_t* target;
    int32_t lo;
  };
  for (const Field& f :
       {Field{"--tile-size", &sheet.tileSize, 1}, Field{"--spacing", &sheet.spacing, 0},
        Field{"--offset", &sheet.offset, 0}}) {
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

// Lays out the sheet named by --sheet, or the sample sheet; nullopt after reporting why not.
std::optional<SheetLayout> SheetFor(CliContext& ctx, const char* command,
                                    const std::string& sheetPath, const SheetSettings& settings,
                                    int& code) {
  int32_t width = kSampleSheetWidth;
  int32_t height = kSampleSheetHeight;
  if (!sheetPath.empty()) {
    const auto size = ctx.services.pictureSize(sheetPath);
    if (const auto* why = std::get_if<std::string>(&size)) {
      code = Fail(ctx, command, kExitBadInput,
                  "cannot read the tile sheet " + sheetPath + ": " + *why + ".");
      return std::nullopt;
    }
    std::tie(width, height) = std::get<std::pair<int32_t, int32_t>>(size);
  }
  auto layout = LayOutSheet(width, height, settings);
  if (const auto* refusal = std::get_if<std::string>(&layout)) {
    code = Fail(ctx, command, kExitBadInput, *refusal);
    return std::nullopt;
  }
  return std::get<SheetLayout>(layout);
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

int RunRender(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "render", "MAP", true, code);
  if (!io) return code;
  RenderRequest request;
  request.sheetPath = args.Value("--sheet").value_or("");
  if (const auto problem = ReadSheetOptions(args, request.sheet))
    return UsageError(ctx, "render", *problem);
  if (const auto zoom = args.Value("--zoom")) {
    const auto n = ParseWholeNumber(*zoom, 1, 2);
    if (!n) return UsageError(ctx, "render", "--zoom must be 1 or 2");
    request.zoom = static_cast<int16_t>(*n);
  }
  request.grid = args.Flag("--grid");
  request.overlay = args.Flag("--overlay");
  if (args.Value("--catalogue") && !request.overlay)
    return UsageError(ctx, "render", "--catalogue applies only with --overlay");

  if (const auto refused = RefuseOutputOverInput(
          ctx, "render", io->out,
          {io->in, request.sheetPath, args.Value("--catalogue").value_or("")}))
    return *refused;
  // The image's size follows from the header: a map too large to draw is refused unread.
  const int64_t pitch = int64_t{request.sheet.tileSize} * request.zoom + (request.grid ? 1 : 0);
  const auto tooLarge = [pitch](const MapDocument& header) {
    return ImageSizeProblem(header.MapWidth * pitch, header.MapHeight * pitch, RenderLimits{},
                            "render");
  };
  const auto map = ReadMap(ctx, "render", io->in, code, tooLarge);
  if (!map) return code;
  if (!SheetFor(ctx, "render", request.sheetPath, request.sheet, code)) return code;
  bool failed = false;
  request.catalogue = ReadCatalogueOption(args, ctx, "render", failed, code);
  if (failed) return code;

  ProgressLine progress(ctx.err, "render", ctx.showProgress);
  RenderOutcome outcome = ctx.services.render(*map, request, std::ref(progress));
  progress.Done();
  if (const auto* refusal = std::get_if<std::string>(&outcome))
    return Fail(ctx, "render", kExitBadInput, *refusal);
  return WriteBytes(ctx, "render", io->out, std::get<std::vector<uint8_t>>(outcome));
}

// How the tileset refers to its picture: relative to the folder of the .tmj file, as Tiled
// resolves it, or absolute when no relative path exists.
std::string ImagePathFrom(const std::string& output, const std::string& image) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path imageAbs = fs::absolute(image, ec).lexically_normal();
  const fs::path outDir = fs::absolute(output, ec).lexically_normal().parent_path();
  const fs::path relative = imageAbs.lexically_relative(outDir);
  return relative.empty() ? imageAbs.generic_string() : relative.generic_string();
}

std::string SampleSheetPathFor(const std::string& output) {
  const std::filesystem::path out(output);
  return (out.parent_path() / (out.stem().string() + "-sheet.png")).string();
}

int RunExport(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "export", "MAP", true, code);
  if (!io) return code;
  SheetSettings settings;
  if (const auto problem = ReadSheetOptions(args, settings))
    return UsageError(ctx, "export", *problem);
  const std::string sheetPath = args.Value("--sheet").value_or("");
  const bool toStdout = io->out == kStandardOutput;
  if (toStdout && sheetPath.empty())
    return UsageError(ctx, "export",
                      "-o - needs --sheet: the sample sheet is written beside the output file");
  const std::string samplePath = sheetPath.empty() ? SampleSheetPathFor(io->out) : "";
  const std::string catalogue = args.Value("--catalogue").value_or("");
  for (const std::string& output : {io->out, samplePath})
    if (!output.empty())
      if (const auto refused =
              RefuseOutputOverInput(ctx, "export", output, {io->in, sheetPath, catalogue}))
        return *refused;
  // Nor may one output replace the other (a link from the sheet's name to the .tmj).
  if (!samplePath.empty() && ctx.files.SameFile(samplePath, io->out))
    return UsageError(ctx, "export", "the sheet " + samplePath + " is the output " + io->out);

  const auto map = ReadMap(ctx, "export", io->in, code);
  if (!map) return code;
  const auto sheet = SheetFor(ctx, "export", sheetPath, settings, code);
  if (!sheet) return code;
  bool failed = false;
  const auto catalogueBytes = ReadCatalogueOption(args, ctx, "export", failed, code);
  if (failed) return code;
  // As the catalogue window reads it: the entries before any fault stay.
  std::vector<CatalogueEntry> entries;
  if (catalogueBytes) entries = ReadCatalogue(*catalogueBytes).entries;

  TmjExport input;
  input.map = &*map;
  input.sheet = *sheet;
  input.catalogue = catalogueBytes ? &entries : nullptr;
  if (sheetPath.empty()) {
    input.imagePath = ImagePathFrom(io->out, samplePath);
    input.tilesetName = "sample";
  } else {
    input.imagePath = toStdout ? sheetPath : ImagePathFrom(io->out, sheetPath);
    input.tilesetName = std::filesystem::path(sheetPath).stem().string();
  }
  ProgressLine progress(ctx.err, "export", ctx.showProgress);
  const auto produce = [&](const JsonWriter::Sink& sink) {
    return WriteTmj(input, sink, std::ref(progress));
  };
  if (toStdout || !sheetPath.empty()) {
    std::string why;
    const bool written = WriteOutput(ctx.files, ctx.out, io->out, produce, why);
    progress.Done();
    return written ? kExitOk : WriteFailed(ctx, "export", io->out, why);
  }

  // Two outputs: both are made ready beside their targets before either replaces anything.
  toolkit::FileError error;
  const auto png = ctx.services.samplePng();
  if (!png) return WriteFailed(ctx, "export", samplePath, "the sample sheet could not be encoded");
  const auto sheetFile = FileReplacement::Begin(ctx.files, samplePath, error);
  if (!sheetFile) return WriteFailed(ctx, "export", samplePath, error.reason);
  if (!sheetFile->File().Write(*png))
    return WriteFailed(ctx, "export", samplePath, sheetFile->File().LastError().reason);
  if (!sheetFile->Finish(error)) return WriteFailed(ctx, "export", samplePath, error.reason);
  const auto tmjFile = FileReplacement::Begin(ctx.files, io->out, error);
  if (!tmjFile) return WriteFailed(ctx, "export", io->out, error.reason);
  const bool produced = produce(SinkInto(tmjFile->File()));
  progress.Done();
  if (!produced || !tmjFile->Finish(error))
    return WriteFailed(ctx, "export", io->out,
                       produced ? error.reason : tmjFile->File().LastError().reason);
  if (!sheetFile->Commit(error)) return WriteFailed(ctx, "export", samplePath, error.reason);
  if (!tmjFile->Commit(error)) return WriteFailed(ctx, "export", io->out, error.reason);
  return kExitOk;
}

int RunImport(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "import", "IN.tmj", true, code);
  if (!io) return code;
  if (const auto refused = RefuseOutputOverInput(ctx, "import", io->out, {io->in})) return *refused;
  toolkit::FileError error;
  const auto file = ctx.files.OpenForReading(io->in, error);
  if (!file)
    return Fail(ctx, "import", kExitBadInput, "cannot read " + io->in + ": " + error.reason + ".");
  auto imported = ImportTmj(*file);
  if (const auto* refusal = std::get_if<TmjRefusal>(&imported))
    return Fail(ctx, "import", kExitBadInput,
                refusal->unreadable ? "cannot read " + io->in + ": " + refusal->reason + "."
                                    : io->in + ": " + refusal->reason);
  // Written as the editor saves a map, always with the standard signature, straight from the
  // layers: a large map is not copied once more into the file's bytes.
  const MapDocument& map = std::get<MapDocument>(imported);
  const auto writer = MapFileWriter::For(map.HumanResources, map.ComputerResources,
                                         map.MapTiles.Tiles(), map.OverlayData);
  if (!writer)
    return Fail(ctx, "import", kExitBadInput, "there is not enough memory to write the map.");
  std::string why;
  const bool written = WriteOutput(
      ctx.files, ctx.out, io->out,
      [&writer](const JsonWriter::Sink& sink) {
        return writer->WriteTo([&sink](std::span<const uint8_t> bytes) {
          return sink({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
        });
      },
      why);
  return written ? kExitOk : WriteFailed(ctx, "import", io->out, why);
}

// The shared pieces for the commands kept in files of their own.
const CommandKit& Kit() {
  static const CommandKit kit{
      ReadMap, Fail, UsageError, ReadSheetOptions, SheetFor, RefuseOutputOverInput, WriteBytes};
  return kit;
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"info", kInfoHelp, {}, RunInfo},
      {"check", kCheckHelp, {}, RunCheck},
      {"render",
       kRenderHelp,
       {{"-o", true},
        {"--sheet", true},
        {"--tile-size", true},
        {"--spacing", true},
        {"--offset", true},
        {"--zoom", true},
        {"--grid", false},
        {"--overlay", false},
        {"--catalogue", true},
        {"--cell-pixels", true}},
       [](const ParsedArgs& a, CliContext& c) {
         return a.Value("--cell-pixels") ? RunOverview(a, c, Kit()) : RunRender(a, c);
       }},
      {"export",
       kExportHelp,
       {{"-o", true},
        {"--sheet", true},
        {"--tile-size", true},
        {"--spacing", true},
        {"--offset", true},
        {"--catalogue", true}},
       RunExport},
      {"import", kImportHelp, {{"-o", true}}, RunImport},
      {"dump",
       kDumpHelp,
       {{"--rows", true}},
       [](const ParsedArgs& a, CliContext& c) { return RunDump(a, c, Kit()); }},
      {"diff",
       kDiffHelp,
       {{"--json", false},
        {"-o", true},
        {"--sheet", true},
        {"--tile-size", true},
        {"--spacing", true},
        {"--offset", true},
        {"--zoom", true},
        {"--context", true}},
       [](const ParsedArgs& a, CliContext& c) { return RunDiff(a, c, Kit()); }},
  };
  return commands;
}

}  // namespace

bool NeedsPictures(const std::vector<std::string>& args) {
  if (!args.empty() && args[0] == "diff")
    for (const std::string& arg : args)
      if (arg == "-o" || arg.starts_with("-o=")) return true;
  return !args.empty() && (args[0] == "render" || args[0] == "export");
}

namespace {

int Dispatch(const std::vector<std::string>& args, CliContext& ctx) {
  if (args.empty()) {
    ctx.err << kGeneralHelp;
    return kExitBadUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    ctx.out << kGeneralHelp;
    return kExitOk;
  }
  if (args[0] == "--version") {
    ctx.out << "korvane-cli " << kKorvaneVersion << "\n";
    return kExitOk;
  }
  for (const Command& command : Commands()) {
    if (args[0] != command.name) continue;
    const std::span<const std::string> rest(args.begin() + 1, args.end());
    auto parsed = ParseArgs(rest, command.options);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
      // Help wins over a mistake elsewhere on the line.
      for (const std::string& arg : rest)
        if (arg == "--help" || arg == "-h") {
          ctx.out << command.help;
          return kExitOk;
        }
      return UsageError(ctx, command.name, *problem);
    }
    const ParsedArgs& ok = std::get<ParsedArgs>(parsed);
    if (ok.help) {
      ctx.out << command.help;
      return kExitOk;
    }
    return command.run(ok, ctx);
  }
  ctx.err << kProgramName << ": unknown command " << args[0] << " (see korvane-cli --help).\n";
  return kExitBadUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CliContext& ctx) {
  const int code = Dispatch(args, ctx);
  // Output that never arrived is no success: a full disk, a closed standard output.
  if (ctx.out.flush()) return code;
  std::string command;
  for (const Command& c : Commands())
    if (!args.empty() && args[0] == c.name) command = c.name;
  return OutputFailed(ctx, command);
}

}  // namespace korvane::cli
