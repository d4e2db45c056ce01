#include "app/cli/MapDump.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>

#include "app/cli/Progress.h"

namespace korvane::cli {

namespace {

std::string SignatureText(const MapDocument& map) {
  if (map.HasStandardSignature()) return "standard";
  // The bytes themselves, so that a change from one odd signature to another shows too.
  std::string text = "other";
  for (const uint8_t byte : map.Signature) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", byte);
    text += hex;
  }
  return text;
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

}  // namespace

void WriteMapDump(const MapDocument& map, const RowRange& rows, std::ostream& out,
                  const ProgressFn& progress) {
  out << "korvane map\n"
      << "size: " << map.MapWidth << " x " << map.MapHeight << '\n'
      << "human resources: " << map.HumanResources << '\n'
      << "computer resources: " << map.ComputerResources << '\n'
      << "signature: " << SignatureText(map) << '\n'
      << "overlay entries: " << map.OverlayEntriesStored << '\n';
  const int32_t first = rows.firstRow;
  const int32_t last = std::min<int32_t>(rows.lastRow, int32_t{map.MapHeight} - 1);
  std::string line;
  for (int32_t y = first; y <= last; ++y) {
    line = "row " + std::to_string(y) + ":";
    for (int32_t x = 0; x < map.MapWidth; ++x) {
      line += ' ';
      line += std::to_string(map.MapTiles.At(x, y));
    }
    line += '\n';
    out << line;
    if (progress) progress(y - first + 1, last - first + 1);
  }
  for (const auto& [x, y, value] : map.OverlayData.Entries())
    if (y >= first && y <= last) out << "overlay " << x << ',' << y << " = " << value << '\n';
}

int RunDump(const ParsedArgs& args, CliContext& ctx, const CommandKit& kit) {
  if (args.positionals.size() != 1)
    return kit.usageError(ctx, "dump",
                          args.positionals.empty() ? "missing MAP" : "expected one MAP");
  RowRange rows;
  if (const auto text = args.Value("--rows")) {
    const auto range = ParseRowRange(*text);
    if (!range) return kit.usageError(ctx, "dump", "--rows must be A..B with 0 <= A <= B");
    rows = *range;
  }
  int code = kExitOk;
  const auto map = kit.readMap(ctx, "dump", args.positionals[0], code, nullptr);
  if (!map) return code;
  ProgressLine progress(ctx.err, "dump", ctx.showProgress);
  WriteMapDump(*map, rows, ctx.out, std::ref(progress));
  progress.Done();
  return kExitOk;
}

}  // namespace korvane::cli
