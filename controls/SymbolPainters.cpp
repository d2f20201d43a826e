#include "controls/SymbolPainters.h"

#include <memory>

#include "controls/ControlsServices.h"
#include "platform/afx/CString.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/SolidBrush.h"
#include "platform/gdiplus/StringFormat.h"

using namespace Gdiplus;

namespace {

Color ColorOf(int sysColor)
{
    Color c;
    c.SetFromCOLORREF(GetSysColor(sysColor));
    return c;
}

struct RowColours {
    Color back, draw;
};

RowColours ColoursOf(BOOL bSelected, BOOL bDisabled)
{
    if (bSelected)
        return {ColorOf(COLOR_HIGHLIGHT), ColorOf(COLOR_HIGHLIGHTTEXT)};
    if (bDisabled)
        return {ColorOf(COLOR_BTNFACE), ColorOf(COLOR_GRAYTEXT)};
    return {ColorOf(COLOR_WINDOW), ColorOf(COLOR_WINDOWTEXT)};
}

std::unique_ptr<Font> RowFont(CDC* pDC, const LOGFONTW* pLogFont, UINT nFamilyString, float height)
{
    if (pLogFont != nullptr)
        return std::make_unique<Font>(pDC->GetSafeHdc(), pLogFont);
    const CString family = ControlsServices::LoadString(nFamilyString);
    return std::make_unique<Font>(static_cast<LPCTSTR>(family), 0.8f * height, FontStyleRegular, UnitPixel);
}

// Draws a text from x, as high as the row, vertically centred; returns its measured width.
float DrawRowText(Graphics& g, const CString& text, const Font* pFont, float x, const RECT& rect, const Brush* pBrush,
                  StringAlignment align)
{
    if (text.IsEmpty() || pFont == nullptr)
        return 0.0f;
    RectF bounds;
    g.MeasureString(static_cast<LPCTSTR>(text), text.GetLength(), pFont, PointF(0, 0), &bounds);
    StringFormat format;
    format.SetAlignment(align);
    format.SetLineAlignment(StringAlignmentCenter);
    const RectF layout(x, static_cast<REAL>(rect.top), bounds.Width, static_cast<REAL>(rect.bottom - rect.top));
    g.DrawString(static_cast<LPCTSTR>(text), text.GetLength(), pFont, layout, &format, pBrush);
    return bounds.Width;
}

}  // namespace

ArrowRowGeometry ComputeArrowRowGeometry(const RECT& rect, int nKind, float numberWidth)
{
    ArrowRowGeometry g;
    const float H = static_cast<float>(rect.bottom - rect.top);
    const float width = static_cast<float>(rect.right - rect.left);
    g.s = 0.8f * H;
    g.h = g.s / 2;
    g.yc = rect.top + H / 2;
    g.xT = rect.left + width - 3 - g.h;
    g.x0 = rect.left + (numberWidth > 0 ? 2 + numberWidth : 0) + 2;
    switch (nKind) {
    case 1: g.shaftEndX = g.xT - g.s; break;
    case 2:
    case 3:
    case 5: g.shaftEndX = g.xT - g.h; break;
    case 12:
    case 13: g.shaftEndX = g.xT - g.s; break;
    default: g.shaftEndX = g.xT; break;
    }
    return g;
}

ToleranceRowGeometry ComputeToleranceRowGeometry(const RECT& rect)
{
    ToleranceRowGeometry g;
    const float H = static_cast<float>(rect.bottom - rect.top);
    g.side = 0.8f * H;
    g.left = rect.left + 4.0f;
    g.top = rect.top + H / 10;
    g.nameLeft = rect.left + g.side + 8;
    return g;
}

void DrawArrowItem(CDC* pDC, const LOGFONTW* pLogFont, const RECT* pRect, int nKind, BOOL bSelected, BOOL bDisabled,
                   BOOL bShowNumber, BOOL bReserved, BOOL bFillBackground)
{
    (void)bReserved;
    if (pDC == nullptr || pRect == nullptr)
        return;
    Graphics g(pDC->GetSafeHdc());
    const RowColours colours = ColoursOf(bSelected, bDisabled);
    const float H = static_cast<float>(pRect->bottom - pRect->top);
    if (bFillBackground) {
        SolidBrush back(colours.back);
        g.FillRectangle(&back, static_cast<REAL>(pRect->left), static_cast<REAL>(pRect->top),
                        static_cast<REAL>(pRect->right - pRect->left), H);
    }
    SolidBrush brush(colours.draw);
    std::unique_ptr<Font> font = RowFont(pDC, pLogFont, 10396, H);
    if (nKind == 0) {
        DrawRowText(g, ControlsServices::LoadString(10397).Left(7), font.get(), pRect->left + 2.0f, *pRect, &brush,
                    StringAlignmentFar);
        return;
    }
    float numberWidth = 0;
    if (bShowNumber) {
        CString number;
        number.Format(u"%d:", nKind);
        numberWidth = DrawRowText(g, number, font.get(), pRect->left + 2.0f, *pRect, &brush, StringAlignmentNear);
    }
    const ArrowRowGeometry a = ComputeArrowRowGeometry(*pRect, nKind, numberWidth);
    g.SetSmoothingMode(SmoothingModeHighQuality);
    Pen pen(colours.draw, 0);
    g.DrawLine(&pen, a.x0, a.yc, a.shaftEndX, a.yc);
    const float s = a.s, h = a.h, xT = a.xT, yc = a.yc;
    const PointF triangle[] = {PointF(xT - s, yc - s / 3), PointF(xT, yc), PointF(xT - s, yc + s / 3)};
    const PointF reversed[] = {PointF(xT, yc - h), PointF(xT - s, yc), PointF(xT, yc + h)};
    switch (nKind) {
    case 1:
    case 11: g.DrawPolygon(&pen, triangle, 3); break;
    case 2: g.DrawRectangle(&pen, xT - h, yc - h, s, s); break;
    case 3:
    case 4: g.DrawEllipse(&pen, xT - h, yc - h, s, s); break;
    case 5: g.FillRectangle(&brush, xT - h, yc - h, s, s); break;
    case 6: g.FillPolygon(&brush, triangle, 3); break;
    case 7: g.FillEllipse(&brush, xT - h, yc - h, s, s); break;
    case 8:
        g.DrawArc(&pen, xT, yc - h, s, s, 180.0f, 90.0f);
        g.DrawArc(&pen, xT - s, yc - h, s, s, 0.0f, 90.0f);
        break;
    case 9: g.DrawLines(&pen, triangle, 3); break;
    case 10: g.DrawLine(&pen, xT + h, yc - h, xT - h, yc + h); break;
    case 12: g.FillPolygon(&brush, reversed, 3); break;
    case 13: g.DrawPolygon(&pen, reversed, 3); break;
    default: break;
    }
}

