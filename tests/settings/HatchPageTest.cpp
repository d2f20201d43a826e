// The hatch style page and its two pattern lists: values read back as loaded (shown or not, normal and
// mixed), the controls of each type, the transparency field and slider, leaving the page without user
// patterns, the preview's samples, and the lists' pictures, selection and pattern copies.

#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include <cfloat>
#include <memory>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CImageList.h"
#include "platform/win/CSliderCtrl.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CHatchPatternListCtrl.h"
#include "settings/CHatchSettingPage.h"
#include "settings/CUserDefinedHatchPatternListCtrl.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

using P = CHatchSettingPage;

HatchSetting VariedHatch()
{
    HatchSetting s;
    s.SetHatchType(1);
    s.SetSolidColorNo(3);
    s.SetPatternColorNo(5);
    s.SetSolidColorInvertMode(1);
    s.SetTransparency(0.25f);
    s.SetPatternType(17);
    s.SetRegionDisplayMode(0);
    s.SetRegionColorNo(2);
    s.SetRegionLineTypeNo(1);
    s.SetRegionLineWidthNo(2);
    return s;
}

HatchSetting MixedHatch()
{
    HatchSetting s = VariedHatch();
    s.SetSolidColorNo(32767);
    s.SetTransparency(FLT_MAX);
    s.SetRegionDisplayMode(1);
    return s;
}

LineHatchPattern Lines(const char16_t* name, double angle, double space)
{
    LineHatchPattern pattern;
    pattern.SetPatternName(CString(name));
    LineHatchPatternLineItem item;
    item.SetAngle(angle);
    item.SetSpace(space);
    pattern.AddLineItem(item);
    return pattern;
}

class HatchPageTest : public SettingsDialogTest
{
protected:
    // Opens the style dialog on the hatch page with the setting.
    CHatchSettingPage& Open(CFeatureSettingTreeDialog& dialog, const HatchSetting& setting)
    {
        dialog.SetHatchSetting(&setting);
        EXPECT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
        EXPECT_TRUE(dialog.SelectPage(P::kHatchPage));
        return *static_cast<CHatchSettingPage*>(dialog.GetPage(P::kHatchPage));
    }
    static void ChooseType(CDialog& page, int nID)
    {
        for (int id : {P::kSolidId, P::kBuiltInId, P::kUserId})
            static_cast<CButton*>(page.GetDlgItem(id))->SetCheck(id == nID ? BST_CHECKED : BST_UNCHECKED);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                         reinterpret_cast<LPARAM>(page.GetDlgItem(nID)->GetSafeHwnd()));
    }
    static int CountMarkers(const Feature2dList& list, int nType)
    {
        int n = 0;
        for (int i = 0; i < list.GetFeatureSize(); ++i)
            if (auto* pMarker = dynamic_cast<const PointMarker2dFeature*>(list.GetFeature(i)))
                n += pMarker->GetMarkerType() == nType ? 1 : 0;
        return n;
    }
    static const Hatch2dFeature* HatchOf(const Feature2dList& list)
    {
        for (int i = 0; i < list.GetFeatureSize(); ++i)
            if (auto* pHatch = dynamic_cast<const Hatch2dFeature*>(list.GetFeature(i)))
                return pHatch;
        return nullptr;
    }
    Draw2dDocument m_document;
};

TEST_F(HatchPageTest, ThePageReadsBackWhatWasLoadedShownOrNot)
{
    HatchSetting odd = VariedHatch();
    odd.SetHatchType(2);
    odd.SetPatternID(7);
    struct Case {
        BOOL mixed;
        HatchSetting setting;
    } cases[] = {{FALSE, HatchSetting()}, {FALSE, VariedHatch()}, {FALSE, odd}, {TRUE, MixedHatch()}};
    for (const Case& c : cases) {
        CFeatureSettingTreeDialog dialog(&m_document, -1, P::kHatchPage, c.mixed);
        dialog.SetHatchSetting(&c.setting);
        HatchSetting read;
        ASSERT_TRUE(dialog.GetHatchSetting(&read));
        EXPECT_TRUE(read.IsEqual(c.setting)) << "never shown, mixed " << c.mixed;
        ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
        ASSERT_TRUE(dialog.SelectPage(P::kHatchPage));
        CFeatureSettingPropertyPage* pPage = dialog.GetPage(P::kHatchPage);
        ASSERT_NE(pPage->GetSafeHwnd(), nullptr);
        // A user pattern the document lacks cannot be left for another page; read it back all the same.
        pPage->UpdateData(TRUE);
        HatchSetting shown;
        ASSERT_TRUE(dialog.GetHatchSetting(&shown));
        EXPECT_TRUE(shown.IsEqual(c.setting)) << "shown, mixed " << c.mixed;
        dialog.DestroyWindow();
    }
    ClearBoxes();
}

