#include "app/cli/CliHelp.h"

namespace korvane::cli {

const char* const kGeneralHelp =
    "Usage: korvane-cli COMMAND [ARGUMENTS]\n"
    "Inspects, checks, renders and exchanges Korvane maps without the editor window.\n"
    "\n"
    "Commands:\n"
    "  info MAP                 print the map's size, resources and tile range as JSON\n"
    "  check MAP                print ok if the editor loads MAP, else say where it goes wrong;\n"
    "                           with --symmetry MODE, whether MAP is symmetric\n"
    "  render MAP -o OUT.png    draw the whole map as the editor draws it\n"
    "  export MAP -o OUT.tmj    write the map for the Tiled map editor\n"
    "  import IN.tmj -o MAP     read a Tiled map back into a Korvane map\n"
    "  mirror MAP -o OUT.map    copy the kept half or quarter of MAP onto the rest\n"
    "  dump MAP                 print the map as text, one line per row (for git diff)\n"
    "  diff OLD NEW             say what changed between two maps; -o draws the change\n"
    "\n"
    "Run 'korvane-cli COMMAND --help' for a command's options.\n"
    "Exit codes: 0 success, 1 bad input, 2 bad usage (diff: 0 equal, 1 different, 2 trouble).\n";

const char* const kInfoHelp =
    "Usage: korvane-cli info MAP\n"
    "Prints one JSON object describing MAP: width, height, human_resources,\n"
    "computer_resources, overlay_entries (the count stored in the file), signature\n"
    "(\"standard\" or \"other\"), tiles (min, max and number of distinct tile numbers) and\n"
    "symmetry (those of left-right, top-bottom, four-way and half-turn that MAP satisfies).\n"
    "\n"
    "Example: korvane-cli info examples/demo.map\n";

const char* const kCheckHelp =
    "Usage: korvane-cli check MAP [--symmetry MODE [--json]]\n"
    "Prints ok and exits with 0 when the editor would load MAP. Otherwise exits with 1\n"
    "and names the byte offset where the file goes wrong and why.\n"
    "\n"
    "  --symmetry MODE       left-right, top-bottom, four-way or half-turn: prints ok and\n"
    "                        exits with 0 when every cell's tile and overlay value equal\n"
    "                        those of its images; else exits with 1 and counts the cells\n"
    "                        that differ, as rectangles (50 listed at most)\n"
    "  --json                the symmetry result as one JSON object\n"
    "\n"
    "Example: korvane-cli check examples/demo.map\n"
    "         korvane-cli check level.map --symmetry four-way\n";

const char* const kMirrorHelp =
    "Usage: korvane-cli mirror MAP --symmetry MODE --keep PART -o OUT.map\n"
    "Copies the kept part of MAP (tiles and overlay values, as they are) onto the rest, so\n"
    "that OUT.map satisfies MODE. The middle column or row of an odd size is its own image\n"
    "and stays as it is; under half-turn it is turned onto itself from the kept side.\n"
    "\n"
    "  --symmetry MODE       left-right, top-bottom, four-way or half-turn\n"
    "  --keep PART           left or right (left-right); top or bottom (top-bottom);\n"
    "                        top-left, top-right, bottom-left or bottom-right (four-way);\n"
    "                        left, right, top or bottom (half-turn)\n"
    "  -o OUT.map            the map to write (required)\n"
    "\n"
    "Example: korvane-cli mirror draft.map --symmetry four-way --keep top-left -o level.map\n";

const char* const kRenderHelp =
    "Usage: korvane-cli render MAP -o OUT.png [options]\n"
    "Draws the whole map into one PNG image exactly as the editor's map display draws it.\n"
    "\n"
    "  -o OUT.png            the image to write (required)\n"
    "  --sheet BMP           the tile sheet; without it the built-in sample sheet\n"
    "  --tile-size N         tile edge in pixels (default 16)\n"
    "  --spacing N           pixels between tiles in the sheet (default 1)\n"
    "  --offset N            margin before the first tile, left and top (default 0)\n"
    "  --zoom 1|2            draw each tile once or twice its size (default 1)\n"
    "  --grid                leave a one-pixel gap after every tile\n"
    "  --overlay             draw the overlay markers, as in overlay mode\n"
    "  --catalogue FILE      the Overlay.dat the catalogue window reads in overlay mode\n"
    "  --cell-pixels N       an overview instead (N = 1, 2, 4 or 8): every cell an N x N\n"
    "                        block of its tile's average colour; only the sheet options apply\n"
    "\n"
    "Example: korvane-cli render examples/demo.map -o demo.png --zoom 2 --grid --overlay\n"
    "         korvane-cli render big.map -o big-overview.png --cell-pixels 1\n";

const char* const kExportHelp =
    "Usage: korvane-cli export MAP -o OUT.tmj [options]\n"
    "Writes MAP in the JSON map format of the Tiled map editor: one tile layer (tile number\n"
    "+ 1, 0 for a number outside the sheet), one object layer with an object per overlay\n"
    "cell (integer property id), the map properties human_resources and computer_resources\n"
    "and one embedded tileset. Without --sheet the sample sheet is written beside OUT as\n"
    "OUT-sheet.png.\n"
    "\n"
    "  -o OUT.tmj            the Tiled map to write (required)\n"
    "  --sheet BMP           the tile sheet; without it the built-in sample sheet\n"
    "  --tile-size N         tile edge in pixels (default 16)\n"
    "  --spacing N           pixels between tiles in the sheet (default 1)\n"
    "  --offset N            margin before the first tile, left and top (default 0)\n"
    "  --catalogue FILE      an Overlay.dat giving the objects their names and sizes\n"
    "\n"
    "Example: korvane-cli export examples/demo.map -o demo.tmj --catalogue Overlay.dat\n";

const char* const kImportHelp =
    "Usage: korvane-cli import IN.tmj -o MAP\n"
    "Reads a Tiled JSON map back into a Korvane map file. Accepted are orthogonal maps of\n"
    "fixed size with one tileset, one tile layer in the CSV (plain array) format and at most\n"
    "one object layer whose objects carry an integer property id from 1 to 32767. Tile ids\n"
    "become tile numbers from the tileset's first id; an empty cell becomes tile -1, which\n"
    "the editor shows as background. Anything else is refused with the reason.\n"
    "\n"
    "  -o MAP                the map file to write (required)\n"
    "\n"
    "Example: korvane-cli import demo.tmj -o demo-again.map\n";

const char* const kDumpHelp =
    "Usage: korvane-cli dump MAP [--rows A..B]\n"
    "Prints MAP as stable text: a header (size, resources, signature, the stored overlay\n"
    "entry count), one line per row (\"row 12: 4 4 17 ...\") and one line per overlay\n"
    "cell (\"overlay 7,3 = 2\"). Meant for git's textconv, so git diff shows map changes.\n"
    "\n"
    "  --rows A..B           only rows A to B (counted from 0) and their overlay cells\n"
    "\n"
    "Example: korvane-cli dump examples/demo.map --rows 0..4\n";

const char* const kDiffHelp =
    "Usage: korvane-cli diff OLD NEW [--json] [-o DIFF.png [options]]\n"
    "Says what changed from OLD to NEW: size, resources and signature, the number of changed\n"
    "tile cells grouped into rectangles (50 listed at most) and the overlay entries added,\n"
    "removed and changed. Prints nothing for equal maps. Exit codes: 0 equal, 1 different,\n"
    "2 bad usage or an unreadable file.\n"
    "\n"
    "  --json                the same as one JSON object\n"
    "  -o DIFF.png           also draw the changed region, OLD left and NEW right, changed\n"
    "                        cells outlined, overlay markers shown\n"
    "  --sheet BMP           the tile sheet for -o; without it the built-in sample sheet\n"
    "  --tile-size N         tile edge in pixels (default 16)\n"
    "  --spacing N           pixels between tiles in the sheet (default 1)\n"
    "  --offset N            margin before the first tile, left and top (default 0)\n"
    "  --zoom 1|2            draw each tile once or twice its size (default 1)\n"
    "  --context N           unchanged cells shown around the change (default 4)\n"
    "\n"
    "Example: korvane-cli diff old.map new.map -o change.png --zoom 2\n";

}  // namespace korvane::cli
