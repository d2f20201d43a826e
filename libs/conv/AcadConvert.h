#pragma once
// Reads a DXF file (and, through an outside converter, a DWG file) into a Draw2dDocument.
//
// ReadFile answers the number of shapes read (0 or more) or a failure code: -1 the file cannot be read,
// -2 not a DXF, -3 damaged, -4 beyond the limits, -5 the DWG reader is not installed, -6 the DWG reader
// failed, -100 cancelled through the progress callback. After a failure the document is emptied again
// (InitDocument), so nothing half-read remains.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "libs/vevure/NotifyProgressInfo.h"

class ACadConvSetting;
class Draw2dDocument;

class AcadConvert
{
public:
    enum Result {
        resultUnreadable = -1, resultNotDxf = -2, resultDamaged = -3, resultBeyondLimits = -4,
        resultDwgReaderMissing = -5, resultDwgReaderFailed = -6, resultCancelled = -100
    };
    // Files above this size are refused (-4) before they are read.
    static constexpr long long kMaxFileSize = 1LL << 31;

    AcadConvert() = default;

    void SetNotifyProgressFunction(NotifyProgressFunction pfn, void* pUserData)
    {
        m_pfnProgress = pfn;
        m_pProgressUser = pUserData;
    }
    int ReadFile(LPCTSTR lpszPath, Draw2dDocument* pDocument, ACadConvSetting* pSetting);
    // The same from bytes in memory; the name gives the block-name prefix.
    int ReadDxfData(const char* pData, size_t nSize, const CString& strTitle, Draw2dDocument* pDocument,
                    ACadConvSetting* pSetting);
    // Objects that the data model cannot hold, left out by the last reading.
    int GetLeftOutCount() const { return m_nLeftOut; }

private:
    // FALSE when the callback asks to stop.
    BOOL Progress(int nKind, int nPosition);

    NotifyProgressFunction m_pfnProgress = nullptr;
    void* m_pProgressUser = nullptr;
    int m_nLeftOut = 0;
    // The folder of the file being read (ReadFile), where relative image paths start.
    CString m_strFolder;
};
