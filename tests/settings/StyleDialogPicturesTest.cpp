// Pictures of the style dialog in both languages, written only when KC_SCREENSHOT_DIR names a folder (the
// ones kept in docs/screenshots are made this way); without it the test only checks that the dialog lays
// out its text page in each language.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/TextSetting.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/WinConstants.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "tests/support/app/SharedAppEnvironment.h"

namespace {

TEST(StyleDialogPicturesTest, TextPageInEachLanguage)
{
    ASSERT_NE(TheApp(), nullptr);
    for (const char16_t* language : {u"ENG", u"JPN"}) {
        LanguageModuleResult module = AfxLoadLanguageModule(AfxGetResourceFolder(), language);
        ASSERT_NE(module.pModule, nullptr);
        ResourceModule* pPrevious = AfxGetResourceHandle();
        AfxSetResourceHandle(module.pModule);
        {
            Draw2dDocument document;
            CFeatureSettingTreeDialog dialog(&document, -1, 2, FALSE);
            TextSetting text;
            text.SetHeight(3.5);
            dialog.SetTextSetting(&text);
            ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
            dialog.ShowWindow(SW_SHOW);
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            const QImage picture = dialog.GetQWidget()->grab().toImage();
            EXPECT_GT(picture.width(), 300);
            if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR")) {
                const QString name = language == std::u16string(u"ENG") ? QStringLiteral("style-dialog-en.png")
                                                                        : QStringLiteral("style-dialog-ja.png");
                picture.save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QLatin1Char('/') + name);
            }
            dialog.DestroyWindow();
        }
        AfxSetResourceHandle(pPrevious);
        AfxFreeResourceModule(module.pModule);
    }
}

TEST(StyleDialogPicturesTest, DimensionColourPageInEachLanguage)
{
    ASSERT_NE(TheApp(), nullptr);
    for (const char16_t* language : {u"ENG", u"JPN"}) {
        LanguageModuleResult module = AfxLoadLanguageModule(AfxGetResourceFolder(), language);
        ASSERT_NE(module.pModule, nullptr);
        ResourceModule* pPrevious = AfxGetResourceHandle();
        AfxSetResourceHandle(module.pModule);
        {
            Draw2dDocument document;
            CFeatureSettingTreeDialog dialog(&document, -1, 9, FALSE);
            DimensionSetting dimension;
            dimension.SetColorNo(1);
            dimension.SetProjectionColorDifferentDim(1);
            dimension.SetProjectionColorNo(4);
            dialog.SetDimensionSetting(&dimension);
            ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
            dialog.ShowWindow(SW_SHOW);
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            const QImage picture = dialog.GetQWidget()->grab().toImage();
            EXPECT_GT(picture.width(), 300);
            if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR")) {
                const QString name = language == std::u16string(u"ENG") ? QStringLiteral("dimension-colour-en.png")
                                                                        : QStringLiteral("dimension-colour-ja.png");
                picture.save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QLatin1Char('/') + name);
            }
            dialog.DestroyWindow();
        }
        AfxSetResourceHandle(pPrevious);
        AfxFreeResourceModule(module.pModule);
    }
}

}  // namespace
