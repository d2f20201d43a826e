#pragma once
// A brush tiling an image.

#include <memory>

#include "platform/gdiplus/Brush.h"

class QImage;

namespace Gdiplus {

class Image;

class TextureBrush : public Brush {
public:
  explicit TextureBrush(const Image* image, WrapMode wrapMode = WrapModeTile);
  TextureBrush(const TextureBrush& other);
  ~TextureBrush() override;
  Brush* Clone() const override { return new TextureBrush(*this); }
  WrapMode GetWrapMode() const { return m_wrap; }
  Status SetWrapMode(WrapMode wrapMode) { m_wrap = wrapMode; return Ok; }
  QBrush ToQBrush(const QTransform& worldToDevice) const override;

private:
  std::unique_ptr<QImage> m_image;
  WrapMode m_wrap;
};

}  // namespace Gdiplus
