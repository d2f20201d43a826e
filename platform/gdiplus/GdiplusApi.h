#pragma once
// Start-up and shut-down of the GDI+ layer and the list of image encoders.

#include "platform/gdiplus/GdiplusTypes.h"

namespace Gdiplus {

// Nothing needs starting; the token only pairs the calls.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);

// The encoders Bitmap::Save understands: PNG, BMP and JPEG.
Status GetImageEncodersSize(UINT* numEncoders, UINT* size);
Status GetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders);
// The file format (as Qt names it: "PNG", "BMP", "JPEG") of an encoder, or null.
const char* EncoderFormat(const CLSID& clsid);

}  // namespace Gdiplus
