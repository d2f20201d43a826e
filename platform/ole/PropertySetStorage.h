#pragma once
// The property sets of a storage, each in a stream named after its format id: "\005SummaryInformation",
// "\005DocumentSummaryInformation" (which also holds the user-defined section) and "\005" followed by
// the format id in base 32 for other sets.

#include "platform/ole/OleTypes.h"

class CompoundStorage;
class PropertySection;

class PropertySetStorage
{
public:
    explicit PropertySetStorage(CompoundStorage* pStorage) : m_pStorage(pStorage) {}

    static CString GetStreamName(REFFMTID fmtid);

    // TRUE when the storage has the set (its stream, and in it the section of that format id); a damaged
    // stream counts as no set.
    BOOL Exists(REFFMTID fmtid) const;
    // Reads the set's section. FALSE, leaving section unchanged, when the set is not there; a damaged
    // stream throws CompoundFileException.
    BOOL Read(REFFMTID fmtid, PropertySection& section) const;
    // Creates or replaces the set of the section's format id. Its stream keeps its class id unless
    // pClassId is given; a document summary keeps its user-defined section and the other way round (an
    // empty document summary is put in front of a user-defined section that has none). A damaged stream
    // is written over. Throws CompoundFileException (STG_E_ACCESSDENIED) for a read-only storage.
    void Write(const PropertySection& section, const CLSID* pClassId = nullptr);
    // Removes the set (the document summary takes its user-defined section with it).
    HRESULT Delete(REFFMTID fmtid);

private:
    CompoundStorage* m_pStorage;
};