TEST_F(HatchPageTest, NoTypeChosenShowsOnlyTheInvertBoxAndReadsBackNone)
{
    HatchSetting none = VariedHatch();
    ASSERT_TRUE(none.SetHatchType(-1));
    CFeatureSettingTreeDialog dialog(&m_document, -1, P::kHatchPage, FALSE);
    CHatchSettingPage& page = Open(dialog, none);
    EXPECT_EQ(page.m_nHatchType, -1);
    for (int id : {P::kSolidId, P::kBuiltInId, P::kUserId})
        EXPECT_EQ(static_cast<CButton*>(page.GetDlgItem(id))->GetCheck(), BST_UNCHECKED) << id;
    EXPECT_TRUE(Visible(page, P::kInvertId));
    for (int id : {P::kSolidColorId, P::kPatternColorId, P::kTransparencyId, P::kSliderId, P::kBuiltInListId,
                   P::kUserListId, 2521})
        EXPECT_FALSE(Visible(page, id)) << id;
    ASSERT_TRUE(page.OnKillActive());
    HatchSetting read;
    ASSERT_TRUE(dialog.GetHatchSetting(&read));
    EXPECT_EQ(read.GetHatchType(), -1);
    dialog.DestroyWindow();
}

TEST_F(HatchPageTest, EachTypeShowsItsOwnControls)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, P::kHatchPage, FALSE);
    CHatchSettingPage& page = Open(dialog, HatchSetting());
    struct Case {
        int radio;
        bool solidColor, invert, patternColor, transparency, builtIn, user;
    } cases[] = {{P::kSolidId, true, true, false, true, false, false},
                 {P::kBuiltInId, true, false, true, true, true, false},
                 {P::kUserId, false, false, false, false, false, true}};
    for (const Case& c : cases) {
        ChooseType(page, c.radio);
        EXPECT_EQ(Visible(page, P::kSolidColorId), c.solidColor) << c.radio;
        EXPECT_EQ(Visible(page, P::kInvertId), c.invert) << c.radio;
        EXPECT_EQ(Visible(page, P::kPatternColorId), c.patternColor) << c.radio;
        EXPECT_EQ(Visible(page, P::kTransparencyId), c.transparency) << c.radio;
        EXPECT_EQ(Visible(page, P::kSliderId), c.transparency) << c.radio;
        EXPECT_EQ(Visible(page, P::kBuiltInListId), c.builtIn) << c.radio;
        EXPECT_EQ(Visible(page, P::kUserListId), c.user) << c.radio;
    }
    // The region outline enables its three lists.
    auto* pRegion = static_cast<CButton*>(page.GetDlgItem(P::kRegionId));
    pRegion->SetCheck(BST_UNCHECKED);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(P::kRegionId, BN_CLICKED), reinterpret_cast<LPARAM>(pRegion->GetSafeHwnd()));
    for (int id : {P::kRegionColorId, P::kRegionLineTypeId, P::kRegionLineWidthId})
        EXPECT_FALSE(Enabled(page, id)) << id;
    pRegion->SetCheck(BST_CHECKED);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(P::kRegionId, BN_CLICKED), reinterpret_cast<LPARAM>(pRegion->GetSafeHwnd()));
    for (int id : {P::kRegionColorId, P::kRegionLineTypeId, P::kRegionLineWidthId})
        EXPECT_TRUE(Enabled(page, id)) << id;
    ClearBoxes();
    dialog.DestroyWindow();
}

