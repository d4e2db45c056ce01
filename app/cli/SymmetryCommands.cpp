// korvane-cli check --symmetry and mirror: symmetric maps for two sides.

#include <ostream>

#include "app/cli/CommandKit.h"
#include "app/cli/Commands.h"
#include "formats/FormatTable.h"
#include "ops/MapSymmetry.h"

namespace korvane::cli {

namespace {

constexpr const char* kModes = "left-right, top-bottom, four-way or half-turn";

// The --symmetry value; nullopt after reporting a usage error (code in `code`).
std::optional<Symmetry> ReadSymmetry(const ParsedArgs& args, CliContext& ctx, const char* command,
                                     int& code) {
  const auto text = args.Value("--symmetry");
  if (!text) {
    code = UsageError(ctx, command, std::string("missing --symmetry (") + kModes + ")");
    return std::nullopt;
  }
  const auto mode = SymmetryNamed(*text);
  if (!mode) code = UsageError(ctx, command, std::string("--symmetry must be ") + kModes);
  return mode;
}

}  // namespace

int RunSymmetryCheck(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto mode = ReadSymmetry(args, ctx, "check", code);
  if (!mode) return code;
  const auto map = ReadMap(ctx, "check", args.positionals[0], code);
  if (!map) return code;
  const SymmetryCheck check = CheckSymmetry(*map, *mode);
  ctx.out << (args.Flag("--json") ? SymmetryCheckJson(check) : SymmetryCheckText(check));
  return check.Symmetric() ? kExitOk : kExitBadInput;
}

int RunMirror(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "mirror", "MAP", true, code);
  if (!io) return code;
  const auto mode = ReadSymmetry(args, ctx, "mirror", code);
  if (!mode) return code;
  const auto keepText = args.Value("--keep");
  if (!keepText) return UsageError(ctx, "mirror", "missing --keep");
  const auto keep = KeptPartNamed(*keepText);
  if (!keep || !KeepFits(*mode, *keep))
    return UsageError(
        ctx, "mirror",
        "--keep " + *keepText + " does not fit --symmetry " + std::string(SymmetryName(*mode)) +
            (*mode == Symmetry::LeftRight   ? " (left or right)"
             : *mode == Symmetry::TopBottom ? " (top or bottom)"
             : *mode == Symmetry::FourWay   ? " (top-left, top-right, bottom-left or bottom-right)"
                                            : " (left, right, top or bottom)"));
  if (const auto refused = RefuseOutputOverInput(ctx, "mirror", io->out, {io->in})) return *refused;
  auto map = ReadMap(ctx, "mirror", io->in, code);
  if (!map) return code;
  if (!MirrorMap(*map, *mode, *keep))
    return Fail(ctx, "mirror", kExitBadInput, "there is not enough memory to mirror the map.");
  return WriteMap(ctx, "mirror", *FormatWithExtension(".map"), *map, io->out, {});
}

}  // namespace korvane::cli
