#include "controls/SamplePainters.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <utility>

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "controls/ControlsServices.h"
#include "libs/vevure/ColorFeature.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeature.h"
#include "platform/afx/CString.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/SolidBrush.h"

namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

// The common frame of the three row painters: saved context, font, colours and background.
class RowScope
{
public:
    RowScope(CDC* pDC, CFont* pFont, const RECT& rect, BOOL bSelected, BOOL bDisabled, BOOL bFocused,
             BOOL bFillBackground)
        : m_pDC(pDC)
    {
        m_nSaved = pDC->SaveDC();
        if (pFont != nullptr)
            m_pOldFont = pDC->SelectObject(pFont);
        pDC->SetBkMode(TRANSPARENT);
        COLORREF back;
        if (bSelected && bFocused) {
            m_text = GetSysColor(COLOR_HIGHLIGHTTEXT);
            back = GetSysColor(COLOR_HIGHLIGHT);
        } else if (bSelected) {
            m_text = GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
            back = GetSysColor(COLOR_BTNFACE);
        } else if (bDisabled) {
            m_text = GetSysColor(COLOR_GRAYTEXT);
            back = GetSysColor(COLOR_BTNFACE);
        } else {
            m_text = GetSysColor(COLOR_WINDOWTEXT);
            back = GetSysColor(COLOR_WINDOW);
        }
        pDC->SetTextColor(m_text);
        if (bFillBackground) {
            pDC->SetBkColor(back);
            pDC->FillSolidRect(&rect, back);
        }
    }
    void End(const RECT& rect, BOOL bFocused, BOOL bDrawFocusRect)
    {
        if (bFocused && bDrawFocusRect)
            m_pDC->DrawFocusRect(&rect);
        if (m_pOldFont != nullptr)
            m_pDC->SelectObject(m_pOldFont);
        m_pDC->RestoreDC(m_nSaved);
    }
    COLORREF TextColor() const { return m_text; }

private:
    CDC* m_pDC;
    int m_nSaved = 0;
    CFont* m_pOldFont = nullptr;
    COLORREF m_text = 0;
};

// Row texts are few and repeat from paint to paint (numbers, colour names, widths): their widths and
// their pictures are kept per font, so that a list of 256 rows is not measured and laid out anew each
// time it is painted.
struct FontKey {
    std::u16string face;
    LONG height = 0;
    LONG width = 0;
    LONG weight = 0;
    BYTE italic = 0;
    BYTE underline = 0;
    BYTE strikeOut = 0;
    BYTE charSet = 0;
    bool operator==(const FontKey&) const = default;
};

bool CurrentFontKey(CDC* pDC, FontKey& key)
{
    // Only plain pixel mapping: a scaled context lays text out differently.
    if (pDC->GetMapMode() != MM_TEXT)
        return false;
    CFont* pFont = pDC->GetCurrentFont();
    LOGFONT lf{};
    if (pFont == nullptr || pFont->GetLogFont(&lf) == 0)
        return false;
    size_t len = 0;
    while (len < LF_FACESIZE && lf.lfFaceName[len] != 0)
        ++len;
    key.face.assign(lf.lfFaceName, len);
    key.height = lf.lfHeight;
    key.width = lf.lfWidth;
    key.weight = lf.lfWeight;
    key.italic = lf.lfItalic;
    key.underline = lf.lfUnderline;
    key.strikeOut = lf.lfStrikeOut;
    key.charSet = lf.lfCharSet;
    return true;
}

struct TextKey {
    FontKey font;
    std::u16string text;
    COLORREF color = 0;
    int width = 0;
    int height = 0;
    UINT format = 0;
    bool operator==(const TextKey&) const = default;
};

struct TextKeyHash {
    size_t operator()(const FontKey& k) const
    {
        size_t h = std::hash<std::u16string>()(k.face);
        for (LONG v : {k.height, k.width, k.weight, static_cast<LONG>(k.italic), static_cast<LONG>(k.charSet)})
            h = h * 31 + static_cast<size_t>(v);
        return h;
    }
    size_t operator()(const TextKey& k) const
    {
        size_t h = (*this)(k.font) * 131 + std::hash<std::u16string>()(k.text);
        for (size_t v : {static_cast<size_t>(k.color), static_cast<size_t>(k.width), static_cast<size_t>(k.height),
                         static_cast<size_t>(k.format)})
            h = h * 31 + v;
        return h;
    }
};

