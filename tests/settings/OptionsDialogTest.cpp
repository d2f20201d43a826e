// The options dialog and its pages over a real options record: every option goes into the pages and back
// through the record's setters (SnapType keeps its 13 kinds; ImeState and FileDialogViewMode stay), the
// dialog opens on the page last shown, previews follow the page left, and the snap and selection pages
// enable and check their fields as the user sets them.

#include "SettingsTestSupport.h"

#include "app/SystemEnvironment.h"
#include "controls/CSelectColorComboBox.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/InputConstValue.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinMessages.h"
#include "settings/COptionsTreeDialog.h"

namespace {

using D = COptionsTreeDialog;

class OptionsDialog : public SettingsDialogTest
{
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        colors.InitializeColors();
        D::s_nLastPage = 0;
    }
    void TearDown() override
    {
        if (dialog != nullptr && dialog->GetSafeHwnd() != nullptr)
            dialog->DestroyWindow();
        D::s_nLastPage = 0;
    }
    D& Open(const SystemEnvironment& options, int startPage = 0)
    {
        dialog = std::make_unique<D>(&colors, startPage);
        dialog->SetSystemEnvironment(&options);
        EXPECT_TRUE(dialog->Create(CTreeDialog::IDD, nullptr));
        return *dialog;
    }
    // Every option away from its default.
    static SystemEnvironment Changed()
    {
        SystemEnvironment e;
        EXPECT_TRUE(e.SetPaperColor(RGB(1, 2, 3)));
        EXPECT_TRUE(e.SetPaperBackColor1(RGB(4, 5, 6)));
        EXPECT_TRUE(e.SetPaperBackColor2(RGB(7, 8, 9)));
        EXPECT_TRUE(e.SetPartBackColor(RGB(10, 11, 12)));
        EXPECT_TRUE(e.SetComponentEditerBackColor(RGB(13, 14, 15)));
        EXPECT_TRUE(e.SetSelectionColor(RGB(16, 17, 18)));
        EXPECT_TRUE(e.SetTableViewThumbnailBackColor(RGB(19, 20, 21)));
        EXPECT_TRUE(e.SetVisualStyle(3));
        e.SetGraphicsMode(1);
        e.SetLineSmoothMode(1);
        EXPECT_TRUE(e.SetLayoutRegionVisible(FALSE));
        EXPECT_TRUE(e.SetGreekTextSize(17));
        EXPECT_TRUE(e.SetCursorColor(RGB(22, 23, 24)));
        EXPECT_TRUE(e.SetSnapBoxVisible(FALSE));
        EXPECT_TRUE(e.SetSnapBoxSize(13));
        EXPECT_TRUE(e.SetSnapEnabled(FALSE));
        EXPECT_TRUE(e.SetSnapType(0x0A5A));
        EXPECT_TRUE(e.SetSnapDivisionCount(9));
        EXPECT_TRUE(e.SetSnapAngularEnabled(FALSE));
        EXPECT_TRUE(e.SetSnapAngle(22.5));
        EXPECT_TRUE(e.SetSnapAngularMode(1));
        EXPECT_TRUE(e.SetGridSnapMode(0));
        EXPECT_TRUE(e.SetSnapDisplayStateMode(FALSE));
        EXPECT_TRUE(e.SetSnapMarkerVisible(FALSE));
        EXPECT_TRUE(e.SetSnapMarkerColor(RGB(25, 26, 27)));
        EXPECT_TRUE(e.SetSnapMarkerSize(19));
        EXPECT_TRUE(e.SetSnapToolTipVisible(FALSE));
        EXPECT_TRUE(e.SetSelectionShapeMode(8));
        EXPECT_TRUE(e.SetSelectionPartMode(2));
        EXPECT_TRUE(e.SetSelectionSideMode(2));
        EXPECT_TRUE(e.SetSelectionDisplayStateMode(FALSE));
        EXPECT_TRUE(e.SetNudgeEnabled(FALSE));
        EXPECT_TRUE(e.SetNudgeMode(1));
        EXPECT_TRUE(e.SetNudgeSteps(2.5));
        EXPECT_TRUE(e.SetPreviewSaveEnabled(FALSE));
        EXPECT_TRUE(e.SetBackupSaveEnabled(TRUE));
        EXPECT_TRUE(e.SetAutoRecoverEnabled(FALSE));
        EXPECT_TRUE(e.SetAutoRecoverTime(77));
        InputConstValue constants;
        EXPECT_TRUE(constants.Add(_T('q'), 3.5));
        EXPECT_TRUE(e.SetInputConstValue(constants));
        EXPECT_TRUE(e.SetPointParameterInputMode(1));
        EXPECT_TRUE(e.SetCommandParameterSaveEnabled(FALSE));
        EXPECT_TRUE(e.SetImeStateSaveEnabled(FALSE));
        EXPECT_TRUE(e.SetApplicationUpdatePeriod(1));
        return e;
    }
    static void ExpectSame(const SystemEnvironment& a, const SystemEnvironment& b)
    {
#define KC_SAME(f) EXPECT_EQ(a.f, b.f) << #f
        KC_SAME(m_PaperColor); KC_SAME(m_PaperBackColor1); KC_SAME(m_PaperBackColor2); KC_SAME(m_PartBackColor);
        KC_SAME(m_ComponentEditerBackColor); KC_SAME(m_SelectionColor); KC_SAME(m_TableViewThumbnailBackColor);
        KC_SAME(m_VisualStyle); KC_SAME(m_GraphicsMode); KC_SAME(m_LineSmoothMode); KC_SAME(m_LayoutRegionVisible);
        KC_SAME(m_GreekTextSize); KC_SAME(m_CursorColor); KC_SAME(m_SnapBoxVisible); KC_SAME(m_SnapBoxSize);
        KC_SAME(m_SnapEnabled); KC_SAME(m_SnapType); KC_SAME(m_SnapDivisionCount); KC_SAME(m_SnapAngularEnabled);
        KC_SAME(m_SnapAngle); KC_SAME(m_SnapAngularMode); KC_SAME(m_GridSnapMode); KC_SAME(m_SnapDisplayStateMode);
        KC_SAME(m_SnapMarkerVisible); KC_SAME(m_SnapMarkerColor); KC_SAME(m_SnapMarkerSize);
        KC_SAME(m_SnapToolTipVisible); KC_SAME(m_SelectionShapeMode); KC_SAME(m_SelectionPartMode);
        KC_SAME(m_SelectionSideMode); KC_SAME(m_SelectionDisplayStateMode); KC_SAME(m_NudgeEnabled);
        KC_SAME(m_NudgeMode); KC_SAME(m_NudgeSteps); KC_SAME(m_PreviewSaveEnabled); KC_SAME(m_BackupSaveEnabled);
        KC_SAME(m_AutoRecoverEnabled); KC_SAME(m_AutoRecoverTime); KC_SAME(m_PointParameterInputMode);
        KC_SAME(m_CommandParameterSaveEnabled); KC_SAME(m_ImeStateSaveEnabled); KC_SAME(m_ApplicationUpdatePeriod);
        KC_SAME(m_ImeState); KC_SAME(m_FileDialogViewMode);
#undef KC_SAME
        EXPECT_EQ(*a.GetInputConstValue(), *b.GetInputConstValue());
    }

