#pragma once
// Reads data offered by the clipboard or, in this program, straight from a data source.
//
// Attached to the clipboard it reads what is there at each call (global memory; CF_BITMAP as a
// bitmap) in the content aspect with index -1. Data handed out belongs to the caller: free a
// global block with GlobalFree, a medium with ReleaseStgMedium, and delete the file of
// GetFileData (which frees its memory).

#include "platform/ole/OleDataTypes.h"

class CFile;
class COleDataSource;

class COleDataObject
{
public:
    COleDataObject();
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // FALSE when no clipboard can be read (no GUI application).
    BOOL AttachClipboard();
    // Reads from the data source; with bAutoRelease the data object deletes it on Release
    // (unless the clipboard owns it by then).
    void Attach(COleDataSource* pDataSource, BOOL bAutoRelease = TRUE);
    COleDataSource* Detach();
    void Release();
    BOOL IsAttached() const { return m_bClipboard || m_pSource != nullptr; }

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // A memory file over a copy of the data, positioned at its start; null when absent.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

private:
    // The format asked for: the caller's, or the content aspect, index -1, in the given mediums.
    static FORMATETC Asked(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed);
    void ListClipboardFormats();

    COleDataSource* m_pSource;
    BOOL m_bAutoRelease;
    BOOL m_bClipboard;
    FORMATETC* m_pFormats;  // the enumeration's list
    int m_nFormats;
    int m_nNextFormat;
};