// Bounded: a long session with many fonts and colours does not grow them without end.
constexpr size_t kMaxCachedTexts = 4096;

struct WidthKeyHash {
    size_t operator()(const std::pair<FontKey, std::u16string>& k) const
    {
        return TextKeyHash()(k.first) * 131 + std::hash<std::u16string>()(k.second);
    }
};

int TextWidth(CDC* pDC, const CString& text)
{
    if (text.IsEmpty())
        return 0;
    static std::unordered_map<std::pair<FontKey, std::u16string>, int, WidthKeyHash> widths;
    FontKey font;
    if (!CurrentFontKey(pDC, font))
        return pDC->GetTextExtent(text).cx;
    std::pair<FontKey, std::u16string> key(std::move(font), std::u16string(static_cast<LPCTSTR>(text)));
    const auto it = widths.find(key);
    if (it != widths.end())
        return it->second;
    const int width = pDC->GetTextExtent(text).cx;
    if (widths.size() >= kMaxCachedTexts)
        widths.clear();
    widths.emplace(std::move(key), width);
    return width;
}

void DrawRowText(CDC* pDC, const CString& text, const CRect& rect, UINT extra = 0)
{
    if (text.IsEmpty() || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    const UINT format = kTextFormat | extra;
    TextKey key;
    QPainter* pPainter = pDC->GetQPainter();
    if (pPainter == nullptr || pDC->GetBkMode() != TRANSPARENT || rect.Width() > 4096 || rect.Height() > 1024 ||
        !CurrentFontKey(pDC, key.font)) {
        CRect r(rect);
        pDC->DrawText(text, &r, format);
        return;
    }
    key.text = static_cast<LPCTSTR>(text);
    key.color = pDC->GetTextColor();
    key.width = rect.Width();
    key.height = rect.Height();
    key.format = format;
    static std::unordered_map<TextKey, QImage, TextKeyHash> pictures;
    auto it = pictures.find(key);
    if (it == pictures.end()) {
        // The text laid out and drawn once, as the context itself would draw it, over transparency.
        QImage picture(key.width, key.height, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        CDC memory;
        memory.CreateFromPaintDevice(&picture);
        CFont* pOld = memory.SelectObject(pDC->GetCurrentFont());
        memory.SetBkMode(TRANSPARENT);
        memory.SetTextColor(key.color);
        CRect r(0, 0, key.width, key.height);
        memory.DrawText(text, &r, format);
        if (pOld != nullptr)
            memory.SelectObject(pOld);
        memory.DeleteDC();
        if (pictures.size() >= kMaxCachedTexts)
            pictures.clear();
        it = pictures.emplace(std::move(key), std::move(picture)).first;
    }
    CRect device(rect);
    pDC->LPtoDP(&device);
    CRect clip;
    pDC->GetClipBox(&clip);
    pDC->LPtoDP(&clip);
    pPainter->save();
    pPainter->setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()), Qt::IntersectClip);
    pPainter->drawImage(QPoint(device.left, device.top), it->second);
    pPainter->restore();
}

void DrawSeparator(CDC* pDC, int left, int right, int y)
{
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(left, y);
    pDC->LineTo(right, y);
    pDC->SelectObject(pOld);
}

// The number column of line types and widths: "88:" wide, or "8:" for one digit in a narrow column.
int NumberColumnWidth(CDC* pDC, int nNumber, BOOL bWide)
{
    return TextWidth(pDC, CString((nNumber < 10 && !bWide) ? u"8:" : u"88:"));
}

}  // namespace

// ---- colours ------------------------------------------------------------------------------------

