#include "commands/edit/ClipDocument.h"

#include <cmath>
#include <cstring>
#include <new>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CException.h"
#include "platform/afx/CMemFile.h"
#include "platform/win/WinClipboard.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Paper2dFeature.h"

namespace QZ2Command {

ClipDocument::ClipDocument() : m_pModel(std::make_unique<Draw2dDocument>())
{
    m_pModel->InitDocument();
}

ClipDocument::~ClipDocument() = default;

namespace {
constexpr UINT kNativeFormatNameA = 10052;
constexpr UINT kNativeFormatNameB = 10041;

UINT RegisterNamed(UINT nStringId)
{
    const CString name = LoadResourceString(nStringId);
    return name.IsEmpty() ? 0 : RegisterClipboardFormat(name);
}
}  // namespace

UINT ClipDocument::GetNativeFormatA()
{
    return RegisterNamed(kNativeFormatNameA);
}

UINT ClipDocument::GetNativeFormatB()
{
    return RegisterNamed(kNativeFormatNameB);
}

long ClipDocument::GetFeatureCount() const
{
    return m_pModel->GetFeatureCount();
}

DrawingFeatureBase* ClipDocument::GetActiveViewDrawing() const
{
    const int active = m_viewInfo.GetActiveIndex();
    if (active >= 0 && active < m_viewInfo.GetViewInfoCount())
        if (DrawingFeatureBase* pDrawing = m_pModel->ChangeDrawingFeature(m_viewInfo.GetViewID(active)))
            return pDrawing;
    return m_pModel->GetPaperFeature(0);
}

int ClipDocument::GetActiveViewType() const
{
    const int active = m_viewInfo.GetActiveIndex();
    return active >= 0 && active < m_viewInfo.GetViewInfoCount() ? m_viewInfo.GetViewType(active) : 0;
}

BOOL ClipDocument::WriteNativeData(CByteArray& bytes) const
{
    bytes.RemoveAll();
    try {
        CMemFile file(4096);
        {
            CArchive ar(&file, CArchive::store, 4096);
            // The embedded-item count of the document stream: none.
            ar << static_cast<DWORD>(0);
            m_pModel->SaveToArchive(ar, m_viewInfo);
            ar << m_basePoint.X() << m_basePoint.Y();
            ar.Close();
        }
        const ULONGLONG length = file.GetLength();
        bytes.SetSize(static_cast<INT_PTR>(length));
        if (length > 0)
            std::memcpy(bytes.GetData(), file.GetBuffer(), static_cast<size_t>(length));
        return TRUE;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    bytes.RemoveAll();
    return FALSE;
}

ClipDocument* ClipDocument::ReadNativeData(const BYTE* pData, size_t nSize)
{
    if (pData == nullptr || nSize == 0 || nSize > 0x7FFFFFFF)
        return nullptr;
    auto clip = std::make_unique<ClipDocument>();
    try {
        CMemFile file(const_cast<BYTE*>(pData), static_cast<UINT>(nSize), 0);
        CArchive ar(&file, CArchive::load, 4096);
        DWORD dwItems = 0;
        ar >> dwItems;
        // Objects of other programs are never part of our copies.
        if (dwItems != 0)
            AfxThrowArchiveException(CArchiveException::badSchema);
        CString message;
        clip->m_pModel->LoadFromArchive(ar, clip->m_viewInfo, message);
        double x = 0.0, y = 0.0;
        ar >> x >> y;
        ar.Close();
        if (!std::isfinite(x) || !std::isfinite(y))
            return nullptr;
        clip->m_basePoint = RuVaPnt2d(x, y);
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (...) {
        return nullptr;
    }
    return clip.release();
}

}  // namespace QZ2Command
