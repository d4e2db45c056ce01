// Feeds arbitrary bytes to the Overlay.dat reader. What it reads must be what the catalogue
// window writes back on close and reads again unchanged: a close never alters the entries.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "model/Catalogue.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "catalogue reader: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvane;
  const CatalogueReading reading = ReadCatalogue(std::span<const uint8_t>(data, size));
  Require(reading.entries.size() <= static_cast<size_t>(kMaxCatalogueEntries), "too many entries");
  for (const CatalogueEntry& e : reading.entries) {
    Require(e.packedSize >= -32768 && e.packedSize <= 32767, "size beyond 16 bits");
    Require(e.text.find_first_of("\r\n") == std::string::npos, "text holds a line break");
  }
  const CatalogueReading again = ReadCatalogue(WriteCatalogue(reading.entries));
  Require(again.complete, "the written catalogue does not read to its end");
  Require(again.entries == reading.entries, "entries changed on the way back");
  return 0;
}
