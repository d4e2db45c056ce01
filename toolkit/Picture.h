#pragma once

#include <cstdint>
#include <memory>

namespace korvane::toolkit {

// A decoded image. Pictures are shared: the tile-sheet dialog's preview and the editor's
// applied sheet refer to the same object.
class Picture {
 public:
  virtual ~Picture() = default;
  // Size in HIMETRIC (0.01 mm), as the picture loader reports it; an empty picture has width 0.
  virtual int32_t WidthHimetric() const = 0;
  virtual int32_t HeightHimetric() const = 0;
};

using PicturePtr = std::shared_ptr<const Picture>;

}  // namespace korvane::toolkit
