// Settings > Basic Shape Setting in the running program: the style dialog opens on the basic shape page,
// OK writes what changed (numbers and named styles) as one undo step that Undo takes back, and Cancel or
// OK without a change leave the document as it was. Settings > Dimension Setting end to end (a style
// registered on the value text page, the page shown last, a style dropped and chosen again); the pattern
// table from the hatch style; Cancel at each stage checked against the saved bytes and the store.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "libs/vevure/DimensionSetting.h"
#include "settings/CDimensionColorLineSettingPage.h"
#include "settings/CGeneralFeatureSettingPage.h"
#include "settings/CPointMarkerSettingPage.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "settings/CRegisterSettingStyleDialog.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "platform/win/CButton.h"
#include "settings/CHatchPatternTableDialog.h"
#include "settings/CHatchSettingPage.h"
#include "settings/CLineHatchPatternSettingDialog.h"
#include "settings/CDimensionTextSettingPage.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/DrawViewInfo.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "platform/win/CComboBox.h"
#include "platform/win/SettingsStore.h"
#include <QtCore/QFile>
#include <QtTest/QTest>
#include <QtWidgets/QWidget>

namespace {

constexpr UINT kBasicShapeSetting = 34631;
constexpr UINT kUndo = 57643;

class StyleSettingCommandTest : public ProgramFixture
{
protected:
    static void Press(CWnd& dialog, int nID) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }
    static CGeneralFeatureSettingPage& Page(CFeatureSettingTreeDialog& dialog)
    {
        return *static_cast<CGeneralFeatureSettingPage*>(dialog.GetCurrentPage());
    }
    static void PickColour(CFeatureSettingTreeDialog& dialog, short colour)
    {
        CGeneralFeatureSettingPage& page = Page(dialog);
        ASSERT_TRUE(page.m_colorList.SetColorNo(colour));
        page.SendMessage(WM_COMMAND, MAKEWPARAM(CGeneralFeatureSettingPage::kColorId, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(page.m_colorList.m_hWnd));
    }
};

TEST_F(StyleSettingCommandTest, OKWritesOneUndoStepAndCancelNothing)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    ASSERT_NE(pModel, nullptr);
    const short colour0 = pModel->GetCurrentColorNo();
    const short colour1 = colour0 == 5 ? 6 : 5;
    const int undo0 = pModel->GetUndoCount();

    // Cancel after a change: nothing changes.
    bool opened = false;
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        opened = dialog.GetCurrentPageIndex() == CFeatureSettingPropertyPage::kGeneralPage;
        PickColour(dialog, colour1);
        Press(dialog, IDCANCEL);
    });
    Command(kBasicShapeSetting);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_TRUE(opened) << "the dialog opens on the basic shape page";
    EXPECT_EQ(pModel->GetCurrentColorNo(), colour0);
    EXPECT_EQ(pModel->GetUndoCount(), undo0);

    // OK without a change: no undo step.
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) { Press(dialog, IDOK); });
    Command(kBasicShapeSetting);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(pModel->GetUndoCount(), undo0);

    // A new colour registered as a named style: numbers and collection in one step.
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        PickColour(dialog, colour1);
        Press(dialog, CFeatureSettingTreeDialog::kRegisterId);
        Press(dialog, IDOK);
    });
    WhenModal<CRegisterSettingStyleDialog>([&](CRegisterSettingStyleDialog& names) {
        names.m_nameList.SetWindowText(u"Mine");
        Press(names, IDOK);
    });
    Command(kBasicShapeSetting);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(pModel->GetCurrentColorNo(), colour1);
    ASSERT_NE(pModel->GetGeneralFeatureSettingStyles()->GetSettingStyle(CString(u"Mine")), nullptr);
    EXPECT_EQ(pModel->GetUndoCount(), undo0 + 1);

    ASSERT_TRUE(pModel->Undo(1));
    EXPECT_EQ(pModel->GetCurrentColorNo(), colour0);
    EXPECT_EQ(pModel->GetGeneralFeatureSettingStyles()->GetSettingStyle(CString(u"Mine")), nullptr);
}

}  // namespace