void DrawToleranceSymbolItem(CDC* pDC, const LOGFONTW* pLogFont, const RECT* pRect, int nKind, BOOL bSelected,
                             BOOL bDisabled, BOOL bReserved1, BOOL bReserved2, BOOL bFillBackground)
{
    (void)bReserved1;
    (void)bReserved2;
    if (pDC == nullptr || pRect == nullptr)
        return;
    Graphics g(pDC->GetSafeHdc());
    const RowColours colours = ColoursOf(bSelected, bDisabled);
    const float H = static_cast<float>(pRect->bottom - pRect->top);
    if (bFillBackground) {
        SolidBrush back(colours.back);
        g.FillRectangle(&back, static_cast<REAL>(pRect->left), static_cast<REAL>(pRect->top),
                        static_cast<REAL>(pRect->right - pRect->left), H);
    }
    SolidBrush brush(colours.draw);
    std::unique_ptr<Font> font = RowFont(pDC, pLogFont, 11519, H);
    const ToleranceRowGeometry t = ComputeToleranceRowGeometry(*pRect);
    if (nKind >= 0 && nKind <= 14) {
        CString name;
        name.Format(u"%s", static_cast<LPCTSTR>(ControlsServices::LoadString(11521 + nKind)));
        DrawRowText(g, name, font.get(), t.nameLeft, *pRect, &brush, StringAlignmentNear);
    }
    const float s = t.side, L = t.left, T = t.top, R = L + s, B = T + s, xc = L + s / 2, yc = T + s / 2;
    Pen pen(colours.draw, 0);
    switch (nKind) {
    case 1: g.DrawLine(&pen, L, yc, R, yc); break;
    case 2: {
        const PointF p[] = {PointF(L, B - 0.1f * s), PointF(L + 0.3f * s, T + 0.1f * s), PointF(R, T + 0.1f * s),
                            PointF(L + 0.7f * s, B - 0.1f * s)};
        g.DrawPolygon(&pen, p, 4);
        break;
    }
    case 3: g.DrawEllipse(&pen, L, T, s, s); break;
    case 4:
        g.DrawEllipse(&pen, xc - 0.2f * s, yc - 0.2f * s, 0.4f * s, 0.4f * s);
        g.DrawLine(&pen, L, B, xc, T);
        g.DrawLine(&pen, xc, B, R, T);
        break;
    case 5: g.DrawArc(&pen, L, T + 0.2f * s, s, s, 0.0f, -180.0f); break;
    case 6:
        g.DrawArc(&pen, L, T + 0.2f * s, s, s, 0.0f, -180.0f);
        g.DrawLine(&pen, L, T + 0.7f * s, R, T + 0.7f * s);
        break;
    case 7:
        g.DrawLine(&pen, L, B, xc, T);
        g.DrawLine(&pen, xc, B, R, T);
        break;
    case 8:
        g.DrawLine(&pen, L, B, R, B);
        g.DrawLine(&pen, xc, T, xc, B);
        break;
    case 9:
        g.DrawLine(&pen, L, B, R, B);
        g.DrawLine(&pen, L, B, R, T);
        break;
    case 10:
        g.DrawEllipse(&pen, xc - 0.3f * s, yc - 0.3f * s, 0.6f * s, 0.6f * s);
        g.DrawLine(&pen, L, yc, R, yc);
        g.DrawLine(&pen, xc, T, xc, B);
        break;
    case 11:
        g.DrawEllipse(&pen, xc - 0.3f * s, yc - 0.3f * s, 0.6f * s, 0.6f * s);
        g.DrawEllipse(&pen, L, T, s, s);
        break;
    case 12:
        g.DrawLine(&pen, L, yc, R, yc);
        g.DrawLine(&pen, L + 0.2f * s, T + 0.2f * s, L + 0.8f * s, T + 0.2f * s);
        g.DrawLine(&pen, L + 0.2f * s, B - 0.2f * s, L + 0.8f * s, B - 0.2f * s);
        break;
    case 13: {
        Pen arrow(colours.draw, 0);
        arrow.SetEndCap(LineCapArrowAnchor);
        g.DrawLine(&arrow, L + 0.2f * s, B, L + 0.8f * s, T);
        break;
    }
    case 14: {
        g.DrawLine(&pen, xc, B, L, B);
        Pen arrow(colours.draw, 0);
        arrow.SetEndCap(LineCapArrowAnchor);
        g.DrawLine(&arrow, L, B, xc, T);
        g.DrawLine(&arrow, xc, B, R, T);
        break;
    }
    default: break;
    }
}
