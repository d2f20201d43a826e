#include "app/QZ2NativeFile.h"

#include <new>

#include "app/CQZ2Doc.h"
#include "app/QZ2Thumbnail.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CException.h"
#include "platform/ole/CompoundFile.h"

const TCHAR QZ2NativeFile::kDocumentStreamName[] = u"QZ2Document";
const TCHAR QZ2NativeFile::kThumbnailStreamName[] = u"QZ2Thumbnail";


BOOL QZ2NativeFile::BuildThumbnail(const Draw2dDocument* pDocument, CByteArray& bytes)
{
    return QZ2Thumbnail::Build(const_cast<Draw2dDocument*>(pDocument), bytes);
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
