#pragma once
// Reads an SXF drawing into a Draw2dDocument. The file is an exchange structure of ISO 10303-21 (read by
// Part21Reader); the feature-comment form carries each feature as a comment "/*SXF ... SXF*/" of the data
// section, whatever the file's extension. The instance form (data instances of the published schema
// without feature comments) is not read: it answers resultKindNotReadable.
//
// ReadFile answers the number of shapes read or a failure code: -1 the file cannot be read, -2 not an SXF
// file, -3 damaged, -4 beyond the limits, -5 the instance form, -100 cancelled through the progress
// callback. A failure fills the detail text ("line 12: ')' expected in #56") and empties the document again.

#include <string>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "libs/vevure/NotifyProgressInfo.h"

class Draw2dDocument;
class SXFSetting;

class SxfFileConverter
{
public:
    enum Result {
        resultUnreadable = -1, resultNotSxf = -2, resultDamaged = -3, resultBeyondLimits = -4,
        resultKindNotReadable = -5, resultCancelled = -100
    };
    static constexpr long long kMaxFileSize = 1LL << 31;
    static constexpr long kMaxShapes = 20000000;
    static constexpr long kMaxFigures = 1000000;
    static constexpr int kMaxNesting = 16;
    static constexpr long long kMaxPieces = 50000000;

    SxfFileConverter() = default;

    void SetNotifyProgressFunction(NotifyProgressFunction pfn, void* pUserData)
    {
        m_pfnProgress = pfn;
        m_pProgressUser = pUserData;
    }
    int ReadFile(LPCTSTR lpszPath, Draw2dDocument* pDocument, SXFSetting* pSetting, CString& strDetail);
    int ReadData(const char* pData, size_t nSize, Draw2dDocument* pDocument, SXFSetting* pSetting,
                 CString& strDetail);
    // Features that the data model cannot hold, left out by the last reading.
    int GetLeftOutCount() const { return m_nLeftOut; }

private:
    BOOL Progress(int nKind, int nPosition);

    NotifyProgressFunction m_pfnProgress = nullptr;
    void* m_pProgressUser = nullptr;
    int m_nLeftOut = 0;
};
