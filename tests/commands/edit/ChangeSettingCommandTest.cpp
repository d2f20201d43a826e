// The setting commands through the real command manager: Change Settings with the real style dialog,
// the image and embedded-object dialogs answered from a timer, Copy Shape Setting and Save Shape Setting.
// Every change is one undo step and Undo gives the document back byte for byte.

#include <cfloat>
#include <functional>
#include <memory>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include "tests/commands/edit/EditFixture.h"
#include "tests/commands/edit/Screenshot.h"

#include "command/CommandBase.h"
#include "commands/edit/CopyFeatureSetting2dCommand.h"
#include "commands/edit/FeatureSettingTransfer.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "libs/vevure/OleObjectSetting.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CGeneralFeatureSettingPage.h"
#include "settings/CImageColorSettingDialog.h"
#include "settings/COleObjectSettingDialog.h"
#include "settings/CTextSettingPage.h"

namespace {

class ChangeSettingCommandTest : public kctest::EditFixture
{
protected:
    void TearDown() override
    {
        timer.reset();
        EditFixture::TearDown();
    }
    // Acts on the first modal dialog of the class once it runs.
    template <class D>
    void AnswerWith(std::function<void(D&)> act)
    {
        timer = std::make_unique<QTimer>();
        timer->setInterval(2);
        QObject::connect(timer.get(), &QTimer::timeout, [this, act]() {
            auto* pDialog = dynamic_cast<D*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr || pDialog->GetSafeHwnd() == nullptr)
                return;
            timer->stop();
            ++openings;
            act(*pDialog);
        });
        timer->start();
    }
    static void Press(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    long LineOf(short color, double y, bool withAttribute = false)
    {
        Line2dFeature line(RuVaPnt2d(0, y), RuVaPnt2d(10, y));
        line.SetColorNo(color);
        if (withAttribute) {
            FeatureAttribute list;
            list.AddAttribute(_T("Part"), _T("7"), 0);
            line.SetAttribute(list);
        }
        return Add(line);
    }
    long TextOf(double height, double y)
    {
        Text2dFeature text(_T("ABC"), RuVaPnt2d(0, y));
        text.SetHeight(height);
        return Add(text);
    }
    short ColorOf(long id) const { return doc.GetFeature(id)->GetColorNo(); }

    std::unique_ptr<QTimer> timer;
    int openings = 0;
};

TEST_F(ChangeSettingCommandTest, AColourChangeOfLinesLeavesTextsAndAttributes)
{
    const long a = LineOf(1, 0, true);
    const long b = LineOf(2, 5);
    const long t = TextOf(3.0, 10);
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    const auto textBefore = std::unique_ptr<Feature2dBase>(doc.GetFeature(t)->CopyObject());
    short shownColor = 0;
    AnswerWith<CFeatureSettingTreeDialog>([&shownColor](CFeatureSettingTreeDialog& d) {
        auto* pPage = static_cast<CGeneralFeatureSettingPage*>(d.GetPage(CFeatureSettingPropertyPage::kGeneralPage));
        ASSERT_NE(pPage, nullptr);
        ASSERT_NE(d.GetPage(CFeatureSettingPropertyPage::kTextPage), nullptr) << "the text page is filled too";
        d.SelectPage(CFeatureSettingPropertyPage::kGeneralPage);
        shownColor = pPage->m_colorList.GetColorNo();
        kctest::SaveScreenshot(d, "change-settings-dialog.png");
        pPage->m_colorList.SetColorNo(5);
        Press(d, IDOK);
    });
    Preselect({a, b, t});
    Start(_T("Korvan.Edit.ChangeShapeSetting"));
    EXPECT_EQ(openings, 1);
    EXPECT_NE(shownColor, 1) << "the colours differ: undefined";
    EXPECT_EQ(ColorOf(a), 5);
    EXPECT_EQ(ColorOf(b), 5);
    // The text keeps everything; the line keeps its attributes.
    const auto* pText = static_cast<const Text2dFeature*>(doc.GetFeature(t));
    EXPECT_EQ(pText->GetHeight(), 3.0);
    EXPECT_EQ(pText->GetColorNo(), textBefore->GetColorNo());
    ASSERT_NE(doc.GetFeature(a)->GetAttribute(), nullptr);
    EXPECT_EQ(doc.GetFeature(a)->GetAttribute()->GetAttributeValue(0), CString(_T("7")));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    doc.Undo(1);
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(ChangeSettingCommandTest, ConfirmingUnchangedOrCancellingChangesNothing)
{
    const long a = LineOf(1, 0);
    const long b = LineOf(2, 5);
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    for (int answer : {IDOK, IDCANCEL}) {
        AnswerWith<CFeatureSettingTreeDialog>([answer](CFeatureSettingTreeDialog& d) { Press(d, answer); });
        Start(_T("Korvan.Edit.ChangeBasicShapeSetting"));
        // A cancelled dialog counts as a failed run.
        EXPECT_EQ(GiveShapes(0, {a, b}) != FALSE, answer == IDOK);
        EXPECT_TRUE(SameAs(*before, answer == IDOK ? "unchanged OK" : "cancel"));
        EXPECT_EQ(doc.GetUndoCount(), 0) << answer;
        if (Running() != nullptr)
            manager.EndCommand(Running(), FALSE);
    }
    EXPECT_EQ(openings, 2);
}

TEST_F(ChangeSettingCommandTest, TheTextCommandChangesOnlyTexts)
{
    const long line = LineOf(1, 0);
    const long t1 = TextOf(3.0, 5);
    const long t2 = TextOf(4.0, 10);
    doc.ClearUndoRedoHistory();
    AnswerWith<CFeatureSettingTreeDialog>([](CFeatureSettingTreeDialog& d) {
        EXPECT_EQ(d.GetPage(CFeatureSettingPropertyPage::kGeneralPage), nullptr);
        d.SelectPage(CFeatureSettingPropertyPage::kTextPage);
        d.GetPage(CFeatureSettingPropertyPage::kTextPage)->GetDlgItem(CTextSettingPage::kHeightId)->SetWindowText(u"6");
        Press(d, IDOK);
    });
    // The text command's mask leaves the line out of the pre-selection.
    Preselect({line, t1, t2});
    Start(_T("Korvan.Edit.ChangeTextSetting"));
    EXPECT_EQ(openings, 1);
    EXPECT_EQ(static_cast<const Text2dFeature*>(doc.GetFeature(t1))->GetHeight(), 6.0);
    EXPECT_EQ(static_cast<const Text2dFeature*>(doc.GetFeature(t2))->GetHeight(), 6.0);
    EXPECT_EQ(ColorOf(line), 1);
}

TEST_F(ChangeSettingCommandTest, EnableTestsFollowTheSelection)
{
    const long line = LineOf(1, 0);
    Image2dFeature image;
    image.SetWidth(10);
    const long img = Add(image);
    struct Case {
        std::vector<long> selected;
        LPCTSTR identifier;
        bool enabled;
    };
    const Case cases[] = {
        {{}, _T("Korvan.Edit.ChangeShapeSetting"), false},
        {{line}, _T("Korvan.Edit.ChangeShapeSetting"), true},
        {{img}, _T("Korvan.Edit.ChangeShapeSetting"), false},
        {{img, line}, _T("Korvan.Edit.SaveShapeSetting"), true},
        {{line}, _T("Korvan.Edit.ChangeImageSetting"), false},
        {{line, img}, _T("Korvan.Edit.ChangeImageSetting"), true},
        {{img}, _T("Korvan.Edit.ChangeOleObjectSetting"), false},
    };
    for (const Case& c : cases) {
        Preselect(c.selected);
        EXPECT_EQ(QZ2Command::CommandBase::IsCommandEnabled(c.identifier, &doc) != FALSE, c.enabled)
            << kctest::Narrow(c.identifier) << " with " << c.selected.size();
    }
}

TEST_F(ChangeSettingCommandTest, ImagesKeepAContrastTheyDoNotShare)
{
    long ids[2];
    for (int i = 0; i < 2; ++i) {
        Image2dFeature image;
        image.SetWidth(10);
        ImageSetting setting;
        setting.SetContrast(i == 0 ? 0.2f : 0.8f);
        setting.SetBrightness(0.5f);
        image.SetImageSetting(setting);
        ids[i] = Add(image);
    }
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    float shownContrast = 0.0f;
    AnswerWith<CImageColorSettingDialog>([&shownContrast](CImageColorSettingDialog& d) {
        shownContrast = d.m_fContrast;
        d.GetDlgItem(CImageColorSettingDialog::kBrightness)->SetWindowText(u"70");
        Press(d, IDOK);
    });
    Start(_T("Korvan.Edit.ChangeImageSetting"));
    ASSERT_TRUE(GiveShapes(0, {ids[0], ids[1]}));
    EXPECT_EQ(openings, 1);
    EXPECT_EQ(shownContrast, FLT_MAX);
    for (int i = 0; i < 2; ++i) {
        const auto* pImage = static_cast<const Image2dFeature*>(doc.GetFeature(ids[i]));
        EXPECT_FLOAT_EQ(pImage->GetBrightness(), 0.7f) << i;
        EXPECT_FLOAT_EQ(pImage->GetContrast(), i == 0 ? 0.2f : 0.8f) << i;
    }
    EXPECT_EQ(doc.GetUndoCount(), 1);
    doc.Undo(1);
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(ChangeSettingCommandTest, EmbeddedObjectsKeepAWidthTheyDoNotShare)
{
    long ids[2];
    for (int i = 0; i < 2; ++i) {
        OleObject2dFeature object;
        OleObjectSetting setting;
        setting.SetNaturalWidth(10.0);
        setting.SetNaturalHeight(10.0);
        setting.SetWidth(i == 0 ? 10.0 : 20.0);
        setting.SetHeight(10.0);
        ASSERT_TRUE(object.SetOleObjectSetting(setting));
        ids[i] = Add(object);
    }
    doc.ClearUndoRedoHistory();
    AnswerWith<COleObjectSettingDialog>([](COleObjectSettingDialog& d) {
        d.m_backgroundCheck.SetCheck(BST_CHECKED);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(COleObjectSettingDialog::kBackground, BN_CLICKED), 0);
        Press(d, IDOK);
    });
    Start(_T("Korvan.Edit.ChangeOleObjectSetting"));
    ASSERT_TRUE(GiveShapes(0, {ids[0], ids[1]}));
    EXPECT_EQ(openings, 1);
    for (int i = 0; i < 2; ++i) {
        const auto* pObject = static_cast<const OleObject2dFeature*>(doc.GetFeature(ids[i]));
        EXPECT_DOUBLE_EQ(pObject->GetWidth(), i == 0 ? 10.0 : 20.0) << i;
        EXPECT_NE(pObject->GetOleObjectSetting().GetBackgroundMode(), 0) << i;
    }
    EXPECT_EQ(doc.GetUndoCount(), 1);
}

TEST(FeatureSettingTransferTest, EachFeatureTypeHasOneSettingKind)
{
    using T = QZ2Command::FeatureSettingTransfer;
    struct Case {
        int type;
        int kind;            // change and save
        int kindForCopying;  // tolerance frames as basic shapes, images their own
    };
    const Case cases[] = {{1, T::kPointMarker, T::kPointMarker}, {2, T::kGeneral, T::kGeneral},
                          {9, T::kGeneral, T::kGeneral},          {10, T::kText, T::kText},
                          {30, T::kLead, T::kLead},               {31, T::kBalloon, T::kBalloon},
                          {32, T::kHatch, T::kHatch},             {50, T::kDimension, T::kDimension},
                          {55, T::kDimension, T::kDimension},     {59, T::kDimension, T::kGeneral},
                          {80, T::kGeneral, T::kImage}};
    for (const Case& c : cases) {
        EXPECT_EQ(T::KindOfType(c.type), c.kind) << c.type;
        EXPECT_EQ(T::KindOfType(c.type, TRUE, TRUE), c.kindForCopying) << c.type;
        EXPECT_NE(T::NewSetting(c.kind), nullptr) << c.type;
    }
}

TEST_F(ChangeSettingCommandTest, CopySettingWritesOnlyTargetsThatFit)
{
    struct Case {
        int sourceType;
        int targetType;
        bool fits;
    };
    const Case fits[] = {{2, 4, true}, {1, 2, true}, {2, 10, false}, {10, 10, true}, {50, 51, false},
                         {59, 59, true}, {80, 80, true}, {11, 3, true}, {32, 2, false}};
    for (const Case& c : fits)
        EXPECT_EQ(QZ2Command::CopyFeatureSetting2dCommand::Fits(c.sourceType, c.targetType) != FALSE, c.fits)
            << c.sourceType << " -> " << c.targetType;

    const long source = LineOf(5, 0);
    Circle2dFeature circle(RuVaPnt2d(0, 20), 3);
    circle.SetColorNo(1);
    const long c = Add(circle);
    const long t = TextOf(3.0, 10);
    const short textColor = ColorOf(t);
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    Preselect({c, t, source});
    Start(_T("Korvan.Edit.CopyShapeSetting"));
    ASSERT_TRUE(GivePick(0, source, RuVaPnt2d(5, 0)));
    EXPECT_EQ(ColorOf(c), 5);
    EXPECT_EQ(ColorOf(t), textColor);
    EXPECT_EQ(ColorOf(source), 5);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    doc.Undo(1);
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(ChangeSettingCommandTest, CopySettingFromAPointMarkerToLinesWritesNothing)
{
    PointMarker2dFeature marker;
    const long source = Add(marker);
    const long line = LineOf(3, 0);
    const auto before = Snapshot();
    Start(_T("Korvan.Edit.CopyShapeSetting"));
    ASSERT_TRUE(GivePick(0, source, RuVaPnt2d(0, 0)));
    ASSERT_TRUE(GiveShapes(1, {line}));
    EXPECT_TRUE(SameAs(*before, "marker onto line"));
    // Nothing fits a text: the run is refused and the targets stay for another source.
    const long t = TextOf(3.0, 10);
    if (Running() != nullptr)
        manager.EndCommand(Running(), FALSE);
    Start(_T("Korvan.Edit.CopyShapeSetting"));
    ASSERT_TRUE(GivePick(0, t, RuVaPnt2d(0, 10)));
    GiveShapes(1, {line});
    EXPECT_EQ(ColorOf(line), 3);
}

TEST_F(ChangeSettingCommandTest, SaveSettingMakesThePickedColourCurrent)
{
    const long line = LineOf(5, 0);
    doc.SetCurrentColorNo(1);
    const short lineType = doc.GetCurrentLineTypeNo();
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    short shown = 0;
    AnswerWith<CFeatureSettingTreeDialog>([&shown](CFeatureSettingTreeDialog& d) {
        d.SelectPage(CFeatureSettingPropertyPage::kGeneralPage);
        auto* pPage = static_cast<CGeneralFeatureSettingPage*>(d.GetPage(CFeatureSettingPropertyPage::kGeneralPage));
        ASSERT_NE(pPage, nullptr);
        shown = pPage->m_colorList.GetColorNo();
        Press(d, IDOK);
    });
    Preselect({line});
    Start(_T("Korvan.Edit.SaveShapeSetting"));
    EXPECT_EQ(openings, 1);
    EXPECT_EQ(shown, 5);
    EXPECT_EQ(doc.GetCurrentColorNo(), 5);
    EXPECT_EQ(doc.GetCurrentLineTypeNo(), lineType);
    EXPECT_EQ(ColorOf(line), 5);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    doc.Undo(1);
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

}  // namespace
