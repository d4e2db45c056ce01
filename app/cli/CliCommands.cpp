#include "app/cli/CliCommands.h"

#include <functional>
#include <ostream>
#include <span>

#include "app/Version.h"
#include "app/cli/CliArgs.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CommandKit.h"
#include "app/cli/Commands.h"
#include "app/cli/Progress.h"
#include "ops/MapCheck.h"
#include "ops/MapDump.h"
#include "ops/MapSummary.h"

namespace korvane::cli {

namespace {

struct Command {
  const char* name;
  const char* help;
  std::vector<OptionSpec> options;
  int (*run)(const ParsedArgs&, CliContext&);
};

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
  if (args.Value("--symmetry")) return RunSymmetryCheck(args, ctx);
  if (args.Flag("--json")) return UsageError(ctx, "check", "--json applies only with --symmetry");
  if (const auto refusal = CheckMapFile(ctx.files, io->in))
    return ReportMapRefusal(ctx, "check", io->in, *refusal);
  ctx.out << "ok\n";
  return kExitOk;
}

// "A..B" with 0 <= A <= B; nullopt for anything else.
std::optional<RowRange> ParseRowRange(const std::string& text) {
  const size_t dots = text.find("..");
  if (dots == std::string::npos) return std::nullopt;
  const auto first = ParseWholeNumber(text.substr(0, dots), 0, INT32_MAX);
  const auto last = ParseWholeNumber(text.substr(dots + 2), 0, INT32_MAX);
  if (!first || !last || *first > *last) return std::nullopt;
  return RowRange{*first, *last};
}

int RunDump(const ParsedArgs& args, CliContext& ctx) {
  if (args.positionals.size() != 1)
    return UsageError(ctx, "dump", args.positionals.empty() ? "missing MAP" : "expected one MAP");
  RowRange rows;
  if (const auto text = args.Value("--rows")) {
    const auto range = ParseRowRange(*text);
    if (!range) return UsageError(ctx, "dump", "--rows must be A..B with 0 <= A <= B");
    rows = *range;
  }
  int code = kExitOk;
  const auto map = ReadMap(ctx, "dump", args.positionals[0], code);
  if (!map) return code;
  ProgressLine progress(ctx.err, "dump", ctx.showProgress);
  WriteMapDump(*map, rows, ctx.out, std::ref(progress));
  progress.Done();
  return kExitOk;
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"info", kInfoHelp, {}, RunInfo},
      {"check", kCheckHelp, {{"--symmetry", true}, {"--json", false}}, RunCheck},
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
       RunRender},
      {"export",
       kExportHelp,
       {{"-o", true},
        {"--sheet", true},
        {"--tile-size", true},
        {"--spacing", true},
        {"--offset", true},
        {"--catalogue", true},
        {"--format", true}},
       RunExport},
      {"import", kImportHelp, {{"-o", true}, {"--format", true}}, RunImport},
      {"mirror", kMirrorHelp, {{"-o", true}, {"--symmetry", true}, {"--keep", true}}, RunMirror},
      {"dump", kDumpHelp, {{"--rows", true}}, RunDump},
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
       RunDiff},
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
