// The converters' settings sheets as a user meets them: from File > Converter Settings and when a DXF is
// opened. What the pages show for stored values, what OK stores (and keeps past a restart), what Cancel
// leaves alone, refused values, and the enabling rules of the DXF/DWG pages.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <functional>

#include "app/CFileConverterSettingPropertySheet.h"
#include "app/CQZ2App.h"
#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/PdfSetting.h"
#include "libs/conv/SXFSetting.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDocManager.h"
#include "platform/win/CPropertyPage.h"
#include "platform/win/WinConstants.h"

namespace {

class ConverterSheetTest : public ProgramFixture
{
protected:
    // Runs `act` on the next settings sheet once it is up, as the user would work in it.
    void WhenSheetOpens(std::function<void(CFileConverterSettingPropertySheet&)> act)
    {
        m_sheetSeen = false;
        m_poll.disconnect();
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, act]() {
            auto* pSheet = dynamic_cast<CFileConverterSettingPropertySheet*>(
                CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pSheet == nullptr || pSheet->GetActivePage() == nullptr)
                return;
            m_poll.stop();
            m_sheetSeen = true;
            act(*pSheet);
        });
        m_poll.start();
    }
    static void Press(CWnd& wnd, int nID)
    {
        CWnd* pButton = wnd.GetDlgItem(nID);
        ASSERT_NE(pButton, nullptr) << nID;
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->m_hWnd));
    }
    static void Choose(CWnd& page, int nID, int nIndex)
    {
        auto* pCombo = static_cast<CComboBox*>(page.GetDlgItem(nID));
        ASSERT_NE(pCombo, nullptr);
        pCombo->SetCurSel(nIndex);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pCombo->m_hWnd));
    }
    // Pictures for the documentation, taken only when asked for (KC_SCREENSHOT_DIR).
    static void Screenshot(CWnd& sheet, const char* name)
    {
        if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR"))
            sheet.GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QLatin1Char('/') +
                                            QString::fromLatin1(name));
    }
    static bool Enabled(CWnd& page, int nID) { return page.GetDlgItem(nID)->IsWindowEnabled() != FALSE; }
    static CString Text(CWnd& page, int nID)
    {
        CString text;
        page.GetDlgItemText(nID, text);
        return text;
    }

    QTimer m_poll;
    bool m_sheetSeen = false;
};

}  // namespace

