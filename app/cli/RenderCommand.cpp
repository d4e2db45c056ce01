// korvane-cli render: the whole map drawn by the map painter, or with --cell-pixels its overview.

#include <functional>

#include "app/cli/CommandKit.h"
#include "app/cli/Commands.h"
#include "app/cli/Progress.h"
#include "render/MapPicture.h"

namespace korvane::cli {

namespace {

// The picture's size follows from the map's header: a map too large to draw is refused unread.
HeaderCheck RefuseLargerThan(int64_t cellPixelsX, int64_t cellPixelsY) {
  return [cellPixelsX, cellPixelsY](const MapDocument& header) {
    return PictureSizeProblem(header.MapWidth * cellPixelsX, header.MapHeight * cellPixelsY,
                              PictureLimits{}, "render");
  };
}

int WritePicture(CliContext& ctx, const std::string& out, toolkit::ImageSurface& surface) {
  const toolkit::PixelRows<uint32_t> pixels = surface.Pixels();
  return WritePng(ctx, "render", out, {pixels.bits, pixels.width, pixels.height, pixels.stride});
}

int RunOverview(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "render", "MAP", true, code);
  if (!io) return code;
  const auto n = ParseWholeNumber(*args.Value("--cell-pixels"), 1, 8);
  if (!n || (*n & (*n - 1)) != 0)
    return UsageError(ctx, "render", "--cell-pixels must be 1, 2, 4 or 8");
  // The overview has one colour per cell: nothing of the full drawing's look applies.
  for (const char* option : {"--zoom", "--catalogue"})
    if (args.Value(option))
      return UsageError(ctx, "render", std::string(option) + " does not apply with --cell-pixels");
  for (const char* flag : {"--grid", "--overlay"})
    if (args.Flag(flag))
      return UsageError(ctx, "render", std::string(flag) + " does not apply with --cell-pixels");
  const std::string sheetPath = args.Value("--sheet").value_or("");
  SheetSettings settings;
  if (const auto problem = ReadSheetOptions(args, settings))
    return UsageError(ctx, "render", *problem);

  if (const auto refused = RefuseOutputOverInput(ctx, "render", io->out, {io->in, sheetPath}))
    return *refused;
  const auto map = ReadMap(ctx, "render", io->in, code, RefuseLargerThan(*n, *n));
  if (!map) return code;
  const auto sheet = LoadSheet(ctx, "render", sheetPath, settings, code);
  if (!sheet) return code;

  ProgressLine progress(ctx.err, "render", ctx.showProgress);
  auto drawn = DrawOverviewPicture(ctx.imaging, *map, *sheet->picture, sheet->layout, *n,
                                   PictureLimits{}, std::ref(progress));
  progress.Done();
  if (const auto* refusal = std::get_if<std::string>(&drawn))
    return Fail(ctx, "render", kExitBadInput, *refusal);
  return WritePicture(ctx, io->out, *std::get<std::unique_ptr<toolkit::ImageSurface>>(drawn));
}

}  // namespace

int RunRender(const ParsedArgs& args, CliContext& ctx) {
  if (args.Value("--cell-pixels")) return RunOverview(args, ctx);
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "render", "MAP", true, code);
  if (!io) return code;
  MapPictureStyle style;
  const std::string sheetPath = args.Value("--sheet").value_or("");
  if (const auto problem = ReadSheetOptions(args, style.settings))
    return UsageError(ctx, "render", *problem);
  if (const auto zoom = args.Value("--zoom")) {
    const auto n = ParseWholeNumber(*zoom, 1, 2);
    if (!n) return UsageError(ctx, "render", "--zoom must be 1 or 2");
    style.zoom = static_cast<int16_t>(*n);
  }
  style.grid = args.Flag("--grid");
  style.overlay = args.Flag("--overlay");
  if (args.Value("--catalogue") && !style.overlay)
    return UsageError(ctx, "render", "--catalogue applies only with --overlay");

  if (const auto refused = RefuseOutputOverInput(
          ctx, "render", io->out, {io->in, sheetPath, args.Value("--catalogue").value_or("")}))
    return *refused;
  const int64_t pitch = int64_t{style.settings.tileSize} * style.zoom + (style.grid ? 1 : 0);
  const auto map = ReadMap(ctx, "render", io->in, code, RefuseLargerThan(pitch, pitch));
  if (!map) return code;
  auto sheet = LoadSheet(ctx, "render", sheetPath, style.settings, code);
  if (!sheet) return code;
  // The catalogue only has to be readable: the markers show the overlay values themselves.
  bool failed = false;
  ReadCatalogueOption(args, ctx, "render", failed, code);
  if (failed) return code;
  style.sheet = std::move(sheet->picture);

  const auto surface = ctx.imaging.CreateImageSurface();
  auto prepared = MapPicture::Prepare(*surface, style);
  if (const auto* refusal = std::get_if<std::string>(&prepared))
    return Fail(ctx, "render", kExitBadInput, *refusal);
  ProgressLine progress(ctx.err, "render", ctx.showProgress);
  const auto problem =
      std::get<MapPicture>(prepared).Draw(*map, CellRect{0, 0, map->MapWidth, map->MapHeight},
                                          PictureLimits{}, "render", std::ref(progress));
  progress.Done();
  if (problem) return Fail(ctx, "render", kExitBadInput, *problem);
  return WritePicture(ctx, io->out, *surface);
}

}  // namespace korvane::cli
