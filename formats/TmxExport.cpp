#include "formats/TmxExport.h"

#include <charconv>
#include <string>
#include <string_view>

#include "toolkit/ForeignText.h"

namespace korvane {

namespace {

// Text for a double-quoted attribute value, in UTF-8 (names from another code page converted).
std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : toolkit::AsUtf8(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      // Kept as characters, not folded into blanks by the reader.
      case '\n':
        out += "&#10;";
        break;
      case '\r':
        out += "&#13;";
        break;
      case '\t':
        out += "&#9;";
        break;
      default:
        // XML cannot hold the other control characters at all, not even as references.
        if (static_cast<unsigned char>(c) < 0x20)
          out += "\xEF\xBF\xBD";  // U+FFFD
        else
          out += c;
    }
  }
  return out;
}

// The document in pieces, handed to the sink a block at a time.
class Out {
 public:
  explicit Out(const JsonWriter::Sink& sink) : out_(sink) {}
  Out& operator<<(std::string_view text) {
    out_.Put(text);
    return *this;
  }
  Out& operator<<(int64_t n) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    return *this << std::string_view(digits, size_t(end - digits));
  }
  bool Finish() { return out_.Flush(); }

 private:
  BlockSink out_;
};

void IntProperty(Out& out, const char* indent, const char* name, int64_t value) {
  out << indent << "<property name=\"" << name << "\" type=\"int\" value=\"" << value << "\"/>\n";
}

}  // namespace

bool WriteTmx(const TmjExport& in, const JsonWriter::Sink& sink, const ProgressFn& progress) {
  const MapDocument& map = *in.map;
  const SheetLayout& s = in.sheet;
  const int64_t tile = s.settings.tileSize;
  const int64_t w = map.MapWidth;
  const int64_t h = map.MapHeight;
  int64_t objects = 0;
  ForEachOverlayObject(in, [&objects](const OverlayObject&) { ++objects; });

  Out out(sink);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<map version=\"1.10\" orientation=\"orthogonal\" renderorder=\"right-down\" width=\"" << w
      << "\" height=\"" << h << "\" tilewidth=\"" << tile << "\" tileheight=\"" << tile
      << "\" infinite=\"0\" backgroundcolor=\"" << TiledBackground()
      << "\" nextlayerid=\"3\" nextobjectid=\"" << objects + 1 << "\">\n";
  out << " <properties>\n";
  IntProperty(out, "  ", kComputerResourcesProperty, map.ComputerResources);
  IntProperty(out, "  ", kHumanResourcesProperty, map.HumanResources);
  out << " </properties>\n";
  out << " <tileset firstgid=\"1\" name=\"" << Escaped(in.tilesetName) << "\" tilewidth=\"" << tile
      << "\" tileheight=\"" << tile << "\" spacing=\"" << int64_t{s.settings.spacing}
      << "\" margin=\"" << int64_t{s.settings.offset} << "\" tilecount=\"" << int64_t{s.tileCount}
      << "\" columns=\"" << int64_t{s.columns} << "\">\n";
  out << "  <image source=\"" << Escaped(in.imagePath) << "\" width=\"" << int64_t{s.imageWidth}
      << "\" height=\"" << int64_t{s.imageHeight} << "\"/>\n";
  out << " </tileset>\n";

  out << " <layer id=\"1\" name=\"Tiles\" width=\"" << w << "\" height=\"" << h << "\">\n";
  out << "  <data encoding=\"csv\">\n";
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      out << GlobalTileId(map.MapTiles.At(x, y), s.tileCount);
      if (x + 1 < w || y + 1 < h) out << ",";
    }
    out << "\n";
    if (progress && (y % 64 == 63 || y == h - 1)) progress(y + 1, int32_t(h));
  }
  out << "</data>\n";
  out << " </layer>\n";

  out << " <objectgroup id=\"2\" name=\"Overlay\">\n";
  int64_t id = 0;
  ForEachOverlayObject(in, [&](const OverlayObject& o) {
    out << "  <object id=\"" << ++id << "\" name=\"" << Escaped(o.name) << "\" x=\""
        << int64_t{o.x} * tile << "\" y=\"" << int64_t{o.y} * tile << "\" width=\""
        << int64_t{o.cellsX} * tile << "\" height=\"" << int64_t{o.cellsY} * tile << "\">\n";
    out << "   <properties>\n";
    IntProperty(out, "    ", kOverlayIdProperty, o.value);
    out << "   </properties>\n";
    out << "  </object>\n";
  });
  out << " </objectgroup>\n";
  out << "</map>\n";
  return out.Finish();
}

}  // namespace korvane
