#include "app/cli/DiffCommand.h"

#include <algorithm>
#include <functional>
#include <ostream>

#include "app/cli/MapDiff.h"
#include "app/cli/Progress.h"

namespace korvane::cli {

namespace {

// diff's exit codes follow diff and cmp: 0 equal, 1 different, 2 for any trouble.
constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;

// The changed region widened by `context` cells on every side, kept within both maps' cells.
CellRect PictureRegion(const MapDiff& d, int32_t context) {
  const int32_t allW = std::max(d.oldWidth, d.newWidth);
  const int32_t allH = std::max(d.oldHeight, d.newHeight);
  const CellRect& b = *d.bounds;
  const int32_t x0 = std::max(0, b.x - context);
  const int32_t y0 = std::max(0, b.y - context);
  const int32_t x1 = std::min(allW, b.x + b.width + context);
  const int32_t y1 = std::min(allH, b.y + b.height + context);
  return {x0, y0, x1 - x0, y1 - y0};
}

int WritePicture(const ParsedArgs& args, CliContext& ctx, const CommandKit& kit,
                 const MapDocument& before, const MapDocument& after,
                 const DiffPictureRequest& request) {
  const std::string out = *args.Value("-o");
  int code = kExitOk;
  if (!kit.sheetFor(ctx, "diff", request.render.sheetPath, request.render.sheet, code))
    return kExitTrouble;
  ProgressLine progress(ctx.err, "diff", ctx.showProgress);
  RenderOutcome outcome = ctx.services.diffPicture(before, after, request, std::ref(progress));
  progress.Done();
  if (const auto* refusal = std::get_if<std::string>(&outcome))
    return kit.fail(ctx, "diff", kExitTrouble, *refusal);
  return kit.writeBytes(ctx, "diff", out, std::get<std::vector<uint8_t>>(outcome)) == kExitOk
             ? kExitOk
             : kExitTrouble;
}

}  // namespace

int RunDiff(const ParsedArgs& args, CliContext& ctx, const CommandKit& kit) {
  if (args.positionals.size() != 2)
    return kit.usageError(ctx, "diff", "expected two maps, OLD and NEW");
  const bool picture = args.Value("-o").has_value();
  DiffPictureRequest request;
  int32_t context = 4;
  if (picture) {
    request.render.sheetPath = args.Value("--sheet").value_or("");
    if (const auto problem = kit.readSheetOptions(args, request.render.sheet))
      return kit.usageError(ctx, "diff", *problem);
    if (const auto zoom = args.Value("--zoom")) {
      const auto n = ParseWholeNumber(*zoom, 1, 2);
      if (!n) return kit.usageError(ctx, "diff", "--zoom must be 1 or 2");
      request.render.zoom = static_cast<int16_t>(*n);
    }
    if (const auto text = args.Value("--context")) {
      const auto n = ParseWholeNumber(*text, 0, 32767);
      if (!n)
        return kit.usageError(ctx, "diff", "--context must be a whole number from 0 to 32767");
      context = *n;
    }
    request.render.overlay = true;
  } else {
    for (const char* option :
         {"--sheet", "--tile-size", "--spacing", "--offset", "--zoom", "--context"})
      if (args.Value(option))
        return kit.usageError(ctx, "diff", std::string(option) + " applies only with -o");
  }

  if (picture)
    if (kit.refuseOutputOverInput(
            ctx, "diff", *args.Value("-o"),
            {args.positionals[0], args.positionals[1], args.Value("--sheet").value_or("")}))
      return kExitTrouble;
  int code = kExitOk;
  const auto before = kit.readMap(ctx, "diff", args.positionals[0], code, nullptr);
  if (!before) return kExitTrouble;
  const auto after = kit.readMap(ctx, "diff", args.positionals[1], code, nullptr);
  if (!after) return kExitTrouble;

  const MapDiff d = CompareMaps(*before, *after);
  ctx.out << (args.Flag("--json") ? DiffJson(d) : DiffText(d));
  ctx.out.flush();
  if (picture && d.bounds) {
    const CellRect region = PictureRegion(d, context);
    request.x = region.x;
    request.y = region.y;
    request.width = region.width;
    request.height = region.height;
    if (const int written = WritePicture(args, ctx, kit, *before, *after, request);
        written != kExitOk)
      return written;
  } else if (picture) {
    ctx.err << kProgramName << " diff: no cell differs; no picture is written.\n";
  }
  return d.Equal() ? kExitOk : kExitDifferent;
}

}  // namespace korvane::cli
