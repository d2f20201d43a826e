#include "platform/afx/CArchive.h"

#include <bit>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include <QtCore/QStringDecoder>

#include "platform/afx/CArchiveException.h"
#include "platform/afx/CException.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CMemoryException.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

static_assert(std::endian::native == std::endian::little, "archives are little-endian");

namespace {

const UINT kMinBufSize = 128;
const ULONGLONG kLengthUnknown = ~0ull;
const ULONGLONG kLengthUnavailable = ~1ull;
// Strings are read in pieces of this many units, so a damaged length never allocates much on its own.
const size_t kStringChunk = 64 * 1024;

}  // namespace

struct CArchive::Maps
{
    // Storing: object or class address to its index (1-based; 0 is the null object).
    std::unordered_map<const void*, DWORD> store;
    // Loading: everything read so far, by index. Entry 0 is the null object.
    struct Entry
    {
        CObject* pObject = nullptr;
        const CRuntimeClass* pClass = nullptr;  // set for class entries
        UINT nSchema = 0;
    };
    std::vector<Entry> load;
    DWORD nMapCount = 1;
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile),
      m_nMode(nMode),
      m_bUserBuf(lpBuf != nullptr),
      m_nBufSize(nBufSize < (int)kMinBufSize ? kMinBufSize : (UINT)nBufSize),
      m_nObjectSchema((UINT)-1),
      m_pMaps(new Maps),
      m_nFileLength(kLengthUnknown)
{
    if (m_bUserBuf && nBufSize < (int)kMinBufSize) {
        // A caller's buffer too small to work with is replaced by our own.
        m_bUserBuf = FALSE;
        lpBuf = nullptr;
    }
    m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : static_cast<BYTE*>(std::malloc(m_nBufSize));
    if (m_lpBufStart == nullptr) {
        delete m_pMaps;
        AfxThrowMemoryException();
    }
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    m_pMaps->load.emplace_back();  // the null object
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    Abort();
    delete m_pMaps;
}

void CArchive::ThrowArchiveException(int cause) const
{
    CString name;
    if (m_pFile != nullptr)
        name = m_pFile->GetFilePath();
    AfxThrowArchiveException(cause, name);
}

UINT CArchive::GetObjectSchema()
{
    const UINT n = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return n;
}

void CArchive::FillBuffer()
{
    // Loading: keep nothing, read up to a full buffer.
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart;
    if (m_pFile == nullptr)
        return;
    const UINT n = m_pFile->Read(m_lpBufStart, m_nBufSize);
    m_lpBufMax = m_lpBufStart + n;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        ThrowArchiveException(CArchiveException::writeOnly);
    if (nMax == 0)
        return 0;
    if (m_lpBufStart == nullptr)
        return 0;  // closed
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT nRead = 0;
    while (nRead < nMax) {
        UINT avail = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        if (avail == 0) {
            if (m_pFile == nullptr)
                break;
            const UINT left = nMax - nRead;
            if (left >= m_nBufSize) {
                // Large reads bypass the buffer.
                const UINT n = m_pFile->Read(out + nRead, left);
                nRead += n;
                break;
            }
            FillBuffer();
            avail = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
            if (avail == 0)
                break;
        }
        const UINT n = std::min(avail, nMax - nRead);
        std::memcpy(out + nRead, m_lpBufCur, n);
        m_lpBufCur += n;
        nRead += n;
    }
    return nRead;
}

void CArchive::ReadExact(void* p, UINT n)
{
    if (Read(p, n) != n)
        ThrowArchiveException(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (!IsStoring())
        ThrowArchiveException(CArchiveException::readOnly);
    if (nMax == 0)
        return;
    if (m_lpBufStart == nullptr || m_pFile == nullptr)
        ThrowArchiveException(CArchiveException::genericException);  // closed
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        UINT room = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        if (room == 0) {
            Flush();
            room = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
            if (nMax >= m_nBufSize) {
                // Large writes bypass the buffer.
                if (m_pFile == nullptr)
                    ThrowArchiveException(CArchiveException::genericException);
                m_pFile->Write(in, nMax);
                return;
            }
        }
        const UINT n = std::min(room, nMax);
        std::memcpy(m_lpBufCur, in, n);
        m_lpBufCur += n;
        in += n;
        nMax -= n;
    }
}

