#include "platform/ole/PropertySetStorage.h"

#include "platform/afx/CByteArray.h"
#include "platform/ole/CompoundFileException.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/PropertySection.h"
#include "platform/ole/PropertySet.h"

CString PropertySetStorage::GetStreamName(REFFMTID fmtid)
{
    if (fmtid == FMTID_SummaryInformation)
        return CString(_T("\005SummaryInformation"));
    if (fmtid == FMTID_DocSummaryInformation || fmtid == FMTID_UserDefinedProperties)
        return CString(_T("\005DocumentSummaryInformation"));
    // 128 bits, five at a time from the lowest bit of the first byte, in a 32-letter alphabet.
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz012345";
    BYTE bytes[16];
    GuidToBytes(fmtid, bytes);
    CString name(_T("\005"));
    for (int bit = 0; bit < 128; bit += 5) {
        unsigned value = 0;
        for (int k = 0; k < 5 && bit + k < 128; ++k)
            value |= ((bytes[(bit + k) / 8] >> ((bit + k) % 8)) & 1u) << k;
        name += static_cast<TCHAR>(kAlphabet[value]);
    }
    return name;
}

namespace {

// The set stored in the stream; FALSE when there is no such stream.
BOOL LoadSet(const CompoundStorage* pStorage, const CString& streamName, PropertySet& set)
{
    if (pStorage == nullptr)
        return FALSE;
    CByteArray data;
    if (FAILED(pStorage->ReadStream(streamName, data)))
        return FALSE;
    set.Read(data.GetData(), static_cast<SIZE_T>(data.GetSize()), streamName);
    return TRUE;
}

}  // namespace

BOOL PropertySetStorage::Exists(REFFMTID fmtid) const
{
    PropertySet set;
    try {
        if (!LoadSet(m_pStorage, GetStreamName(fmtid), set))
            return FALSE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return set.FindSection(fmtid) != nullptr ? TRUE : FALSE;
}

BOOL PropertySetStorage::Read(REFFMTID fmtid, PropertySection& section) const
{
    PropertySet set;
    if (!LoadSet(m_pStorage, GetStreamName(fmtid), set))
        return FALSE;
    const PropertySection* found = set.FindSection(fmtid);
    if (found == nullptr)
        return FALSE;
    section = *found;
    return TRUE;
}

void PropertySetStorage::Write(const PropertySection& section, const CLSID* pClassId)
{
    const CString streamName = GetStreamName(section.GetFormatId());
    if (m_pStorage == nullptr || m_pStorage->IsReadOnly())
        AfxThrowCompoundFileException(STG_E_ACCESSDENIED, streamName, _T("the storage is read-only"));
    PropertySet set;
    try {
        LoadSet(m_pStorage, streamName, set);
    } catch (CException* e) {
        // A damaged set is written over.
        e->Delete();
        set = PropertySet();
    }
    if (pClassId != nullptr)
        set.SetClassId(*pClassId);
    if (section.GetFormatId() == FMTID_UserDefinedProperties) {
        if (set.FindSection(FMTID_DocSummaryInformation) == nullptr)
            set.SetSection(PropertySection(FMTID_DocSummaryInformation, section.GetCodePage()), 0);
        set.SetSection(section);
    } else {
        set.SetSection(section, section.GetFormatId() == FMTID_DocSummaryInformation ? 0 : -1);
    }
    CByteArray data;
    set.Write(data);
    const HRESULT hr = m_pStorage->WriteStream(streamName, data.GetData(), static_cast<SIZE_T>(data.GetSize()));
    if (FAILED(hr))
        AfxThrowCompoundFileException(hr, streamName, nullptr);
}

HRESULT PropertySetStorage::Delete(REFFMTID fmtid)
{
    if (m_pStorage == nullptr)
        return E_POINTER;
    const CString streamName = GetStreamName(fmtid);
    if (fmtid != FMTID_UserDefinedProperties)
        return m_pStorage->DestroyElement(streamName);
    if (m_pStorage->IsReadOnly())
        return STG_E_ACCESSDENIED;
    PropertySet set;
    try {
        if (!LoadSet(m_pStorage, streamName, set))
            return STG_E_FILENOTFOUND;
    } catch (CException* e) {
        e->Delete();
        return STG_E_DOCFILECORRUPT;
    }
    if (!set.RemoveSection(fmtid))
        return STG_E_FILENOTFOUND;
    CByteArray data;
    set.Write(data);
    return m_pStorage->WriteStream(streamName, data.GetData(), static_cast<SIZE_T>(data.GetSize()));
}
