// File > Properties as the user meets it: the sheet over a drawing's properties, what OK keeps (also
// through a save and reopen), what Cancel leaves alone, the user-defined page's rows and the
// property dialog's checks; and the file page's size texts.

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtWidgets/QWidget>

#include "ProgramFixture.h"
#include "app/CDocumentPropertiesPropertySheet.h"
#include "app/CFileInfoPropertyPage.h"
#include "app/CQZ2Doc.h"
#include "app/CUserDefinedPropertyDialog.h"
#include "app/QZ2DocumentProperties.h"
#include "app/QZ2DocumentUserDefinedProperty.h"
#include "platform/win/AfxControlWidget.h"
#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/CDocManager.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT kPropertiesID = 33202;

class DocumentPropertiesTest : public ProgramFixture
{
protected:
    static void Press(CWnd& wnd, int nID)
    {
        CWnd* pButton = wnd.GetDlgItem(nID);
        ASSERT_NE(pButton, nullptr) << nID;
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->m_hWnd));
    }
    // Fills the property dialog as the user types, and presses OK.
    static void Fill(CUserDefinedPropertyDialog& dialog, const CString& name, int nType, const CString& value)
    {
        if (!name.IsEmpty())
            dialog.SetDlgItemText(1014, name);
        auto* pCombo = static_cast<CComboBox*>(dialog.GetDlgItem(1016));
        pCombo->SetCurSel(nType);
        dialog.SetDlgItemText(1015, value);
        Press(dialog, IDOK);
    }
    static CString Text(CWnd& wnd, int nID)
    {
        CString text;
        wnd.GetDlgItemText(nID, text);
        return text;
    }
    static QString Screens() { return qEnvironmentVariable("KC_SCREENSHOT_DIR"); }
};

