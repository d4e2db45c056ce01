#pragma once

#include <algorithm>
#include <string>

namespace korvane::toolkit {

// The name a temporary file for `targetName` (a name without folder) starts with, beside the
// target: hidden and recognisable, ".NAME.korvane-tmp-" followed by six characters. A long name
// is cut (at a character boundary), so that the whole stays within what a folder entry may take.
inline std::string TemporaryPrefixFor(const std::string& targetName) {
  constexpr size_t kLongestNamePart = 200;
  size_t keep = std::min(targetName.size(), kLongestNamePart);
  while (keep > 0 && keep < targetName.size() &&
         (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80)
    --keep;
  std::string prefix = ".";
  prefix.append(targetName, 0, keep);
  return prefix += ".korvane-tmp-";
}

}  // namespace korvane::toolkit
