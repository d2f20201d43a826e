// Reads arbitrary bytes as a DXF file (text or binary). Every outcome must be a document or a failure
// code that leaves the document empty; nothing may read or write outside its memory or allocate without
// bound.

#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/AcadConvert.h"
#include "libs/vevure/Draw2dDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Draw2dDocument document;
    document.InitDocument();
    ACadConvSetting setting;
    AcadConvert convert;
    const int result = convert.ReadDxfData(reinterpret_cast<const char*>(data), size, "fuzz", &document, &setting);
    if (result < 0 && document.GetFeatureCount() != 0)
        std::abort();  // a failure must not leave shapes behind
    return 0;
}