void DrawColorSwatch(CDC* pDC, const RECT* pRect, COLORREF rgb, BOOL bDisabled)
{
    if (pDC == nullptr || pRect == nullptr)
        return;
    CRect frame(pRect->left - 2, pRect->top + 3, pRect->right - 1, pRect->bottom - 2);
    frame.right = std::min<int>(frame.right, pRect->right - 1);
    if (frame.left >= frame.right || frame.top >= frame.bottom)
        return;
    pDC->FrameRect(&frame, CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    frame.DeflateRect(1, 1);
    if (frame.IsRectEmpty())
        return;
    // Opaque swatches need no blending.
    if (!bDisabled) {
        pDC->FillSolidRect(&frame, rgb & 0x00FFFFFF);
        return;
    }
    Gdiplus::Graphics graphics(pDC->GetSafeHdc());
    Gdiplus::SolidBrush brush(
        Gdiplus::Color(static_cast<BYTE>(bDisabled ? 100 : 255), GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
    graphics.FillRectangle(&brush, static_cast<INT>(frame.left), static_cast<INT>(frame.top),
                           static_cast<INT>(frame.Width()), static_cast<INT>(frame.Height()));
}

void DrawColorItem(CDC* pDC, CFont* pFont, const RECT* pRect, int nNumber, const ColorFeature* pColor, BOOL bSelected,
                   BOOL bDisabled, BOOL bFocused, BOOL bShowNumber, BOOL bShowName, BOOL bFillBackground,
                   BOOL bDrawFocusRect)
{
    if (pDC == nullptr || pRect == nullptr)
        return;
    const CRect row(*pRect);
    RowScope scope(pDC, pFont, row, bSelected, bDisabled, bFocused, bFillBackground);
    if (nNumber != 32767) {
        CString number;
        if (nNumber != 0 && nNumber != -1)
            number.Format(u"%d:", nNumber);
        const bool bNumber = bShowNumber && !number.IsEmpty();
        CRect numberRect(row.left, row.top, row.left, row.bottom);
        if (bNumber) {
            const int column =
                TextWidth(pDC, CString(nNumber < 10 ? u"8:" : (nNumber < 100 ? u"88:" : u"888:")));
            numberRect.right = std::min<int>(row.left + column, row.right);
        }

        CString name;
        bool bName = false;
        CRect nameRect(row.right, row.top, row.right, row.bottom);
        if (bShowName && nNumber <= 16 && nNumber != -1) {
            bName = true;
            if (nNumber == 0) {
                name = ControlsServices::LoadString(10373);
                if (pColor != nullptr && !pColor->GetColorName().IsEmpty())
                    name += CString(u" (") + pColor->GetColorName() + CString(u")");
            } else if (pColor != nullptr) {
                name = pColor->GetColorName();
            }
            if (pColor != nullptr) {
                nameRect.left = std::max<int>(row.right - TextWidth(pDC, name), numberRect.right + 5);
            } else {
                nameRect.left = numberRect.right + (bNumber ? 5 : 0);
            }
        }

        if (pColor != nullptr) {
            CRect swatch(numberRect.right + 5, row.top, bName ? nameRect.left - 5 : row.right - 5, row.bottom);
            swatch.right = std::max<int>(swatch.right, row.left);
            DrawColorSwatch(pDC, &swatch, pColor->GetColorRef(), bDisabled);
        }
        if (bNumber)
            DrawRowText(pDC, number, numberRect);
        if (bName)
            DrawRowText(pDC, name, nameRect);
    }
    scope.End(row, bFocused, bDrawFocusRect);
}

// ---- line types ---------------------------------------------------------------------------------

std::vector<std::pair<int, int>> LineTypeSampleDashes(int left, int right, int dpi, const double* pPattern,
                                                      int nCount)
{
    std::vector<std::pair<int, int>> dashes;
    if (right <= left)
        return dashes;
    const int pairs = (pPattern != nullptr && nCount > 0) ? nCount / 2 : 0;
    double sum = 0.0;
    bool bValid = pairs > 0 && dpi > 0;
    for (int i = 0; bValid && i < pairs * 2; ++i) {
        if (!std::isfinite(pPattern[i]) || pPattern[i] < 0.0)
            bValid = false;
        else
            sum += pPattern[i];
    }
    if (!bValid || !(sum > 0.0) || !std::isfinite(sum)) {
        dashes.emplace_back(left, right);
        return dashes;
    }
    const double width = static_cast<double>(right - left) / dpi * 25.4;
    const double half = 0.5 * sum;
    // A period shorter than a pixel still ends: every dash moves the cursor by at least 3 pixels.
    const double repeats = std::min(std::max(width / half, 2.0), 1.0e6);
    const int n = static_cast<int>(repeats);
    const double scale = 0.5 * width / (half * n);
    double p = 0.0;
    int x = left;
    for (int rep = 0; rep <= n; ++rep) {
        for (int k = 0; k < pairs; ++k) {
            if (x >= right)
                return dashes;
            const double dash = pPattern[2 * k];
            const double gap = pPattern[2 * k + 1];
            p += (rep == 0 && k == 0 ? 0.5 * dash : dash) * scale;
            int end = left + static_cast<int>(p * dpi / 25.4);
            end = std::min(std::max(end, x + 1), right);
            dashes.emplace_back(x, end);
            p += gap * scale;
            int next = left + static_cast<int>(p * dpi / 25.4);
            if (next <= end)
                next = end + 2;
            x = next;
        }
    }
    return dashes;
}

void DrawLineTypeSample(CDC* pDC, COLORREF color, const RECT* pRect, const LineTypeFeature* pLineType)
{
    if (pDC == nullptr || pRect == nullptr)
        return;
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 0, color))
        return;
    CPen* pOld = pDC->SelectObject(&pen);
    if (pRect->right > pRect->left) {
        const int y = (pRect->bottom - pRect->top) / 2 + pRect->top;
        std::vector<double> pattern;
        if (pLineType != nullptr) {
            pattern.resize(static_cast<size_t>(pLineType->GetLineTypeSegment()));
            if (!pattern.empty())
                pLineType->GetLineTypeSegment(pattern.data(), static_cast<int>(pattern.size()));
        }
        const int dpi = pDC->GetDeviceCaps(LOGPIXELSX);
        for (const auto& [from, to] : LineTypeSampleDashes(pRect->left, pRect->right, dpi, pattern.data(),
                                                           static_cast<int>(pattern.size()))) {
            pDC->MoveTo(from, y);
            pDC->LineTo(to, y);
        }
    }
    pDC->SelectObject(pOld);
}

void DrawLineTypeItem(CDC* pDC, CFont* pFont, const RECT* pRect, int nNumber, const LineTypeFeature* pLineType,
                      BOOL bSelected, BOOL bDisabled, BOOL bFocused, BOOL bShowNumber, BOOL bShowSample,
                      BOOL bShowName, BOOL bFillBackground, BOOL bDrawFocusRect, BOOL bSeparatorAfter15,
                      BOOL bWideNumberColumn, int nNameColumnWidth)
{
    if (pDC == nullptr || pRect == nullptr)
        return;
    const CRect row(*pRect);
    RowScope scope(pDC, pFont, row, bSelected, bDisabled, bFocused, bFillBackground);
    if (bSeparatorAfter15 && nNumber == 15)
        DrawSeparator(pDC, row.left, row.right, row.bottom - 1);
    if (nNumber != 32767) {
        const CString name = pLineType != nullptr ? pLineType->GetLineTypeName() : CString();
        CString number;
        if (nNumber >= 1 && nNumber <= 15)
            number.Format(u"%d:", nNumber);
        const int column = NumberColumnWidth(pDC, nNumber, bWideNumberColumn);
        const bool bNumber = bShowNumber && !number.IsEmpty() && !name.IsEmpty();
        CRect numberRect(row.left, row.top, row.left, row.bottom);
        if (bNumber)
            numberRect.right = std::min<int>(row.left + column, row.right);

        CRect sample(numberRect.right, row.top, numberRect.right, row.bottom);
        const bool bSample = bShowSample && pLineType != nullptr && !name.IsEmpty();
        if (bSample) {
            sample.left = numberRect.right + 5;
            sample.right = std::min<int>(row.right - 5, numberRect.right + 95 + (bNumber ? 0 : column));
        }

        CString text;
        CRect textRect(row.right, row.top, row.right, row.bottom);
        if (bShowName) {
            int nameLeft = (bNumber || bSample) ? sample.right + 5 : sample.right;
            bool bDone = false;
            if (nNumber == 0) {
                const CString byLayer = ControlsServices::LoadString(10393);
                const int width = TextWidth(pDC, byLayer);
                if (sample.right + width + 5 > row.right) {
                    sample.right = std::max<int>(sample.left, row.right - width - 7);
                    text = byLayer;
                    textRect.SetRect(sample.right + 5, row.top, std::min<int>(sample.right + 5 + width, row.right),
                                     row.bottom);
                    bDone = true;
                }
            }
            if (!bDone) {
                const int probe = TextWidth(pDC, ControlsServices::LoadString(10394));
                if (nameLeft + probe + 5 >= row.right) {
                    sample.right = row.right - 5;
                } else {
                    if (nNumber == 0) {
                        text = ControlsServices::LoadString(10393);
                        if (pLineType != nullptr && !name.IsEmpty())
                            text += CString(u" (") + name + CString(u")");
                    } else {
                        text = name;
                    }
                    if (nNameColumnWidth > 0 && nameLeft + nNameColumnWidth < row.right - 5) {
                        nameLeft = row.right - nNameColumnWidth - 5;
                        sample.right = nameLeft - 5;
                    }
                    textRect.SetRect(nameLeft, row.top, std::min<int>(nameLeft + TextWidth(pDC, text), row.right),
                                     row.bottom);
                }
            }
        }
        if (bShowSample && pLineType != nullptr && sample.right > sample.left)
            DrawLineTypeSample(pDC, scope.TextColor(), &sample, pLineType);
        if (bNumber)
            DrawRowText(pDC, number, numberRect, bWideNumberColumn ? DT_RIGHT : 0);
        DrawRowText(pDC, text, textRect);
    }
    scope.End(row, bFocused, bDrawFocusRect);
}

int GetMaxLineTypeNameWidth(CDC* pDC, CFont* pFont, const LineTypeFeatureTable* pTable)
{
    if (pDC == nullptr || pTable == nullptr)
        return 0;
    const int saved = pDC->SaveDC();
    CFont* pOld = pFont != nullptr ? pDC->SelectObject(pFont) : nullptr;
    int widest = 0;
    for (int i = 0; i < pTable->GetLineTypeSize(); ++i) {
        const LineTypeFeature* pEntry = pTable->GetAt(i);
        if (pEntry != nullptr && pEntry->GetLineTypeNo() != 0)
            widest = std::max(widest, TextWidth(pDC, pEntry->GetLineTypeName()));
    }
    if (pOld != nullptr)
        pDC->SelectObject(pOld);
    pDC->RestoreDC(saved);
    return widest;
}

// ---- line widths --------------------------------------------------------------------------------

int LineWidthSampleThickness(int dpi, double width, int height)
{
    double t = dpi * width * 1.8 / 25.4;
    if (!std::isfinite(t) || t < 1.0)
        t = 1.0;
    int thickness = t > 1.0e6 ? 1000000 : static_cast<int>(t);
    thickness = std::min(thickness, height - 2);
    return std::max(thickness, 1);
}

void DrawLineWidthSample(CDC* pDC, COLORREF color, const RECT* pRect, const LineWidthFeature* pLineWidth)
{
    if (pDC == nullptr || pRect == nullptr || pLineWidth == nullptr || pRect->right <= pRect->left)
        return;
    const int thickness =
        LineWidthSampleThickness(pDC->GetDeviceCaps(LOGPIXELSY), pLineWidth->GetLineWidth(), pRect->bottom - pRect->top);
    LOGBRUSH brush{BS_SOLID, color, 0};
    CPen pen;
    if (!pen.CreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, thickness, &brush))
        return;
    CPen* pOld = pDC->SelectObject(&pen);
    const int y = (pRect->bottom - pRect->top) / 2 + pRect->top;
    pDC->MoveTo(pRect->left, y);
    pDC->LineTo(pRect->right, y);
    pDC->SelectObject(pOld);
}