TEST_F(DocumentPropertiesTest, FileSizesInTheirUnitsWithSeparators)
{
    struct Case {
        ULONGLONG size;
        const char16_t* text;
    } cases[] = {
        {0, u"0.0 bytes (0 bytes)"},
        {1024, u"1,024.0 bytes (1,024 bytes)"},
        {1025, u"1.0 KB (1,025 bytes)"},
        {3000000, u"2.9 MB (3,000,000 bytes)"},
        {5000000000ULL, u"4,768.4 MB (5,000,000,000 bytes)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileInfoPropertyPage::FormatFileSize(c.size).ToQString(), QString::fromUtf16(c.text)) << c.size;
    EXPECT_EQ(CFileInfoPropertyPage::InsertThousandsSeparators(u"1234567.8"), CString(u"1,234,567.8"));
    EXPECT_EQ(CFileInfoPropertyPage::InsertThousandsSeparators(u"123"), CString(u"123"));
    EXPECT_EQ(CFileInfoPropertyPage::InsertThousandsSeparators(u"123456.1234"), CString(u"123,456.1234"));
}

TEST(UserDefinedPropertyDialog, NumbersAreWholeTextsAndWiderOnesReal)
{
    struct Case {
        const char16_t* text;
        bool ok;
        VARTYPE vt;
        double value;
    } cases[] = {
        {u"42", true, VT_I4, 42},
        {u"-2147483648", true, VT_I4, -2147483648.0},
        {u"2147483648", true, VT_R8, 2147483648.0},
        {u"99999999999", true, VT_R8, 99999999999.0},
        {u"4.5", true, VT_R8, 4.5},
        {u"1e3", true, VT_R8, 1000},
        {u"12abc", false, VT_EMPTY, 0},
        {u"abc", false, VT_EMPTY, 0},
        {u"", false, VT_EMPTY, 0},
        {u"nan", false, VT_EMPTY, 0},
    };
    for (const Case& c : cases) {
        PropVariant value;
        EXPECT_EQ(CUserDefinedPropertyDialog::ParseNumber(c.text, value) != FALSE, c.ok) << QString::fromUtf16(c.text).toStdString();
        if (!c.ok)
            continue;
        EXPECT_EQ(value.GetType(), c.vt) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(c.vt == VT_I4 ? static_cast<double>(value.GetInteger()) : value.GetDouble(), c.value);
    }
    // A date comes back as the text it shows.
    PropVariant date;
    ASSERT_TRUE(CUserDefinedPropertyDialog::ParseDate(u"2026-12-11", date));
    EXPECT_EQ(date.GetType(), VT_DATE);
    EXPECT_EQ(date.GetDouble(), 46367.0);
    EXPECT_EQ(CUserDefinedPropertyDialog::ValueText(date), CString(u"2026-12-11"));
    EXPECT_FALSE(CUserDefinedPropertyDialog::ParseDate(u"the eleventh", date));
}

TEST_F(DocumentPropertiesTest, OkKeepsTheEditsThroughASaveAndReopenAndCancelNone)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    // A yes/no property another program wrote: not listed, but kept.
    pDoc->GetDocumentProperties().AppendUserDefinedProperty(
        QZ2DocumentUserDefinedProperty(u"Checked", PropVariant::Bool(TRUE)));
    pDoc->GetDocumentProperties().m_strAuthor = u"Ann";

    WhenModal<CDocumentPropertiesPropertySheet>([&](CDocumentPropertiesPropertySheet& sheet) {
        sheet.SetActivePage(1);
        EXPECT_EQ(Text(sheet.m_summaryPage, 1010), CString(u"Ann"));
        sheet.m_summaryPage.SetDlgItemText(1008, u"Ground floor");
        sheet.SetActivePage(2);
        EXPECT_EQ(sheet.m_userDefinedPage.GetList().GetItemCount(), 0);
        Press(sheet.m_userDefinedPage, 2496);
        Press(sheet.m_userDefinedPage, 2496);
        if (!Screens().isEmpty())
            sheet.GetQWidget()->grab().save(Screens() + QStringLiteral("/document-properties.png"));
        sheet.PressButton(PSBTN_OK);
    });
    WhenModal<CUserDefinedPropertyDialog>([](CUserDefinedPropertyDialog& dialog) { Fill(dialog, u"Sheets", 1, u"42"); });
    WhenModal<CUserDefinedPropertyDialog>([](CUserDefinedPropertyDialog& dialog) { Fill(dialog, CString(), 2, u"2026-12-11"); });
    Command(kPropertiesID);
    EXPECT_EQ(PendingModalActions(), 0u);

    QZ2DocumentProperties& properties = pDoc->GetDocumentProperties();
    EXPECT_EQ(properties.m_strTitle, CString(u"Ground floor"));
    EXPECT_EQ(properties.m_strAuthor, CString(u"Ann"));
    ASSERT_EQ(properties.GetUserDefinedPropertyCount(), 3);
    EXPECT_EQ(properties.GetUserDefinedProperty(0)->m_strName, CString(u"Sheets"));
    EXPECT_EQ(properties.GetUserDefinedProperty(0)->m_value, PropVariant::I4(42));
    // Added without a name of its own: the first free "Property n".
    EXPECT_EQ(properties.GetUserDefinedProperty(1)->m_strName, CString(u"Property 1"));
    EXPECT_EQ(properties.GetUserDefinedProperty(1)->m_value.GetType(), VT_DATE);
    EXPECT_EQ(properties.GetUserDefinedProperty(2)->m_strName, CString(u"Checked"));
    EXPECT_EQ(properties.GetUserDefinedProperty(2)->m_value, PropVariant::Bool(TRUE));
    EXPECT_EQ(CDocumentPropertiesPropertySheet::GetLastPropertyPage(), 2);

    // Cancel after edits changes nothing; the sheet opens on the page last shown.
    WhenModal<CDocumentPropertiesPropertySheet>([&](CDocumentPropertiesPropertySheet& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        sheet.m_userDefinedPage.GetList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        Press(sheet.m_userDefinedPage, 2499);
        sheet.SetActivePage(1);
        sheet.m_summaryPage.SetDlgItemText(1008, u"Changed");
        sheet.PressButton(PSBTN_CANCEL);
    });
    Command(kPropertiesID);
    EXPECT_EQ(properties.m_strTitle, CString(u"Ground floor"));
    EXPECT_EQ(properties.GetUserDefinedPropertyCount(), 3);

    // Through the file.
    const QString path = m_home.path() + QStringLiteral("/props.kvcd");
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(path), TRUE));
    pDoc->OnCloseDocument();
    Pump();
    auto* pAgain = dynamic_cast<CQZ2Doc*>(AfxGetDocManager()->OpenDocumentFile(CString::FromQString(path), FALSE));
    ASSERT_NE(pAgain, nullptr);
    QZ2DocumentProperties& loaded = pAgain->GetDocumentProperties();
    EXPECT_EQ(loaded.m_strTitle, CString(u"Ground floor"));
    ASSERT_EQ(loaded.GetUserDefinedPropertyCount(), 3);
    EXPECT_EQ(loaded.GetUserDefinedProperty(0)->m_value, PropVariant::I4(42));
    EXPECT_EQ(loaded.GetUserDefinedProperty(2)->m_value, PropVariant::Bool(TRUE));

    // The file page tells of the file.
    WhenModal<CDocumentPropertiesPropertySheet>([&](CDocumentPropertiesPropertySheet& sheet) {
        sheet.SetActivePage(0);
        EXPECT_EQ(Text(sheet.m_filePage, 1008), CString(u"props.kvcd"));
        EXPECT_EQ(Text(sheet.m_filePage, 1010).ToQString(), m_home.path());
        const CString exact =
            CFileInfoPropertyPage::InsertThousandsSeparators(CString::FromQString(QString::number(QFile(path).size())));
        EXPECT_TRUE(Text(sheet.m_filePage, 1011).ToQString().endsWith(
            QStringLiteral("(%1 bytes)").arg(exact.ToQString())));
        EXPECT_TRUE(Text(sheet.m_filePage, 1009).ToQString().contains(QStringLiteral("(version 4.21)")));
        EXPECT_FALSE(sheet.m_filePage.GetDlgItem(1006)->IsWindowEnabled());
        EXPECT_FALSE(Text(sheet.m_filePage, 1013).IsEmpty());
        if (!Screens().isEmpty())
            sheet.GetQWidget()->grab().save(Screens() + QStringLiteral("/document-properties-file.png"));
        sheet.PressButton(PSBTN_CANCEL);
    });
    Command(kPropertiesID);
    EXPECT_EQ(PendingModalActions(), 0u);
}

