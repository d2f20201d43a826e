#pragma once
// An image held in memory (32 bits per pixel with alpha), loaded from BMP, PNG, JPEG, TIFF
// or GIF files or bytes, and saved as PNG, BMP or JPEG.

#include <memory>
#include <vector>

#include "platform/gdiplus/GdiplusTypes.h"

class QImage;

namespace Gdiplus {

class Image {
public:
  explicit Image(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);
  Image(const Image& other);
  Image& operator=(const Image&) = delete;
  virtual ~Image();

  static Image* FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);
  // An image from the bytes of an image file (what a stream would deliver); null on failure.
  static Image* FromBytes(const void* data, size_t size);
  virtual Image* Clone() const { return new Image(*this); }

  UINT GetWidth() const;
  UINT GetHeight() const;
  Status GetPhysicalDimension(SizeF* size) const;
  Status GetBounds(RectF* srcRect, Unit* srcUnit) const;
  PixelFormat GetPixelFormat() const { return m_format; }
  ImageType GetType() const { return m_native ? ImageTypeBitmap : ImageTypeUnknown; }
  REAL GetHorizontalResolution() const { return m_dpiX; }
  REAL GetVerticalResolution() const { return m_dpiY; }
  Status RotateFlip(RotateFlipType rotateFlipType);
  Image* GetThumbnailImage(UINT thumbWidth, UINT thumbHeight, void* callback = nullptr, void* callbackData = nullptr);
  // Encoders come from GetImageEncoders; the file is written whole or not at all.
  Status Save(const WCHAR* filename, const CLSID* clsidEncoder, const EncoderParameters* encoderParams = nullptr);
  Status Save(std::vector<BYTE>& bytes, const CLSID* clsidEncoder, const EncoderParameters* encoderParams = nullptr);
  Status GetLastStatus() const { return m_status; }

  QImage& Native();
  const QImage& Native() const;

protected:
  Image();
  // Takes an image in with its pixel format; a loaded file's resolution is kept.
  void Adopt(const QImage& image, PixelFormat format, bool loaded = false);
  std::unique_ptr<QImage> m_native;
  PixelFormat m_format = PixelFormatUndefined;
  REAL m_dpiX = 96, m_dpiY = 96;
  mutable Status m_status = Ok;
};

}  // namespace Gdiplus