void CArchive::WriteSlow(const void* p, UINT n)
{
    Write(p, n);
}

void CArchive::Flush()
{
    if (IsLoading()) {
        // Give the unread bytes back to the file so that it stands where the archive stopped.
        const LONGLONG unread = m_lpBufMax - m_lpBufCur;
        if (unread != 0 && m_pFile != nullptr)
            m_pFile->Seek(-unread, CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    } else {
        const UINT n = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
        m_lpBufCur = m_lpBufStart;
        if (n != 0) {
            if (m_pFile == nullptr)
                ThrowArchiveException(CArchiveException::genericException);
            m_pFile->Write(m_lpBufStart, n);
        }
    }
}

void CArchive::Close()
{
    if (m_pFile != nullptr)
        Flush();
    Abort();
}

void CArchive::Abort()
{
    if (!m_bUserBuf && m_lpBufStart != nullptr)
        std::free(m_lpBufStart);
    m_lpBufStart = m_lpBufCur = m_lpBufMax = nullptr;
    m_bUserBuf = FALSE;
    m_pFile = nullptr;
}

void CArchive::EnsureReadable(ULONGLONG nBytes)
{
    const ULONGLONG buffered = static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur);
    if (nBytes <= buffered)
        return;
    if (m_pFile == nullptr)
        ThrowArchiveException(CArchiveException::endOfFile);
    if (m_nFileLength == kLengthUnknown) {
        try {
            m_nFileLength = m_pFile->GetLength();
        } catch (CException* e) {
            e->Delete();
            m_nFileLength = kLengthUnavailable;
        }
    }
    if (m_nFileLength == kLengthUnavailable)
        return;  // the file cannot tell; reads still stop at its end
    ULONGLONG pos = 0;
    try {
        pos = m_pFile->GetPosition();
    } catch (CException* e) {
        e->Delete();
        return;
    }
    const ULONGLONG inFile = m_nFileLength > pos ? m_nFileLength - pos : 0;
    if (nBytes - buffered > inFile)
        ThrowArchiveException(CArchiveException::endOfFile);
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by = 0;
    ReadRaw(by);
    b = by != 0;
    return *this;
}

// Counts ----------------------------------------------------------------------------------------------

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (dwCount < 0xFFFFFFFF) {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF);
    *this << static_cast<ULONGLONG>(dwCount);
}

DWORD_PTR CArchive::ReadCount()
{
    DWORD_PTR count = 0;
    WORD w = 0;
    *this >> w;
    if (w != 0xFFFF) {
        count = w;
    } else {
        DWORD dw = 0;
        *this >> dw;
        if (dw != 0xFFFFFFFF) {
            count = dw;
        } else {
            ULONGLONG qw = 0;
            *this >> qw;
            count = qw;
        }
    }
    EnsureReadable(count);
    return count;
}

// Strings ---------------------------------------------------------------------------------------------

void CArchive::WriteStringData(const char16_t* p, size_t nLength)
{
    // The UTF-16 marker, then the length escalating from BYTE to WORD, DWORD and QWORD.
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
    if (nLength < 0xFF) {
        *this << static_cast<BYTE>(nLength);
    } else {
        *this << static_cast<BYTE>(0xFF);
        if (nLength < 0xFFFE) {
            *this << static_cast<WORD>(nLength);
        } else {
            *this << static_cast<WORD>(0xFFFF);
            if (nLength < 0xFFFFFFFF) {
                *this << static_cast<DWORD>(nLength);
            } else {
                *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(nLength);
            }
        }
    }
    // Written in pieces: Write takes a UINT count.
    const BYTE* bytes = reinterpret_cast<const BYTE*>(p);
    ULONGLONG left = static_cast<ULONGLONG>(nLength) * sizeof(char16_t);
    while (left > 0) {
        const UINT n = static_cast<UINT>(std::min<ULONGLONG>(left, 0x40000000));
        Write(bytes, n);
        bytes += n;
        left -= n;
    }
}