namespace {

TEST_F(StyleSettingCommandTest, PointMarkerSettingOpensItsPageAndWritesTheNewSize)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    const double size0 = pModel->GetPointMarkerSetting()->GetSize();
    const double size1 = size0 == 4.5 ? 5.5 : 4.5;
    const int undo0 = pModel->GetUndoCount();
    int page = 0;
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        page = dialog.GetCurrentPageIndex();
        CWnd* pPage = dialog.GetCurrentPage();
        pPage->GetDlgItem(CPointMarkerSettingPage::kSizeId)->SetWindowText(CString::FromQString(QString::number(size1)));
        Press(dialog, IDOK);
    });
    Command(34632);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(page, CFeatureSettingPropertyPage::kPointMarkerPage);
    EXPECT_EQ(m_app->m_nLastStylePage, CFeatureSettingPropertyPage::kPointMarkerPage)
        << "the application keeps the page shown last";
    EXPECT_DOUBLE_EQ(pModel->GetPointMarkerSetting()->GetSize(), size1);
    EXPECT_EQ(pModel->GetUndoCount(), undo0 + 1);
    ASSERT_TRUE(pModel->Undo(1));
    EXPECT_DOUBLE_EQ(pModel->GetPointMarkerSetting()->GetSize(), size0);
}

TEST_F(StyleSettingCommandTest, DimensionSettingWritesTheDimensionColourAndCancelNothing)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    const DimensionSetting before = *pModel->GetDimensionSetting();
    const short colour1 = before.GetColorNo() == 4 ? 5 : 4;
    const int undo0 = pModel->GetUndoCount();
    auto pick = [colour1](CFeatureSettingTreeDialog& dialog) {
        ASSERT_TRUE(dialog.SelectPage(CFeatureSettingPropertyPage::kDimensionColorPage));
        auto* pPage = dynamic_cast<CDimensionColorLineSettingPage*>(dialog.GetCurrentPage());
        ASSERT_NE(pPage, nullptr);
        ASSERT_TRUE(pPage->m_colorList.SetColorNo(colour1));
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CDimensionColorLineSettingPage::kColorId, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(pPage->m_colorList.m_hWnd));
    };
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        pick(dialog);
        Press(dialog, IDCANCEL);
    });
    Command(34636);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_TRUE(pModel->GetDimensionSetting()->IsEqual(before)) << "Cancel changes nothing";
    EXPECT_EQ(pModel->GetUndoCount(), undo0);
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        pick(dialog);
        Press(dialog, IDOK);
    });
    Command(34636);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(pModel->GetDimensionSetting()->GetColorNo(), colour1);
    EXPECT_EQ(pModel->GetDimensionSetting()->GetArrowSize1(), before.GetArrowSize1());
    EXPECT_EQ(pModel->GetUndoCount(), undo0 + 1);
    ASSERT_TRUE(pModel->Undo(1));
    EXPECT_TRUE(pModel->GetDimensionSetting()->IsEqual(before));
}

// Hatch Setting > Hatch Patterns...: a line pattern of two families, its copy, back to the hatch style,
// the user pattern chosen: one undo step for the table and one for the style.
TEST_F(StyleSettingCommandTest, HatchPatternsFromTheHatchStyleAndBack)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    const HatchSetting before = *pModel->GetHatchSetting();
    const int undo0 = pModel->GetUndoCount();

    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        EXPECT_EQ(dialog.GetCurrentPageIndex(), CFeatureSettingPropertyPage::kHatchPage);
        CWnd* pPage = dialog.GetCurrentPage();
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CHatchSettingPage::kPatternTableId, BN_CLICKED),
                           reinterpret_cast<LPARAM>(pPage->GetDlgItem(CHatchSettingPage::kPatternTableId)->m_hWnd));
    });
    WhenModal<CHatchPatternTableDialog>([&](CHatchPatternTableDialog& table) {
        table.OnNewMenuCommand(CHatchPatternTableDialog::kNewLinePattern);
        table.OnCopy();
        Press(table, CHatchPatternTableDialog::kHatchStyleButton);
    });
    // The line pattern dialog opens from the table, before the way back.
    WhenModal<CLineHatchPatternSettingDialog>([&](CLineHatchPatternSettingDialog& lines) {
        lines.GetDlgItem(CLineHatchPatternSettingDialog::kNameEdit)->SetWindowText(_T("Brick"));
        Press(lines, CLineHatchPatternSettingDialog::kAddButton);
        Press(lines, IDOK);
    });
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        auto* pPage = static_cast<CHatchSettingPage*>(dialog.GetCurrentPage());
        for (int id : {CHatchSettingPage::kSolidId, CHatchSettingPage::kBuiltInId, CHatchSettingPage::kUserId})
            static_cast<CButton*>(pPage->GetDlgItem(id))->SetCheck(id == CHatchSettingPage::kUserId);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CHatchSettingPage::kUserId, BN_CLICKED),
                           reinterpret_cast<LPARAM>(pPage->GetDlgItem(CHatchSettingPage::kUserId)->m_hWnd));
        Press(dialog, IDOK);
    });
    Command(34637);
    EXPECT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    const HatchPatternTable& table = *pModel->GetHatchPatternTable();
    ASSERT_EQ(table.GetHatchPatternCount(), 2);
    EXPECT_EQ(table.GetHatchPatternByIndex(0)->GetPatternName(), CString(u"Brick"));
    EXPECT_EQ(table.GetHatchPatternByIndex(1)->GetPatternName(), CString(u"Brick (1)"));
    EXPECT_EQ(dynamic_cast<const LineHatchPattern*>(table.GetHatchPatternByIndex(0))->GetLineItemCount(), 2);
    EXPECT_EQ(pModel->GetHatchSetting()->GetHatchType(), 2);
    EXPECT_EQ(pModel->GetHatchSetting()->GetPatternID(), table.GetHatchPatternByIndex(0)->GetPatternID());
    EXPECT_EQ(pModel->GetUndoCount(), undo0 + 2) << "one step for the table, one for the style";
    ASSERT_TRUE(pModel->Undo(1));
    EXPECT_EQ(pModel->GetHatchSetting()->GetHatchType(), before.GetHatchType());
    EXPECT_EQ(table.GetHatchPatternCount(), 2);
    ASSERT_TRUE(pModel->Undo(1));
    EXPECT_EQ(pModel->GetHatchPatternTable()->GetHatchPatternCount(), 0);
}

}  // namespace

