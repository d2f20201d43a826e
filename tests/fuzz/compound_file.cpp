// Opens a compound file from arbitrary bytes and reads everything in it: storages, streams and
// the property sets. Every outcome must be data or a clear exception.

#include "platform/afx/afx.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/OleTypes.h"
#include "platform/ole/PropertySection.h"
#include "platform/ole/PropertySetStorage.h"

#include <cstdint>

namespace {

void ReadAll(const CompoundStorage* storage, int depth)
{
    if (depth > 8)
        return;
    for (const STATSTG& element : storage->EnumElements()) {
        if (element.type == STGTY_STREAM) {
            CByteArray bytes;
            storage->ReadStream(element.strName, bytes);
        } else if (element.type == STGTY_STORAGE) {
            CompoundStorage* child = nullptr;
            if (storage->OpenStorage(element.strName, STGM_READ | STGM_SHARE_EXCLUSIVE, &child) == S_OK && child)
                ReadAll(child, depth + 1);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        CompoundFile file;
        file.OpenFromMemory(reinterpret_cast<const BYTE*>(data), size, TRUE);
        ReadAll(file.GetRootStorage(), 0);
        PropertySetStorage sets(file.GetRootStorage());
        for (const FMTID* id : {&FMTID_SummaryInformation, &FMTID_DocSummaryInformation, &FMTID_UserDefinedProperties}) {
            PropertySection section;
            try {
                sets.Read(*id, section);
            } catch (CException* e) {
                e->Delete();
            }
        }
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