TEST_F(HatchPageTest, ChoosingATypeSelectsAPatternAndUserPatternsMustExist)
{
    HatchSetting solid;
    solid.SetHatchType(0);
    solid.SetPatternType(-1);
    {
        CFeatureSettingTreeDialog dialog(&m_document, -1, P::kHatchPage, FALSE);
        CHatchSettingPage& page = Open(dialog, solid);
        page.GetBuiltInList().SelectPattern(60);
        ChooseType(page, P::kBuiltInId);
        EXPECT_EQ(page.GetBuiltInList().GetSelectedPattern(), 0);
        HatchSetting read;
        ASSERT_TRUE(dialog.GetHatchSetting(&read));
        EXPECT_EQ(read.GetHatchType(), 1);
        EXPECT_EQ(read.GetPatternType(), 0);
        // An empty table: the list is empty and the page cannot be left.
        ChooseType(page, P::kUserId);
        EXPECT_EQ(page.GetUserList().GetItemCount(), 0);
        ClearBoxes();
        EXPECT_FALSE(page.OnKillActive());
        EXPECT_TRUE(OneBox(10221));
        EXPECT_EQ(dialog.GetCurrentPageIndex(), P::kHatchPage);
        dialog.DestroyWindow();
    }
    const LineHatchPattern brick = Lines(u"Brick", 45.0, 2.0);
    const LineHatchPattern grid = Lines(u"Grid", 0.0, 1.0);
    const long nBrick = m_document.AddHatchPattern(&brick);
    const long nGrid = m_document.AddHatchPattern(&grid);
    ASSERT_GT(nGrid, nBrick);
    CFeatureSettingTreeDialog dialog(&m_document, -1, P::kHatchPage, FALSE);
    CHatchSettingPage& page = Open(dialog, solid);
    ASSERT_EQ(page.GetUserList().GetItemCount(), 2);
    EXPECT_EQ(page.GetUserList().GetItemText(1, 0), CString(u"Grid"));
    ChooseType(page, P::kUserId);
    EXPECT_EQ(page.GetUserList().GetSelectedPatternID(), nBrick);
    EXPECT_TRUE(page.OnKillActive());
    EXPECT_TRUE(page.GetUserList().SelectPatternID(nGrid));
    Pump();
    HatchSetting read;
    ASSERT_TRUE(dialog.GetHatchSetting(&read));
    EXPECT_EQ(read.GetHatchType(), 2);
    EXPECT_EQ(read.GetPatternID(), nGrid);
    EXPECT_TRUE(Boxes().empty());
    dialog.DestroyWindow();
}

TEST_F(HatchPageTest, TransparencyFollowsTypingAndTheSlider)
{
    HatchSetting setting = VariedHatch();
    CFeatureSettingTreeDialog dialog(&m_document, -1, P::kHatchPage, FALSE);
    HatchSettingStyles styles;
    styles.SetSettingStyle(CString(u"Quarter"), &setting, 1, nullptr);
    styles.SetCurrentSettingStyleName(CString(u"Quarter"));
    dialog.SetFeatureSettingStyles(&styles);
    CHatchSettingPage& page = Open(dialog, setting);
    auto* pSlider = static_cast<CSliderCtrl*>(page.GetDlgItem(P::kSliderId));
    EXPECT_EQ(pSlider->GetPos(), 25);
    EXPECT_DOUBLE_EQ(page.GetBuiltInList().GetTransparency(), 0.25);
    // A choice equal to the style keeps it.
    page.GetBuiltInList().SelectPattern(17);
    EXPECT_EQ(dialog.GetStyleList().GetCurSel(), 0);

    Type(page, P::kTransparencyId, QStringLiteral("150"));
    EXPECT_EQ(pSlider->GetPos(), 25);
    EXPECT_EQ(page.m_nTransparency, 25u);
    EXPECT_EQ(dialog.GetStyleList().GetCurSel(), 0) << "text out of range is not a change";
    Type(page, P::kTransparencyId, QStringLiteral("40"));
    EXPECT_EQ(pSlider->GetPos(), 40);
    EXPECT_EQ(dialog.GetStyleList().GetCurSel(), -1) << "typing drops the named style";
    EXPECT_DOUBLE_EQ(page.GetBuiltInList().GetTransparency(), 0.25) << "pictures wait for the focus to leave";
    page.SendMessage(WM_COMMAND, MAKEWPARAM(P::kTransparencyId, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(page.GetDlgItem(P::kTransparencyId)->GetSafeHwnd()));
    EXPECT_FLOAT_EQ(static_cast<float>(page.GetBuiltInList().GetTransparency()), 0.4f);

    // Dragging writes the edit; the pictures follow when the thumb is let go.
    pSlider->SetPos(70);
    page.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 70), reinterpret_cast<LPARAM>(pSlider->GetSafeHwnd()));
    EXPECT_EQ(Text(page, P::kTransparencyId), QStringLiteral("70"));
    EXPECT_FLOAT_EQ(static_cast<float>(page.GetBuiltInList().GetTransparency()), 0.4f);
    page.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70), reinterpret_cast<LPARAM>(pSlider->GetSafeHwnd()));
    EXPECT_FLOAT_EQ(static_cast<float>(page.GetBuiltInList().GetTransparency()), 0.7f);
    EXPECT_EQ(page.GetBuiltInList().GetSelectedPattern(), 17) << "the pictures change, the choice stays";
    HatchSetting read;
    ASSERT_TRUE(dialog.GetHatchSetting(&read));
    EXPECT_FLOAT_EQ(read.GetTransparency(), 0.7f);

    Type(page, P::kTransparencyId, QStringLiteral("101"));
    ClearBoxes();
    EXPECT_FALSE(page.OnKillActive());
    EXPECT_TRUE(OneBox(10124) || Boxes().empty());
    ClearBoxes();
    dialog.DestroyWindow();
}

