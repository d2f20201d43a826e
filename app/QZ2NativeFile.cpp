#include "app/QZ2NativeFile.h"

#include <new>

#include "app/CQZ2Doc.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CException.h"
#include "platform/ole/CompoundFile.h"

const TCHAR QZ2NativeFile::kDocumentStreamName[] = u"QZ2Document";
const TCHAR QZ2NativeFile::kThumbnailStreamName[] = u"QZ2Thumbnail";

namespace {

void Put16(CByteArray& out, WORD value)
{
    out.Add(static_cast<BYTE>(value & 0xFF));
    out.Add(static_cast<BYTE>(value >> 8));
}

void Put32(CByteArray& out, DWORD value)
{
    Put16(out, static_cast<WORD>(value & 0xFFFF));
    Put16(out, static_cast<WORD>(value >> 16));
}

}  // namespace

BOOL QZ2NativeFile::BuildThumbnail(const Draw2dDocument* pDocument, CByteArray& bytes)
{
    if (pDocument == nullptr)
        return FALSE;
    // A blank picture: an empty placeable-free metafile (header and end record) of 256 x 256.
    CByteArray metafile;
    Put16(metafile, 1);       // in memory
    Put16(metafile, 9);       // header size in words
    Put16(metafile, 0x0300);  // version
    Put32(metafile, 9 + 3);   // file size in words
    Put16(metafile, 0);       // objects
    Put32(metafile, 3);       // largest record in words
    Put16(metafile, 0);       // unused
    Put32(metafile, 3);       // end record: size in words
    Put16(metafile, 0);       // function 0

    bytes.RemoveAll();
    Put32(bytes, static_cast<DWORD>(metafile.GetSize() + 16));
    Put32(bytes, 0xFFFFFFFF);
    Put32(bytes, 3);  // CF_METAFILEPICT
    Put16(bytes, 1);  // MM_TEXT
    Put16(bytes, 256);
    Put16(bytes, 256);
    Put16(bytes, 0);
    bytes.Append(metafile);
    return TRUE;
}

BOOL QZ2NativeFile::LoadFromMemory(const BYTE* lpData, SIZE_T nCount, CString* pstrError)
{
    CQZ2Doc* pDoc = nullptr;
    BOOL bResult = FALSE;
    try {
        pDoc = new CQZ2Doc;
        pDoc->m_bAutoDelete = FALSE;
        CompoundFile file;
        file.OpenFromMemory(lpData, nCount, TRUE, u"memory");
        pDoc->LoadFromStorage(file.GetRootStorage(), FALSE);
        bResult = TRUE;
    } catch (CException* e) {
        if (pstrError != nullptr) {
            TCHAR buf[512] = {0};
            e->GetErrorMessage(buf, 512);
            *pstrError = buf;
            if (pstrError->IsEmpty())
                *pstrError = u"unreadable";
        }
        e->Delete();
    } catch (const std::bad_alloc&) {
        if (pstrError != nullptr)
            *pstrError = u"out of memory";
    }
    delete pDoc;
    return bResult;
}

extern "C" int QZ2NativeFileFuzzOne(const unsigned char* data, size_t size)
{
    QZ2NativeFile::LoadFromMemory(data, size);
    return 0;
}