TEST_F(DocumentPropertiesTest, TheFilePageShowsTheIconAndItsBoxesChangeTheFileOnOkOnly)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    const QString path = m_home.path() + QStringLiteral("/plan.kvcd");
    const QString hiddenList = m_home.path() + QStringLiteral("/.hidden");
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(path), TRUE));
    // Another name the folder hides already stays hidden.
    {
        QFile list(hiddenList);
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("other.kvcd\n");
    }
    constexpr auto kWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    auto setBoxes = [&](int readOnly, int hidden, int button) {
        WhenModal<CDocumentPropertiesPropertySheet>([=](CDocumentPropertiesPropertySheet& sheet) {
            sheet.SetActivePage(0);
            CFileInfoPropertyPage& page = sheet.m_filePage;
            const auto hIcon = reinterpret_cast<HICON>(page.SendDlgItemMessage(1021, STM_GETICON));
            EXPECT_NE(hIcon, nullptr) << "the file's icon is shown";
            EXPECT_FALSE(AfxPixmapFromIcon(hIcon).isNull());
            EXPECT_TRUE(page.GetDlgItem(1005)->IsWindowEnabled());
            EXPECT_TRUE(page.GetDlgItem(1024)->IsWindowEnabled());
            static_cast<CButton*>(page.GetDlgItem(1005))->SetCheck(readOnly);
            static_cast<CButton*>(page.GetDlgItem(1024))->SetCheck(hidden);
            sheet.PressButton(button);
        });
        Command(kPropertiesID);
        EXPECT_EQ(PendingModalActions(), 0u);
    };
    auto shown = [&](int& readOnly, int& hidden) {
        WhenModal<CDocumentPropertiesPropertySheet>([&](CDocumentPropertiesPropertySheet& sheet) {
            sheet.SetActivePage(0);
            readOnly = static_cast<CButton*>(sheet.m_filePage.GetDlgItem(1005))->GetCheck();
            hidden = static_cast<CButton*>(sheet.m_filePage.GetDlgItem(1024))->GetCheck();
            sheet.PressButton(PSBTN_CANCEL);
        });
        Command(kPropertiesID);
    };

    // Cancel leaves the file alone.
    setBoxes(BST_CHECKED, BST_CHECKED, PSBTN_CANCEL);
    EXPECT_NE(QFile(path).permissions() & kWrite, QFileDevice::Permissions());
    EXPECT_FALSE(CFileInfoPropertyPage::IsFileHidden(CString::FromQString(path)));

    // OK: nobody may write it, and the folder's list hides it under its own name.
    setBoxes(BST_CHECKED, BST_CHECKED, PSBTN_OK);
    EXPECT_EQ(QFile(path).permissions() & kWrite, QFileDevice::Permissions());
    ASSERT_TRUE(QFile::exists(path)) << "the name stays";
    QFile list(hiddenList);
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), QByteArray("other.kvcd\nplan.kvcd\n"));
    list.close();
    int readOnly = 0, hidden = 0;
    shown(readOnly, hidden);
    EXPECT_EQ(readOnly, BST_CHECKED);
    EXPECT_EQ(hidden, BST_CHECKED);

    // And back.
    setBoxes(BST_UNCHECKED, BST_UNCHECKED, PSBTN_OK);
    EXPECT_TRUE(QFile(path).permissions() & QFileDevice::WriteOwner);
    EXPECT_FALSE(CFileInfoPropertyPage::IsFileHidden(CString::FromQString(path)));
    EXPECT_TRUE(CFileInfoPropertyPage::IsFileHidden(CString::FromQString(m_home.path() + QStringLiteral("/other.kvcd"))));
    // The list goes when its last name does.
    EXPECT_TRUE(CFileInfoPropertyPage::SetFileHidden(CString::FromQString(m_home.path() + QStringLiteral("/other.kvcd")), FALSE));
    EXPECT_FALSE(QFile::exists(hiddenList));

    // A name starting with a dot is hidden by the name: the box shows it and cannot be unticked.
    const QString dotted = m_home.path() + QStringLiteral("/.draft.kvcd");
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(dotted), TRUE));
    WhenModal<CDocumentPropertiesPropertySheet>([&](CDocumentPropertiesPropertySheet& sheet) {
        sheet.SetActivePage(0);
        EXPECT_EQ(static_cast<CButton*>(sheet.m_filePage.GetDlgItem(1024))->GetCheck(), BST_CHECKED);
        EXPECT_FALSE(sheet.m_filePage.GetDlgItem(1024)->IsWindowEnabled());
        sheet.PressButton(PSBTN_CANCEL);
    });
    Command(kPropertiesID);
    EXPECT_FALSE(CFileInfoPropertyPage::SetFileHidden(CString::FromQString(dotted), FALSE));
    EXPECT_TRUE(QFile::exists(dotted));
}

