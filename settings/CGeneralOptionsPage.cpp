#include "settings/CGeneralOptionsPage.h"

#include "controls/CSelectColorComboBox.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/SettingsDialogSupport.h"

IMPLEMENT_DYNCREATE(CGeneralOptionsPage, CQZ2PropertyPage)

BEGIN_MESSAGE_MAP(CGeneralOptionsPage, CQZ2PropertyPage)
ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CGeneralOptionsPage::CGeneralOptionsPage() : CGeneralOptionsPage(nullptr) {}

CGeneralOptionsPage::CGeneralOptionsPage(const ColorFeatureTable* pColors)
    : CQZ2PropertyPage(IDD, 0), m_pColors(pColors)
{
    for (auto& pCombo : m_pColorCombos)
        pCombo = new CSelectColorComboBox(FALSE, TRUE, TRUE, FALSE);
}

CGeneralOptionsPage::~CGeneralOptionsPage()
{
    for (auto& pCombo : m_pColorCombos)
        delete pCombo;
}

COLORREF* CGeneralOptionsPage::ColorField(int nIndex)
{
    COLORREF* const fields[kColorCount] = {&m_PaperColor,    &m_PaperBackColor1,          &m_PaperBackColor2,
                                           &m_PartBackColor, &m_ComponentEditerBackColor, &m_SelectionColor,
                                           &m_TableViewThumbnailBackColor};
    return nIndex >= 0 && nIndex < kColorCount ? fields[nIndex] : nullptr;
}

BOOL CGeneralOptionsPage::OnInitDialog()
{
    CQZ2PropertyPage::OnInitDialog();
    for (int i = 0; i < kColorCount; ++i) {
        CSelectColorComboBox* pCombo = m_pColorCombos[i];
        if (pCombo->GetSafeHwnd() == nullptr)
            pCombo->SubclassDlgItem(static_cast<UINT>(kFirstColor + i), this);
        pCombo->SetLayerButton(FALSE);
        pCombo->SetColorTable(m_pColors);
    }
    if (auto* pStyle = static_cast<CComboBox*>(GetDlgItem(kVisualStyle))) {
        pStyle->ResetContent();
        for (UINT id = 10207; id <= 10211; ++id)
            pStyle->AddString(LoadSettingsString(id));
    }
    if (auto* pMode = static_cast<CComboBox*>(GetDlgItem(kGraphicsMode))) {
        pMode->ResetContent();
        pMode->AddString(_T("GDI"));
        pMode->AddString(_T("DirectX"));
    }
    if (auto* pSpin = static_cast<CSpinButtonCtrl*>(GetDlgItem(kGreekSpin))) {
        pSpin->SetBuddy(GetDlgItem(kGreekSize));
        pSpin->SetRange(0, 30);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CGeneralOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CQZ2PropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, kLineSmooth, m_LineSmoothMode);
    DDX_CBIndex(pDX, kVisualStyle, m_VisualStyle);
    DDX_CBIndex(pDX, kGraphicsMode, m_GraphicsMode);
    DDX_Check(pDX, kLayoutRegion, m_LayoutRegionVisible);
    DDX_Text(pDX, kGreekSize, m_GreekTextSize);
    DDV_MinMaxUInt(pDX, m_GreekTextSize, 0, 30);
    for (int i = 0; i < kColorCount; ++i) {
        CSelectColorComboBox* pCombo = m_pColorCombos[i];
        if (pCombo->GetSafeHwnd() == nullptr || pCombo->GetColorTable() == nullptr)
            continue;
        if (!pDX->m_bSaveAndValidate) {
            pCombo->SetColorRef(*ColorField(i));
        } else {
            COLORREF rgb = 0;
            pCombo->GetColor(rgb);
            *ColorField(i) = rgb;
        }
    }
}

void CGeneralOptionsPage::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl >= kFirstColor && nIDCtl < kFirstColor + kColorCount && lpMeasureItemStruct != nullptr) {
        const int height = DialogRowHeight(this);
        if (height > 0) {
            lpMeasureItemStruct->itemHeight = static_cast<UINT>(height);
            return;
        }
    }
    CQZ2PropertyPage::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}
