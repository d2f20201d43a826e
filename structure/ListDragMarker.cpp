#include "structure/ListDragMarker.h"

#include <algorithm>

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CListCtrl.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

BOOL ListDragMarker::Begin(BOOL bTable, int nLength, COLORREF color)
{
    const int width = bTable ? std::max(8, nLength) : 15;
    const int height = bTable ? 6 : std::max(8, nLength);
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(255, 0, 0));
    {
        QPainter p(&image);
        p.setPen(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
        if (bTable) {
            p.drawLine(0, 2, width - 1, 2);
            p.drawLine(0, 3, width - 1, 3);
            p.drawLine(0, 0, 0, 5);
            p.drawLine(1, 1, 1, 4);
            p.drawLine(width - 1, 0, width - 1, 5);
            p.drawLine(width - 2, 1, width - 2, 4);
        } else {
            p.drawLine(7, 0, 7, height - 1);
            p.drawLine(8, 0, 8, height - 1);
            p.drawLine(4, 0, 11, 0);
            p.drawLine(5, 1, 10, 1);
            p.drawLine(4, height - 1, 11, height - 1);
            p.drawLine(5, height - 2, 10, height - 2);
        }
    }
    m_image.DeleteImageList();
    CBitmap bitmap;
    if (!m_image.Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 1) || !bitmap.CreateFromImage(image))
        return FALSE;
    m_image.Add(&bitmap, RGB(255, 0, 0));
    m_bDragging = m_image.BeginDrag(0, bTable ? CPoint(0, 2) : CPoint(0, 0));
    m_bShown = FALSE;
    return m_bDragging;
}

void ListDragMarker::Show(CListCtrl* pList, CPoint point)
{
    if (!m_bDragging)
        return;
    if (!m_bShown) {
        CImageList::DragEnter(pList, point);
        m_bShown = TRUE;
    } else {
        CImageList::DragMove(point);
    }
}

void ListDragMarker::Hide(CListCtrl* pList)
{
    if (m_bShown)
        CImageList::DragLeave(pList);
    m_bShown = FALSE;
}

void ListDragMarker::End(CListCtrl* pList)
{
    if (!m_bDragging)
        return;
    CImageList::DragLeave(pList);
    CImageList::EndDrag();
    m_bShown = FALSE;
    m_image.DeleteImageList();
    m_bDragging = FALSE;
}

CSize ListDragMarker::AutoScrollStep(CListCtrl* pList, CPoint cursor, int nTop)
{
    CRect client;
    pList->GetClientRect(&client);
    client.top = std::max<LONG>(client.top, nTop);
    CRect first;
    const int step = pList->GetItemCount() > 0 && pList->GetItemRect(0, &first, LVIR_BOUNDS) ? first.Height() : 16;
    CSize scroll(0, 0);
    int minPos = 0;
    int maxPos = 0;
    pList->GetScrollRange(SB_VERT, &minPos, &maxPos);
    const int pos = pList->GetScrollPos(SB_VERT);
    // Rows out of sight above or below count as room to scroll where the bar tells nothing.
    const int top = pList->GetTopIndex();
    const BOOL bUp = (maxPos > minPos && pos > minPos) || top > 0;
    const BOOL bDown = (maxPos > minPos && pos < maxPos) || top + pList->GetCountPerPage() < pList->GetItemCount();
    if (cursor.y < client.top + 20 && bUp)
        scroll.cy = -step;
    else if (cursor.y > client.bottom - 20 && bDown)
        scroll.cy = step;
    pList->GetScrollRange(SB_HORZ, &minPos, &maxPos);
    if (maxPos > minPos) {
        const int pos = pList->GetScrollPos(SB_HORZ);
        if (cursor.x < client.left + 20 && pos > minPos)
            scroll.cx = -step;
        else if (cursor.x > client.right - 20 && pos < maxPos)
            scroll.cx = step;
    }
    return scroll;
}
