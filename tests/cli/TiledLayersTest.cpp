// Tiled's XML maps and tile layers stored as base64, plain or compressed, in both of Tiled's
// formats; and inputs meant to hurt: each refused in one sentence, quickly and in little memory.

#include <sys/stat.h>
#include <zlib.h>
#include <zstd.h>

#include "formats/TmjSize.h"
#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

using Bytes = std::vector<uint8_t>;

std::string Base64(const Bytes& bytes) {
  static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t n = uint32_t(bytes[i]) << 16;
    if (i + 1 < bytes.size()) n |= uint32_t(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) n |= bytes[i + 2];
    for (size_t k = 0; k < 4; ++k)
      out += i + k <= bytes.size() ? alphabet[(n >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

Bytes LittleEndian(const std::vector<uint32_t>& ids) {
  Bytes out;
  for (const uint32_t id : ids)
    for (int k = 0; k < 4; ++k) out.push_back(uint8_t(id >> (8 * k)));
  return out;
}

Bytes Deflated(const Bytes& in, bool gzip, int level = 9) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, MAX_WBITS + (gzip ? 16 : 0), 9, Z_DEFAULT_STRATEGY);
  Bytes out(deflateBound(&z, in.size()));
  z.next_in = const_cast<Bytef*>(in.data());
  z.avail_in = uInt(in.size());
  z.next_out = out.data();
  z.avail_out = uInt(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

Bytes Zstd(const Bytes& in) {
  Bytes out(ZSTD_compressBound(in.size()));
  out.resize(ZSTD_compress(out.data(), out.size(), in.data(), in.size(), 19));
  return out;
}

// The tiles of the 3 x 2 map below (first id 5) and what they become.
const std::vector<uint32_t> kIds = {5, 6, 0, 7, 8, 9};
const char* const kRows = "row 0: 0 1 -1\nrow 1: 2 3 4\noverlay 2,1 = 3\n";

// The map in XML: `data` is the tile layer's data element.
std::string Tmx(const std::string& data, const std::string& tileset = R"(<tileset firstgid="5"
    name="t" tilewidth="16" tileheight="16" spacing="1" margin="2"><image source="t.png"/></tileset>)") {
  return R"(<map orientation="orthogonal" width="3" height="2"
    tilewidth="16" tileheight="16">
 <properties><property name="human_resources" type="int" value="42"/></properties>
 )" + tileset +
         R"(
 <layer id="1" name="ground" width="3" height="2">)" +
         data + R"(</layer>
 <objectgroup id="2" name="o"><object id="4" x="32" y="16" width="16" height="16">
  <properties><property name="id" type="int" value="3"/></properties></object></objectgroup>
</map>
)";
}

// The same in JSON: `data` are the tile layer's members that hold its data.
std::string Tmj(const std::string& data) {
  return R"({"orientation": "orthogonal", "width": 3, "height": 2, "tilewidth": 16,
    "tileheight": 16, "properties": [{"name": "human_resources", "type": "int", "value": 42}],
    "tilesets": [{"firstgid": 5, "name": "t", "tilewidth": 16, "tileheight": 16, "image": "t.png"}],
    "layers": [{"type": "tilelayer", "name": "ground", "width": 3, "height": 2, )" +
         data + R"(}, {"type": "objectgroup", "objects": [{"id": 4, "x": 32, "y": 16,
      "properties": [{"name": "id", "type": "int", "value": 3}]}]}]})";
}

std::string XmlData(const std::string& encoding, const std::string& compression,
                    const std::string& text) {
  return "<data encoding=\"" + encoding + "\"" +
         (compression.empty() ? "" : " compression=\"" + compression + "\"") + ">\n   " + text +
         "\n  </data>";
}

std::string JsonData(const std::string& compression, const std::string& text) {
  return R"("encoding": "base64", "compression": ")" + compression + R"(", "data": ")" + text +
         "\"";
}

using TiledLayers = CliTest;