    ColorFeatureTable colors;
    std::unique_ptr<D> dialog;
};

TEST_F(OptionsDialog, EveryOptionGoesIntoThePagesAndBackThroughTheSetters)
{
    const SystemEnvironment in = Changed();
    D pages(&colors, 0);
    ASSERT_TRUE(pages.SetSystemEnvironment(&in));
    SystemEnvironment out;
    ASSERT_TRUE(out.SetImeState(TRUE));
    ASSERT_TRUE(out.SetFileDialogViewMode(5));
    ASSERT_TRUE(pages.GetSystemEnvironment(&out));
    SystemEnvironment expected = in;
    ASSERT_TRUE(expected.SetImeState(TRUE));
    ASSERT_TRUE(expected.SetFileDialogViewMode(5));
    ExpectSame(out, expected);

    // Through the windows of every page as well: each page shown and left keeps its values.
    D& shown = Open(in);
    for (int page = D::pageGeneral; page <= D::pageInput; ++page)
        ASSERT_TRUE(shown.SelectPage(shown.PageOf(page))) << page;
    SystemEnvironment back;
    ASSERT_TRUE(back.SetImeState(TRUE));
    ASSERT_TRUE(back.SetFileDialogViewMode(5));
    ASSERT_TRUE(shown.SelectPage(shown.PageOf(D::pageGeneral)));
    ASSERT_TRUE(shown.GetSystemEnvironment(&back));
    ExpectSame(back, expected);
}

