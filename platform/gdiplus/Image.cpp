#include "platform/gdiplus/Image.h"

#include <QtCore/QBuffer>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtGui/QImage>
#include <QtGui/QImageReader>
#include <QtGui/QTransform>

#include "platform/gdiplus/GdiplusApi.h"

namespace Gdiplus {

namespace {

// A file name as the system's code builds it, with backslashes taken as separators when
// the name as given does not exist.
QString FilePath(const WCHAR* filename) {
  QString path = QString::fromUtf16(filename);
  if (path.contains(QLatin1Char('\\')) && !QFileInfo::exists(path)) path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return path;
}

// Reads an image, refusing sizes that would need an unreasonable allocation.
QImage ReadImage(QImageReader& reader, Status& status) {
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > 32768 || size.height() > 32768 ||
                         static_cast<long long>(size.width()) * size.height() > (1LL << 28))) {
    status = OutOfMemory;
    return QImage();
  }
  QImage img = reader.read();
  if (img.isNull()) {
    status = reader.error() == QImageReader::FileNotFoundError ? FileNotFound
             : reader.error() == QImageReader::UnsupportedFormatError ? UnknownImageFormat
                                                                     : InvalidParameter;
  }
  return img;
}

}  // namespace

Image::Image() : m_native(std::make_unique<QImage>()) {}

Image::Image(const WCHAR* filename, BOOL) : Image() {
  if (!filename) {
    m_status = InvalidParameter;
    return;
  }
  QImageReader reader(FilePath(filename));
  QImage img = ReadImage(reader, m_status);
  if (!img.isNull()) Adopt(img, img.hasAlphaChannel() ? PixelFormat32bppARGB : PixelFormat24bppRGB, true);
}

Image::Image(const Image& other)
    : m_native(std::make_unique<QImage>(*other.m_native)),
      m_format(other.m_format),
      m_dpiX(other.m_dpiX),
      m_dpiY(other.m_dpiY),
      m_status(other.m_status) {}

Image::~Image() = default;

void Image::Adopt(const QImage& image, PixelFormat format, bool loaded) {
  *m_native = image.convertToFormat(QImage::Format_ARGB32);
  m_format = format;
  if (loaded && image.dotsPerMeterX() > 0) m_dpiX = REAL(image.dotsPerMeterX() * 0.0254);
  if (loaded && image.dotsPerMeterY() > 0) m_dpiY = REAL(image.dotsPerMeterY() * 0.0254);
  m_status = Ok;
}

Image* Image::FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement) {
  return new Image(filename, useEmbeddedColorManagement);
}

Image* Image::FromBytes(const void* data, size_t size) {
  auto* image = new Image();
  if (!data || size == 0 || size > (1u << 30)) {
    image->m_status = InvalidParameter;
    return image;
  }
  QByteArray bytes(static_cast<const char*>(data), qsizetype(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  QImage img = ReadImage(reader, image->m_status);
  if (!img.isNull()) image->Adopt(img, img.hasAlphaChannel() ? PixelFormat32bppARGB : PixelFormat24bppRGB, true);
  return image;
}

QImage& Image::Native() { return *m_native; }
const QImage& Image::Native() const { return *m_native; }

UINT Image::GetWidth() const { return UINT(std::max(0, m_native->width())); }
UINT Image::GetHeight() const { return UINT(std::max(0, m_native->height())); }

Status Image::GetPhysicalDimension(SizeF* size) const {
  if (!size) return m_status = InvalidParameter;
  *size = SizeF(REAL(GetWidth()), REAL(GetHeight()));
  return Ok;
}

Status Image::GetBounds(RectF* srcRect, Unit* srcUnit) const {
  if (!srcRect || !srcUnit) return m_status = InvalidParameter;
  *srcRect = RectF(0, 0, REAL(GetWidth()), REAL(GetHeight()));
  *srcUnit = UnitPixel;
  return Ok;
}

Status Image::RotateFlip(RotateFlipType type) {
  if (m_native->isNull()) return m_status = WrongState;
  const int rot = int(type) & 3;
  const bool flipX = (int(type) & 4) != 0;
  QImage img = *m_native;
  if (rot) img = img.transformed(QTransform().rotate(90.0 * rot));
  if (flipX) img = img.mirrored(true, false);
  *m_native = img.convertToFormat(QImage::Format_ARGB32);
  return Ok;
}

Image* Image::GetThumbnailImage(UINT thumbWidth, UINT thumbHeight, void*, void*) {
  auto* thumb = new Image();
  if (m_native->isNull() || thumbWidth > 4096 || thumbHeight > 4096) {
    thumb->m_status = InvalidParameter;
    return thumb;
  }
  if (thumbWidth == 0 || thumbHeight == 0) thumbWidth = thumbHeight = 120;
  thumb->Adopt(m_native->scaled(int(thumbWidth), int(thumbHeight), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
               m_format);
  return thumb;
}

Status Image::Save(std::vector<BYTE>& bytes, const CLSID* clsidEncoder, const EncoderParameters*) {
  const char* format = clsidEncoder ? EncoderFormat(*clsidEncoder) : nullptr;
  if (!format) return m_status = InvalidParameter;
  if (m_native->isNull()) return m_status = WrongState;
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  const QImage out = m_format & PixelFormatAlpha ? *m_native : m_native->convertToFormat(QImage::Format_RGB32);
  if (!out.save(&buffer, format)) return m_status = GenericError;
  bytes.assign(data.begin(), data.end());
  return Ok;
}

Status Image::Save(const WCHAR* filename, const CLSID* clsidEncoder, const EncoderParameters* params) {
  if (!filename) return m_status = InvalidParameter;
  std::vector<BYTE> bytes;
  if (Status s = Save(bytes, clsidEncoder, params); s != Ok) return s;
  QSaveFile file(QString::fromUtf16(filename));
  if (!file.open(QIODevice::WriteOnly)) return m_status = AccessDenied;
  if (file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()) ||
      !file.commit())
    return m_status = Win32Error;
  return Ok;
}

}  // namespace Gdiplus
