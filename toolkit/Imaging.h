#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Picture.h"
#include "toolkit/PixelCopy.h"
#include "toolkit/RgbImage.h"

namespace korvane::toolkit {

// A surface of its own pixels, with no window: a picture drawn to be written out. It measures and
// draws exactly as a picture box of the screen's resolution does, in the map display's font.
class ImageSurface : public Surface {
 public:
  // Makes the surface width x height pixels, every one the background colour; false, leaving it
  // empty, when there is not enough memory.
  virtual bool Resize(int32_t width, int32_t height) = 0;
  // The pixels, 0xffRRGGBB, row by row; valid until the next Resize.
  virtual PixelRows<uint32_t> Pixels() = 0;
};

// Pictures without windows: reading, drawing and encoding them, for korvane-cli.
class Imaging {
 public:
  virtual ~Imaging() = default;
  // Decodes a picture file as the editor's picture loader does; null, with the reason in `why`,
  // when it cannot be read or is not a picture.
  virtual PicturePtr LoadPicture(const std::string& path, std::string& why) = 0;
  // Wraps pixels made by the program (the built-in sample sheet).
  virtual PicturePtr PictureFromImage(const RgbImage& image) = 0;
  // The pixels of a picture made by this backend (0xffRRGGBB), or only its size in pixels when
  // the backend does not keep them (`bits` is then null).
  virtual PixelRows<const uint32_t> PicturePixels(const Picture& picture) = 0;
  // An empty surface (0 x 0 pixels) on the screen's measures.
  virtual std::unique_ptr<ImageSurface> CreateImageSurface() = 0;
  // The pixels as the bytes of a PNG file; nullopt when encoding fails.
  virtual std::optional<std::vector<uint8_t>> EncodePng(
      const PixelRows<const uint32_t>& pixels) = 0;
};

}  // namespace korvane::toolkit
