#include "app/cli/QtServices.h"

#include <QBuffer>
#include <QImageWriter>

#include "app/cli/DiffPicture.h"
#include "app/cli/MapRenderer.h"
#include "app/cli/Overview.h"
#include "model/SampleSheet.h"
#include "toolkit/qt/QtPictureFile.h"

namespace korvane::cli {

std::optional<std::vector<uint8_t>> EncodePng(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) return std::nullopt;
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

namespace {

// Decoded as the editor's picture loader decodes a sheet.
std::variant<std::pair<int32_t, int32_t>, std::string> PictureSize(const std::string& path) {
  std::string why;
  const QImage image = qt::DecodePictureFile(path, why);
  if (image.isNull()) return why;
  return std::pair<int32_t, int32_t>(image.width(), image.height());
}

QImage SampleSheetImage() {
  const toolkit::RgbImage sheet = MakeSampleSheet();
  QImage image(sheet.width, sheet.height, QImage::Format_RGB32);
  for (int32_t y = 0; y < sheet.height; ++y)
    for (int32_t x = 0; x < sheet.width; ++x) {
      const toolkit::Color c = sheet.At(x, y);
      image.setPixel(x, y, qRgb(c.r, c.g, c.b));
    }
  return image;
}

std::optional<std::vector<uint8_t>> SamplePng() {
  return EncodePng(SampleSheetImage());
}

RenderOutcome Encoded(std::variant<QImage, std::string> drawn) {
  if (auto* refusal = std::get_if<std::string>(&drawn)) return std::move(*refusal);
  auto png = EncodePng(std::get<QImage>(drawn));
  if (!png) return std::string("The image could not be encoded as PNG.");
  return std::move(*png);
}

RenderOutcome Render(const MapDocument& map, const RenderRequest& request,
                     const ProgressFn& progress) {
  return Encoded(RenderMapImage(map, request, progress));
}

RenderOutcome DiffPicture(const MapDocument& before, const MapDocument& after,
                          const DiffPictureRequest& request, const ProgressFn& progress) {
  return Encoded(DrawDiffPicture(before, after, request, progress));
}

RenderOutcome Overview(const MapDocument& map, const RenderRequest& request, int32_t cellPixels,
                       const ProgressFn& progress) {
  std::string why;
  const QImage sheet = request.sheetPath.empty() ? SampleSheetImage()
                                                 : qt::DecodePictureFile(request.sheetPath, why);
  if (sheet.isNull()) return "cannot read the tile sheet " + request.sheetPath + ": " + why + ".";
  auto layout = LayOutSheet(sheet.width(), sheet.height(), request.sheet);
  if (auto* refusal = std::get_if<std::string>(&layout)) return std::move(*refusal);
  return Encoded(DrawOverview(map, sheet, std::get<SheetLayout>(layout), cellPixels, progress));
}

}  // namespace

CliServices MakeQtServices() {
  return CliServices{PictureSize, SamplePng, Render, DiffPicture, Overview};
}

}  // namespace korvane::cli
