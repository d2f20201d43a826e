// Pictures of the style dialog and the hatch pattern table in both languages, written only when KC_SCREENSHOT_DIR names a folder (the
// ones kept in docs/screenshots are made this way); without it the test only checks that the dialog lays
// out its text and dimension pages in each language.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include <QtGui/QFontMetrics>
#include <QtWidgets/QAbstractButton>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "libs/vevure/TextSetting.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/WinConstants.h"
#include "settings/CDimensionTextSettingPage.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CHatchPatternTableDialog.h"
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
                const QString name = language == std::u16string(u"ENG") ? QStringLiteral("style-text-page-en.png")
                                                                        : QStringLiteral("style-text-page-ja.png");
                picture.save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QLatin1Char('/') + name);
            }
            dialog.DestroyWindow();
        }
        AfxSetResourceHandle(pPrevious);
        AfxFreeResourceModule(module.pModule);
    }
}

// The value text page with the height field focused: its preview marks the text height.
TEST(StyleDialogPicturesTest, DimensionValueTextPageInEachLanguage)
{
    ASSERT_NE(TheApp(), nullptr);
    for (const char16_t* language : {u"ENG", u"JPN"}) {
        LanguageModuleResult module = AfxLoadLanguageModule(AfxGetResourceFolder(), language);
        ASSERT_NE(module.pModule, nullptr);
        ResourceModule* pPrevious = AfxGetResourceHandle();
        AfxSetResourceHandle(module.pModule);
        {
            Draw2dDocument document;
            CFeatureSettingTreeDialog dialog(&document, -1, 6, FALSE);
            DimensionSetting dimension;
            dimension.SetPrecision(2);
            dimension.SetColorNo(1);
            dialog.SetDimensionSetting(&dimension);
            ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
            dialog.ShowWindow(SW_SHOW);
            CFeatureSettingPropertyPage* pPage = dialog.GetPage(CFeatureSettingPropertyPage::kDimensionTextPage);
            ASSERT_NE(pPage->GetSafeHwnd(), nullptr);
            pPage->GetDlgItem(CDimensionTextSettingPage::kHeightId)->SetFocus();
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

// The hatch pattern table in each language: its caption from the language's template, every pattern
// listed under its name, and every button's caption whole within its button.
TEST(StyleDialogPicturesTest, HatchPatternTableInEachLanguage)
{
    ASSERT_NE(TheApp(), nullptr);
    for (const char16_t* language : {u"ENG", u"JPN"}) {
        const bool japanese = language == std::u16string(u"JPN");
        LanguageModuleResult module = AfxLoadLanguageModule(AfxGetResourceFolder(), language);
        ASSERT_NE(module.pModule, nullptr);
        ResourceModule* pPrevious = AfxGetResourceHandle();
        AfxSetResourceHandle(module.pModule);
        {
            Draw2dDocument document;
            const CString first(japanese ? u"レンガ" : u"Brick"), last(japanese ? u"点" : u"Dots");
            LineHatchPattern brick;
            brick.SetPatternName(first);
            for (int i = 0; i < 2; ++i) {
                LineHatchPatternLineItem family;
                family.SetAngle(90.0 * i);
                family.SetSpace(2.0 + 2.0 * i);
                family.SetColorNo(static_cast<short>(1 + i));
                brick.AddLineItem(family);
            }
            ASSERT_NE(document.AddHatchPattern(&brick), -1);
            brick.SetPatternName(CString(japanese ? u"レンガ (1)" : u"Brick (1)"));
            ASSERT_NE(document.AddHatchPattern(&brick), -1);
            ShapeHatchPattern dots;
            dots.SetPatternName(last);
            dots.SetSpace1(3.0);
            dots.SetSpace2(3.0);
            dots.SetAngle(0.0, 90.0);
            Circle2dFeature dot(RuVaPnt2d(0, 0), 0.5);
            dots.AddFeature(&dot);
            ASSERT_NE(document.AddHatchPattern(&dots), -1);

            CHatchPatternTableDialog dialog(nullptr, &document);
            ASSERT_TRUE(dialog.Create(CHatchPatternTableDialog::IDD, nullptr));
            dialog.ShowWindow(SW_SHOW);
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            CString caption;
            dialog.GetWindowText(caption);
            EXPECT_EQ(caption, CString(japanese ? u"ハッチングパターン" : u"Hatch Patterns"));
            CUserDefinedHatchPatternListCtrl& list = dialog.GetPatternList();
            ASSERT_EQ(list.GetItemCount(), 3);
            EXPECT_EQ(list.GetItemText(0, 0), first);
            EXPECT_EQ(list.GetItemText(2, 0), last);
            for (int nID : {CHatchPatternTableDialog::kNewButton, CHatchPatternTableDialog::kEditButton,
                            CHatchPatternTableDialog::kCopyButton, CHatchPatternTableDialog::kDeleteButton,
                            CHatchPatternTableDialog::kHatchStyleButton, static_cast<int>(IDOK)}) {
                auto* pButton = qobject_cast<QAbstractButton*>(dialog.GetDlgItem(nID)->GetQWidget());
                ASSERT_NE(pButton, nullptr) << nID;
                QString text = pButton->text();
                text.remove(QLatin1Char('&'));
                EXPECT_FALSE(text.isEmpty()) << nID;
                EXPECT_LE(QFontMetrics(pButton->font()).horizontalAdvance(text), pButton->width())
                    << text.toStdString() << " is cut off";
            }
            const QImage picture = dialog.GetQWidget()->grab().toImage();
            EXPECT_GT(picture.width(), 300);
            if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR") && japanese)
                picture.save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/hatch-pattern-table-ja.png"));
            dialog.DestroyWindow();
        }
        AfxSetResourceHandle(pPrevious);
        AfxFreeResourceModule(module.pModule);
    }
}

}  // namespace
