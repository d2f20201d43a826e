#include "app/CQZ2MenuBar.h"

#include "platform/bcg/BCGPConstants.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_SERIAL(CQZ2MenuBar, CBCGPMenuBar, VERSIONABLE_SCHEMA | 1)

CQZ2MenuBar::CQZ2MenuBar() = default;
CQZ2MenuBar::~CQZ2MenuBar() = default;

BOOL CQZ2MenuBar::OnDrop(COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT CQZ2MenuBar::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    m_iDragIndex = -1;
    m_bDropSource = FALSE;
    return OnDragOver(pDataObject, dwKeyState, point);
}

void CQZ2MenuBar::OnDragLeave()
{
    if (!m_rectDrag.IsRectEmpty() && GetSafeHwnd() != nullptr) {
        CRect rect(m_rectDrag);
        rect.InflateRect(2, 2);
        InvalidateRect(&rect);
        UpdateWindow();
    }
    m_rectDrag.SetRectEmpty();
    m_iDragIndex = -1;
    m_bDropSource = FALSE;
}

DROPEFFECT CQZ2MenuBar::OnDragOver(COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

int CQZ2MenuBar::FindDropIndex(const CPoint, CRect& rectDrag) const
{
    rectDrag.SetRectEmpty();
    return -1;
}

void CQZ2MenuBar::OnContextMenuAt(int iButton, CPoint ptScreen)
{
    if (IsCustomizeMode())
        return;
    CBCGPMenuBar::OnContextMenuAt(iButton, ptScreen);
}
