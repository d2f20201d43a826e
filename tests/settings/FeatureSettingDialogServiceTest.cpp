// The hook through which the property list's setting rows run the style dialog: registered by this
// library, it opens the setting's page in the mixed-values form and writes the result back only on OK.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include <functional>

#include "app/CQZ2App.h"
#include "command/FeatureSettingDialogHooks.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CPointMarkerSettingPage.h"
#include "settings/FeatureSettingDialogService.h"
#include "tests/support/app/SharedAppEnvironment.h"

namespace {

// Acts on the style dialog once it runs modally.
void WhenStyleDialogRuns(QTimer& timer, std::function<void(CFeatureSettingTreeDialog&)> act)
{
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&timer, act]() {
        auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
        if (pDialog == nullptr)
            return;
        timer.stop();
        act(*pDialog);
    });
    timer.start();
}

TEST(FeatureSettingDialogServiceTest, TheHookRunsTheDialogOnTheSetting)
{
    ASSERT_NE(TheApp(), nullptr);
    ASSERT_EQ(FeatureSettingDialogHooks::Get().pfnEditFeatureSetting, &FeatureSettingDialogService::EditFeatureSetting);
    Draw2dDocument document;
    for (int answer : {IDCANCEL, IDOK}) {
        PointMarkerSetting setting;
        setting.SetSize(DBL_MAX);  // differing between the shapes
        setting.SetType(2);
        bool mixed = false;
        QTimer timer;
        WhenStyleDialogRuns(timer, [&](CFeatureSettingTreeDialog& dialog) {
            CString title;
            dialog.GetWindowText(title);
            mixed = title == LoadResourceString(10196);
            auto* pPage = static_cast<CPointMarkerSettingPage*>(dialog.GetPage(CFeatureSettingPropertyPage::kPointMarkerPage));
            pPage->GetDlgItem(CPointMarkerSettingPage::kSizeId)->SetWindowText(u"2.5");
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        });
        const INT_PTR result = FeatureSettingDialogHooks::Get().pfnEditFeatureSetting(&document, &setting);
        EXPECT_EQ(result, answer);
        EXPECT_TRUE(mixed) << "the dialog's title of several shapes";
        EXPECT_EQ(setting.GetSize(), answer == IDOK ? 2.5 : DBL_MAX);
        EXPECT_EQ(setting.GetType(), 2);
    }
}

TEST(FeatureSettingDialogServiceTest, ADimensionSettingOpensOnTheDimensionPageShownLast)
{
    ASSERT_NE(TheApp(), nullptr);
    const int saved = TheApp()->m_nLastStylePage;
    const DimensionSetting dimension;
    const PointMarkerSetting marker;
    for (auto [last, expected] : {std::pair{8, 8}, std::pair{5, 5}, std::pair{2, 0}, std::pair{11, 0}}) {
        TheApp()->m_nLastStylePage = last;
        EXPECT_EQ(FeatureSettingDialogService::InitialPage(&dimension), expected) << last;
        EXPECT_EQ(FeatureSettingDialogService::InitialPage(&marker), 0) << last;
    }
    TheApp()->m_nLastStylePage = saved;
}

}  // namespace
