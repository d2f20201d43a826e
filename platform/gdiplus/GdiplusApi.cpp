#include "platform/gdiplus/GdiplusApi.h"

#include <atomic>
#include <cstring>

namespace Gdiplus {

namespace {

struct Codec {
  CLSID clsid;
  const char* format;
  const char16_t* name;
  const char16_t* extension;
  const char16_t* mime;
};

// Identifiers of our own for the encoders.
const Codec kCodecs[] = {
    {{0x6b6f7201, 0x1a00, 0x11d3, {0x9a, 0x73, 0, 0, 0, 0, 0, 1}}, "PNG", u"PNG", u"*.PNG", u"image/png"},
    {{0x6b6f7202, 0x1a00, 0x11d3, {0x9a, 0x73, 0, 0, 0, 0, 0, 2}}, "BMP", u"BMP", u"*.BMP;*.DIB", u"image/bmp"},
    {{0x6b6f7203, 0x1a00, 0x11d3, {0x9a, 0x73, 0, 0, 0, 0, 0, 3}}, "JPEG", u"JPEG", u"*.JPG;*.JPEG", u"image/jpeg"},
};

std::atomic<ULONG_PTR> g_tokens{0};

}  // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
  if (!token || !input) return InvalidParameter;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  *token = ++g_tokens;
  if (output) *output = GdiplusStartupOutput();
  return Ok;
}

void GdiplusShutdown(ULONG_PTR) {}

Status GetImageEncodersSize(UINT* numEncoders, UINT* size) {
  if (!numEncoders || !size) return InvalidParameter;
  *numEncoders = UINT(std::size(kCodecs));
  *size = UINT(sizeof(ImageCodecInfo) * std::size(kCodecs));
  return Ok;
}

Status GetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders) {
  if (!encoders || numEncoders < std::size(kCodecs) || size < sizeof(ImageCodecInfo) * std::size(kCodecs))
    return InvalidParameter;
  for (size_t i = 0; i < std::size(kCodecs); ++i) {
    ImageCodecInfo info{};
    info.Clsid = kCodecs[i].clsid;
    info.FormatID = kCodecs[i].clsid;
    info.CodecName = kCodecs[i].name;
    info.FormatDescription = kCodecs[i].name;
    info.FilenameExtension = kCodecs[i].extension;
    info.MimeType = kCodecs[i].mime;
    info.Version = 1;
    encoders[i] = info;
  }
  return Ok;
}

const char* EncoderFormat(const CLSID& clsid) {
  for (const Codec& c : kCodecs)
    if (c.clsid == clsid) return c.format;
  return nullptr;
}

}  // namespace Gdiplus
