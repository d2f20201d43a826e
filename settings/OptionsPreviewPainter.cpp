#include "settings/OptionsPreviewPainter.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinSystem.h"
#include "settings/SettingsDialogSupport.h"

namespace {

constexpr UINT kToolTipText = 10384;

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void Square(CDC* pDC, int x, int y, int n)
{
    const POINT pts[5] = {{x - n, y - n}, {x + n, y - n}, {x + n, y + n}, {x - n, y + n}, {x - n, y - n}};
    pDC->Polyline(pts, 5);
}

}  // namespace

void DrawCursorPreview(CDC* pDC, const CRect& rc, const CursorPreview& preview)
{
    if (pDC == nullptr)
        return;
    pDC->FillSolidRect(&rc, preview.paper);
    const int x = (rc.left + rc.right) / 2;
    const int y = (rc.top + rc.bottom) / 2;
    const int n = preview.nBoxSize;
    CPen pen(PS_SOLID, 1, preview.cursor);
    CPen* pOld = pDC->SelectObject(&pen);
    Line(pDC, x - n - 10, y, x + n + 10 + 1, y);
    Line(pDC, x, y - n - 10, x, y + n + 10 + 1);
    if (preview.bBoxVisible)
        Square(pDC, x, y, n);
    pDC->SelectObject(pOld);
}

CPoint SnapPreviewCursor(int w, int h)
{
    if (w <= 20)
        return CPoint(35, h);
    return CPoint(35, static_cast<int>(h + (20.0 - h) / (w - 20.0) * 35.0));
}

void DrawSnapPreview(CDC* pDC, const CRect& rc, const SnapPreview& preview)
{
    if (pDC == nullptr)
        return;
    const int w = rc.Width(), h = rc.Height();
    const int ox = rc.left, oy = rc.top;
    pDC->FillSolidRect(&rc, preview.cursor.paper);
    {
        CPen sample(PS_SOLID, 2, RGB(0, 0, 0));
        CPen* pOld = pDC->SelectObject(&sample);
        Line(pDC, ox, oy + h, ox + w - 20, oy + 20);
        pDC->SelectObject(pOld);
    }
    const CPoint c = SnapPreviewCursor(w, h);
    const int x = ox + c.x, y = oy + c.y;
    const int n = preview.cursor.nBoxSize;
    {
        CPen pen(PS_SOLID, 1, preview.cursor.cursor);
        CPen* pOld = pDC->SelectObject(&pen);
        Line(pDC, x - n - 10, y, x - n, y);
        Line(pDC, x + n + 10, y, x + n, y);
        Line(pDC, x, y - n - 10, x, y - n);
        Line(pDC, x, y + n + 10, x, y + n);
        if (preview.cursor.bBoxVisible)
            Square(pDC, x, y, n);
        pDC->SelectObject(pOld);
    }
    if (preview.bMarkerVisible) {
        CPen pen(PS_SOLID, 2, preview.marker);
        CPen* pOld = pDC->SelectObject(&pen);
        Square(pDC, ox + w - 20, oy + 20, preview.nMarkerSize);
        pDC->SelectObject(pOld);
    }
    if (preview.bToolTipVisible) {
        CString text = LoadSettingsString(kToolTipText).Left(19);
        NONCLIENTMETRICS metrics{};
        metrics.cbSize = sizeof(metrics);
        CFont font;
        CFont* pOldFont = nullptr;
        if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
            font.CreateFontIndirect(&metrics.lfStatusFont))
            pOldFont = pDC->SelectObject(&font);
        const CSize size = pDC->GetTextExtent(text, text.GetLength());
        CRect box(x + n + 2, y - n - size.cy - 2, x + n + 2 + size.cx + 6, y - n - 2);
        pDC->FillSolidRect(&box, GetSysColor(COLOR_INFOBK));
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* pOld = pDC->SelectObject(&pen);
        const POINT outline[5] = {{box.left, box.top}, {box.right - 1, box.top}, {box.right - 1, box.bottom - 1},
                                  {box.left, box.bottom - 1}, {box.left, box.top}};
        pDC->Polyline(outline, 5);
        pDC->SelectObject(pOld);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(GetSysColor(COLOR_INFOTEXT));
        pDC->DrawText(text, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (pOldFont != nullptr)
            pDC->SelectObject(pOldFont);
    }
}
