// Loads a drawing's data model from arbitrary bytes, as the "QZ2Document" stream of a native
// file brings it. Every outcome must be a complete document or a CArchiveException that leaves
// the document as it was.

#include "platform/afx/afx.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawViewInfo.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Draw2dDocument document;
    document.InitDocument();
    CMemFile file(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(data)), static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    DrawViewInfo viewInfo;
    CString message;
    try {
        document.LoadFromArchive(ar, viewInfo, message);
    } catch (CException* e) {
        e->Delete();
    }
    try {
        ar.Abort();
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
