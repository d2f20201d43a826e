// The image colour dialog: settings in and out as percentages, mixed values, the preview fitted to its
// box and adjusted with the values, the sliders and fields kept in step, and values outside 0-100.

#include "SettingsTestSupport.h"

#include <cfloat>

#include "libs/vevure/ImageSetting.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/GdiplusTypes.h"
#include "platform/win/CSliderCtrl.h"
#include "platform/win/WinMessages.h"
#include "settings/CImageColorSettingDialog.h"

namespace {

using D = CImageColorSettingDialog;

class ImageColorDialog : public SettingsDialogTest
{
protected:
    void TearDown() override
    {
        if (dialog && dialog->GetSafeHwnd() != nullptr)
            dialog->DestroyWindow();
    }
    void Open(float brightness, float contrast, const Gdiplus::Image* pImage, BOOL bAllowMixed = TRUE)
    {
        dialog = std::make_unique<D>(nullptr, bAllowMixed);
        ImageSetting setting;
        setting.SetBrightness(brightness);
        setting.SetContrast(contrast);
        dialog->SetImageSetting(&setting);
        dialog->SetPreviewImage(pImage);
        ASSERT_TRUE(dialog->Create(D::IDD, nullptr));
    }
    void Leave(int nId)
    {
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(nId, EN_KILLFOCUS),
                            reinterpret_cast<LPARAM>(dialog->GetDlgItem(nId)->GetSafeHwnd()));
    }
    ImageSetting Result()
    {
        ImageSetting out;
        dialog->GetImageSetting(&out);
        return out;
    }
    std::unique_ptr<D> dialog;
};

Gdiplus::Bitmap Picture(int width, int height)
{
    Gdiplus::Bitmap bitmap(width, height, Gdiplus::PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, Gdiplus::Color(255, 100, 150, 200));
    return bitmap;
}

}  // namespace

TEST_F(ImageColorDialog, SettingsComeInAndGoOutAsPercentages)
{
    Gdiplus::Bitmap picture = Picture(40, 30);
    Open(0.25f, 0.5f, &picture);
    EXPECT_EQ(Text(*dialog, D::kContrast), QStringLiteral("50"));
    EXPECT_EQ(Text(*dialog, D::kBrightness), QStringLiteral("25"));
    EXPECT_EQ(dialog->m_contrastSlider.GetPos(), 50);
    EXPECT_EQ(dialog->m_brightnessSlider.GetPos(), 25);
    ASSERT_TRUE(dialog->UpdateData(TRUE));
    EXPECT_FLOAT_EQ(Result().GetContrast(), 0.5f);
    EXPECT_FLOAT_EQ(Result().GetBrightness(), 0.25f);

    // The slider moves the value and its field.
    dialog->m_brightnessSlider.SetPos(70);
    dialog->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70),
                        reinterpret_cast<LPARAM>(dialog->m_brightnessSlider.GetSafeHwnd()));
    EXPECT_EQ(Text(*dialog, D::kBrightness), QStringLiteral("70"));
    EXPECT_FLOAT_EQ(Result().GetBrightness(), 0.7f);

    // A typed value moves the slider when the field is left.
    Type(*dialog, D::kContrast, QStringLiteral("80"));
    Leave(D::kContrast);
    EXPECT_EQ(dialog->m_contrastSlider.GetPos(), 80);
    EXPECT_FLOAT_EQ(Result().GetContrast(), 0.8f);
}

TEST_F(ImageColorDialog, AMixedValueShowsEmptyAndNoPreviewUntilOneIsTyped)
{
    Gdiplus::Bitmap picture = Picture(40, 30);
    Open(FLT_MAX, 0.5f, &picture);
    EXPECT_TRUE(Text(*dialog, D::kBrightness).isEmpty());
    EXPECT_EQ(dialog->m_brightnessSlider.GetPos(), 0);
    EXPECT_EQ(dialog->GetAdjustedPreview(), nullptr);
    ASSERT_TRUE(dialog->UpdateData(TRUE));
    EXPECT_EQ(Result().GetBrightness(), FLT_MAX) << "a mixed value stays unchanged";

    Type(*dialog, D::kBrightness, QStringLiteral("40"));
    Leave(D::kBrightness);
    EXPECT_NE(dialog->GetAdjustedPreview(), nullptr);
    EXPECT_FLOAT_EQ(Result().GetBrightness(), 0.4f);
}

TEST_F(ImageColorDialog, ThePreviewFitsItsBoxWithProportionsKept)
{
    for (const auto& size : {std::pair{4000, 1000}, std::pair{10, 20}}) {
        Gdiplus::Bitmap picture = Picture(size.first, size.second);
        Open(0.5f, 0.5f, &picture);
        CRect box;
        dialog->m_preview.GetClientRect(&box);
        const Gdiplus::Bitmap* pFitted = dialog->GetPreviewSizeImage();
        ASSERT_NE(pFitted, nullptr);
        const bool bWidthBound = box.Width() * size.second <= box.Height() * size.first;
        if (bWidthBound)
            EXPECT_EQ(static_cast<int>(pFitted->GetWidth()), box.Width()) << size.first;
        else
            EXPECT_EQ(static_cast<int>(pFitted->GetHeight()), box.Height()) << size.first;
        EXPECT_NEAR(double(pFitted->GetWidth()) / pFitted->GetHeight(), double(size.first) / size.second,
                    0.05 * size.first / size.second);
        // 50 and 50 leave the picture as it is; 0 brightness makes it black.
        Gdiplus::Color colour;
        ASSERT_NE(dialog->GetAdjustedPreview(), nullptr);
        const_cast<Gdiplus::Bitmap*>(dialog->GetAdjustedPreview())->GetPixel(0, 0, &colour);
        EXPECT_NEAR(colour.GetB(), 200, 2);
        dialog->DestroyWindow();
    }
    Open(0.5f, 0.5f, nullptr);
    EXPECT_EQ(dialog->GetAdjustedPreview(), nullptr) << "no image, no preview";
}

TEST_F(ImageColorDialog, ValuesOutsideZeroToHundredAreRefused)
{
    Open(0.5f, 0.5f, nullptr);
    Type(*dialog, D::kContrast, QStringLiteral("101"));
    Leave(D::kContrast);
    EXPECT_TRUE(OneBox(10124));
    EXPECT_EQ(dialog->m_contrastSlider.GetPos(), 50);
    EXPECT_FLOAT_EQ(Result().GetContrast(), 0.5f);
    Type(*dialog, D::kContrast, QStringLiteral("100"));
    Leave(D::kContrast);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FLOAT_EQ(Result().GetContrast(), 1.0f);
}
