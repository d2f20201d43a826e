#include "settings/CImageColorSettingDialog.h"

#include <algorithm>
#include <cfloat>

#include "controls/DoubleEditExchange.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/ImageTool.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Image.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/SettingsDialogSupport.h"

BEGIN_MESSAGE_MAP(CImageColorSettingDialog, CDialog)
ON_WM_HSCROLL()
ON_WM_DRAWITEM()
ON_NOTIFY(UDN_DELTAPOS, CImageColorSettingDialog::kBrightnessSpin, &CImageColorSettingDialog::OnSpin)
ON_NOTIFY(UDN_DELTAPOS, CImageColorSettingDialog::kContrastSpin, &CImageColorSettingDialog::OnSpin)
ON_EN_KILLFOCUS(CImageColorSettingDialog::kBrightness, &CImageColorSettingDialog::OnBrightnessKillFocus)
ON_EN_KILLFOCUS(CImageColorSettingDialog::kContrast, &CImageColorSettingDialog::OnContrastKillFocus)
END_MESSAGE_MAP()

namespace {

bool IsMixed(float value)
{
    return value == FLT_MAX;
}

int SliderPosition(float value)
{
    // A mixed value leaves its slider at the lowest position.
    return IsMixed(value) ? 0 : static_cast<int>(value);
}

}  // namespace

CImageColorSettingDialog::CImageColorSettingDialog(CWnd* pParent, BOOL bAllowMixed)
    : CDialog(IDD, pParent), m_bAllowMixed(bAllowMixed)
{
}

CImageColorSettingDialog::~CImageColorSettingDialog() = default;

BOOL CImageColorSettingDialog::SetImageSetting(const ImageSetting* pSetting)
{
    if (pSetting == nullptr)
        return FALSE;
    const float contrast = pSetting->GetContrast();
    const float brightness = pSetting->GetBrightness();
    m_fContrast = IsMixed(contrast) ? FLT_MAX : contrast * 100.0f;
    m_fBrightness = IsMixed(brightness) ? FLT_MAX : brightness * 100.0f;
    return TRUE;
}

BOOL CImageColorSettingDialog::GetImageSetting(ImageSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    pSetting->SetContrast(IsMixed(m_fContrast) ? FLT_MAX : m_fContrast / 100.0f);
    pSetting->SetBrightness(IsMixed(m_fBrightness) ? FLT_MAX : m_fBrightness / 100.0f);
    return TRUE;
}

BOOL CImageColorSettingDialog::SetPreviewImage(const Gdiplus::Image* pImage)
{
    m_pSource = pImage;
    return TRUE;
}

void CImageColorSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kPreview, m_preview);
    DDX_Control(pDX, kBrightnessSlider, m_brightnessSlider);
    DDX_Control(pDX, kContrastSlider, m_contrastSlider);
    DDX_DoubleEditFloat(pDX, kContrast, m_fContrast, 0.0f, 100.0f, TRUE, TRUE, m_bAllowMixed);
    DDX_DoubleEditFloat(pDX, kBrightness, m_fBrightness, 0.0f, 100.0f, TRUE, TRUE, m_bAllowMixed);
}

BOOL CImageColorSettingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_brightnessSlider.SetRange(0, 100);
    m_contrastSlider.SetRange(0, 100);
    for (int id : {kBrightnessSpin, kContrastSpin})
        if (auto* pSpin = static_cast<CSpinButtonCtrl*>(GetDlgItem(id)))
            pSpin->SetRange32(0, 100);
    m_brightnessSlider.SetPos(SliderPosition(m_fBrightness));
    m_contrastSlider.SetPos(SliderPosition(m_fContrast));
    UpdateData(FALSE);
    MakePreviewSizeImage();
    SetHelpButtonImage(this, m_helpImage);
    return TRUE;
}