namespace {

// The document as it would be saved, and the settings store's file: what Cancel must leave as it was.
struct Saved {
    QByteArray document, store;
};

// Which of the two differs, if any.
testing::AssertionResult Same(const Saved& now, const Saved& before)
{
    if (now.document != before.document)
        return testing::AssertionFailure() << "the document's bytes differ (" << now.document.size() << " against "
                                           << before.document.size() << ")";
    if (now.store != before.store)
        return testing::AssertionFailure() << "the settings store differs:\n"
                                           << now.store.toStdString() << "\nagainst\n"
                                           << before.store.toStdString();
    return testing::AssertionSuccess();
}

Saved SavedNow(const Draw2dDocument& model)
{
    Saved saved;
    CMemFile file;
    DrawViewInfo views;
    {
        CArchive ar(&file, CArchive::store);
        model.SaveToArchive(ar, views, 0);
    }
    saved.document = QByteArray(reinterpret_cast<const char*>(file.GetBuffer()), (qsizetype)file.GetLength());
    QFile store(QString::fromStdU16String(SettingsStore::UserFilePath()));
    if (store.open(QIODevice::ReadOnly))
        saved.store = store.readAll();
    return saved;
}

// Settings > Dimension Setting: height 5 and precision 3 on the value text page, registered as "ISO 5",
// left on the tolerance page: one undo step holding the style and the collection; the next opening shows
// the tolerance page; a keystroke drops "ISO 5", choosing it brings its values back; Undo takes it all
// back. Cancel at each stage, and OK without a change, leave the saved bytes and the store as they were.
TEST_F(StyleSettingCommandTest, ADimensionStyleRegisteredOnTheValueTextPageAndChosenAgain)
{
    constexpr UINT kDimensionSetting = 34636;
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    pModel->ClearUndoRedoHistory();
    const DimensionSetting before = *pModel->GetDimensionSetting();
    ASSERT_NE(before.GetDimTextHight(), 5.0);
    ASSERT_NE(before.GetPrecision(), 3) << "the precision chosen must differ from a new drawing's";
    using TextPage = CDimensionTextSettingPage;
    auto textPage = [](CFeatureSettingTreeDialog& dialog) -> TextPage* {
        if (!dialog.SelectPage(CFeatureSettingPropertyPage::kDimensionTextPage))
            return nullptr;
        return dynamic_cast<TextPage*>(dialog.GetCurrentPage());
    };
    auto enterValues = [&](CFeatureSettingTreeDialog& dialog) {
        TextPage* pPage = textPage(dialog);
        ASSERT_NE(pPage, nullptr);
        pPage->GetDlgItem(TextPage::kHeightId)->SetWindowText(u"5");
        auto* pPrecision = static_cast<CComboBox*>(pPage->GetDlgItem(TextPage::kPrecisionId));
        ASSERT_GT(pPrecision->GetCount(), 3);
        pPrecision->SetCurSel(3);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(TextPage::kPrecisionId, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(pPrecision->m_hWnd));
    };
    auto shownValues = [&](CFeatureSettingTreeDialog& dialog, CString& height, int& precision) {
        TextPage* pPage = textPage(dialog);
        ASSERT_NE(pPage, nullptr);
        pPage->GetDlgItem(TextPage::kHeightId)->GetWindowText(height);
        precision = static_cast<CComboBox*>(pPage->GetDlgItem(TextPage::kPrecisionId))->GetCurSel();
    };
    auto selectedStyle = [](CFeatureSettingTreeDialog& dialog) {
        CString name;
        CComboBox& list = dialog.GetStyleList();
        if (list.GetCurSel() != CB_ERR)
            list.GetLBText(list.GetCurSel(), name);
        return name;
    };

    // Cancel after the values were entered: nothing changed, not even the store.
    const Saved start = SavedNow(*pModel);
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        enterValues(dialog);
        Press(dialog, IDCANCEL);
    });
    Command(kDimensionSetting);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    EXPECT_TRUE(Same(SavedNow(*pModel), start)) << "Cancel changed the saved bytes";
    EXPECT_EQ(pModel->GetUndoCount(), 0);

    // Entered, registered, left on the tolerance page, OK.
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        enterValues(dialog);
        Press(dialog, CFeatureSettingTreeDialog::kRegisterId);
        EXPECT_EQ(selectedStyle(dialog), CString(u"ISO 5"));
        ASSERT_TRUE(dialog.SelectPage(CFeatureSettingPropertyPage::kDimensionTolerancePage));
        Press(dialog, IDOK);
    });
    WhenModal<CRegisterSettingStyleDialog>([&](CRegisterSettingStyleDialog& names) {
        names.m_nameList.SetWindowText(u"ISO 5");
        Press(names, IDOK);
    });
    Command(kDimensionSetting);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    EXPECT_DOUBLE_EQ(pModel->GetDimensionSetting()->GetDimTextHight(), 5.0);
    EXPECT_EQ(pModel->GetDimensionSetting()->GetPrecision(), 3);
    const auto* pStyle =
        dynamic_cast<const DimensionSetting*>(pModel->GetDimensionSettingStyles()->GetSettingStyle(CString(u"ISO 5")));
    ASSERT_NE(pStyle, nullptr);
    EXPECT_DOUBLE_EQ(pStyle->GetDimTextHight(), 5.0);
    EXPECT_EQ(pStyle->GetPrecision(), 3);
    EXPECT_EQ(pModel->GetDimensionSettingStyles()->GetCurrentSettingStyleName(), CString(u"ISO 5"));
    EXPECT_EQ(pModel->GetUndoCount(), 1) << "the style and the collection in one step";
    const Saved registered = SavedNow(*pModel);

    // Opened again: on the tolerance page; a keystroke drops the style, choosing it restores the values.
    int page = -1, precisionAfterKey = -1, precisionChosen = -1;
    CString styleAtOpen, styleAfterKey, heightAfterKey, heightChosen;
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        page = dialog.GetCurrentPageIndex();
        styleAtOpen = selectedStyle(dialog);
        TextPage* pPage = textPage(dialog);
        ASSERT_NE(pPage, nullptr);
        QWidget* pHeight = pPage->GetDlgItem(TextPage::kHeightId)->GetQWidget();
        pHeight->setFocus();
        QTest::keyClick(pHeight, Qt::Key_End);
        QTest::keyClick(pHeight, Qt::Key_0);
        styleAfterKey = selectedStyle(dialog);
        shownValues(dialog, heightAfterKey, precisionAfterKey);
        auto* pPrecision = static_cast<CComboBox*>(pPage->GetDlgItem(TextPage::kPrecisionId));
        pPrecision->SetCurSel(0);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(TextPage::kPrecisionId, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(pPrecision->m_hWnd));
        CComboBox& list = dialog.GetStyleList();
        ASSERT_NE(list.SelectString(-1, u"ISO 5"), CB_ERR);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CFeatureSettingTreeDialog::kStyleListId, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(list.m_hWnd));
        shownValues(dialog, heightChosen, precisionChosen);
        Press(dialog, IDCANCEL);
    });
    Command(kDimensionSetting);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    EXPECT_EQ(page, CFeatureSettingPropertyPage::kDimensionTolerancePage) << "the page shown last";
    EXPECT_EQ(styleAtOpen, CString(u"ISO 5"));
    EXPECT_TRUE(styleAfterKey.IsEmpty()) << "a keystroke drops the style";
    EXPECT_EQ(heightAfterKey, CString(u"50"));
    EXPECT_EQ(heightChosen.ToQString().toDouble(), 5.0);
    EXPECT_EQ(precisionChosen, 3);
    EXPECT_TRUE(Same(SavedNow(*pModel), registered)) << "Cancel changed the saved bytes";
    EXPECT_EQ(pModel->GetUndoCount(), 1);

    // OK without a change: no step, the same bytes.
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) { Press(dialog, IDOK); });
    Command(kDimensionSetting);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    EXPECT_EQ(pModel->GetUndoCount(), 1);
    EXPECT_EQ(SavedNow(*pModel).document, registered.document);

    // Undo: the style and the collection as they were.
    Command(kUndo);
    EXPECT_TRUE(pModel->GetDimensionSetting()->IsEqual(before));
    EXPECT_EQ(pModel->GetDimensionSettingStyles()->GetSettingStyle(CString(u"ISO 5")), nullptr);
    EXPECT_EQ(SavedNow(*pModel).document, start.document);
}

}  // namespace

