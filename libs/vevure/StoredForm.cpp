#include "libs/vevure/StoredForm.h"

#include <cstring>

#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CObject.h"

std::vector<BYTE> StoredForm::Bytes(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    const ULONGLONG n = file.GetLength();
    std::vector<BYTE> bytes(static_cast<size_t>(n));
    if (n != 0)
        std::memcpy(bytes.data(), file.GetBuffer(), static_cast<size_t>(n));
    return bytes;
}

std::vector<BYTE> StoredForm::Bytes(const CObject& object)
{
    // Serialize only reads the object while storing.
    return Bytes([&object](CArchive& ar) { const_cast<CObject&>(object).Serialize(ar); });
}

BOOL StoredForm::IsSame(const CObject* a, const CObject* b)
{
    if (a == nullptr || b == nullptr)
        return a == b ? TRUE : FALSE;
    if (a->GetRuntimeClass() != b->GetRuntimeClass())
        return FALSE;
    return Bytes(*a) == Bytes(*b) ? TRUE : FALSE;
}
