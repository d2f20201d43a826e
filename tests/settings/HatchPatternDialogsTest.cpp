// The hatch pattern dialogs: the line pattern dialog's lines, ranges and names, the shape pattern
// dialog's spins and preview, and the pattern table: its buttons, new, edit, copy names, rename, delete,
// the New menu and the way back to the hatch style.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <functional>
#include <string>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CMenu.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CHatchPatternTableDialog.h"
#include "settings/CLineHatchPatternSettingDialog.h"
#include "settings/CShapeHatchPatternSettingDialog.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

using LD = CLineHatchPatternSettingDialog;
using SD = CShapeHatchPatternSettingDialog;
using TD = CHatchPatternTableDialog;

LineHatchPattern Lines(const char16_t* name, int nItems)
{
    LineHatchPattern pattern;
    pattern.SetPatternName(CString(name));
    for (int i = 0; i < nItems; ++i) {
        LineHatchPatternLineItem item;
        item.SetAngle(10.0 * i);
        item.SetSpace(1.0 + i);
        pattern.AddLineItem(item);
    }
    return pattern;
}

ShapeHatchPattern Dots(const char16_t* name)
{
    ShapeHatchPattern pattern;
    pattern.SetPatternName(CString(name));
    pattern.SetSpace1(3.0);
    pattern.SetSpace2(3.0);
    pattern.SetAngle(0.0, 90.0);
    Circle2dFeature dot(RuVaPnt2d(0, 0), 0.5);
    pattern.AddFeature(&dot);
    return pattern;
}

class HatchPatternDialogsTest : public SettingsDialogTest
{
protected:
    // Runs act on the modal dialog of class T once it shows.
    template <class T>
    static void WhenModal(std::function<void(T&)> act)
    {
        auto* pTimer = new QTimer;
        pTimer->setInterval(5);
        QObject::connect(pTimer, &QTimer::timeout, [pTimer, act]() {
            auto* pDialog = dynamic_cast<T*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr)
                return;
            pTimer->stop();
            pTimer->deleteLater();
            act(*pDialog);
        });
        pTimer->start();
    }
    static void Command(CDialog& dialog, int nId, int nCode)
    {
        CWnd* pItem = dialog.GetDlgItem(nId);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nId, nCode),
                           reinterpret_cast<LPARAM>(pItem != nullptr ? pItem->GetSafeHwnd() : nullptr));
    }
    static void Ok(CDialog& dialog) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }
    static bool Open(CDialog& dialog) { return dialog.GetSafeHwnd() != nullptr && dialog.GetQWidget()->isVisible(); }
    static void Spin(CDialog& dialog, int nSpin, int nDelta)
    {
        NMUPDOWN nm{};
        nm.hdr.hwndFrom = dialog.GetDlgItem(nSpin)->GetSafeHwnd();
        nm.hdr.idFrom = static_cast<UINT_PTR>(nSpin);
        nm.hdr.code = UDN_DELTAPOS;
        nm.iDelta = nDelta;
        dialog.SendMessage(WM_NOTIFY, static_cast<WPARAM>(nSpin), reinterpret_cast<LPARAM>(&nm));
    }
    static QStringList Entries(CDialog& dialog)
    {
        auto* pList = static_cast<CComboBox*>(dialog.GetDlgItem(LD::kItemList));
        QStringList entries;
        for (int i = 0; i < pList->GetCount(); ++i) {
            CString text;
            pList->GetLBText(i, text);
            entries << text.ToQString();
        }
        return entries;
    }
    Draw2dDocument m_document;
};

// ---- line pattern dialog ------------------------------------------------------------------------------------