// What the maps Tiled saved below do not show: a tileset whose first id is not 1, tiles as XML
// elements, and zstd, in both file formats.
TEST_F(TiledLayers, EveryLayerFormatImportsToTheSameMap) {
  const std::string zstd = Base64(Zstd(LittleEndian(kIds)));
  const std::pair<std::string, std::string> files[] = {
      {"in.tmx", Tmx(XmlData("csv", "", "5,6,0,\n7,8,9"))},
      {"in.tmx", Tmx(R"(<data><tile gid="5"/><tile gid="6"/><tile/><tile gid="7"/>
        <tile gid="8"/><tile gid="9"/></data>)")},
      {"in.tmx", Tmx(XmlData("base64", "zstd", zstd))},
      {"in.tmj", Tmj(JsonData("zstd", zstd))},
  };
  for (const auto& [name, text] : files) {
    WriteText(Path(name), text);
    ASSERT_EQ(Line("import @" + name + " -o @out.map").code, 0) << text;
    const std::string dump = Line("dump @out.map").out;
    EXPECT_TRUE(dump.ends_with(kRows)) << text << dump;
    EXPECT_NE(dump.find("human resources: 42\n"), std::string::npos) << dump;
  }
}

// What a layer may hold is judged by the map's size, never by what its data claims: the last
// size inside and the first beyond, before and after inflating.
TEST_F(TiledLayers, LayersAreBoundedByTheMapsSize) {
  const Bytes six = LittleEndian(kIds);
  Bytes seven = six;
  seven.push_back(1);  // 25 bytes: one more than 3 x 2 cells of 4
  Bytes five(six.begin(), six.end() - 4);
  // A bomb: 64 KiB of zeros squeezed into a hundred bytes or so.
  const Bytes bomb = Deflated(Bytes(64 * 1024, 0), false);
  Bytes cut = Deflated(six, false);
  cut.resize(cut.size() - 3);
  const std::vector<std::tuple<std::string, std::string, const char*>> cases = {
      {"", Base64(seven), "holds more than the 24 bytes a map of its size needs"},
      {"", Base64(five), "holds 5 ids but the map has 6 cells"},
      {"zlib", Base64(Deflated(seven, false)), "inflates to more than the 24 bytes"},
      {"gzip", Base64(Deflated(seven, true)), "inflates to more than the 24 bytes"},
      {"zstd", Base64(Zstd(seven)), "inflates to more than the 24 bytes"},
      {"zlib", Base64(bomb), "inflates to more than the 24 bytes"},
      {"gzip", Base64(Deflated(Bytes(64 * 1024, 0), true)), "inflates to more than the 24"},
      {"zstd", Base64(Zstd(Bytes(64 * 1024, 0))), "inflates to more than the 24 bytes"},
      {"zlib", Base64(Deflated(five, false)), "holds 5 ids but the map has 6 cells"},
      {"zlib", Base64(cut), "zlib data is damaged or cut short"},
      // Compressed data may run past the layer's 24 bytes by half as much and 1 KiB of headers.
      {"zlib", Base64(Bytes(1060, 0)), "zlib data is damaged or cut short"},
      {"zlib", Base64(Bytes(1061, 0)), "holds more than the 1060 bytes a map of its size needs"},
      {"gzip", Base64(six), "gzip data is damaged or cut short"},
      {"zstd", Base64(six), "zstd data is damaged or cut short"},
      {"", Base64(six) + "*", "holds a character that is no base64"},
      {"", Base64(six).substr(1), "base64 data is cut short"},
      {"lzma", Base64(six), "compressed with lzma, which cannot be read"},
  };
  for (const auto& [compression, text, reason] : cases) {
    WriteText(Path("in.tmx"), Tmx(XmlData("base64", compression, text)));
    ExpectRefused("import @in.tmx -o @out.map", 1, reason);
    WriteText(Path("in.tmj"), Tmj(JsonData(compression, text)));
    ExpectRefused("import @in.tmj -o @out.map", 1, reason);
  }
  // A NUL, which only JSON can carry, is no base64 either.
  WriteText(Path("in.tmj"), Tmj(JsonData("", "\\u0000" + Base64(six).substr(1))));
  ExpectRefused("import @in.tmj -o @out.map", 1, "holds a character that is no base64");
  // A layer far larger than its compressed data: room for it grows to the layer's size, and
  // not a byte further. Stored without compression, the data is a few bytes longer than the
  // layer.
  const auto writeLarge = [&](const std::string& compression, const Bytes& packed) {
    std::string large = Tmx(XmlData("base64", compression, Base64(packed)));
    for (size_t at; (at = large.find("width=\"3\" height=\"2\"")) != std::string::npos;)
      large.replace(at, 20, "width=\"128\" height=\"160\"");
    WriteText(Path("in.tmx"), large);
  };
  for (const size_t bytes : {size_t{128 * 160 * 4}, size_t{128 * 160 * 4 + 4}})
    for (const std::string compression : {"zlib", "gzip", "zstd"}) {
      const Bytes zeros(bytes, 0);
      writeLarge(compression,
                 compression == "zstd" ? Zstd(zeros) : Deflated(zeros, compression == "gzip"));
      if (bytes == 128 * 160 * 4)
        EXPECT_EQ(Line("import @in.tmx -o @out.map").code, 0);
      else
        ExpectRefused("import @in.tmx -o @out.map", 1, "inflates to more than the 81920 bytes");
    }
  writeLarge("zlib", Deflated(Bytes(128 * 160 * 4, 0), false, 0));
  EXPECT_EQ(Line("import @in.tmx -o @out.map").code, 0);
}

// XML maps are refused for the same reasons, in the same words, as JSON maps, and the XML
// itself is held to what it can cost.
TEST_F(TiledLayers, XmlMapsAreRefusedInOneSentence) {
  const std::string laughs = R"(<?xml version="1.0"?>
<!DOCTYPE map [<!ENTITY a "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa">
 <!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">
 <!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">
 <!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;">
 <!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;">]>
)";
  const std::string csv = XmlData("csv", "", "5,6,0,7,8,9");
  const std::string big = Tmx(csv);
  const auto with = [&big](const std::string& from, const std::string& to) {
    return std::string(big).replace(big.find(from), from.size(), to);
  };
  const std::vector<std::pair<std::string, const char*>> cases = {
      {"<map width=\"3\"", "not valid XML: at line 1, column 13, error parsing element attribute."},
      {laughs + Tmx(XmlData("csv", "", "&e;,6,0,7,8,9")),
       "other than tile ids, first at line 13, column 4."},
      {Tmx(XmlData("csv", "", "5,6,0,7,8,x")), "other than tile ids, first at line 7, column 14."},
      {Tmx(XmlData("csv", "", "5,6,0,7,8")), "holds 5 ids but the map has 6 cells"},
      // An empty field is a field that holds no id; only blanks after the last comma end the list.
      {Tmx(XmlData("csv", "", "5,6,,7,8,9")), "other than tile ids, first at line 7, column 8."},
      {Tmx(XmlData("csv", "", ",5,6,0,7,8")), "other than tile ids, first at line 7, column 4."},
      {Tmx(XmlData("csv", "", "5,6,0,7,8,2147483657")), "flipped or rotated"},
      {Tmx(XmlData("base32", "", "AAAA")), "stored as base32"},
      {Tmx("<data encoding=\"csv\"><chunk x=\"0\" y=\"0\"/></data>"), "stored in chunks"},
      {R"(<tileset name="t" tilewidth="16" tileheight="16"/>)", "holds a Tiled tileset, not a map"},
      {Tmx(csv, "<tileset firstgid=\"5\"/><tileset firstgid=\"9\"/>"), "uses 2 tilesets"},
      {with("</objectgroup>", "</objectgroup><imagelayer name=\"i\"/><group name=\"g\"/>"),
       "Layer \"i\" is of type \"imagelayer\""},
      {with("x=\"32\" y=\"16\"", "x=\"48\""), "Object 4 lies outside the 3 x 2 map."},
      {with("x=\"32\" y=\"16\"", "y=\"32\""), "Object 4 lies outside the 3 x 2 map."},
      {big + std::string(MaxTmjBytes(3, 2) + 1 - big.size(), ' '),
       "more than a map of 3 x 2 cells can take"},
      // Without a size at its start, as long as the smallest map may be, and a byte longer.
      {std::string(MaxTmjBytes(1, 1), ' '), "no document element found."},
      {std::string(MaxTmjBytes(1, 1) + 1, ' '),
       "is 16781345 bytes long, more than a map whose size is not at its start can take "
       "(16781344)."},
  };
  for (const auto& [text, reason] : cases) {
    WriteText(Path("in.tmx"), text);
    ExpectRefused("import @in.tmx -o @out.map", 1, reason);
  }
}

// An external tileset is read for its picture and geometry; one that cannot be, or that is no
// tileset, refuses the map.
TEST_F(TiledLayers, ExternalTilesetsAreReadOrRefused) {
  const auto map = [this](const std::string& source) {
    WriteText(Path("in.tmx"), Tmx(XmlData("csv", "", "5,6,0,7,8,9"),
                                  "<tileset firstgid=\"5\" source=\"" + source + "\"/>"));
  };
  WriteText(Path("good.tsx"), R"(<tileset name="t" tilewidth="16" tileheight="16"/>)");
  map("good.tsx");
  EXPECT_EQ(Line("import @in.tmx -o @out.map").code, 0);

  ASSERT_EQ(mkfifo(Path("fifo.tsx").c_str(), 0600), 0);
  std::filesystem::create_directory(Path("folder.tsx"));
  std::filesystem::create_symlink("loop.tsx", Path("loop.tsx"));
  WriteText(Path("self.tsx"), R"(<tileset source="self.tsx"/>)");
  WriteText(Path("map.tsx"), Tmx(""));
  const std::vector<std::pair<std::string, const char*>> cases = {
      {"fifo.tsx", "fifo.tsx cannot be read: it is a FIFO (named pipe), not a regular file."},
      {"folder.tsx", "folder.tsx cannot be read: it is a folder, not a file."},
      {"loop.tsx", "loop.tsx cannot be read: "},
      {"missing.tsx", "missing.tsx cannot be read: "},
      {"self.tsx", "self.tsx is refused: it names a tileset file (self.tsx)"},
      {"map.tsx", "map.tsx is refused: it holds no tileset."},
  };
  for (const auto& [source, reason] : cases) {
    map(source);
    // The map itself was read: its tileset is what it is refused for.
    const std::string said = ExpectRefused("import @in.tmx -o @out.map", 1, reason);
    EXPECT_EQ(said.find("cannot read "), std::string::npos) << said;
  }
}

}  // namespace
}  // namespace korvane::clitest
