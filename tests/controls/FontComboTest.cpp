// The font-family combo over the fonts installed here (DejaVu, Noto CJK and the URW fonts with their
// dingbats): the list, choosing by name, a name no family has, and the rows as drawn.
#include <gtest/gtest.h>

#include <QtGui/QFont>
#include <QtGui/QFontMetrics>
#include <QtGui/QImage>

#include <set>

#include "ControlsTestSupport.h"
#include "controls/CQZ2FontComboBox.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdiplus/FontFamily.h"
#include "platform/gdiplus/InstalledFontCollection.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinSystem.h"

namespace {

constexpr UINT kFontId = 2058;
constexpr DWORD kStyle =
    CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT | WS_CHILD | WS_VISIBLE | WS_VSCROLL;
constexpr int kRowWidth = 240;
constexpr int kRowHeight = 20;

class FontCombo : public EnglishResources
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(fonts.Create(kStyle, CRect(10, 10, 250, 200), &host, kFontId));
    }
    void TearDown() override
    {
        fonts.DestroyWindow();
        host.DestroyWindow();
    }
    std::vector<CString> Rows() const
    {
        std::vector<CString> rows;
        for (int i = 0; i < fonts.GetCount(); ++i) {
            CString text;
            fonts.GetLBText(i, text);
            rows.push_back(text);
        }
        return rows;
    }
    int RowOf(const char16_t* name) const
    {
        const std::vector<CString> rows = Rows();
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i] == CString(name))
                return static_cast<int>(i);
        return -1;
    }
    // Row nItem (-1: the field with no selection) drawn on white; the field flag as the combo gives it.
    QImage DrawRow(int nItem, BOOL bSelected = FALSE, BOOL bField = FALSE)
    {
        QImage image(kRowWidth, kRowHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        CDC dc;
        dc.CreateFromPaintDevice(&image);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = kFontId;
        dis.itemID = static_cast<UINT>(nItem);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (bSelected ? ODS_SELECTED : 0) | (bField ? ODS_COMBOBOXEDIT : 0);
        dis.hwndItem = fonts.m_hWnd;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = CRect(0, 0, kRowWidth, kRowHeight);
        fonts.DrawItem(&dis);
        dc.DeleteDC();
        return image;
    }
    // The columns that hold anything but the background of the row's top-left pixel, from column left.
    static std::pair<int, int> InkColumns(const QImage& image, int left)
    {
        const QRgb back = image.pixel(image.width() - 1, 0);
        int first = -1, last = -1;
        for (int x = left; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) != back) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }

    RecordingHost host;
    CQZ2FontComboBox fonts;
};

