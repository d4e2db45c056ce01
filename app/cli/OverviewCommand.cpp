#include "app/cli/OverviewCommand.h"

#include <functional>

#include "app/cli/Progress.h"
#include "app/cli/RenderLimits.h"

namespace korvane::cli {

int RunOverview(const ParsedArgs& args, CliContext& ctx, const CommandKit& kit) {
  if (args.positionals.size() != 1)
    return kit.usageError(ctx, "render",
                          args.positionals.empty() ? "missing MAP" : "expected one MAP");
  const auto out = args.Value("-o");
  if (!out) return kit.usageError(ctx, "render", "missing -o");
  const auto n = ParseWholeNumber(*args.Value("--cell-pixels"), 1, 8);
  if (!n || (*n & (*n - 1)) != 0)
    return kit.usageError(ctx, "render", "--cell-pixels must be 1, 2, 4 or 8");
  // The overview has one colour per cell: nothing of the full drawing's look applies.
  for (const char* option : {"--zoom", "--catalogue"})
    if (args.Value(option))
      return kit.usageError(ctx, "render",
                            std::string(option) + " does not apply with --cell-pixels");
  for (const char* flag : {"--grid", "--overlay"})
    if (args.Flag(flag))
      return kit.usageError(ctx, "render",
                            std::string(flag) + " does not apply with --cell-pixels");

  RenderRequest request;
  request.sheetPath = args.Value("--sheet").value_or("");
  if (const auto problem = kit.readSheetOptions(args, request.sheet))
    return kit.usageError(ctx, "render", *problem);

  if (const auto refused =
          kit.refuseOutputOverInput(ctx, "render", *out, {args.positionals[0], request.sheetPath}))
    return *refused;
  int code = kExitOk;
  // The picture's size follows from the header: a map too large to draw is refused unread.
  const int32_t cellPixels = *n;
  const auto tooLarge = [cellPixels](const MapDocument& header) {
    return ImageSizeProblem(int64_t{header.MapWidth} * cellPixels, int64_t{header.MapHeight} * cellPixels,
                            RenderLimits{}, "render");
  };
  const auto map = kit.readMap(ctx, "render", args.positionals[0], code, tooLarge);
  if (!map) return code;
  if (!kit.sheetFor(ctx, "render", request.sheetPath, request.sheet, code)) return code;

  ProgressLine progress(ctx.err, "render", ctx.showProgress);
  RenderOutcome outcome = ctx.services.overview(*map, request, *n, std::ref(progress));
  progress.Done();
  if (const auto* refusal = std::get_if<std::string>(&outcome))
    return kit.fail(ctx, "render", kExitBadInput, *refusal);
  return kit.writeBytes(ctx, "render", *out, std::get<std::vector<uint8_t>>(outcome));
}

}  // namespace korvane::cli