void CArchive::ReadStringData(CString& out)
{
    int nCharSize = 1;
    ULONGLONG nLength = 0;
    BYTE b = 0;
    *this >> b;
    if (b < 0xFF) {
        nLength = b;
    } else {
        WORD w = 0;
        *this >> w;
        if (w == 0xFFFE) {
            nCharSize = 2;
            *this >> b;
            if (b < 0xFF) {
                nLength = b;
                w = 0;
            } else {
                *this >> w;
            }
        }
        if (b == 0xFF) {
            if (w < 0xFFFF) {
                nLength = w;
            } else {
                DWORD dw = 0;
                *this >> dw;
                if (dw < 0xFFFFFFFF) {
                    nLength = dw;
                } else {
                    ULONGLONG qw = 0;
                    *this >> qw;
                    nLength = qw;
                }
            }
        }
    }
    if (nLength > (ULONGLONG)0x7FFFFFFF / (ULONGLONG)nCharSize)
        ThrowArchiveException(CArchiveException::endOfFile);  // beyond what any archive holds
    EnsureReadable(nLength * nCharSize);

    if (nCharSize == 2) {
        std::u16string text;
        size_t left = static_cast<size_t>(nLength);
        while (left > 0) {
            const size_t n = std::min(left, kStringChunk);
            const size_t old = text.size();
            text.resize(old + n);
            ReadExact(text.data() + old, static_cast<UINT>(n * sizeof(char16_t)));
            left -= n;
        }
        out = CString(std::move(text));
    } else {
        std::string bytes;
        size_t left = static_cast<size_t>(nLength);
        while (left > 0) {
            const size_t n = std::min(left, kStringChunk);
            const size_t old = bytes.size();
            bytes.resize(old + n);
            ReadExact(bytes.data() + old, static_cast<UINT>(n));
            left -= n;
        }
        // Narrow strings of older writers: UTF-8 when valid, else Latin-1.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString decoded = utf8(QByteArrayView(bytes.data(), (qsizetype)bytes.size()));
        if (utf8.hasError())
            decoded = QString::fromLatin1(bytes.data(), (qsizetype)bytes.size());
        out = CString::FromQString(decoded);
    }
}

CArchive& CArchive::operator<<(LPCTSTR lpsz)
{
    size_t n = 0;
    if (lpsz != nullptr) {
        while (lpsz[n] != 0)
            ++n;
    }
    WriteStringData(lpsz, n);
    return *this;
}

CArchive& operator<<(CArchive& ar, const CString& str)
{
    ar.WriteStringData(str.GetString(), static_cast<size_t>(str.GetLength()));
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& str)
{
    ar.ReadStringData(str);
    return ar;
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        return;
    size_t n = 0;
    while (lpsz[n] != 0)
        ++n;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(lpsz);
    size_t left = n * sizeof(char16_t);
    while (left > 0) {
        const UINT chunk = static_cast<UINT>(std::min<size_t>(left, 0x40000000));
        Write(bytes, chunk);
        bytes += chunk;
        left -= chunk;
    }
}

BOOL CArchive::ReadString(CString& rString)
{
    std::u16string line;
    bool any = false;
    char16_t ch = 0;
    while (Read(&ch, sizeof ch) == sizeof ch) {
        any = true;
        if (ch == u'\n')
            break;
        line.push_back(ch);
    }
    if (!line.empty() && line.back() == u'\r')
        line.pop_back();
    rString = CString(std::move(line));
    return any ? TRUE : FALSE;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        return nullptr;
    UINT n = 0;
    bool any = false;
    char16_t ch = 0;
    while (n + 1 < nMax && Read(&ch, sizeof ch) == sizeof ch) {
        any = true;
        if (ch == u'\n') {
            if (n > 0 && lpsz[n - 1] == u'\r')
                --n;
            lpsz[n++] = u'\n';
            break;
        }
        lpsz[n++] = ch;
    }
    lpsz[n] = 0;
    return any ? lpsz : nullptr;
}

// Objects ---------------------------------------------------------------------------------------------

