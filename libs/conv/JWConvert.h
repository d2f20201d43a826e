#pragma once
// Reads drawings of the JW formats into a Draw2dDocument.
//
// JWW is read as its author's published description gives it (format versions up to kNewestVersion): an MFC
// archive that begins "JwwData.", the version, the settings, then the list of shapes and the list of block
// definitions, each an MFC object list whose class tags may name only the JW shape classes. Every count and
// length is checked against the bytes still in the file before anything is allocated. A JWS symbol file is
// read where it holds the same archive; each becomes one component named after the file. JWC and JWK have
// no published description that this reader follows: they answer resultKindNotReadable.
//
// The results: the number of shapes read, or -1 the file cannot be read, -2 not a file of this type (with a
// message of the reader's own for a newer format version), -3 damaged, -4 beyond the limits, -5 a kind of
// file this reader does not read, -100 cancelled through the progress callback. After a failure the
// document is emptied again (InitDocument).

#include <cstddef>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "libs/vevure/NotifyProgressInfo.h"

class CStringArray;
class Draw2dDocument;
class JWSetting;

class JWConvert
{
public:
    enum Result {
        resultUnreadable = -1, resultNotJw = -2, resultDamaged = -3, resultBeyondLimits = -4,
        resultKindNotReadable = -5, resultCancelled = -100
    };
    static constexpr DWORD kNewestVersion = 420;
    static constexpr long long kMaxFileSize = 1LL << 31;
    static constexpr long kMaxShapes = 20000000;
    static constexpr int kMaxNesting = 16;
    static constexpr long long kMaxPieces = 50000000;

    JWConvert() = default;

    void SetNotifyProgressFunction(NotifyProgressFunction pfn, void* pUserData)
    {
        m_pfnProgress = pfn;
        m_pProgressUser = pUserData;
    }
    int ReadJWCFile(LPCTSTR lpszPath, Draw2dDocument* pDocument, int nFlag);
    int ReadJWWFile(LPCTSTR lpszPath, Draw2dDocument* pDocument, CString& strMessage, int nFlag);
    // The same from bytes in memory.
    int ReadJWWData(const BYTE* pData, size_t nSize, Draw2dDocument* pDocument, CString& strMessage);
    int ReadJWSFile(LPCTSTR lpszFolder, const CStringArray& names, Draw2dDocument* pDocument, const JWSetting* pSetting);
    int ReadJWKFile(LPCTSTR lpszFolder, const CStringArray& names, Draw2dDocument* pDocument, const JWSetting* pSetting);

    // Shapes that the data model cannot hold, left out by the last reading.
    int GetLeftOutCount() const { return m_nLeftOut; }
    // The format version of the last JWW file read (0 before the version was read).
    DWORD GetFileVersion() const { return m_dwVersion; }

private:
    BOOL Progress(int nKind, int nPosition);
    // The file's bytes, or a failure code.
    static int ReadWholeFile(const CString& strPath, std::vector<BYTE>& data);

    NotifyProgressFunction m_pfnProgress = nullptr;
    void* m_pProgressUser = nullptr;
    int m_nLeftOut = 0;
    DWORD m_dwVersion = 0;
};