TEST_F(HatchPatternDialogsTest, ANewLinePatternStartsWithOneLineAndTheLastLineCannotGo)
{
    LD dialog;
    dialog.m_pDocument = &m_document;
    dialog.m_pattern.SetPatternName(CString(u"Lines"));
    bool oneLine = false, okAtStart = false, okWithout = true, deleteWithout = true, colourWithout = true;
    bool okAgain = false, openAfterOkWithout = false;
    QTimer::singleShot(0, [&]() {
        oneLine = dialog.m_pattern.GetLineItemCount() == 1 && dialog.GetCurrentItem() == 0 &&
                  Entries(dialog) == QStringList{QStringLiteral("Line 1")};
        okAtStart = Enabled(dialog, IDOK);
        Click(dialog, LD::kDeleteButton);
        okWithout = Enabled(dialog, IDOK);
        deleteWithout = Enabled(dialog, LD::kDeleteButton);
        colourWithout = Enabled(dialog, LD::kColorList) || Enabled(dialog, LD::kAngleEdit) || Enabled(dialog, 2510);
        dialog.OnOK();
        openAfterOkWithout = Open(dialog);
        Click(dialog, LD::kAddButton);
        okAgain = Enabled(dialog, IDOK) && Enabled(dialog, LD::kSpaceEdit) && Enabled(dialog, LD::kDeleteButton);
        Ok(dialog);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(oneLine);
    EXPECT_TRUE(okAtStart);
    EXPECT_FALSE(okWithout);
    EXPECT_FALSE(deleteWithout);
    EXPECT_FALSE(colourWithout);
    EXPECT_TRUE(openAfterOkWithout);
    EXPECT_TRUE(okAgain);
    EXPECT_EQ(dialog.m_pattern.GetLineItemCount(), 1);
    EXPECT_EQ(dialog.m_pattern.GetPatternName(), CString(u"Lines"));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(HatchPatternDialogsTest, LinesAreNumberedAfterADeleteAndAThirtyThirdIsRefused)
{
    LD dialog;
    dialog.m_pDocument = &m_document;
    dialog.m_bNewPattern = FALSE;
    dialog.m_pattern.Copy(Lines(u"Five", 5));
    QStringList afterDelete;
    int selectedAfterDelete = -1, selectedAfterLast = -1, countAt32 = 0;
    double loadedSpace = 0.0;
    QTimer::singleShot(0, [&]() {
        auto* pList = static_cast<CComboBox*>(dialog.GetDlgItem(LD::kItemList));
        pList->SetCurSel(2);
        Command(dialog, LD::kItemList, CBN_SELENDOK);
        Click(dialog, LD::kDeleteButton);
        afterDelete = Entries(dialog);
        selectedAfterDelete = dialog.GetCurrentItem();
        loadedSpace = Text(dialog, LD::kSpaceEdit).toDouble();
        pList->SetCurSel(3);
        Command(dialog, LD::kItemList, CBN_SELENDOK);
        Click(dialog, LD::kDeleteButton);
        selectedAfterLast = dialog.GetCurrentItem();
        while (dialog.m_pattern.GetLineItemCount() < 32)
            Click(dialog, LD::kAddButton);
        countAt32 = static_cast<int>(Boxes().size());
        Click(dialog, LD::kAddButton);
        Command(dialog, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(afterDelete, (QStringList{QStringLiteral("Line 1"), QStringLiteral("Line 2"), QStringLiteral("Line 3"),
                                        QStringLiteral("Line 4")}));
    EXPECT_EQ(selectedAfterDelete, 2) << "the line now at the same place";
    EXPECT_DOUBLE_EQ(loadedSpace, 4.0) << "the fourth line moved up and is shown";
    EXPECT_EQ(selectedAfterLast, 2) << "the new last line";
    EXPECT_EQ(countAt32, 0);
    EXPECT_EQ(dialog.m_pattern.GetLineItemCount(), 32);
    EXPECT_TRUE(OneBox(10259));
}

TEST_F(HatchPatternDialogsTest, LineFieldsKeepToTheirRangesAndNamesInUseAreRefused)
{
    struct Case {
        int field;
        const char16_t* text;
        UINT message;
    } cases[] = {{LD::kAngleEdit, u"360", 0},          {LD::kSpaceEdit, u"0", 0},
                 {LD::kSpaceEdit, u"1e15", 10124},     {LD::kOriginXEdit, u"-1e15", 10124},
                 {LD::kOriginYEdit, u"-99999", 0},     {LD::kAngleEdit, u"360.5", 10124}};
    for (const Case& c : cases) {
        ClearBoxes();
        LD dialog;
        dialog.m_pDocument = &m_document;
        dialog.m_pattern.SetPatternName(CString(u"Lines"));
        QTimer::singleShot(0, [&]() {
            Type(dialog, c.field, QString::fromUtf16(c.text));
            Ok(dialog);
            if (!Boxes().empty())
                Command(dialog, IDCANCEL, BN_CLICKED);
        });
        const bool open = dialog.DoModal() != IDOK;
        Pump();
        std::string at = std::to_string(c.field) + " " + QString::fromUtf16(c.text).toStdString();
        for (const QString& box : Boxes())
            at += " [" + box.toStdString() + "]";
        EXPECT_EQ(open, c.message != 0) << at;
        if (c.message != 0)
            EXPECT_EQ(Boxes().size(), 1u) << at;
    }

    ClearBoxes();
    LD dialog;
    dialog.m_pDocument = &m_document;
    dialog.m_pattern.SetPatternName(CString(u"Mine"));
    dialog.m_usedNames.Add(CString(u"Brick"));
    bool refusedEmpty = false, refusedCase = false;
    QTimer::singleShot(0, [&]() {
        Type(dialog, LD::kNameEdit, QString());
        Ok(dialog);
        refusedEmpty = Open(dialog);
        Type(dialog, LD::kNameEdit, QStringLiteral("BRICK"));
        Ok(dialog);
        refusedCase = Open(dialog);
        // Its own name is not among those in use.
        Type(dialog, LD::kNameEdit, QStringLiteral("Mine"));
        Ok(dialog);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(refusedEmpty);
    EXPECT_TRUE(refusedCase);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_TRUE(IsMessage(Boxes()[0], 10257));
    EXPECT_TRUE(IsMessage(Boxes()[1], 10258));
}

TEST_F(HatchPatternDialogsTest, TypedValuesReachTheLineBeforeASpinOfAnotherField)
{
    LD dialog;
    dialog.m_pDocument = &m_document;
    dialog.m_bNewPattern = FALSE;
    dialog.m_pattern.Copy(Lines(u"One", 1));
    bool outdated = false;
    QImage before, after;
    QTimer::singleShot(0, [&]() {
        Pump();
        if (dialog.GetPreview().GetImage() != nullptr)
            before = *dialog.GetPreview().GetImage();
        Type(dialog, LD::kAngleEdit, QStringLiteral("30"));
        // Pressing the spacing spin moves the focus there: the typed angle is committed on the way.
        dialog.GetDlgItem(LD::kSpaceEdit)->SetFocus();
        Command(dialog, LD::kSpaceEdit, EN_SETFOCUS);
        Spin(dialog, 2510, 1);
        outdated = dialog.GetPreview().IsOutdated();
        dialog.GetDlgItem(LD::kPreview)->UpdateWindow();
        Pump();
        if (dialog.GetPreview().GetImage() != nullptr)
            after = *dialog.GetPreview().GetImage();
        Ok(dialog);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dialog.m_pattern.GetLineItem(0).GetAngle(), 30.0);
    EXPECT_NE(dialog.m_pattern.GetLineItem(0).GetSpace(), 1.0) << "the spin stepped the spacing";
    EXPECT_TRUE(outdated);
    EXPECT_FALSE(before.isNull());
    EXPECT_FALSE(after.isNull());
    EXPECT_NE(before, after) << "the picture follows";
}

// ---- shape pattern dialog -----------------------------------------------------------------------------------

TEST_F(HatchPatternDialogsTest, ShapeDialogRangesSpinsAndPreview)
{
    struct Case {
        int field;
        const char16_t* text;
        UINT message;
    } cases[] = {{SD::kAngle1Edit, u"90", 10125}, {SD::kAngle2Edit, u"0", 10125},    {SD::kAngle2Edit, u"180", 10125},
                 {SD::kSpace1Edit, u"0", 10125},  {SD::kAngle2Edit, u"30", 10382},   {SD::kAngle2Edit, u"45", 0}};
    for (const Case& c : cases) {
        ClearBoxes();
        SD dialog;
        dialog.m_pDocument = &m_document;
        dialog.m_pattern.Copy(Dots(u"Dots"));
        QTimer::singleShot(0, [&]() {
            Type(dialog, SD::kAngle1Edit, QStringLiteral("30"));
            Type(dialog, c.field, QString::fromUtf16(c.text));
            Ok(dialog);
            if (!Boxes().empty())
                Command(dialog, IDCANCEL, BN_CLICKED);
        });
        const bool open = dialog.DoModal() != IDOK;
        Pump();
        std::string at = std::to_string(c.field) + " " + QString::fromUtf16(c.text).toStdString();
        for (const QString& box : Boxes())
            at += " [" + box.toStdString() + "]";
        EXPECT_EQ(open, c.message != 0) << at;
        if (c.message == 0)
            EXPECT_TRUE(Boxes().empty()) << at;
        else
            EXPECT_EQ(Boxes().size(), 1u) << at;
    }

    ClearBoxes();
    SD dialog;
    dialog.m_pDocument = &m_document;
    dialog.m_pattern.Copy(Dots(u"Dots"));
    QImage before, after;
    QTimer::singleShot(0, [&]() {
        // Grabbing paints the control, which rebuilds an outdated picture.
        dialog.GetDlgItem(SD::kPreview)->GetQWidget()->grab();
        if (dialog.GetPreview().GetImage() != nullptr)
            before = *dialog.GetPreview().GetImage();
        Spin(dialog, 2514, 1);
        // A typed spacing reaches the pattern when the focus moves on.
        Type(dialog, SD::kSpace2Edit, QStringLiteral("9"));
        Command(dialog, SD::kAngle2Edit, EN_SETFOCUS);
        dialog.GetDlgItem(SD::kPreview)->GetQWidget()->grab();
        if (dialog.GetPreview().GetImage() != nullptr)
            after = *dialog.GetPreview().GetImage();
        Ok(dialog);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_NE(dialog.m_pattern.GetSpace1(), 3.0);
    EXPECT_FALSE(before.isNull());
    EXPECT_NE(before, after);
    if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR"))
        after.save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/shape-pattern-preview.png"));
}

// ---- the pattern table --------------------------------------------------------------------------------------

TEST_F(HatchPatternDialogsTest, CopyAndDefaultNames)
{
    HatchPatternTable table;
    for (const char16_t* name : {u"Brick", u"Brick (2)", u"Wall (999)"}) {
        LineHatchPattern pattern = Lines(name, 1);
        table.AddHatchPattern(&pattern);
    }
    const struct {
        const char16_t* label;
        const char16_t* copy;
    } cases[] = {{u"Brick", u"Brick (1)"},         {u"Brick (1)", u"Brick (3)"},     {u"Brick (x)", u"Brick (x) (1)"},
                 {u"Brick (0)", u"Brick (0) (1)"}, {u"Brick(1)", u"Brick (3)"},      {u"Brick (2a)", u"Brick (3)"},
                 {u"Wall (999)", u"Wall (1000)"},  {u"(5)", u" (6)"},                {u"Tiles", u"Tiles (1)"}};
    for (const auto& c : cases)
        EXPECT_EQ(TD::MakeCopyName(CString(c.label), table), CString(c.copy)) << QString::fromUtf16(c.label).toStdString();

    CStringArray names;
    EXPECT_EQ(TD::MakeDefaultName(CString(u"Pattern"), names), CString(u"Pattern 1"));
    names.Add(CString(u"Pattern 1"));
    names.Add(CString(u"PATTERN 2"));
    EXPECT_EQ(TD::MakeDefaultName(CString(u"Pattern"), names), CString(u"Pattern 3"));
}

TEST_F(HatchPatternDialogsTest, AnEmptyTableOffersOnlyNew)
{
    TD dialog(nullptr, &m_document);
    ASSERT_TRUE(dialog.Create(TD::IDD, nullptr));
    EXPECT_EQ(dialog.GetPatternList().GetItemCount(), 0);
    for (int id : {TD::kEditButton, TD::kDeleteButton, TD::kCopyButton})
        EXPECT_FALSE(Enabled(dialog, id)) << id;
    EXPECT_TRUE(Enabled(dialog, TD::kNewButton));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(TD::kNewMenu));
    ASSERT_NE(menu.GetSubMenu(0), nullptr);
    EXPECT_EQ(menu.GetSubMenu(0)->GetMenuItemID(0), TD::kNewLinePattern);
    dialog.DestroyWindow();
}

TEST_F(HatchPatternDialogsTest, NewEditCopyRenameAndDeleteChangeTheDocumentAtOnce)
{
    const ShapeHatchPattern dots = Dots(u"Dots");
    const long nDots = m_document.AddHatchPattern(&dots);
    TD dialog(nullptr, &m_document);
    ASSERT_TRUE(dialog.Create(TD::IDD, nullptr));
    CUserDefinedHatchPatternListCtrl& list = dialog.GetPatternList();
    ASSERT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetSelectedPatternID(), nDots) << "the first pattern is selected";
    EXPECT_TRUE(Enabled(dialog, TD::kCopyButton));
    const HatchPatternTable& table = *m_document.GetHatchPatternTable();

    // New > Line Pattern: a default name, one line, stored and selected on OK.
    CString offered;
    WhenModal<LD>([&](LD& d) {
        offered = d.m_pattern.GetPatternName();
        Ok(d);
    });
    dialog.OnNewMenuCommand(TD::kNewLinePattern);
    EXPECT_EQ(offered, CString(u"Pattern 1"));
    ASSERT_EQ(table.GetHatchPatternCount(), 2);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetSelectedPatternID(), table.GetHatchPatternByIndex(1)->GetPatternID());
    EXPECT_EQ(dynamic_cast<const LineHatchPattern*>(table.GetHatchPatternByIndex(1))->GetLineItemCount(), 1);

    // Edit opens the dialog of the pattern's kind; OK stores and the item follows.
    WhenModal<LD>([&](LD& d) {
        Type(d, LD::kNameEdit, QStringLiteral("Brick"));
        Click(d, LD::kAddButton);
        Ok(d);
    });
    dialog.OnEdit();
    EXPECT_EQ(table.GetHatchPatternByIndex(1)->GetPatternName(), CString(u"Brick"));
    EXPECT_EQ(dynamic_cast<const LineHatchPattern*>(table.GetHatchPatternByIndex(1))->GetLineItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, 0), CString(u"Brick"));
    list.SelectPatternID(nDots);
    WhenModal<SD>([&](SD& d) {
        Type(d, SD::kSpace2Edit, QStringLiteral("6"));
        Ok(d);
    });
    dialog.OnEdit();
    EXPECT_DOUBLE_EQ(dynamic_cast<const ShapeHatchPattern*>(table.GetHatchPattern(nDots))->GetSpace2(), 6.0);

    // Copy numbers the name.
    list.SelectPatternID(table.GetHatchPatternByIndex(1)->GetPatternID());
    dialog.OnCopy();
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(2, 0), CString(u"Brick (1)"));
    EXPECT_EQ(list.GetSelectedPatternID(), table.GetHatchPatternByIndex(2)->GetPatternID());

    // Rename in place: the document's refusal and a cancelled edit revert; a new name is kept.
    auto rename = [&](int nItem, const char16_t* text) {
        NMLVDISPINFO info{};
        info.hdr.hwndFrom = list.GetSafeHwnd();
        info.hdr.idFrom = TD::kPatternList;
        info.hdr.code = LVN_ENDLABELEDIT;
        info.item.iItem = nItem;
        std::u16string buffer = text != nullptr ? std::u16string(text) : std::u16string();
        info.item.pszText = text != nullptr ? buffer.data() : nullptr;
        return dialog.SendMessage(WM_NOTIFY, TD::kPatternList, reinterpret_cast<LPARAM>(&info));
    };
    EXPECT_EQ(rename(2, nullptr), FALSE);
    EXPECT_EQ(rename(2, u"brick"), FALSE) << "a name in use, ignoring case";
    EXPECT_EQ(rename(2, u"Brick (1)"), FALSE) << "its own name";
    EXPECT_EQ(rename(2, u"Wall"), TRUE);
    EXPECT_EQ(table.GetHatchPatternByIndex(2)->GetPatternName(), CString(u"Wall"));
    EXPECT_EQ(list.GetPatternAt(2)->GetPatternName(), CString(u"Wall"));

    // Delete: a pattern in use is refused; otherwise asked, and the new last item is selected.
    HatchSetting using_;
    using_.SetHatchType(2);
    using_.SetPatternID(nDots);
    m_document.SetHatchSetting(using_);
    list.SelectPatternID(nDots);
    ClearBoxes();
    dialog.OnDelete();
    EXPECT_TRUE(OneBox(10216));
    EXPECT_EQ(table.GetHatchPatternCount(), 3);
    if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR")) {
        dialog.ShowWindow(SW_SHOW);
        Pump();
        dialog.GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") +
                                         QStringLiteral("/hatch-pattern-table.png"));
    }
    list.SelectPatternID(table.GetHatchPatternByIndex(2)->GetPatternID());
    AnswerBoxesWith(IDNO);
    dialog.OnDelete();
    EXPECT_TRUE(OneBox(10217));
    EXPECT_EQ(table.GetHatchPatternCount(), 3);
    AnswerBoxesWith(IDYES);
    dialog.OnDelete();
    EXPECT_TRUE(OneBox(10217));
    EXPECT_EQ(table.GetHatchPatternCount(), 2);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    dialog.DestroyWindow();
}

TEST_F(HatchPatternDialogsTest, TheHatchStyleButtonEndsWithItsOwnResult)
{
    TD dialog(nullptr, &m_document);
    QTimer::singleShot(0, [&]() { Click(dialog, TD::kHatchStyleButton); });
    EXPECT_EQ(dialog.DoModal(), TD::kHatchStyleResult);
    TD again(nullptr, &m_document);
    QTimer::singleShot(0, [&]() { again.OnNewMenuCommand(TD::kNewShapePattern); });
    EXPECT_EQ(again.DoModal(), IDOK);
}

}  // namespace
