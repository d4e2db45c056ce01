#pragma once

// The commands kept in files of their own; each returns its exit code.

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"

namespace korvane::cli {

// render MAP -o OUT.png, and with --cell-pixels the overview (RenderCommand.cpp).
int RunRender(const ParsedArgs& args, CliContext& ctx);
// export MAP -o OUT.tmj and import IN.tmj -o MAP (ExchangeCommands.cpp).
int RunExport(const ParsedArgs& args, CliContext& ctx);
int RunImport(const ParsedArgs& args, CliContext& ctx);
// diff OLD NEW [--json] [-o DIFF.png ...] (DiffCommand.cpp).
int RunDiff(const ParsedArgs& args, CliContext& ctx);
// check MAP --symmetry MODE [--json] and mirror MAP --symmetry MODE --keep PART -o OUT.map
// (SymmetryCommands.cpp).
int RunSymmetryCheck(const ParsedArgs& args, CliContext& ctx);
int RunMirror(const ParsedArgs& args, CliContext& ctx);

}  // namespace korvane::cli
