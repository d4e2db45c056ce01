// korvane-cli export and import: maps to and from Tiled's map formats (.tmj and .tmx), through
// the table of formats.

#include <cctype>
#include <filesystem>

#include "app/cli/CommandKit.h"
#include "app/cli/Commands.h"
#include "app/cli/Progress.h"
#include "formats/FormatTable.h"
#include "formats/PngFile.h"
#include "formats/TiledMapFile.h"
#include "model/SampleSheet.h"

namespace korvane::cli {

namespace {

const MapFormat& Format(const char* extension) {
  return *FormatWithExtension(extension);
}

// The Tiled format that --format names, or else the one the file's name ends in; JSON for any
// other name, as before there was a choice. Null, after the usage error, for an unknown --format.
const MapFormat* TiledFormat(const ParsedArgs& args, CliContext& ctx, const char* command,
                             const std::string& path, int& code) {
  if (const auto named = args.Value("--format")) {
    if (*named == "tmx" || *named == "tmj") return &Format(*named == "tmx" ? ".tmx" : ".tmj");
    code = UsageError(ctx, command, "--format must be tmx or tmj");
    return nullptr;
  }
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
  return &Format(extension == ".tmx" ? ".tmx" : ".tmj");
}

}  // namespace

int RunExport(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "export", "MAP", true, code);
  if (!io) return code;
  const MapFormat* format = TiledFormat(args, ctx, "export", io->out, code);
  if (!format) return code;
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
  const auto sheet = LoadSheet(ctx, "export", sheetPath, settings, code);
  if (!sheet) return code;
  bool failed = false;
  const auto catalogueBytes = ReadCatalogueOption(args, ctx, "export", failed, code);
  if (failed) return code;
  // As the catalogue window reads it: the entries before any fault stay.
  std::vector<CatalogueEntry> entries;
  if (catalogueBytes) entries = ReadCatalogue(*catalogueBytes).entries;

  ProgressLine progress(ctx.err, "export", ctx.showProgress);
  WriteContext context{sheet->layout,     "", "", catalogueBytes ? &entries : nullptr, "", {},
                       std::ref(progress)};
  if (sheetPath.empty()) {
    context.sheetImage = PathFromMap(io->out, samplePath);
    context.tilesetName = "sample";
    // The sample sheet is written beside the map, made ready with it and replaced with it.
    // Made from the sheet's own pixels, so that the editor's export writes the same bytes.
    auto png = EncodePng(MakeSampleSheet());
    if (!png)
      return WriteFailed(ctx, "export", samplePath, "the sample sheet could not be encoded");
    context.sheetPicturePath = samplePath;
    context.sheetPicture = std::move(*png);
  } else {
    context.sheetImage = toStdout ? sheetPath : PathFromMap(io->out, sheetPath);
    context.tilesetName = std::filesystem::path(sheetPath).stem().string();
  }
  const int written = WriteMap(ctx, "export", *format, *map, io->out, context);
  progress.Done();
  return written;
}

int RunImport(const ParsedArgs& args, CliContext& ctx) {
  int code = kExitOk;
  const auto io = InputAndOutput(args, ctx, "import", "IN", true, code);
  if (!io) return code;
  const MapFormat* format = TiledFormat(args, ctx, "import", io->in, code);
  if (!format) return code;
  if (const auto refused = RefuseOutputOverInput(ctx, "import", io->out, {io->in})) return *refused;
  std::vector<std::string> alsoRead;
  ReadResult imported = format->reader->ReadPath(ctx.files, io->in, &alsoRead);
  if (const auto* refusal = std::get_if<ReadRefusal>(&imported))
    return Fail(ctx, "import", kExitBadInput,
                refusal->unreadable ? "cannot read " + io->in + ": " + refusal->reason + "."
                                    : io->in + ": " + refusal->reason);
  // The map's external tileset is an input too.
  for (const std::string& input : alsoRead)
    if (const auto refused = RefuseOutputOverInput(ctx, "import", io->out, {input}))
      return *refused;
  // Written as the editor saves a map, straight from the layers: a large map is not copied once
  // more into the file's bytes.
  return WriteMap(ctx, "import", Format(".map"), std::get<MapDocument>(imported), io->out, {});
}

}  // namespace korvane::cli
