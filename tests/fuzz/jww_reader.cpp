// Reads arbitrary bytes as a JWW file. Every outcome must be a document or a failure code that leaves the
// document empty; nothing may read or write outside its memory or allocate without bound.

#include "libs/conv/JWConvert.h"
#include "libs/vevure/Draw2dDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Draw2dDocument document;
    document.InitDocument();
    JWConvert convert;
    CString message;
    const int result = convert.ReadJWWData(data, size, &document, message);
    if (result < 0 && document.GetFeatureCount() != 0)
        std::abort();  // a failure must not leave shapes behind
    return 0;
}
