// What the dialogs look like: the snap appearance page of the options dialog in English and Japanese,
// whose preview shows the marker in its colour, the tool tip and the cursor; the colour table; the line
// type table with a user line type. Pictures for the documentation are saved when KC_SCREENSHOT_DIR is set.

#include "SettingsTestSupport.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include "app/SystemEnvironment.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "platform/afx/ResourceModule.h"
#include "settings/CColorSettingDialog.h"
#include "settings/CLineTypeSettingDialog.h"
#include "settings/COptionsTreeDialog.h"
#include "settings/OptionsServices.h"

namespace {

QImage Picture(CWnd& window, const char* name)
{
    window.ShowWindow(SW_SHOW);
    QCoreApplication::processEvents();
    const QImage image = window.GetQWidget()->window()->grab().toImage();
    if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR"))
        image.save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QLatin1Char('/') + QString::fromLatin1(name));
    return image;
}

int CountColor(const QImage& image, QRgb rgb)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF);
    return n;
}

class Pictures : public SettingsDialogTest
{
protected:
    void SnapAppearance(const char16_t* language, const char* file)
    {
        ResourceModule* pPrevious = AfxGetResourceHandle();
        ResourceModule* pModule = nullptr;
        if (std::u16string(language) != u"ENG") {
            pModule = AfxLoadLanguageModule(QString(KC_TEST_RESOURCE_DIR).toStdU16String(), language).pModule;
            ASSERT_NE(pModule, nullptr);
            AfxSetResourceHandle(pModule);
        }
        static std::u16string s_language;
        s_language = language;
        const OptionsServices saved = OptionsServices::Get();
        OptionsServices services = saved;
        services.pfnGetLanguageCode = [] { return CString(s_language.c_str()); };
        OptionsServices::Set(services);

        ColorFeatureTable colors;
        colors.InitializeColors();
        SystemEnvironment options;
        ASSERT_TRUE(options.SetSnapMarkerColor(RGB(255, 0, 255)));
        COptionsTreeDialog dialog(&colors, COptionsTreeDialog::pageSnapAppearance);
        dialog.SetSystemEnvironment(&options);
        ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
        EXPECT_EQ(dialog.ShownPage(), COptionsTreeDialog::pageSnapAppearance);
        EXPECT_EQ(dialog.GetTree().GetCount(), std::u16string(language) == u"JPN" ? 8u : 7u);
        const QImage image = Picture(dialog, file);
        const QImage preview = dialog.m_snapAppearance.m_preview.GetQWidget()->grab().toImage();
        EXPECT_GT(CountColor(preview, qRgb(255, 0, 255)), 20) << "the marker in its colour";
        EXPECT_GT(CountColor(preview, qRgb(255, 128, 0)), 20) << "the cursor in its colour";
        EXPECT_GT(image.width(), preview.width());
        dialog.DestroyWindow();
        OptionsServices::Set(saved);
        AfxSetResourceHandle(pPrevious);
        if (pModule != nullptr)
            AfxFreeResourceModule(pModule);
    }
};

TEST_F(Pictures, SnapAppearancePageInEnglishAndJapanese)
{
    SnapAppearance(u"ENG", "options-en.png");
    SnapAppearance(u"JPN", "options-ja.png");
}

TEST_F(Pictures, ColourAndLineTypeTables)
{
    ColorFeatureTable colors;
    colors.InitializeColors();
    ASSERT_TRUE(colors.SetColor(17, RGB(250, 120, 10), CString(u"Orange")));
    CColorSettingDialog colorDialog(nullptr);
    colorDialog.SetColorTable(&colors);
    ASSERT_TRUE(colorDialog.Create(CColorSettingDialog::IDD, nullptr));
    const QImage table = Picture(colorDialog, "colour-table.png");
    // The swatches show colour 17 as new and current.
    EXPECT_GT(CountColor(table, qRgb(250, 120, 10)), 500);
    colorDialog.DestroyWindow();

    Draw2dDocument doc;
    doc.InitDocument();
    LineTypeFeatureTable types;
    types.InitializeLineTypes();
    LineTypeFeature mine;
    const double segments[4] = {10.0, 2.0, 1.0, 2.0};
    ASSERT_TRUE(mine.SetLineType(16, CString(u"Boundary"), segments, 4));
    ASSERT_TRUE(types.SetLineType(mine));
    CLineTypeSettingDialog typeDialog(nullptr);
    typeDialog.SetLineTypeTable(&types, &doc);
    ASSERT_TRUE(typeDialog.Create(CLineTypeSettingDialog::IDD, nullptr));
    Picture(typeDialog, "line-type-table.png");
    EXPECT_EQ(typeDialog.m_list.GetItemCount(), 16);
    typeDialog.DestroyWindow();
}

}  // namespace