TEST_F(DocumentPropertiesTest, NewNamesReuseTheFirstFreeNumberAndBadValuesKeepTheDialogOpen)
{
    ASSERT_NE(NewDrawing(), nullptr);
    int shownAfterBadNumber = -1;
    WhenModal<CDocumentPropertiesPropertySheet>([&](CDocumentPropertiesPropertySheet& sheet) {
        sheet.SetActivePage(2);
        CUserDefinedPropertiesPropertyPage& page = sheet.m_userDefinedPage;
        Press(page, 2496);
        Press(page, 2496);
        ASSERT_EQ(page.GetList().GetItemCount(), 2);
        EXPECT_EQ(page.GetList().GetItemText(0, 0), CString(u"Property 1"));
        EXPECT_EQ(page.GetList().GetItemText(1, 0), CString(u"Property 2"));
        // The last one added is selected, alone; edit and delete follow the selection.
        EXPECT_EQ(page.GetList().GetSelectedCount(), 1u);
        EXPECT_EQ(page.GetList().GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_TRUE(page.GetDlgItem(2501)->IsWindowEnabled());
        page.GetList().SetItemState(1, 0, LVIS_SELECTED);
        page.GetList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        Press(page, 2499);
        EXPECT_EQ(page.GetList().GetItemText(0, 0), CString(u"Property 2"));
        EXPECT_EQ(page.MakeNewPropertyName(), CString(u"Property 1"));
        page.GetList().SetItemState(0, 0, LVIS_SELECTED);
        EXPECT_FALSE(page.GetDlgItem(2499)->IsWindowEnabled());
        sheet.PressButton(PSBTN_CANCEL);
    });
    WhenModal<CUserDefinedPropertyDialog>([](CUserDefinedPropertyDialog& dialog) { Fill(dialog, CString(), 0, u"a"); });
    WhenModal<CUserDefinedPropertyDialog>([&](CUserDefinedPropertyDialog& dialog) {
        const size_t boxes = m_app->boxes.size();
        Fill(dialog, CString(), 1, u"12abc");
        // Refused with its message; the dialog stays with the text as typed.
        EXPECT_EQ(m_app->boxes.size(), boxes + 1);
        EXPECT_TRUE(m_app->boxes.back().text.startsWith(QStringLiteral("Enter a number")));
        shownAfterBadNumber = dialog.IsWindowVisible() ? 1 : 0;
        Fill(dialog, CString(), 2, u"not a date");
        EXPECT_TRUE(m_app->boxes.back().text.startsWith(QStringLiteral("Enter a valid date")));
        Fill(dialog, CString(), 1, u"12");
    });
    Command(kPropertiesID);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(shownAfterBadNumber, 1);
}

}  // namespace
