// korvane-cli diff: what changed between two maps, as text or JSON, and with -o as a picture.

#include <algorithm>
#include <functional>
#include <ostream>

#include "app/cli/CommandKit.h"
#include "app/cli/Commands.h"
#include "app/cli/Progress.h"
#include "ops/MapDiff.h"
#include "render/DiffPicture.h"

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
  const int32_t x0 = std::max(0, b.left - context);
  const int32_t y0 = std::max(0, b.top - context);
  const int32_t x1 = std::min(allW, b.left + b.width + context);
  const int32_t y1 = std::min(allH, b.top + b.height + context);
  return {x0, y0, x1 - x0, y1 - y0};
}

int WritePicture(CliContext& ctx, const std::string& out, const std::string& sheetPath,
                 MapPictureStyle style, const MapDocument& before, const MapDocument& after,
                 const CellRect& region) {
  int code = kExitOk;
  auto sheet = LoadSheet(ctx, "diff", sheetPath, style.settings, code);
  if (!sheet) return kExitTrouble;
  style.sheet = std::move(sheet->picture);
  ProgressLine progress(ctx.err, "diff", ctx.showProgress);
  auto drawn = DrawDiffPicture(ctx.imaging, before, after, region, style, PictureLimits{},
                               std::ref(progress));
  progress.Done();
  if (const auto* refusal = std::get_if<std::string>(&drawn))
    return Fail(ctx, "diff", kExitTrouble, *refusal);
  const toolkit::PixelRows<uint32_t> pixels =
      std::get<std::unique_ptr<toolkit::ImageSurface>>(drawn)->Pixels();
  return WritePng(ctx, "diff", out, {pixels.bits, pixels.width, pixels.height, pixels.stride});
}

}  // namespace

int RunDiff(const ParsedArgs& args, CliContext& ctx) {
  if (args.positionals.size() != 2)
    return UsageError(ctx, "diff", "expected two maps, OLD and NEW");
  const std::optional<std::string> out = args.Value("-o");
  const std::string sheetPath = args.Value("--sheet").value_or("");
  MapPictureStyle style;
  int32_t context = 4;
  if (out) {
    // The report goes to standard output; a picture there too would spoil both.
    if (*out == kStandardOutput)
      return UsageError(ctx, "diff", "-o - is not allowed: the report goes to standard output");
    if (const auto problem = ReadSheetOptions(args, style.settings))
      return UsageError(ctx, "diff", *problem);
    if (const auto zoom = args.Value("--zoom")) {
      const auto n = ParseWholeNumber(*zoom, 1, 2);
      if (!n) return UsageError(ctx, "diff", "--zoom must be 1 or 2");
      style.zoom = static_cast<int16_t>(*n);
    }
    if (const auto text = args.Value("--context")) {
      const auto n = ParseWholeNumber(*text, 0, 32767);
      if (!n) return UsageError(ctx, "diff", "--context must be a whole number from 0 to 32767");
      context = *n;
    }
    style.overlay = true;
  } else {
    for (const char* option :
         {"--sheet", "--tile-size", "--spacing", "--offset", "--zoom", "--context"})
      if (args.Value(option))
        return UsageError(ctx, "diff", std::string(option) + " applies only with -o");
  }

  if (out && RefuseOutputOverInput(ctx, "diff", *out,
                                   {args.positionals[0], args.positionals[1], sheetPath}))
    return kExitTrouble;
  int code = kExitOk;
  const auto before = ReadMap(ctx, "diff", args.positionals[0], code);
  if (!before) return kExitTrouble;
  const auto after = ReadMap(ctx, "diff", args.positionals[1], code);
  if (!after) return kExitTrouble;

  const MapDiff d = CompareMaps(*before, *after);
  ctx.out << (args.Flag("--json") ? DiffJson(d) : DiffText(d));
  ctx.out.flush();
  if (out && d.bounds) {
    if (const int written =
            WritePicture(ctx, *out, sheetPath, style, *before, *after, PictureRegion(d, context));
        written != kExitOk)
      return written;
  } else if (out) {
    ctx.err << kProgramName << " diff: no cell differs; no picture is written.\n";
  }
  return d.Equal() ? kExitOk : kExitDifferent;
}

}  // namespace korvane::cli