TEST_F(HatchPageTest, MixedTransparencyStaysUnsetWithTheSliderAtZero)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, P::kHatchPage, TRUE);
    CHatchSettingPage& page = Open(dialog, MixedHatch());
    EXPECT_EQ(Text(page, P::kTransparencyId), QString());
    EXPECT_EQ(static_cast<CSliderCtrl*>(page.GetDlgItem(P::kSliderId))->GetPos(), 0);
    ASSERT_TRUE(page.OnKillActive());
    HatchSetting read;
    ASSERT_TRUE(dialog.GetHatchSetting(&read));
    EXPECT_EQ(read.GetTransparency(), FLT_MAX);
    dialog.DestroyWindow();
}

TEST_F(HatchPageTest, PreviewSamples)
{
    // Solid in colour 8 without outline gains an outline in 15; the given setting is untouched.
    HatchSetting grey;
    grey.SetHatchType(0);
    grey.SetSolidColorNo(8);
    grey.SetRegionDisplayMode(0);
    const HatchSetting preview = CHatchSettingPage::MakePreviewSetting(grey);
    EXPECT_EQ(preview.GetRegionDisplayMode(), 1);
    EXPECT_EQ(preview.GetRegionColorNo(), 15);
    EXPECT_EQ(grey.GetRegionDisplayMode(), 0);

    Feature2dList plain, checked;
    ASSERT_TRUE(CHatchSettingPage::BuildPreviewSamples(&m_document, VariedHatch(), FALSE, plain));
    ASSERT_TRUE(CHatchSettingPage::BuildPreviewSamples(&m_document, VariedHatch(), TRUE, checked));
    EXPECT_EQ(CountMarkers(plain, 2), 2);
    EXPECT_EQ(CountMarkers(plain, 8), 0);
    // 13 columns by 10 rows (extent 114 x 89, cells 9.5), every other one: 65.
    EXPECT_EQ(CountMarkers(checked, 8), 65);
    ASSERT_NE(HatchOf(plain), nullptr);
    EXPECT_EQ(HatchOf(plain)->GetBndBox().XMax(), 95.0);
    EXPECT_EQ(HatchOf(plain)->GetInnerRegionCount(), 1);

    // A user pattern sizes the sample from its directions; unknown ids give no preview; spacings of 0
    // keep the plain size.
    const LineHatchPattern wide = Lines(u"Wide", 0.0, 10.0);
    const LineHatchPattern single = Lines(u"Single", 30.0, 0.0);
    HatchSetting user;
    user.SetHatchType(2);
    user.SetPatternID(m_document.AddHatchPattern(&wide));
    Feature2dList sized;
    ASSERT_TRUE(CHatchSettingPage::BuildPreviewSamples(&m_document, user, TRUE, sized));
    EXPECT_EQ(CountMarkers(sized, 8), 0) << "no checkerboard behind user patterns";
    ASSERT_NE(HatchOf(sized), nullptr);
    EXPECT_DOUBLE_EQ(HatchOf(sized)->GetBndBox().XMax(), 45.0);
    EXPECT_NEAR(HatchOf(sized)->GetBndBox().YMax(), 0.73 * 45.0, 1e-9);
    user.SetPatternID(m_document.AddHatchPattern(&single));
    Feature2dList zero;
    ASSERT_TRUE(CHatchSettingPage::BuildPreviewSamples(&m_document, user, FALSE, zero));
    ASSERT_NE(HatchOf(zero), nullptr);
    EXPECT_DOUBLE_EQ(HatchOf(zero)->GetBndBox().XMax(), 95.0);
    user.SetPatternID(999);
    Feature2dList none;
    EXPECT_FALSE(CHatchSettingPage::BuildPreviewSamples(&m_document, user, FALSE, none));
    EXPECT_EQ(none.GetFeatureSize(), 0);
}