TEST_F(FontCombo, ListsEveryInstalledFamilyOnceInCollationOrder)
{
    fonts.FillFontList();
    Gdiplus::InstalledFontCollection installed;
    ASSERT_EQ(fonts.GetCount(), installed.GetFamilyCount());
    const std::vector<CString> rows = Rows();
    std::set<CString> unique(rows.begin(), rows.end());
    EXPECT_EQ(unique.size(), rows.size());
    for (size_t i = 0; i + 1 < rows.size(); ++i)
        EXPECT_LE(rows[i].Collate(rows[i + 1]), 0) << i;
    for (const char16_t* name : {u"DejaVu Sans", u"D050000L", u"Nimbus Sans", u"Noto Sans CJK JP"})
        EXPECT_GE(RowOf(name), 0) << QString::fromStdU16String(name).toStdString();
    // Every row's data is its family.
    for (int i = 0; i < fonts.GetCount(); ++i) {
        ASSERT_NE(fonts.GetFamily(i), nullptr);
        EXPECT_EQ(CString(fonts.GetFamily(i)->Name().c_str()), rows[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(fonts.GetDroppedWidth(), 250);
    // Filling again gives the same list, not twice as many rows.
    fonts.FillFontList();
    EXPECT_EQ(fonts.GetCount(), installed.GetFamilyCount());
}

TEST_F(FontCombo, ChoosesByExactNameAndRemembersANameNoFamilyHas)
{
    CString name;
    EXPECT_EQ(fonts.SelectFontName(u"DejaVu Sans"), -1) << "an empty list";
    EXPECT_EQ(fonts.GetFontName(name), -1);
    EXPECT_EQ(name, CString(u"DejaVu Sans"));

    fonts.FillFontList();
    const int dejavu = RowOf(u"DejaVu Sans");
    EXPECT_EQ(fonts.SelectFontName(u"DejaVu Sans"), dejavu);
    EXPECT_EQ(fonts.GetCurSel(), dejavu);
    EXPECT_EQ(fonts.GetFontName(name), dejavu);
    EXPECT_EQ(name, CString(u"DejaVu Sans"));
    EXPECT_EQ(fonts.SelectFontName(u"DejaVu Sans"), dejavu) << "already selected";
    EXPECT_EQ(fonts.SelectFontName(u"dejavu sans"), -1) << "names are compared case-sensitively";

    // A drawing made elsewhere: the name is kept and nothing else shows as chosen.
    fonts.SelectFontName(u"DejaVu Sans");
    EXPECT_EQ(fonts.SelectFontName(u"Missing Font XYZ"), -1);
    EXPECT_EQ(fonts.GetCurSel(), -1);
    EXPECT_EQ(fonts.GetFontName(name), -1);
    EXPECT_EQ(name, CString(u"Missing Font XYZ"));
    // Choosing a family in the list then wins over the remembered name.
    fonts.SetCurSel(RowOf(u"D050000L"));
    EXPECT_EQ(fonts.GetFontName(name), RowOf(u"D050000L"));
    EXPECT_EQ(name, CString(u"D050000L"));
}

TEST_F(FontCombo, TheFieldShowsTheRememberedNameMarkedOrNothing)
{
    fonts.FillFontList();
    const QImage empty = DrawRow(-1, FALSE, TRUE);
    EXPECT_EQ(InkColumns(empty, 0).first, -1) << "no remembered name: an empty field";
    fonts.SelectFontName(u"Missing Font XYZ");
    const QImage missing = DrawRow(-1, FALSE, TRUE);
    const auto ink = InkColumns(missing, 0);
    ASSERT_GE(ink.first, 0);
    EXPECT_LT(ink.first, 4) << "no icon before the name";
    // "*Missing Font XYZ" in the interface font at 0.8 of the row height.
    QFont face(QStringLiteral("DejaVu Sans"));
    face.setPixelSize(static_cast<int>(0.8 * kRowHeight));
    const int width = QFontMetrics(face).horizontalAdvance(QStringLiteral("*Missing Font XYZ"));
    EXPECT_NEAR(ink.second, width, 4);
}

TEST_F(FontCombo, RowsShowTheIconThenTheNameInItsOwnFace)
{
    fonts.FillFontList();
    const int row = RowOf(u"DejaVu Sans");
    const QImage image = DrawRow(row);
    EXPECT_GE(InkColumns(image.copy(0, 0, 16, kRowHeight), 0).first, 0) << "the icon";
    const auto text = InkColumns(image, 16);
    QFont face(QStringLiteral("DejaVu Sans"));
    face.setPixelSize(static_cast<int>(0.8 * kRowHeight));
    EXPECT_NEAR(text.second - 16, QFontMetrics(face).horizontalAdvance(QStringLiteral("DejaVu Sans")), 4);
    // The selected row is drawn in the highlight colours.
    const QImage selected = DrawRow(row, TRUE);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(selected.pixel(kRowWidth - 1, 0), qRgb(GetRValue(highlight), GetGValue(highlight), GetBValue(highlight)));
}

TEST_F(FontCombo, ASymbolFontShowsItsNameReadablyAndItsGlyphsOnlyWhileOpen)
{
    fonts.FillFontList();
    const int row = RowOf(u"D050000L");
    ASSERT_GE(row, 0);
    ASSERT_TRUE(CQZ2FontComboBox::IsSymbolFont(*fonts.GetFamily(row)));
    const QImage closed = DrawRow(row);
    const auto closedInk = InkColumns(closed, 16);
    // The name in the control's font, far narrower than ten dingbats of the row's size.
    LOGFONT lf{};
    CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)))->GetLogFont(&lf);
    QFont controlFont(QString::fromUtf16(lf.lfFaceName));
    controlFont.setPixelSize(std::abs(static_cast<int>(lf.lfHeight)));
    const int nameWidth = QFontMetrics(controlFont).horizontalAdvance(QStringLiteral("D050000L"));
    EXPECT_NEAR(closedInk.second - 16, nameWidth, 6);

    fonts.ShowDropDown(TRUE);
    ASSERT_TRUE(fonts.GetDroppedState());
    const QImage open = DrawRow(row);
    fonts.ShowDropDown(FALSE);
    const auto openInk = InkColumns(open, 16);
    EXPECT_GT(openInk.second, closedInk.second + 40) << "the sample follows the name";
    EXPECT_EQ(open.copy(0, 0, closedInk.second + 1, kRowHeight), closed.copy(0, 0, closedInk.second + 1, kRowHeight));
}

TEST_F(FontCombo, RowsAreTwiceTheFontHeightButNeverBelowTheScrollThumb)
{
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_COMBOBOX;
    mis.CtlID = kFontId;
    fonts.MeasureItem(&mis);
    LOGFONT lf{};
    CFont* pFont = fonts.GetFont() != nullptr ? fonts.GetFont()
                                              : CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    pFont->GetLogFont(&lf);
    EXPECT_EQ(static_cast<int>(mis.itemHeight),
              std::max(2 * std::abs(static_cast<int>(lf.lfHeight)), GetSystemMetrics(SM_CYVTHUMB)));
}

TEST_F(FontCombo, ClosingTheWindowReleasesTheList)
{
    fonts.FillFontList();
    ASSERT_GT(fonts.GetCount(), 0);
    fonts.DestroyWindow();
    EXPECT_EQ(fonts.GetFamily(0), nullptr);
    CString name;
    EXPECT_EQ(fonts.GetFontName(name), -1);
}

}  // namespace