void CImageColorSettingDialog::MakePreviewSizeImage()
{
    m_pPreviewImage.reset();
    m_pAdjusted.reset();
    if (m_pSource == nullptr || m_preview.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    m_preview.GetClientRect(&client);
    const double w = m_pSource->GetWidth();
    const double h = m_pSource->GetHeight();
    if (w < 1 || h < 1 || client.Width() < 1 || client.Height() < 1)
        return;
    // Shrunk or enlarged to fit, proportions kept.
    const double scale = std::min(client.Width() / w, client.Height() / h);
    const int width = std::max(1, static_cast<int>(w * scale));
    const int height = std::max(1, static_cast<int>(h * scale));
    auto pCopy = std::make_unique<Gdiplus::Bitmap>(width, height, Gdiplus::PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(pCopy.get());
    graphics.DrawImage(const_cast<Gdiplus::Image*>(m_pSource), 0, 0, width, height);
    m_pPreviewImage = std::move(pCopy);
}

const Gdiplus::Bitmap* CImageColorSettingDialog::GetAdjustedPreview()
{
    if (!m_pAdjusted) {
        if (!m_pPreviewImage || IsMixed(m_fBrightness) || IsMixed(m_fContrast))
            return nullptr;
        std::unique_ptr<Gdiplus::Bitmap> pClone(ImageTool::CloneImage(m_pPreviewImage.get()));
        if (!pClone || !ImageTool::AdjustImageColor(pClone.get(), static_cast<int>(m_fBrightness),
                                                     static_cast<int>(m_fContrast)))
            return nullptr;
        m_pAdjusted = std::move(pClone);
    }
    return m_pAdjusted.get();
}

void CImageColorSettingDialog::ValuesChanged()
{
    m_pAdjusted.reset();
    if (m_preview.GetSafeHwnd() != nullptr)
        m_preview.Invalidate(FALSE);
}

void CImageColorSettingDialog::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    const CWnd* pFrom = reinterpret_cast<const CWnd*>(pScrollBar);
    if (pFrom != nullptr && pFrom->GetSafeHwnd() == m_contrastSlider.GetSafeHwnd())
        m_fContrast = static_cast<float>(m_contrastSlider.GetPos());
    else if (pFrom != nullptr && pFrom->GetSafeHwnd() == m_brightnessSlider.GetSafeHwnd())
        m_fBrightness = static_cast<float>(m_brightnessSlider.GetPos());
    else
        return;
    UpdateData(FALSE);
    ValuesChanged();
}

void CImageColorSettingDialog::OnSpin(NMHDR* pNotify, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    const auto* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNotify);
    if (pUpDown == nullptr)
        return;
    const bool bBrightness = pNotify->idFrom == static_cast<UINT_PTR>(kBrightnessSpin);
    float& value = bBrightness ? m_fBrightness : m_fContrast;
    CSliderCtrl& slider = bBrightness ? m_brightnessSlider : m_contrastSlider;
    const int from = SliderPosition(value);
    const int to = std::clamp(from + pUpDown->iDelta, 0, 100);
    if (!IsMixed(value) && static_cast<float>(to) == value)
        return;
    value = static_cast<float>(to);
    slider.SetPos(to);
    UpdateData(FALSE);
    ValuesChanged();
}

void CImageColorSettingDialog::FieldLeft(float& value, CSliderCtrl& slider)
{
    const float before = value;
    if (!UpdateData(TRUE))
        return;
    if (value != before) {
        slider.SetPos(SliderPosition(value));
        ValuesChanged();
    }
}

void CImageColorSettingDialog::OnBrightnessKillFocus()
{
    FieldLeft(m_fBrightness, m_brightnessSlider);
}

void CImageColorSettingDialog::OnContrastKillFocus()
{
    FieldLeft(m_fContrast, m_contrastSlider);
}

void CImageColorSettingDialog::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != kPreview || lpDrawItemStruct == nullptr) {
        CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    const CRect item(lpDrawItemStruct->rcItem);
    const Gdiplus::Bitmap* pImage = GetAdjustedPreview();
    if (pImage == nullptr)
        return;
    const int left = item.left + (item.Width() - static_cast<int>(pImage->GetWidth())) / 2;
    const int top = item.top + (item.Height() - static_cast<int>(pImage->GetHeight())) / 2;
    Gdiplus::Graphics graphics(lpDrawItemStruct->hDC);
    graphics.DrawImage(const_cast<Gdiplus::Bitmap*>(pImage), left, top);
}
