#include "formats/TmjExport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "toolkit/ForeignText.h"
#include "toolkit/Types.h"

namespace korvane {

int64_t GlobalTileId(int16_t tile, int32_t tileCount) {
  return tile >= 0 && tile < tileCount ? int64_t{tile} + 1 : 0;
}

std::string CatalogueName(const std::string& text) {
  size_t digits = 0;
  while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
  if (digits > 0 && text.compare(digits, 2, ": ") == 0) return text.substr(digits + 2);
  return text;
}

void ForEachOverlayObject(const TmjExport& in,
                          const std::function<void(const OverlayObject&)>& visit) {
  for (const auto& [x, y, value] : in.map->OverlayData.Entries()) {
    if (value <= 0) continue;  // below 0 is an empty cell
    OverlayObject object{x, y, value, "", 1, 1};
    if (in.catalogue && static_cast<size_t>(value) <= in.catalogue->size()) {
      const CatalogueEntry& entry = (*in.catalogue)[static_cast<size_t>(value) - 1];
      // Both exported formats are UTF-8 throughout; a name from another code page is converted.
      object.name = toolkit::AsUtf8(CatalogueName(entry.text));
      // A size the catalogue window could not have made still covers one cell.
      object.cellsX = std::max<int32_t>(1, entry.packedSize / 128);
      object.cellsY = std::max<int32_t>(1, entry.packedSize % 128);
    }
    visit(object);
  }
}

std::string TiledBackground() {
  const toolkit::Color& c = toolkit::kButtonTextColor;
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

namespace {

void IntProperty(JsonWriter& out, const char* name, int64_t value) {
  out.BeginObject();
  out.Key("name").String(name);
  out.Key("type").String("int");
  out.Key("value").Int(value);
  out.EndObject();
}

void WriteTileLayer(JsonWriter& out, const MapDocument& map, int32_t tileCount,
                    const ProgressFn& progress) {
  const int32_t w = map.MapWidth;
  const int32_t h = map.MapHeight;
  out.BeginObject();
  out.Key("data").BeginArray(true);
  for (int32_t y = 0; y < h; ++y) {
    out.LineBreak();
    for (int32_t x = 0; x < w; ++x) out.Int(GlobalTileId(map.MapTiles.At(x, y), tileCount));
    if (progress && (y % 64 == 63 || y == h - 1)) progress(y + 1, h);
  }
  out.EndArray();
  out.Key("height").Int(h);
  out.Key("id").Int(1);
  out.Key("name").String("Tiles");
  out.Key("opacity").Int(1);
  out.Key("type").String("tilelayer");
  out.Key("visible").Bool(true);
  out.Key("width").Int(w);
  out.Key("x").Int(0);
  out.Key("y").Int(0);
  out.EndObject();
}

// One object per overlay cell that holds an object, in the order of the tile layer.
int64_t WriteOverlayLayer(JsonWriter& out, const TmjExport& in) {
  const int32_t tile = in.sheet.settings.tileSize;
  int64_t objects = 0;
  out.BeginObject();
  out.Key("draworder").String("topdown");
  out.Key("id").Int(2);
  out.Key("name").String("Overlay");
  out.Key("objects").BeginArray();
  ForEachOverlayObject(in, [&](const OverlayObject& o) {
    const auto& [x, y, value, name, cellsX, cellsY] = o;
    out.BeginObject();
    out.Key("height").Int(int64_t{cellsY} * tile);
    out.Key("id").Int(++objects);
    out.Key("name").String(name);
    out.Key("properties").BeginArray();
    IntProperty(out, kOverlayIdProperty, value);
    out.EndArray();
    out.Key("rotation").Int(0);
    out.Key("type").String("");
    out.Key("visible").Bool(true);
    out.Key("width").Int(int64_t{cellsX} * tile);
    out.Key("x").Int(int64_t{x} * tile);
    out.Key("y").Int(int64_t{y} * tile);
    out.EndObject();
  });
  out.EndArray();
  out.Key("opacity").Int(1);
  out.Key("type").String("objectgroup");
  out.Key("visible").Bool(true);
  out.Key("x").Int(0);
  out.Key("y").Int(0);
  out.EndObject();
  return objects;
}

void Tileset(JsonWriter& out, const TmjExport& in) {
  const SheetLayout& s = in.sheet;
  out.BeginObject();
  out.Key("columns").Int(s.columns);
  out.Key("firstgid").Int(1);
  out.Key("image").String(toolkit::AsUtf8(in.imagePath));
  out.Key("imageheight").Int(s.imageHeight);
  out.Key("imagewidth").Int(s.imageWidth);
  out.Key("margin").Int(s.settings.offset);
  out.Key("name").String(toolkit::AsUtf8(in.tilesetName));
  out.Key("spacing").Int(s.settings.spacing);
  out.Key("tilecount").Int(s.tileCount);
  out.Key("tileheight").Int(s.settings.tileSize);
  out.Key("tilewidth").Int(s.settings.tileSize);
  out.EndObject();
}

}  // namespace

bool WriteTmj(const TmjExport& in, const JsonWriter::Sink& sink, const ProgressFn& progress) {
  const MapDocument& map = *in.map;
  JsonWriter out(sink);
  out.BeginObject();
  out.Key("backgroundcolor").String(TiledBackground());
  out.Key("compressionlevel").Int(-1);
  out.Key("height").Int(map.MapHeight);
  out.Key("infinite").Bool(false);
  out.Key("layers").BeginArray();
  WriteTileLayer(out, map, in.sheet.tileCount, progress);
  const int64_t objects = WriteOverlayLayer(out, in);
  out.EndArray();
  out.Key("nextlayerid").Int(3);
  out.Key("nextobjectid").Int(objects + 1);
  out.Key("orientation").String("orthogonal");
  out.Key("properties").BeginArray();
  IntProperty(out, kComputerResourcesProperty, map.ComputerResources);
  IntProperty(out, kHumanResourcesProperty, map.HumanResources);
  out.EndArray();
  out.Key("renderorder").String("right-down");
  out.Key("tileheight").Int(in.sheet.settings.tileSize);
  out.Key("tilesets").BeginArray();
  Tileset(out, in);
  out.EndArray();
  out.Key("tilewidth").Int(in.sheet.settings.tileSize);
  out.Key("type").String("map");
  out.Key("version").String("1.10");
  out.Key("width").Int(map.MapWidth);
  out.EndObject();
  return out.Finish();
}

}  // namespace korvane