TEST_F(OptionsDialog, OnlyThirteenSnapKindsAreKept)
{
    SystemEnvironment in;
    ASSERT_TRUE(in.SetSnapType(0xFFFF));
    D pages(&colors, 0);
    pages.SetSystemEnvironment(&in);
    SystemEnvironment out;
    pages.GetSystemEnvironment(&out);
    EXPECT_EQ(out.m_SnapType, 0x1FFFu);
}

TEST_F(OptionsDialog, OpensOnTheRememberedPageOrTheGeneralOne)
{
    struct Case {
        int last;
        int shown;
    };
    // Without the Japanese interface there is no update page: 8 opens the general page.
    for (const Case& c : {Case{0, D::pageGeneral}, Case{1, D::pageGeneral}, Case{2, D::pageCursor},
                          Case{4, D::pageSnapAppearance}, Case{6, D::pageFileSave}, Case{7, D::pageInput},
                          Case{8, D::pageGeneral}, Case{42, D::pageGeneral}}) {
        D::s_nLastPage = c.last;
        D& d = Open(SystemEnvironment());
        EXPECT_EQ(d.ShownPage(), c.shown) << c.last;
        EXPECT_EQ(d.GetTree().GetCount(), 7u);
        d.DestroyWindow();
    }
    // A start page given to the dialog wins and is remembered.
    D::s_nLastPage = D::pageCursor;
    D& snap = Open(SystemEnvironment(), D::pageSnap);
    EXPECT_EQ(snap.ShownPage(), D::pageSnap);
    EXPECT_EQ(D::s_nLastPage, D::pageSnap);
}

