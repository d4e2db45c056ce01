#include "document/CaptionRule.h"

namespace korvane {

std::string MapCaption(std::string_view path) {
  // Both separators count, so that Linux paths show their file name and not the whole path.
  const size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  // One pass from the left; text that comes together only after a removal is left alone.
  constexpr std::string_view kExtension = ".map";
  std::string caption;
  size_t from = 0;
  for (size_t at = name.find(kExtension); at != std::string_view::npos;
       at = name.find(kExtension, from)) {
    caption.append(name.substr(from, at - from));
    from = at + kExtension.size();
  }
  caption.append(name.substr(from));
  return caption + " - Korvane";
}

}  // namespace korvane
