// Loads shapes from arbitrary bytes by their type codes, as a drawing's records arrive from a
// file or the clipboard. Every outcome must be a valid shape or a CArchiveException.

#include "platform/afx/afx.h"
#include "libs/vevure/Feature2dBase.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemFile file(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(data)), static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    try {
        for (int i = 0; i < 16; ++i)
            delete Feature2dBase::LoadFeature(ar);
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
