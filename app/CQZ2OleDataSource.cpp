#include "app/CQZ2OleDataSource.h"

#include <cstring>

#include "app/CQZ2SrvrItem.h"
#include "commands/edit/ClipDocument.h"
#include "platform/afx/AfxGlobalMemory.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CQZ2OleDataSource, COleDataSource)

namespace {

HGLOBAL GlobalOf(const void* pData, size_t nSize)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, nSize);
    if (h != nullptr && nSize > 0) {
        std::memcpy(GlobalLock(h), pData, nSize);
        GlobalUnlock(h);
    }
    return h;
}

}  // namespace

CQZ2OleDataSource::CQZ2OleDataSource(CQZ2Doc* pDocument, std::shared_ptr<const QZ2Command::ClipDocument> pClip)
    : m_pDocument(pDocument), m_pClip(std::move(pClip))
{
}

CQZ2OleDataSource::~CQZ2OleDataSource() = default;

void CQZ2OleDataSource::FillDataSource()
{
    if (m_pClip == nullptr)
        return;
    // Pictures first, the native data last, as readers look for the first format they know.
    DelayRenderData(CF_ENHMETAFILE);
    DelayRenderData(CF_DIB);
    if (!CQZ2SrvrItem::GetTextData(*m_pClip).IsEmpty())
        DelayRenderData(CF_UNICODETEXT);
    if (const UINT native = QZ2Command::ClipDocument::GetNativeFormatA())
        DelayRenderData(static_cast<CLIPFORMAT>(native));
    // The second native format carries the same data, for readers that ask for it (Paste Special lists it).
    if (const UINT native = QZ2Command::ClipDocument::GetNativeFormatB())
        DelayRenderData(static_cast<CLIPFORMAT>(native));
}

BOOL CQZ2OleDataSource::OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal)
{
    // The clip is shared: it is there as long as this data is, whatever became of the document.
    if (lpFormatEtc == nullptr || phGlobal == nullptr || *phGlobal != nullptr || m_pClip == nullptr)
        return FALSE;
    const UINT format = lpFormatEtc->cfFormat;
    HGLOBAL h = nullptr;
    CByteArray bytes;
    if (format == QZ2Command::ClipDocument::GetNativeFormatA() || format == QZ2Command::ClipDocument::GetNativeFormatB()) {
        if (CQZ2SrvrItem::GetNativeData(*m_pClip, bytes))
            h = GlobalOf(bytes.GetData(), static_cast<size_t>(bytes.GetSize()));
    } else if (format == CF_ENHMETAFILE) {
        if (CQZ2SrvrItem::GetSvgData(*m_pClip, bytes))
            h = GlobalOf(bytes.GetData(), static_cast<size_t>(bytes.GetSize()));
    } else if (format == CF_DIB) {
        h = CQZ2SrvrItem::GetDibData(*m_pClip);
    } else if (format == CF_UNICODETEXT) {
        const CString text = CQZ2SrvrItem::GetTextData(*m_pClip);
        if (!text.IsEmpty())
            h = GlobalOf(text.GetString(), (static_cast<size_t>(text.GetLength()) + 1) * sizeof(TCHAR));
    }
    if (h == nullptr)
        return FALSE;
    ++m_nRendered;
    *phGlobal = h;
    return TRUE;
}
