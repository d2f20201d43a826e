// The setting commands on a paper, with the shapes picked through part layouts: sizes are shown and
// entered as they appear on the paper and stored in the part drawing's own measure.

#include <functional>
#include <memory>
#include <string>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include "tests/commands/edit/PartLayoutFixture.h"

#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "platform/win/CWnd.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CFeatureSettingPropertyPage.h"
#include "settings/CTextSettingPage.h"

namespace {

class ChangeSettingLayoutTest : public PartLayoutFixture
{
protected:
    void TearDown() override
    {
        timer.reset();
        PartLayoutFixture::TearDown();
    }
    void AnswerWith(std::function<void(CFeatureSettingTreeDialog&)> act)
    {
        timer = std::make_unique<QTimer>();
        timer->setInterval(2);
        QObject::connect(timer.get(), &QTimer::timeout, [this, act]() {
            auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr || pDialog->GetSafeHwnd() == nullptr)
                return;
            timer->stop();
            ++openings;
            act(*pDialog);
        });
        timer->start();
    }
    long PartText(double height)
    {
        Text2dFeature text(_T("ABC"), RuVaPnt2d(1, 1));
        text.SetHeight(height);
        doc.BeginUndoOperation(nullptr);
        const long id = doc.AddFeature(&text, doc.ChangeDrawingFeature(part), 1);
        doc.EndUndoOperation();
        doc.ClearUndoRedoHistory();
        return id;
    }
    double HeightOf(long id) const { return static_cast<const Text2dFeature*>(doc.GetFeature(id))->GetHeight(); }

    std::unique_ptr<QTimer> timer;
    int openings = 0;
};

TEST_F(ChangeSettingLayoutTest, ATextIsEditedInPaperSizesAndStoredInItsOwn)
{
    // Layout B shows the part at 2:1 (A at 1:2 in X): a height of 5 reads 10 (2.5), and 3 typed stores 1.5 (6).
    struct Case {
        long layout;
        double shownExpected;
        double stored;
    };
    const Case cases[] = {{layoutB, 10.0, 1.5}, {layoutA, 2.5, 6.0}};
    for (const Case& c : cases) {
        const long t = PartText(5.0);
        CString shown;
        AnswerWith([&shown](CFeatureSettingTreeDialog& d) {
            d.SelectPage(CFeatureSettingPropertyPage::kTextPage);
            CWnd* pHeight = d.GetPage(CFeatureSettingPropertyPage::kTextPage)->GetDlgItem(CTextSettingPage::kHeightId);
            pHeight->GetWindowText(shown);
            pHeight->SetWindowText(u"3");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        Start(_T("Korvan.Edit.ChangeTextSetting"));
        ASSERT_TRUE(GiveShapes(0, {t}, c.layout));
        EXPECT_NEAR(std::stod(kctest::Narrow(shown)), c.shownExpected, 1e-9) << kctest::Narrow(shown);
        EXPECT_NEAR(HeightOf(t), c.stored, 1e-9);
        EXPECT_EQ(doc.GetUndoCount(), 1);
        if (Running() != nullptr)
            manager.EndCommand(Running(), FALSE);
    }
}

TEST_F(ChangeSettingLayoutTest, APointMarkerSeenThroughUnequalScalesIsRefused)
{
    PointMarker2dFeature marker(RuVaPnt2d(1, 1));
    doc.BeginUndoOperation(nullptr);
    const long m = doc.AddFeature(&marker, doc.ChangeDrawingFeature(part), 1);
    doc.EndUndoOperation();
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    AnswerWith([](CFeatureSettingTreeDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
    Start(_T("Korvan.Edit.ChangePointMarkerSetting"));
    EXPECT_FALSE(GiveShapes(0, {m}, layoutA));
    EXPECT_EQ(openings, 0);
    EXPECT_TRUE(SameAs(*before, "refused"));
    timer.reset();
}

}  // namespace
