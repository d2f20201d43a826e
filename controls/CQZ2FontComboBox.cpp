#include "controls/CQZ2FontComboBox.h"

#include <algorithm>
#include <cstdlib>

#include "controls/ControlsServices.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/FontFamily.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/InstalledFontCollection.h"
#include "platform/gdiplus/SolidBrush.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinSystem.h"

namespace {

constexpr UINT kFontIconBitmap = 405;
constexpr int kIconWidth = 16;
constexpr UINT kInterfaceFontString = 10114;

// Families that are installed with some systems but cannot serve as annotation fonts.
const char16_t* const kExcludedFamilies[] = {u"Monotype Corsiva", u"CR\uFF23\uFF06\uFF27\u6D41\u9E97\u9023\u7DBF\u4F53"};

Gdiplus::Color ToColor(COLORREF rgb) { return Gdiplus::Color(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)); }

// The control's font, or the interface font when it has none of its own.
LOGFONT ControlLogFont(const CWnd* pWnd)
{
    LOGFONT lf{};
    CFont* pFont = pWnd->GetFont();
    if (pFont == nullptr || pFont->GetLogFont(&lf) == 0) {
        CFont* pStock = CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        if (pStock == nullptr || pStock->GetLogFont(&lf) == 0)
            lf.lfHeight = -12;
    }
    return lf;
}

// The first style that the family offers of regular, bold, italic and bold italic.
INT FirstStyle(const Gdiplus::FontFamily& family)
{
    for (INT style : {Gdiplus::FontStyleRegular, Gdiplus::FontStyleBold, Gdiplus::FontStyleItalic,
                      Gdiplus::FontStyleBoldItalic})
        if (family.IsStyleAvailable(style))
            return style;
    return Gdiplus::FontStyleRegular;
}

}  // namespace

IMPLEMENT_DYNAMIC(CQZ2FontComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CQZ2FontComboBox, CComboBox)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CQZ2FontComboBox::CQZ2FontComboBox()
{
    m_images.Create(kFontIconBitmap, kIconWidth, 1, RGB(255, 0, 255));
}

CQZ2FontComboBox::~CQZ2FontComboBox() { m_images.DeleteImageList(); }

void CQZ2FontComboBox::ReleaseFamilies()
{
    if (GetSafeHwnd() != nullptr)
        ResetContent();
    m_families.clear();
}

CString CQZ2FontComboBox::FamilyName(const Gdiplus::FontFamily* pFamily) const
{
    if (pFamily == nullptr)
        return CString();
    WCHAR name[LF_FACESIZE] = {0};
    if (pFamily->GetFamilyName(name) != Gdiplus::Ok)
        return CString();
    return CString(name);
}

BOOL CQZ2FontComboBox::IsSymbolFont(const Gdiplus::FontFamily& family)
{
    Gdiplus::Font font(&family, 12.0f, FirstStyle(family), Gdiplus::UnitPixel);
    LOGFONTW lf{};
    return font.GetLogFontW(nullptr, &lf) == Gdiplus::Ok && lf.lfCharSet == SYMBOL_CHARSET;
}

void CQZ2FontComboBox::FillFontList()
{
    ReleaseFamilies();
    if (GetSafeHwnd() == nullptr)
        return;
    Gdiplus::InstalledFontCollection installed;
    const INT count = installed.GetFamilyCount();
    std::vector<Gdiplus::FontFamily> all(static_cast<size_t>(std::max<INT>(count, 0)));
    INT found = 0;
    if (count > 0)
        installed.GetFamilies(count, all.data(), &found);
    all.resize(static_cast<size_t>(std::max<INT>(found, 0)));

    struct Entry {
        CString name;
        size_t family;
    };
    std::vector<Entry> entries;
    for (const Gdiplus::FontFamily& family : all) {
        // A family whose name cannot be read is left out rather than listed under another's name.
        const CString name = FamilyName(&family);
        if (name.IsEmpty())
            continue;
        if (std::any_of(std::begin(kExcludedFamilies), std::end(kExcludedFamilies),
                        [&](const char16_t* excluded) { return name == CString(excluded); }))
            continue;
        m_families.push_back(family);
        entries.push_back({name, m_families.size() - 1});
    }
    // The rows follow the interface language's collation whatever the template's sorting style.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.name.Collate(b.name) < 0; });
    for (const Entry& entry : entries) {
        const int at = InsertString(-1, entry.name);
        if (at >= 0)
            SetItemDataPtr(at, &m_families[entry.family]);
    }
    SetDroppedWidth(250);
}

const Gdiplus::FontFamily* CQZ2FontComboBox::GetFamily(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    const auto* pFamily = static_cast<const Gdiplus::FontFamily*>(GetItemDataPtr(nIndex));
    // Only pointers into this control's own families are followed.
    for (const Gdiplus::FontFamily& family : m_families)
        if (&family == pFamily)
            return pFamily;
    return nullptr;
}

int CQZ2FontComboBox::GetFontName(CString& strName) const
{
    const int index = GetSafeHwnd() != nullptr ? GetCurSel() : -1;
    if (index >= 0) {
        if (const Gdiplus::FontFamily* pFamily = GetFamily(index)) {
            strName = FamilyName(pFamily);
            return index;
        }
        GetLBText(index, strName);
        return index;
    }
    strName = m_strRememberedName;
    return -1;
}

