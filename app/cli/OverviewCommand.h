#pragma once

// `korvane-cli render --cell-pixels N`: an overview of a map too large for its full tiles.

#include "app/cli/CommandKit.h"

namespace korvane::cli {

int RunOverview(const ParsedArgs& args, CliContext& ctx, const CommandKit& kit);

}  // namespace korvane::cli
