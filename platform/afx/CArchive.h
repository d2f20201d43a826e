#pragma once
// A binary archive over a CFile: stores or loads scalars, strings and object graphs with class references,
// in little-endian byte order and the layout of the original archives.
//
// Loading is bounds-checked: reading past the end throws CArchiveException::endOfFile; a class or object
// reference out of range throws badIndex; an unknown class or one of the wrong kind throws badClass; a schema
// that the class cannot load throws badSchema. Lengths and counts are checked against what the file still
// holds before anything is allocated from them. An object whose Serialize throws while loading is deleted.

#include <cstring>

#include "platform/afx/AfxTypes.h"

class CFile;
class CObject;
class CString;
class CDocument;
struct CRuntimeClass;

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // nMode is store or load, optionally with bNoFlushOnDelete. lpBuf, when given, is used as the buffer
    // (nBufSize bytes, owned by the caller).
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded (read from its class reference), once: later calls give -1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read returns the number of bytes read, fewer only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Writes buffered bytes to the file (storing), or gives unread buffered bytes back to the file (loading).
    void Flush();
    // Flushes and detaches from the file (the file stays open).
    void Close();
    // Detaches from the file without flushing and without throwing.
    void Abort();

    // Lines of UTF-16 text without length prefix. ReadString(CString&) drops the line end and returns FALSE
    // at the end of the file; ReadString(LPTSTR, nMax) keeps the '\n' and returns NULL at the end.
    void WriteString(LPCTSTR lpsz);
    BOOL ReadString(CString& rString);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    // Object graphs: a pointer stored twice is loaded as one object.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteObject(const CObject* pOb);
    // Enters an object that is not itself stored (e.g. the document) so that references to it resolve.
    void MapObject(const CObject* pOb);
    void WriteClass(const CRuntimeClass* pClassRef);
    // Reads a class reference. With pObTag NULL a reference to an object throws badIndex; else the
    // object tag is returned there and the result is NULL.
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    // Stores or loads a class reference; after loading GetObjectSchema gives its schema.
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Element counts of collections (WORD, escalating to DWORD and QWORD). A loaded count larger than the
    // bytes the file still holds throws endOfFile (every element takes at least one byte).
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);
    // Throws CArchiveException::endOfFile unless nBytes more bytes can be read; callers check counts with
    // it before allocating (count * bytes per element).
    void EnsureReadable(ULONGLONG nBytes);

    // Throws a CArchiveException of that cause naming the archive's file.
    [[noreturn]] void ThrowArchiveException(int cause) const;

    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128) {}
    void SetLoadParams(UINT nGrowBy = 1024) {}

    // Strings in the archive's string layout (length prefix with the UTF-16 marker).
    void WriteStringData(const char16_t* p, size_t nLength);
    // Reads one string into out; ANSI strings are decoded as UTF-8, or Latin-1 when not valid UTF-8.
    void ReadStringData(CString& out);

    CArchive& operator<<(bool b) { BYTE by = b ? 1 : 0; return WriteRaw(by); }
    CArchive& operator<<(char ch) { return WriteRaw(ch); }
    CArchive& operator<<(BYTE by) { return WriteRaw(by); }
    CArchive& operator<<(char16_t ch) { return WriteRaw(ch); }
    CArchive& operator<<(short n) { return WriteRaw(n); }
    CArchive& operator<<(WORD w) { return WriteRaw(w); }
    CArchive& operator<<(int n) { return WriteRaw(n); }  // also LONG
    CArchive& operator<<(UINT u) { return WriteRaw(u); }  // also DWORD
    CArchive& operator<<(long n) { return WriteRaw(n); }
    CArchive& operator<<(unsigned long u) { return WriteRaw(u); }
    CArchive& operator<<(long long n) { return WriteRaw(n); }
    CArchive& operator<<(unsigned long long u) { return WriteRaw(u); }
    CArchive& operator<<(float f) { return WriteRaw(f); }
    CArchive& operator<<(double d) { return WriteRaw(d); }
    CArchive& operator<<(LPCTSTR lpsz);  // as a CString
    CArchive& operator<<(const char*) = delete;
    CArchive& operator<<(const void*) = delete;  // catches pointers that would turn into bool

    CArchive& operator>>(bool& b);
    CArchive& operator>>(char& ch) { return ReadRaw(ch); }
    CArchive& operator>>(BYTE& by) { return ReadRaw(by); }
    CArchive& operator>>(char16_t& ch) { return ReadRaw(ch); }
    CArchive& operator>>(short& n) { return ReadRaw(n); }
    CArchive& operator>>(WORD& w) { return ReadRaw(w); }
    CArchive& operator>>(int& n) { return ReadRaw(n); }
    CArchive& operator>>(UINT& u) { return ReadRaw(u); }
    CArchive& operator>>(long& n) { return ReadRaw(n); }
    CArchive& operator>>(unsigned long& u) { return ReadRaw(u); }
    CArchive& operator>>(long long& n) { return ReadRaw(n); }
    CArchive& operator>>(unsigned long long& u) { return ReadRaw(u); }
    CArchive& operator>>(float& f) { return ReadRaw(f); }
    CArchive& operator>>(double& d) { return ReadRaw(d); }

    CDocument* m_pDocument = nullptr;

    // Archive tags of object and class references.
    static constexpr WORD wNullTag = 0;
    static constexpr WORD wNewClassTag = 0xFFFF;
    static constexpr WORD wClassTag = 0x8000;
    static constexpr DWORD dwBigClassTag = 0x80000000;
    static constexpr WORD wBigObjectTag = 0x7FFF;
    static constexpr DWORD nMaxMapCount = 0x3FFFFFFE;

protected:
    template <typename T>
    CArchive& WriteRaw(const T& v)
    {
        if (m_lpBufMax - m_lpBufCur >= (std::ptrdiff_t)sizeof(T) && IsStoring()) {
            std::memcpy(m_lpBufCur, &v, sizeof(T));
            m_lpBufCur += sizeof(T);
        } else {
            WriteSlow(&v, sizeof(T));
        }
        return *this;
    }
    template <typename T>
    CArchive& ReadRaw(T& v)
    {
        if (m_lpBufMax - m_lpBufCur >= (std::ptrdiff_t)sizeof(T) && IsLoading()) {
            std::memcpy(&v, m_lpBufCur, sizeof(T));
            m_lpBufCur += sizeof(T);
        } else {
            ReadExact(&v, sizeof(T));
        }
        return *this;
    }
    void WriteSlow(const void* p, UINT n);
    // Reads exactly n bytes or throws endOfFile.
    void ReadExact(void* p, UINT n);
    void FillBuffer();


    struct Maps;

    CFile* m_pFile;
    UINT m_nMode;
    BOOL m_bUserBuf;
    UINT m_nBufSize;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;  // end of valid data (loading) or of the buffer (storing)
    UINT m_nObjectSchema;
    Maps* m_pMaps;
    ULONGLONG m_nFileLength;  // cached while loading; ~0 until known, ~1 when the file cannot tell
};

CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
CArchive& operator>>(CArchive& ar, const CObject*& pOb);
CArchive& operator<<(CArchive& ar, const CString& str);
CArchive& operator>>(CArchive& ar, CString& str);
