// Turns arbitrary bytes into a bitmap as clipboard data from other programs arrives: every
// header field, palette size and bit count comes from the input.

#include "platform/gdi/GdiApi.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    HBITMAP bitmap = CreateBitmapFromPackedDib(data, size);
    if (bitmap)
        DeleteObject(bitmap);
    return 0;
}
