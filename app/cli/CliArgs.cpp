#include "app/cli/CliArgs.h"

#include <charconv>

namespace korvane::cli {

std::optional<std::string> ParsedArgs::Value(const std::string& name) const {
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

std::variant<ParsedArgs, std::string> ParseArgs(std::span<const std::string> args,
                                                std::span<const OptionSpec> specs) {
  ParsedArgs parsed;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      parsed.positionals.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionSpec* option = nullptr;
    for (const OptionSpec& s : specs)
      if (s.name == name) option = &s;
    if (!option) return "unknown option " + name;
    if (parsed.values.count(name) || parsed.flags.count(name)) return name + " is given twice";
    if (!option->takesValue) {
      if (equals != std::string::npos) return name + " takes no value";
      parsed.flags.insert(name);
      continue;
    }
    if (equals != std::string::npos) {
      parsed.values[name] = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      parsed.values[name] = args[++i];
    } else {
      return name + " needs a value";
    }
  }
  return parsed;
}

std::optional<int32_t> ParseWholeNumber(const std::string& text, int32_t lo, int32_t hi) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc() || end != last || value < lo || value > hi)
    return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace korvane::cli
