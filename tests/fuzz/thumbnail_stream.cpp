// Reads arbitrary bytes as the picture stream of a drawing file, as the file dialog and the
// thumbnailer read other programs' files: every size, record length and bitmap field comes from
// the input.

#include <QtGui/QImage>

#include <cstdint>

#include "app/QZ2Thumbnail.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QImage image;
    QZ2Thumbnail::Read(data, size, image);
    return 0;
}