namespace {

// The hatch half cancelled at each stage: the style dialog after choosing the user pattern; Hatch
// Patterns... without a change, a new line pattern cancelled in its dialog, back to the style dialog, the
// user pattern chosen and cancelled there. The saved bytes and the store stay as they were and no undo step
// is added.
TEST_F(StyleSettingCommandTest, CancelInTheHatchStyleAndThePatternDialogsChangesNothing)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    LineHatchPattern brick;
    ASSERT_TRUE(brick.SetPatternName(CString(u"Brick")));
    ASSERT_NE(brick.AddLineItem(LineHatchPatternLineItem()), -1);
    ASSERT_NE(pModel->AddHatchPattern(&brick), -1);
    pModel->ClearUndoRedoHistory();
    const Saved start = SavedNow(*pModel);
    auto clickUser = [](CFeatureSettingTreeDialog& dialog) {
        auto* pPage = static_cast<CHatchSettingPage*>(dialog.GetCurrentPage());
        for (int id : {CHatchSettingPage::kSolidId, CHatchSettingPage::kBuiltInId, CHatchSettingPage::kUserId})
            static_cast<CButton*>(pPage->GetDlgItem(id))->SetCheck(id == CHatchSettingPage::kUserId);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CHatchSettingPage::kUserId, BN_CLICKED),
                           reinterpret_cast<LPARAM>(pPage->GetDlgItem(CHatchSettingPage::kUserId)->m_hWnd));
    };

    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        clickUser(dialog);
        Press(dialog, IDCANCEL);
    });
    Command(34637);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    EXPECT_TRUE(Same(SavedNow(*pModel), start)) << "Cancel in the style dialog";
    EXPECT_EQ(pModel->GetUndoCount(), 0);

    // Hatch Patterns... applies the style, unchanged here: nothing to write.
    bool lineDialogShown = false;
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        CWnd* pPage = dialog.GetCurrentPage();
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CHatchSettingPage::kPatternTableId, BN_CLICKED),
                           reinterpret_cast<LPARAM>(pPage->GetDlgItem(CHatchSettingPage::kPatternTableId)->m_hWnd));
    });
    WhenModal<CHatchPatternTableDialog>([&](CHatchPatternTableDialog& table) {
        table.OnNewMenuCommand(CHatchPatternTableDialog::kNewLinePattern);
        Press(table, CHatchPatternTableDialog::kHatchStyleButton);
    });
    WhenModal<CLineHatchPatternSettingDialog>([&](CLineHatchPatternSettingDialog& lines) {
        lineDialogShown = true;
        lines.GetDlgItem(CLineHatchPatternSettingDialog::kNameEdit)->SetWindowText(_T("Tiles"));
        Press(lines, IDCANCEL);
    });
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        clickUser(dialog);
        Press(dialog, IDCANCEL);
    });
    Command(34637);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    EXPECT_TRUE(lineDialogShown);
    EXPECT_EQ(pModel->GetHatchPatternTable()->GetHatchPatternCount(), 1);
    EXPECT_TRUE(Same(SavedNow(*pModel), start)) << "Cancel in the pattern dialog, then in the style dialog";
    EXPECT_EQ(pModel->GetUndoCount(), 0);
}

}  // namespace
