#pragma once

// The text layout of Overlay.dat, the overlay catalogue (where it lives: overlay/CatalogueHome.h):
// a line with the number of entries, then per entry a line with its text between double quotes and
// a line with its packed size (X-size * 128 + Y-size). The fixed "Remove" entry is not stored.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvane {

inline constexpr const char* kCatalogueFileName = "Overlay.dat";

// List positions are 16-bit and "Remove" holds position 0, so the catalogue holds at most this
// many entries of its own.
inline constexpr int16_t kMaxCatalogueEntries = 32766;

struct CatalogueEntry {
  std::string text;
  int32_t packedSize = 0;

  bool operator==(const CatalogueEntry&) const = default;
};

struct CatalogueReading {
  std::vector<CatalogueEntry> entries;
  // False when the text stopped making sense before the promised number of entries was read
  // (the entries above are then only the part before the fault), or when more text follows
  // them (the entries above are then only those the count promises).
  bool complete = true;
};

// Reads the catalogue from the bytes of the file. Never fails as a whole: a count or size that is
// not a 16-bit number, a missing field or fewer entries than the count promises end the reading,
// and the entries read before stay; fields after the counted entries (after a count of 0 or
// below, any field) are left unread. A quoted text runs to the last double quote of its line, so
// texts with double quotes in them read back intact. CR LF and bare LF both end a line. At most
// kMaxCatalogueEntries entries are read.
CatalogueReading ReadCatalogue(std::span<const uint8_t> bytes);

// The file text for these entries, lines ending in CR LF; an empty catalogue is the line "0".
// Texts are written unchanged between double quotes, so they must not contain line breaks to read
// back; sizes outside the 16-bit range are written at its nearest end.
std::vector<uint8_t> WriteCatalogue(std::span<const CatalogueEntry> entries);

}  // namespace korvane