TEST_F(HatchPageTest, TheFocusOnTransparencyPutsACheckerboardBehindThePreview)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, P::kHatchPage, FALSE);
    CHatchSettingPage& page = Open(dialog, VariedHatch());
    dialog.ShowWindow(SW_SHOW);
    page.GetDlgItem(P::kSolidColorId)->SetFocus();
    Pump();
    ASSERT_NE(dialog.GetPreviewImage(), nullptr);
    const QImage before = *dialog.GetPreviewImage();
    page.GetDlgItem(P::kTransparencyId)->SetFocus();
    Pump();
    ASSERT_NE(dialog.GetPreviewImage(), nullptr);
    EXPECT_NE(*dialog.GetPreviewImage(), before);
    if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR"))
        dialog.GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/hatch-page.png"));
    page.GetDlgItem(P::kSolidColorId)->SetFocus();
    Pump();
    EXPECT_EQ(*dialog.GetPreviewImage(), before);
    dialog.DestroyWindow();
}

// ---- the pattern lists ----------------------------------------------------------------------------------

class HatchPatternListsTest : public SettingsDialogTest
{
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    }
    void TearDown() override { m_parent.DestroyWindow(); }
    CWnd m_parent;
    Draw2dDocument m_document;
};

TEST_F(HatchPatternListsTest, BuiltInPicturesFollowTheColoursAndTheSelectionStays)
{
    // Pattern 0 (horizontal lines): the line colour on its rows, the background between them.
    const QImage red = CHatchPatternListCtrl::CreatePatternImage(0, RGB(255, 0, 0), RGB(0, 0, 255), 0.0, 48, 48);
    bool sawLine = false, sawBack = false;
    for (int y = 4; y < 44; ++y) {
        const QRgb p = red.pixel(24, y);
        sawLine |= p == qRgb(0, 0, 255);
        sawBack |= p == qRgb(255, 0, 0);
    }
    EXPECT_TRUE(sawLine && sawBack);
    EXPECT_EQ(red.pixel(0, 24), qRgb(0, 0, 0)) << "framed in black";
    const QImage faded = CHatchPatternListCtrl::CreatePatternImage(0, RGB(255, 0, 0), RGB(0, 0, 255), 1.0, 48, 48);
    EXPECT_EQ(faded.pixel(24, 24), qRgb(255, 255, 255)) << "fully transparent shows the white beneath";
    // Two different patterns differ.
    EXPECT_NE(CHatchPatternListCtrl::CreatePatternImage(1, 0xFFFFFF, 0, 0.0, 48, 48),
              CHatchPatternListCtrl::CreatePatternImage(2, 0xFFFFFF, 0, 0.0, 48, 48));

    CHatchPatternListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL, CRect(0, 0, 380, 280), &m_parent, 1));
    ASSERT_TRUE(list.FillPatterns());
    ASSERT_EQ(list.GetItemCount(), HatchSetting::GetPatternSize());
    EXPECT_EQ(list.GetItemText(5, 0), HatchSetting::GetPatternName(5));
    EXPECT_EQ(list.GetPatternImages()->GetImageCount(), HatchSetting::GetPatternSize());
    // Icons stand the picture width and 20 pixels apart.
    CRect first, second;
    ASSERT_TRUE(list.GetItemRect(0, &first, LVIR_BOUNDS));
    ASSERT_TRUE(list.GetItemRect(1, &second, LVIR_BOUNDS));
    EXPECT_EQ(second.CenterPoint().x - first.CenterPoint().x, 48 + 20);
    EXPECT_EQ(list.GetSelectedPattern(), -1);
    EXPECT_TRUE(list.SelectPattern(12));
    EXPECT_EQ(list.GetSelectedPattern(), 12);
    EXPECT_FALSE(list.SelectPattern(-1));
    EXPECT_EQ(list.GetSelectedPattern(), 12);
    CImageList* pOld = list.GetPatternImages();
    EXPECT_TRUE(list.SetColors(RGB(0, 255, 0), RGB(0, 0, 0), 0.5f));
    EXPECT_NE(list.GetPatternImages(), pOld) << "new pictures";
    EXPECT_EQ(list.GetSelectedPattern(), 12);
    EXPECT_FALSE(list.SetColors(0, 0, 1.5f));
    EXPECT_FALSE(list.SetTransparency(-0.1f));
    EXPECT_DOUBLE_EQ(list.GetTransparency(), 0.5);
    EXPECT_EQ(list.GetBackColor(), RGB(0, 255, 0));
    EXPECT_TRUE(list.SelectPattern(60));
    EXPECT_EQ(list.GetSelectedPattern(), -1);
    list.DestroyWindow();
}