void CArchive::MapObject(const CObject* pOb)
{
    if (pOb == nullptr)
        return;
    if (IsStoring()) {
        if (m_pMaps->store.find(pOb) == m_pMaps->store.end())
            m_pMaps->store.emplace(pOb, m_pMaps->nMapCount++);
    } else {
        Maps::Entry e;
        e.pObject = const_cast<CObject*>(pOb);
        m_pMaps->load.push_back(e);
        m_pMaps->nMapCount++;
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (!IsStoring())
        ThrowArchiveException(CArchiveException::readOnly);
    if (pClassRef == nullptr || pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();  // not a serialisable class
    auto it = m_pMaps->store.find(pClassRef);
    if (it != m_pMaps->store.end()) {
        const DWORD nClassIndex = it->second;
        if (nClassIndex < wBigObjectTag) {
            *this << static_cast<WORD>(wClassTag | nClassIndex);
        } else {
            *this << wBigObjectTag << static_cast<DWORD>(dwBigClassTag | nClassIndex);
        }
        return;
    }
    if (m_pMaps->nMapCount >= nMaxMapCount)
        ThrowArchiveException(CArchiveException::badIndex);
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_pMaps->store.emplace(pClassRef, m_pMaps->nMapCount++);
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (!IsStoring())
        ThrowArchiveException(CArchiveException::readOnly);
    if (pOb == nullptr) {
        *this << wNullTag;
        return;
    }
    auto it = m_pMaps->store.find(pOb);
    if (it != m_pMaps->store.end()) {
        const DWORD nObIndex = it->second;
        if (nObIndex < wBigObjectTag) {
            *this << static_cast<WORD>(nObIndex);
        } else {
            *this << wBigObjectTag << nObIndex;
        }
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    if (m_pMaps->nMapCount >= nMaxMapCount)
        ThrowArchiveException(CArchiveException::badIndex);
    m_pMaps->store.emplace(pOb, m_pMaps->nMapCount++);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (!IsLoading())
        ThrowArchiveException(CArchiveException::writeOnly);
    WORD wTag = 0;
    *this >> wTag;
    DWORD obTag = 0;
    if (wTag == wBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = ((static_cast<DWORD>(wTag) & wClassTag) << 16) | (wTag & ~wClassTag);
    }
    if (!(obTag & dwBigClassTag)) {
        // A reference to an object, not to a class.
        if (pObTag == nullptr)
            ThrowArchiveException(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }

    const CRuntimeClass* pClassRef = nullptr;
    UINT nSchema = 0;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == nullptr || pClassRef->m_wSchema == 0xFFFF)
            ThrowArchiveException(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema) {
            if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
                ThrowArchiveException(CArchiveException::badSchema);
        }
        if (m_pMaps->nMapCount >= nMaxMapCount)
            ThrowArchiveException(CArchiveException::badIndex);
        Maps::Entry e;
        e.pClass = pClassRef;
        e.nSchema = nSchema;
        m_pMaps->load.push_back(e);
        m_pMaps->nMapCount++;
    } else {
        const DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_pMaps->load.size() || m_pMaps->load[nClassIndex].pClass == nullptr)
            ThrowArchiveException(CArchiveException::badIndex);
        pClassRef = m_pMaps->load[nClassIndex].pClass;
        nSchema = m_pMaps->load[nClassIndex].nSchema;
    }
    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowArchiveException(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    return const_cast<CRuntimeClass*>(pClassRef);
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, &m_nObjectSchema);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    const CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == nullptr) {
        // A reference to an object read before (or the null object).
        if (obTag >= m_pMaps->load.size() || m_pMaps->load[obTag].pClass != nullptr)
            ThrowArchiveException(CArchiveException::badIndex);
        CObject* pOb = m_pMaps->load[obTag].pObject;
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            ThrowArchiveException(CArchiveException::badClass);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        ThrowArchiveException(CArchiveException::badClass);
    if (m_pMaps->nMapCount >= nMaxMapCount) {
        delete pOb;
        ThrowArchiveException(CArchiveException::badIndex);
    }
    const size_t index = m_pMaps->load.size();
    Maps::Entry e;
    e.pObject = pOb;
    m_pMaps->load.push_back(e);
    m_pMaps->nMapCount++;

    const UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // A half-loaded object is of no use to anyone: free it, and let later references fail.
        m_pMaps->load[index].pObject = nullptr;
        delete pOb;
        m_nObjectSchema = nSchemaSave;
        throw;
    }
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}