TEST_F(ConverterSheetTest, DxfSheetShowsTheStoredValuesAndOkStoresWhatTheUserChose)
{
    ACadConvSetting& s = *m_app->GetAcadConvSetting();
    s.m_dTextHiFacterRead = 0.85;
    s.m_nAdjustmentTextHightRead = 1;
    s.m_nAdjustmentTextHightFacterAutoRead = 0;
    s.m_nModelSpaceOnlyRead = 1;
    s.m_nImageFileType = 22;
    s.m_dDefLineWidth = 0.5;
    WhenSheetOpens([](CFileConverterSettingPropertySheet& sheet) {
        EXPECT_EQ(sheet.GetPageCount(), 2);
        CString title;
        sheet.GetWindowText(title);
        EXPECT_EQ(title, CString(_T("DXF/DWG Conversion Settings")));
        EXPECT_EQ(sheet.IsDlgButtonChecked(CFileConverterSettingPropertySheet::IDC_SHOW_AT_CONVERSION), BST_CHECKED);
        EXPECT_FALSE(sheet.GetDlgItem(IDHELP)->IsWindowVisible()) << "help is the icon button on the left";
        ASSERT_NE(sheet.GetDlgItem(ID_HELP), nullptr);

        CPropertyPage& open = *sheet.GetActivePage();
        EXPECT_EQ(Text(open, 2320), CString(_T("85")));
        EXPECT_TRUE(Enabled(open, 2320));
        EXPECT_EQ(static_cast<CComboBox*>(open.GetDlgItem(2333))->GetCurSel(), 4);
        // Model space only: the paper space box is clear and every paper and scale control is off.
        EXPECT_EQ(open.IsDlgButtonChecked(2346), BST_UNCHECKED);
        for (int nID : {2315, 2316, 2317, 2347, 2348, 2349, 2350, 2351, 2353, 2358, 2359, 2361})
            EXPECT_FALSE(Enabled(open, nID)) << nID;

        // Reading the paper space too: the list and scale buttons come on; sizes only for a paper of one's own.
        open.CheckDlgButton(2346, BST_CHECKED);
        Press(open, 2346);
        EXPECT_TRUE(Enabled(open, 2315));
        EXPECT_TRUE(Enabled(open, 2349));
        EXPECT_FALSE(Enabled(open, 2347));
        Choose(open, 2315, 4);  // A4, portrait: the size edits follow
        EXPECT_EQ(Text(open, 2347), CString(_T("210")));
        EXPECT_EQ(Text(open, 2348), CString(_T("297")));
        Choose(open, 2315, 5);  // the user's own size
        EXPECT_TRUE(Enabled(open, 2347));
        // A typed width beyond the height turns the paper to landscape.
        open.SetDlgItemText(2347, _T("500"));
        EXPECT_EQ(open.IsDlgButtonChecked(2317), BST_CHECKED);
        open.SetDlgItemText(2320, _T("120"));
        Screenshot(sheet, "converter-dxf-open.png");

        ASSERT_TRUE(sheet.SetActivePage(1));
        CPropertyPage& save = *sheet.GetActivePage();
        Screenshot(sheet, "converter-dxf-save.png");
        EXPECT_EQ(static_cast<CComboBox*>(save.GetDlgItem(2334))->GetCurSel(), 3);
        Choose(save, 2334, 1);

        sheet.CheckDlgButton(CFileConverterSettingPropertySheet::IDC_SHOW_AT_CONVERSION, BST_UNCHECKED);
        Press(sheet, IDOK);
    });
    Command(33213);
    ASSERT_TRUE(m_sheetSeen);
    EXPECT_EQ(s.m_nModelSpaceOnlyRead, 0);
    EXPECT_EQ(s.m_nPaperType, 5);
    EXPECT_EQ(s.m_nPaperOrientType, 1);
    EXPECT_DOUBLE_EQ(s.m_dPaperSizeX, 500.0);
    EXPECT_DOUBLE_EQ(s.m_dPaperSizeY, 297.0);
    EXPECT_DOUBLE_EQ(s.m_dTextHiFacterRead, 1.2);
    EXPECT_DOUBLE_EQ(s.m_dDefLineWidth, 0.5);
    EXPECT_EQ(s.m_nImageFileType, 23);
    EXPECT_FALSE(m_app->m_bDxfConverterDialog);

    // Both survive a restart.
    Stop();
    ASSERT_TRUE(Start());
    EXPECT_FALSE(m_app->m_bDxfConverterDialog);
    EXPECT_EQ(m_app->GetAcadConvSetting()->m_nImageFileType, 23);
    EXPECT_DOUBLE_EQ(m_app->GetAcadConvSetting()->m_dTextHiFacterRead, 1.2);
}