TEST_F(HatchPatternListsTest, UserListHoldsCopiesThatDieWithTheirItems)
{
    CUserDefinedHatchPatternListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL, CRect(0, 0, 380, 280), &m_parent, 2));
    list.SetDocument(&m_document, -1);
    ASSERT_TRUE(list.FillPatterns());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_FALSE(list.SelectPatternID(-1)) << "an empty list";
    EXPECT_FALSE(list.SetImageSize(SIZE{0, 30}));
    EXPECT_EQ(list.GetImageSize().cx, 64);
    EXPECT_TRUE(list.SetImageSize(SIZE{40, 30}));

    const LineHatchPattern brick = Lines(u"Brick", 45.0, 2.0);
    ShapeHatchPattern dots;
    dots.SetPatternName(CString(u"Dots"));
    dots.SetSpace1(3.0);
    dots.SetSpace2(3.0);
    dots.SetAngle(0.0, 90.0);
    PointMarker2dFeature dot(RuVaPnt2d(0, 0));
    dots.AddFeature(&dot);
    const long nBrick = m_document.AddHatchPattern(&brick);
    const long nDots = m_document.AddHatchPattern(&dots);
    ASSERT_TRUE(list.DeleteAllItems());
    ASSERT_TRUE(list.FillPatterns());
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetPatternImages().GetImageCount(), 2);
    int cx = 0, cy = 0;
    list.GetPatternImages().GetIconSize(cx, cy);
    EXPECT_EQ(cx, 40);
    EXPECT_EQ(cy, 30);
    EXPECT_EQ(list.GetPatternIDAt(1), nDots);
    EXPECT_EQ(list.GetPatternIDAt(2), -1);
    EXPECT_EQ(list.GetPatternAt(5), nullptr);
    EXPECT_NE(list.GetPatternAt(0), m_document.GetHatchPatternTable()->GetHatchPattern(nBrick)) << "a copy";
    EXPECT_TRUE(list.SelectPatternID(nDots));
    EXPECT_EQ(list.GetSelectedPatternID(), nDots);
    EXPECT_FALSE(list.SelectPatternID(77));
    EXPECT_EQ(list.GetSelectedPatternID(), nDots);
    EXPECT_TRUE(list.SelectPatternID(-1));
    EXPECT_EQ(list.GetSelectedPatternID(), -1);

    LineHatchPattern renamed = brick;
    renamed.SetPatternName(CString(u"Bricks"));
    renamed.SetPatternID(nBrick);
    EXPECT_TRUE(list.UpdatePatternAt(0, &renamed));
    EXPECT_EQ(list.GetItemText(0, 0), CString(u"Bricks"));
    EXPECT_EQ(list.GetPatternImages().GetImageCount(), 2) << "the picture is replaced in place";
    EXPECT_FALSE(list.UpdatePatternAt(2, &renamed));
    EXPECT_EQ(list.AddPattern(&renamed), 2);

    // Items deleted one by one, all at once, or with the window: the copies go (ASan's leak check),
    // the document's patterns stay.
    ASSERT_TRUE(list.DeleteItem(0));
    list.DestroyWindow();
    EXPECT_EQ(m_document.GetHatchPatternTable()->GetHatchPatternCount(), 2);
    EXPECT_EQ(m_document.GetHatchPatternTable()->GetHatchPattern(nBrick)->GetPatternName(), CString(u"Brick"));
}

}  // namespace
