#pragma once
// Brightness and contrast of image shapes (template 525), in percent from 0 to 100, each with a slider,
// a field and a spin button, over a preview of the first image with the values applied. A value in which
// the selected images differ is mixed (FLT_MAX): its field is empty and it stays as it is unless typed.

#include <memory>

#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CSliderCtrl.h"
#include "platform/win/CStatic.h"

class ImageSetting;
namespace Gdiplus {
class Image;
class Bitmap;
}  // namespace Gdiplus

class CImageColorSettingDialog : public CDialog
{
public:
    enum { IDD = 525 };
    enum : int {
        kPreview = 2300,
        kBrightnessSlider = 2301,
        kBrightness = 2302,
        kBrightnessSpin = 2303,
        kContrastSlider = 2304,
        kContrast = 2305,
        kContrastSpin = 2306
    };

    CImageColorSettingDialog(CWnd* pParent, BOOL bAllowMixed);
    ~CImageColorSettingDialog() override;

    BOOL SetImageSetting(const ImageSetting* pSetting);
    BOOL GetImageSetting(ImageSetting* pSetting) const;
    // The image previewed; not owned, it must live until the dialog ends.
    BOOL SetPreviewImage(const Gdiplus::Image* pImage);

    // The adjusted preview now, NULL when nothing is drawn (mixed values, no image).
    const Gdiplus::Bitmap* GetAdjustedPreview();
    const Gdiplus::Bitmap* GetPreviewSizeImage() const { return m_pPreviewImage.get(); }

    CStatic m_preview;
    CSliderCtrl m_brightnessSlider;
    CSliderCtrl m_contrastSlider;
    float m_fContrast = 0.0f;
    float m_fBrightness = 0.0f;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSpin(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnBrightnessKillFocus();
    afx_msg void OnContrastKillFocus();
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    void MakePreviewSizeImage();
    void ValuesChanged();
    void FieldLeft(float& value, CSliderCtrl& slider);

    const Gdiplus::Image* m_pSource = nullptr;
    std::unique_ptr<Gdiplus::Bitmap> m_pPreviewImage;
    std::unique_ptr<Gdiplus::Bitmap> m_pAdjusted;
    BOOL m_bAllowMixed = FALSE;
    CBitmap m_helpImage;
};
