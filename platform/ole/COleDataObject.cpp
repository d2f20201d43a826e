#include "platform/ole/COleDataObject.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>

#include <vector>

#include "platform/afx/CException.h"
#include "platform/afx/CSharedFile.h"
#include "platform/ole/COleDataSource.h"
#include "platform/win/WinClipboard.h"
#include "platform/win/WinInput.h"

namespace {

// The mediums a clipboard format comes in.
DWORD ClipboardMediums(UINT cf)
{
    return cf == CF_BITMAP ? DWORD(TYMED_GDI) : DWORD(TYMED_HGLOBAL);
}

// A format the clipboard can answer: content aspect, all pages, no device, a medium it carries.
bool ClipboardCanServe(const FORMATETC& f)
{
    return f.dwAspect == DVASPECT_CONTENT && f.lindex == -1 && f.ptd == nullptr &&
           (f.tymed & ClipboardMediums(f.cfFormat)) != 0;
}

}  // namespace

COleDataObject::COleDataObject()
    : m_pSource(nullptr), m_bAutoRelease(FALSE), m_bClipboard(FALSE), m_pFormats(nullptr), m_nFormats(0),
      m_nNextFormat(0)
{
}

COleDataObject::~COleDataObject()
{
    Release();
}

BOOL COleDataObject::AttachClipboard()
{
    Release();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return FALSE;
    m_bClipboard = TRUE;
    return TRUE;
}

void COleDataObject::Attach(COleDataSource* pDataSource, BOOL bAutoRelease)
{
    Release();
    m_pSource = pDataSource;
    m_bAutoRelease = bAutoRelease;
}

COleDataSource* COleDataObject::Detach()
{
    COleDataSource* p = m_pSource;
    m_pSource = nullptr;
    m_bAutoRelease = FALSE;
    m_bClipboard = FALSE;
    delete[] m_pFormats;
    m_pFormats = nullptr;
    m_nFormats = m_nNextFormat = 0;
    return p;
}

void COleDataObject::Release()
{
    const BOOL bDelete = m_bAutoRelease;
    COleDataSource* p = Detach();
    // A source the clipboard owns is the clipboard's to delete.
    if (bDelete && p != nullptr && COleDataSource::GetClipboardOwner() != p)
        delete p;
}

FORMATETC COleDataObject::Asked(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    if (lpFormatEtc != nullptr) {
        FORMATETC f = *lpFormatEtc;
        f.cfFormat = cfFormat;
        return f;
    }
    return FORMATETC{cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_pSource != nullptr) {
        const FORMATETC f = Asked(cfFormat, lpFormatEtc, ~DWORD(0));
        return m_pSource->QueryGetData(&f);
    }
    if (!m_bClipboard)
        return FALSE;
    const FORMATETC f = Asked(cfFormat, lpFormatEtc, ClipboardMediums(cfFormat));
    return ClipboardCanServe(f) && ::IsClipboardFormatAvailable(cfFormat) ? TRUE : FALSE;
}

void COleDataObject::ListClipboardFormats()
{
    std::vector<FORMATETC> list;
    if (m_pSource != nullptr) {
        FORMATETC f{};
        for (int i = 0; m_pSource->GetFormat(i, &f); ++i)
            list.push_back(f);
    } else if (m_bClipboard) {
        for (UINT cf = ::EnumClipboardFormats(0); cf != 0 && list.size() < 0x4000; cf = ::EnumClipboardFormats(cf))
            list.push_back(FORMATETC{static_cast<CLIPFORMAT>(cf), nullptr, DVASPECT_CONTENT, -1, ClipboardMediums(cf)});
    }
    delete[] m_pFormats;
    m_pFormats = nullptr;
    m_nFormats = static_cast<int>(list.size());
    if (m_nFormats > 0) {
        m_pFormats = new FORMATETC[list.size()];
        for (size_t i = 0; i < list.size(); ++i)
            m_pFormats[i] = list[i];
    }
}

void COleDataObject::BeginEnumFormats()
{
    ListClipboardFormats();
    m_nNextFormat = 0;
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (lpFormatEtc == nullptr || m_nNextFormat >= m_nFormats)
        return FALSE;
    *lpFormatEtc = m_pFormats[m_nNextFormat++];
    return TRUE;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (lpStgMedium == nullptr)
        return FALSE;
    lpStgMedium->tymed = TYMED_NULL;
    lpStgMedium->hGlobal = nullptr;
    lpStgMedium->pUnkForRelease = nullptr;
    if (m_pSource != nullptr) {
        const FORMATETC f = Asked(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_GDI);
        return m_pSource->GetData(&f, lpStgMedium);
    }
    if (!m_bClipboard)
        return FALSE;
    const FORMATETC f = Asked(cfFormat, lpFormatEtc, ClipboardMediums(cfFormat));
    if (!ClipboardCanServe(f) || !::OpenClipboard(nullptr))
        return FALSE;
    // A failure of a rendering that another reader caused is not this reader's.
    if (CException* stale = COleDataSource::TakeRenderException())
        stale->Delete();
    // The clipboard's handles last until it is opened again: the caller gets copies.
    HANDLE h = ::GetClipboardData(cfFormat);
    BOOL ok = FALSE;
    if (h != nullptr && cfFormat == CF_BITMAP) {
        HANDLE copy = ::CopyImage(h, IMAGE_BITMAP, 0, 0, 0);
        if (copy != nullptr) {
            lpStgMedium->tymed = TYMED_GDI;
            lpStgMedium->hBitmap = static_cast<HBITMAP>(copy);
            ok = TRUE;
        }
    } else if (h != nullptr) {
        HGLOBAL copy = AfxCopyGlobalMemory(h);
        if (copy != nullptr) {
            lpStgMedium->tymed = TYMED_HGLOBAL;
            lpStgMedium->hGlobal = copy;
            ok = TRUE;
        }
    }
    ::CloseClipboard();
    if (CException* e = COleDataSource::TakeRenderException()) {
        ReleaseStgMedium(lpStgMedium);
        throw e;
    }
    return ok;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC f = Asked(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    f.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium{};
    if (!GetData(cfFormat, &medium, &f))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL) {
        ReleaseStgMedium(&medium);
        return nullptr;
    }
    return medium.hGlobal;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    HGLOBAL h = GetGlobalData(cfFormat, lpFormatEtc);
    if (h == nullptr)
        return nullptr;
    auto* pFile = new CSharedFile(GMEM_MOVEABLE | GMEM_SHARE);
    pFile->SetHandle(h, FALSE);
    return pFile;
}