int CQZ2FontComboBox::SelectFontName(const CString& strName)
{
    m_strRememberedName = strName;
    CString current;
    const int currentIndex = GetFontName(current);
    const int count = GetSafeHwnd() != nullptr ? GetCount() : 0;
    if (count == 0)
        return -1;
    for (int i = 0; i < count; ++i) {
        const Gdiplus::FontFamily* pFamily = GetFamily(i);
        if (pFamily == nullptr || FamilyName(pFamily) != strName)
            continue;
        if (currentIndex >= 0 && current == strName)
            return currentIndex;
        return SetCurSel(i);
    }
    // The field shows the remembered name, not a family that the drawing does not use.
    if (currentIndex >= 0) {
        SetCurSel(-1);
        Invalidate();
    }
    return -1;
}

void CQZ2FontComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct == nullptr)
        return;
    const LOGFONT lf = ControlLogFont(this);
    const int height = 2 * std::abs(static_cast<int>(lf.lfHeight));
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::max(height, GetSystemMetrics(SM_CYVTHUMB)));
}

int CQZ2FontComboBox::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    if (lpCompareItemStruct == nullptr)
        return 0;
    auto textOf = [this](UINT itemID, ULONG_PTR data) {
        for (const Gdiplus::FontFamily& family : m_families)
            if (reinterpret_cast<ULONG_PTR>(&family) == data)
                return FamilyName(&family);
        CString text;
        if (static_cast<int>(itemID) >= 0 && static_cast<int>(itemID) < GetCount())
            GetLBText(static_cast<int>(itemID), text);
        return text;
    };
    const CString a = textOf(lpCompareItemStruct->itemID1, lpCompareItemStruct->itemData1);
    const CString b = textOf(lpCompareItemStruct->itemID2, lpCompareItemStruct->itemData2);
    const int r = a.Collate(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

void CQZ2FontComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr)
        return;
    const CRect rect(lpDrawItemStruct->rcItem);
    const int index = static_cast<int>(lpDrawItemStruct->itemID);
    const bool bListEntry = index >= 0 && index < GetCount();
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const BOOL bDisabled = !IsWindowEnabled();

    const COLORREF back = GetSysColor(bSelected ? COLOR_HIGHLIGHT : (bDisabled ? COLOR_BTNFACE : COLOR_WINDOW));
    const COLORREF text = GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : (bDisabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    // The field is cleared even when it shows nothing, so that no earlier name stays.
    pDC->FillSolidRect(&rect, back);
    if (!bListEntry && m_strRememberedName.IsEmpty())
        return;

    Gdiplus::Graphics graphics(pDC->GetSafeHdc());
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    const Gdiplus::REAL size = static_cast<Gdiplus::REAL>(0.8 * rect.Height());
    if (!(size > 0))
        return;
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    Gdiplus::SolidBrush brush(ToColor(text));

    if (!bListEntry) {
        // A name no installed family has: "*name" in the interface font over the whole field.
        const CString shown = CString(u"*") + m_strRememberedName;
        const CString face = ControlsServices::LoadString(kInterfaceFontString);
        Gdiplus::Font font(face.IsEmpty() ? u"sans-serif" : static_cast<LPCTSTR>(face), size,
                           Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        const Gdiplus::RectF area(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                                  static_cast<Gdiplus::REAL>(rect.Width()), static_cast<Gdiplus::REAL>(rect.Height()));
        graphics.DrawString(shown, shown.GetLength(), &font, area, &format, &brush);
        return;
    }

    const Gdiplus::FontFamily* pFamily = GetFamily(index);
    CString name;
    if (pFamily != nullptr)
        name = FamilyName(pFamily);
    else
        GetLBText(index, name);

    m_images.Draw(pDC, 0, CPoint(rect.left, rect.top), ILD_TRANSPARENT);
    const Gdiplus::RectF area(static_cast<Gdiplus::REAL>(rect.left + kIconWidth), static_cast<Gdiplus::REAL>(rect.top),
                              static_cast<Gdiplus::REAL>(std::max(0, rect.Width() - kIconWidth)),
                              static_cast<Gdiplus::REAL>(rect.Height()));
    if (pFamily == nullptr) {
        const LOGFONT lf = ControlLogFont(this);
        Gdiplus::Font font(pDC->GetSafeHdc(), &lf);
        graphics.DrawString(name, name.GetLength(), &font, area, &format, &brush);
        return;
    }
    Gdiplus::Font familyFont(pFamily, size, FirstStyle(*pFamily), Gdiplus::UnitPixel);
    LOGFONTW familyLog{};
    const bool bSymbol =
        familyFont.GetLogFontW(nullptr, &familyLog) == Gdiplus::Ok && familyLog.lfCharSet == SYMBOL_CHARSET;
    if (!bSymbol) {
        graphics.DrawString(name, name.GetLength(), &familyFont, area, &format, &brush);
        return;
    }
    // A symbol font's name is readable only in the control's own font; its glyphs serve as a sample.
    const LOGFONT lf = ControlLogFont(this);
    Gdiplus::Font nameFont(pDC->GetSafeHdc(), &lf);
    graphics.DrawString(name, name.GetLength(), &nameFont, area, &format, &brush);
    if (!GetDroppedState())
        return;
    Gdiplus::RectF bounds;
    graphics.MeasureString(name, name.GetLength(), &nameFont, area, &format, &bounds);
    const Gdiplus::REAL x = area.X + bounds.Width;
    const Gdiplus::RectF sampleArea(x, area.Y, std::max<Gdiplus::REAL>(0, area.X + area.Width - x), area.Height);
    graphics.DrawString(kSymbolSample, static_cast<INT>(std::char_traits<char16_t>::length(kSymbolSample)),
                        &familyFont, sampleArea, &format, &brush);
}

void CQZ2FontComboBox::OnDestroy()
{
    CComboBox::OnDestroy();
    ReleaseFamilies();
}