void DrawLineWidthItem(CDC* pDC, CFont* pFont, const RECT* pRect, int nNumber, const LineWidthFeature* pLineWidth,
                       BOOL bSelected, BOOL bDisabled, BOOL bFocused, BOOL bShowNumber, BOOL bShowSample,
                       BOOL bShowUnit, BOOL bFillBackground, BOOL bDrawFocusRect, BOOL bSeparatorBefore10,
                       BOOL bWideNumberColumn, int nTextColumnWidth)
{
    if (pDC == nullptr || pRect == nullptr)
        return;
    const CRect row(*pRect);
    RowScope scope(pDC, pFont, row, bSelected, bDisabled, bFocused, bFillBackground);
    if (bSeparatorBefore10 && nNumber == 10)
        DrawSeparator(pDC, row.left, row.right, row.top);
    if (nNumber != 32767) {
        CString widthText;
        if (pLineWidth != nullptr)
            widthText.Format(u"%.2f", pLineWidth->GetLineWidth());
        CString number;
        if (nNumber != 0)
            number.Format(u"%d:", nNumber);
        const int column = NumberColumnWidth(pDC, nNumber, bWideNumberColumn);
        const bool bNumber = bShowNumber && !number.IsEmpty() && !widthText.IsEmpty();
        CRect numberRect(row.left, row.top, row.left, row.bottom);
        if (bNumber)
            numberRect.right = std::min<int>(row.left + column, row.right);

        CRect sample(numberRect.right, row.top, numberRect.right, row.bottom);
        const bool bSample = bShowSample && pLineWidth != nullptr && !widthText.IsEmpty();
        if (bSample) {
            sample.left = numberRect.right + 5;
            sample.right = std::min<int>(row.right - 5, numberRect.right + 40 + (bNumber ? 0 : column));
        }

        int textLeft = (bNumber || bSample) ? sample.right + 5 : sample.right;
        CString text;
        CRect textRect(row.right, row.top, row.right, row.bottom);
        bool bDone = false;
        const bool bUnit = bShowUnit && nNumber != 0;
        if (nNumber == 0) {
            const CString byLayer = ControlsServices::LoadString(10395);
            const int width = TextWidth(pDC, byLayer);
            if (sample.right + width + 5 > row.right) {
                sample.right = std::max<int>(sample.left, row.right - width - 7);
                text = byLayer;
                textRect.SetRect(sample.right + 5, row.top, std::min<int>(sample.right + 5 + width, row.right),
                                 row.bottom);
                bDone = true;
            } else {
                text = byLayer;
                if (pLineWidth != nullptr && !widthText.IsEmpty() && pLineWidth->GetLineWidth() > 0.0)
                    text += CString(u" (") + widthText + CString(u")");
            }
        } else {
            text = widthText;
        }
        const int unitWidth = bUnit ? TextWidth(pDC, CString(u"mm")) : 0;
        if (!bDone) {
            if (nTextColumnWidth > 0 && textLeft + unitWidth + nTextColumnWidth < row.right - 5) {
                textLeft = row.right - unitWidth - nTextColumnWidth - 5;
                sample.right = textLeft - 5;
            }
            textRect.SetRect(textLeft, row.top, std::min<int>(textLeft + TextWidth(pDC, text), row.right), row.bottom);
        }
        if (bShowSample && pLineWidth != nullptr && sample.right > sample.left)
            DrawLineWidthSample(pDC, scope.TextColor(), &sample, pLineWidth);
        if (bNumber)
            DrawRowText(pDC, number, numberRect, bWideNumberColumn ? DT_RIGHT : 0);
        DrawRowText(pDC, text, textRect);
        if (bUnit && !text.IsEmpty()) {
            const CRect unitRect(textRect.right + 5, row.top, std::min<int>(textRect.right + 5 + unitWidth, row.right),
                                 row.bottom);
            DrawRowText(pDC, CString(u"mm"), unitRect);
        }
    }
    scope.End(row, bFocused, bDrawFocusRect);
}