TEST_F(OptionsDialog, PreviewsFollowThePageLeft)
{
    D& d = Open(SystemEnvironment());
    ASSERT_TRUE(d.SelectPage(&d.m_general));
    d.m_general.m_pColorCombos[0]->SetColorRef(RGB(0, 0, 90));
    ASSERT_TRUE(d.SelectPage(&d.m_cursor));
    EXPECT_EQ(d.m_cursor.m_PreviewPaperColor, RGB(0, 0, 90));
    EXPECT_EQ(d.m_snapAppearance.m_PreviewPaperColor, RGB(0, 0, 90));
    d.m_cursor.m_pColorCombo->SetColorRef(RGB(200, 1, 1));
    d.m_cursor.SendMessage(WM_COMMAND, MAKEWPARAM(CCursorOptionsPage::kColor, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(d.m_cursor.m_pColorCombo->GetSafeHwnd()));
    d.m_cursor.CheckDlgButton(CCursorOptionsPage::kBoxVisible, BST_UNCHECKED);
    d.m_cursor.SendMessage(WM_COMMAND, MAKEWPARAM(CCursorOptionsPage::kBoxVisible, BN_CLICKED), 0);
    ASSERT_TRUE(d.SelectPage(&d.m_snapAppearance));
    EXPECT_EQ(d.m_snapAppearance.m_PreviewCursorColor, RGB(200, 1, 1));
    EXPECT_FALSE(d.m_snapAppearance.m_PreviewSnapBoxVisible);
    EXPECT_EQ(d.m_snapAppearance.m_PreviewSnapBoxSize, d.m_cursor.m_SnapBoxSize);
}

TEST_F(OptionsDialog, TheDivisionCountIsCheckedWhileDisabled)
{
    SystemEnvironment in;
    ASSERT_TRUE(in.SetSnapDivisionCount(4));
    D& d = Open(in, D::pageSnap);
    CSnapOptionsPage& snap = d.m_snap;
    const int division = CSnapOptionsPage::kFirstKind + 7;
    // The stored count passes with the kind off.
    snap.CheckDlgButton(division, BST_UNCHECKED);
    snap.SendMessage(WM_COMMAND, MAKEWPARAM(division, BN_CLICKED), 0);
    EXPECT_FALSE(Enabled(snap, CSnapOptionsPage::kDivisionCount));
    EXPECT_TRUE(d.SelectPage(&d.m_cursor));
    EXPECT_TRUE(Boxes().empty());
    // A count typed as 1 before the kind went off is refused on leaving; the page stays.
    ASSERT_TRUE(d.SelectPage(&d.m_snap));
    snap.CheckDlgButton(division, BST_CHECKED);
    snap.SendMessage(WM_COMMAND, MAKEWPARAM(division, BN_CLICKED), 0);
    Type(snap, CSnapOptionsPage::kDivisionCount, QStringLiteral("1"));
    snap.CheckDlgButton(division, BST_UNCHECKED);
    snap.SendMessage(WM_COMMAND, MAKEWPARAM(division, BN_CLICKED), 0);
    ClearBoxes();
    d.SelectPage(&d.m_cursor);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(d.ShownPage(), D::pageSnap);
    // Snap off disables the kinds but keeps their checks.
    Type(snap, CSnapOptionsPage::kDivisionCount, QStringLiteral("5"));
    snap.CheckDlgButton(CSnapOptionsPage::kSnapEnabled, BST_UNCHECKED);
    snap.SendMessage(WM_COMMAND, MAKEWPARAM(CSnapOptionsPage::kSnapEnabled, BN_CLICKED), 0);
    EXPECT_FALSE(Enabled(snap, CSnapOptionsPage::kFirstKind + 1));
    EXPECT_EQ(snap.GetSnapType(), in.m_SnapType & 0x1F7F);
}

TEST_F(OptionsDialog, NudgeModesAndShapeModesEnableTheirFields)
{
    SystemEnvironment in;
    ASSERT_TRUE(in.SetNudgeMode(0));
    ASSERT_TRUE(in.SetNudgeSteps(2.7));
    D& d = Open(in);
    ASSERT_TRUE(d.SelectPage(&d.m_selection));
    CSelectionOptionsPage& page = d.m_selection;
    EXPECT_EQ(Text(page, CSelectionOptionsPage::kNudgeStep), QStringLiteral("2"));
    auto* pMode = static_cast<CComboBox*>(page.GetDlgItem(CSelectionOptionsPage::kNudgeMode));
    ASSERT_NE(pMode, nullptr);
    auto choose = [&](int entry) {
        pMode->SetCurSel(entry);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(CSelectionOptionsPage::kNudgeMode, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(pMode->GetSafeHwnd()));
    };
    choose(1);
    EXPECT_DOUBLE_EQ(page.m_nudgeEdit.GetValue(), 10.0);
    choose(0);
    EXPECT_EQ(Text(page, CSelectionOptionsPage::kNudgeStep), QStringLiteral("1"));
    choose(2);
    EXPECT_FALSE(Enabled(page, CSelectionOptionsPage::kNudgeStep));
    EXPECT_TRUE(Enabled(page, CSelectionOptionsPage::kSideMode));
    page.CheckRadioButton(CSelectionOptionsPage::kShape0, CSelectionOptionsPage::kShape3, CSelectionOptionsPage::kShape2);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CSelectionOptionsPage::kShape2, BN_CLICKED), 0);
    EXPECT_FALSE(Enabled(page, CSelectionOptionsPage::kSideMode));
    EXPECT_FALSE(Enabled(page, CSelectionOptionsPage::kPart0));
    // A whole-pixel step of 0.5 shows as 1.
    SystemEnvironment half;
    ASSERT_TRUE(half.SetNudgeMode(0));
    half.m_NudgeSteps = 0.5;
    D other(&colors, D::pageSelection);
    other.SetSystemEnvironment(&half);
    ASSERT_TRUE(other.Create(CTreeDialog::IDD, nullptr));
    EXPECT_EQ(Text(other.m_selection, CSelectionOptionsPage::kNudgeStep), QStringLiteral("1"));
    other.DestroyWindow();
}

TEST_F(OptionsDialog, GreekSizeAndRecoveryMinutesAreRefusedOutOfRange)
{
    D& d = Open(SystemEnvironment());
    Type(d.m_general, CGeneralOptionsPage::kGreekSize, QStringLiteral("31"));
    EXPECT_FALSE(d.SelectPage(&d.m_cursor) && d.ShownPage() == D::pageCursor);
    EXPECT_EQ(Boxes().size(), 1u);
    ClearBoxes();
    Type(d.m_general, CGeneralOptionsPage::kGreekSize, QStringLiteral("0"));
    ASSERT_TRUE(d.SelectPage(&d.m_fileSave));
    EXPECT_EQ(d.ShownPage(), D::pageFileSave);
    Type(d.m_fileSave, CFileSaveOptionsPage::kRecoverTime, QStringLiteral("121"));
    d.SelectPage(&d.m_general);
    EXPECT_EQ(d.ShownPage(), D::pageFileSave);
    EXPECT_EQ(Boxes().size(), 1u);
}

}  // namespace
