#pragma once

// `korvane-cli diff OLD NEW [--json] [-o DIFF.png ...]`: the report of MapDiff, and the picture.

#include "app/cli/CommandKit.h"

namespace korvane::cli {

int RunDiff(const ParsedArgs& args, CliContext& ctx, const CommandKit& kit);

}  // namespace korvane::cli
