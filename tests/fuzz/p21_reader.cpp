// Reads arbitrary bytes as an SXF file (an ISO 10303-21 exchange structure, feature comments or instances).
// Every outcome must be a document or a failure code with its detail that leaves the document empty.

#include "libs/conv/SXFSetting.h"
#include "libs/conv/SxfFileConverter.h"
#include "libs/vevure/Draw2dDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Draw2dDocument document;
    document.InitDocument();
    SXFSetting setting;
    SxfFileConverter convert;
    CString detail;
    const int result = convert.ReadData(reinterpret_cast<const char*>(data), size, &document, &setting, detail);
    if (result < 0 && document.GetFeatureCount() != 0)
        std::abort();
    if (result < 0 && result != SxfFileConverter::resultCancelled && result != SxfFileConverter::resultKindNotReadable &&
        detail.IsEmpty())
        std::abort();  // a damaged file names its line
    return 0;
}