TEST_F(ConverterSheetTest, CancelAndRefusedValuesChangeNothing)
{
    const ACadConvSetting before = *m_app->GetAcadConvSetting();
    m_app->boxes.clear();
    WhenSheetOpens([this](CFileConverterSettingPropertySheet& sheet) {
        CPropertyPage& open = *sheet.GetActivePage();
        open.CheckDlgButton(2336, BST_CHECKED);
        open.CheckDlgButton(2340, BST_CHECKED);
        open.CheckDlgButton(2339, BST_UNCHECKED);
        Press(open, 2336);
        open.SetDlgItemText(2320, _T("300"));  // beyond 200 %
        open.SetDlgItemText(2337, _T("55"));
        Press(sheet, IDOK);
        EXPECT_TRUE(sheet.IsWindowVisible()) << "a refused value keeps the sheet open";
        EXPECT_EQ(m_app->boxes.size(), 1u);
        sheet.CheckDlgButton(CFileConverterSettingPropertySheet::IDC_SHOW_AT_CONVERSION, BST_UNCHECKED);
        Press(sheet, IDCANCEL);
    });
    EXPECT_FALSE(m_app->ShowAcadConvSettingDialog(_T("[plan.dxf]"), 1, nullptr));
    ASSERT_TRUE(m_sheetSeen);
    EXPECT_TRUE(*m_app->GetAcadConvSetting() == before);
    EXPECT_TRUE(m_app->m_bDxfConverterDialog);
}

TEST_F(ConverterSheetTest, SxfAndPdfSheetsStoreTheirValues)
{
    WhenSheetOpens([](CFileConverterSettingPropertySheet& sheet) {
        EXPECT_EQ(sheet.GetPageCount(), 1);
        CPropertyPage& page = *sheet.GetActivePage();
        for (int nID : {2331, 2374, 2375, 2371})
            page.CheckDlgButton(nID, BST_CHECKED);
        Screenshot(sheet, "converter-sxf.png");
        Press(sheet, IDOK);
    });
    Command(33214);
    ASSERT_TRUE(m_sheetSeen);
    const SXFSetting& sxf = *m_app->GetSxfSetting();
    EXPECT_EQ(sxf.m_nResolveDimensionWrite, 1);
    EXPECT_EQ(sxf.m_nResolveLeadWrite, 1);
    EXPECT_EQ(sxf.m_nResolveBaloonWrite, 1);
    EXPECT_EQ(sxf.m_nWriteSwitch1, 1);

    WhenSheetOpens([](CFileConverterSettingPropertySheet& sheet) {
        CString title;
        sheet.GetWindowText(title);
        EXPECT_EQ(title, CString(_T("PDF Output Settings")));
        CPropertyPage& page = *sheet.GetActivePage();
        EXPECT_EQ(page.IsDlgButtonChecked(1029), BST_CHECKED);
        page.CheckDlgButton(1029, BST_UNCHECKED);
        page.CheckDlgButton(1030, BST_CHECKED);
        page.CheckDlgButton(1041, BST_CHECKED);
        Screenshot(sheet, "converter-pdf.png");
        Press(sheet, IDOK);
    });
    Command(33218);
    ASSERT_TRUE(m_sheetSeen);
    const PdfSetting& pdf = *m_app->GetPdfSetting();
    EXPECT_FALSE(pdf.IsLineWidthPrintable());
    EXPECT_TRUE(pdf.IsPointMarkerPrintable());
    EXPECT_TRUE(pdf.m_bPrintBlackAndWhite);
}

TEST_F(ConverterSheetTest, OpeningADxfShowsTheSheetAndCancelOpensNothing)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/plan.dxf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n0\n0\nENDSEC\n0\nEOF\n");
    file.close();
    const int before = AfxGetDocManager()->GetDocumentCount();
    m_app->boxes.clear();
    CString title;
    WhenSheetOpens([&title](CFileConverterSettingPropertySheet& sheet) {
        sheet.GetWindowText(title);
        Press(sheet, IDCANCEL);
    });
    m_app->OpenDocumentFile(CString::FromQString(path));
    ASSERT_TRUE(m_sheetSeen);
    EXPECT_EQ(title, CString(_T("DXF/DWG Conversion Settings [plan.dxf]")));
    EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), before);
    EXPECT_TRUE(m_app->boxes.empty()) << "a cancelled sheet says nothing";

    WhenSheetOpens([](CFileConverterSettingPropertySheet& sheet) { Press(sheet, IDOK); });
    m_app->OpenDocumentFile(CString::FromQString(path));
    ASSERT_TRUE(m_sheetSeen);
    EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), before + 1);
}
