#pragma once

// Splitting a command's arguments into positionals, options with values and flags.

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace korvane::cli {

struct OptionSpec {
  std::string name;  // as typed: "-o", "--sheet"
  bool takesValue = false;
};

struct ParsedArgs {
  std::vector<std::string> positionals;
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
  bool help = false;

  std::optional<std::string> Value(const std::string& name) const;
  bool Flag(const std::string& name) const { return flags.count(name) > 0; }
};

// Options may stand anywhere among the positionals and take their value as the next argument or
// after '=' ("--zoom=2"); "--" ends the options. --help or -h anywhere asks for help. Returns the
// one-sentence usage error otherwise: an unknown option, a missing value, an option given twice.
std::variant<ParsedArgs, std::string> ParseArgs(std::span<const std::string> args,
                                                std::span<const OptionSpec> specs);

// A whole number in [lo, hi] written in plain decimal digits with an optional sign.
std::optional<int32_t> ParseWholeNumber(const std::string& text, int32_t lo, int32_t hi);

}  // namespace korvane::cli
