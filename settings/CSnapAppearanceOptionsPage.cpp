#include "settings/CSnapAppearanceOptionsPage.h"

#include "controls/CSelectColorComboBox.h"
#include "platform/gdi/CDC.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "settings/OptionsPreviewPainter.h"
#include "settings/SettingsDialogSupport.h"

IMPLEMENT_DYNCREATE(CSnapAppearanceOptionsPage, CQZ2PropertyPage)

BEGIN_MESSAGE_MAP(CSnapAppearanceOptionsPage, CQZ2PropertyPage)
ON_BN_CLICKED(CSnapAppearanceOptionsPage::kMarkerVisible, &CSnapAppearanceOptionsPage::OnMarkerVisible)
ON_BN_CLICKED(CSnapAppearanceOptionsPage::kToolTip, &CSnapAppearanceOptionsPage::OnChanged)
ON_CBN_SELENDOK(CSnapAppearanceOptionsPage::kColor, &CSnapAppearanceOptionsPage::OnChanged)
ON_WM_HSCROLL()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CSnapAppearanceOptionsPage::CSnapAppearanceOptionsPage() : CSnapAppearanceOptionsPage(nullptr) {}

CSnapAppearanceOptionsPage::CSnapAppearanceOptionsPage(const ColorFeatureTable* pColors)
    : CQZ2PropertyPage(IDD, 0), m_pColors(pColors), m_pColorCombo(new CSelectColorComboBox(FALSE, TRUE, TRUE, FALSE))
{
}

CSnapAppearanceOptionsPage::~CSnapAppearanceOptionsPage()
{
    delete m_pColorCombo;
}

BOOL CSnapAppearanceOptionsPage::OnInitDialog()
{
    CQZ2PropertyPage::OnInitDialog();
    if (m_pColorCombo->GetSafeHwnd() == nullptr)
        m_pColorCombo->SubclassDlgItem(kColor, this);
    m_pColorCombo->SetLayerButton(FALSE);
    m_pColorCombo->SetColorTable(m_pColors);
    m_slider.SetRange(0, 20);
    EnableMarker();
    UpdateData(FALSE);
    return TRUE;
}

void CSnapAppearanceOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CQZ2PropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kMarkerSize, m_slider);
    DDX_Control(pDX, kPreview, m_preview);
    DDX_Check(pDX, kToolTip, m_SnapToolTipVisible);
    DDX_Check(pDX, kMarkerVisible, m_SnapMarkerVisible);
    DDX_Slider(pDX, kMarkerSize, m_SnapMarkerSize);
    if (m_pColorCombo->GetSafeHwnd() != nullptr && m_pColorCombo->GetColorTable() != nullptr) {
        if (!pDX->m_bSaveAndValidate)
            m_pColorCombo->SetColorRef(m_SnapMarkerColor);
        else
            m_pColorCombo->GetColor(m_SnapMarkerColor);
    }
}

void CSnapAppearanceOptionsPage::EnableMarker()
{
    m_pColorCombo->EnableWindow(m_SnapMarkerVisible);
    m_slider.EnableWindow(m_SnapMarkerVisible);
}

void CSnapAppearanceOptionsPage::OnMarkerVisible()
{
    UpdateData(TRUE);
    EnableMarker();
    m_preview.Invalidate(FALSE);
    m_preview.UpdateWindow();
}

void CSnapAppearanceOptionsPage::OnChanged()
{
    UpdateData(TRUE);
    m_preview.Invalidate(FALSE);
    m_preview.UpdateWindow();
}

void CSnapAppearanceOptionsPage::OnHScroll(UINT, UINT, CScrollBar*)
{
    OnChanged();
}

void CSnapAppearanceOptionsPage::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != kPreview || lpDrawItemStruct == nullptr) {
        CQZ2PropertyPage::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    SnapPreview preview;
    preview.cursor.paper = m_PreviewPaperColor;
    preview.cursor.cursor = m_PreviewCursorColor;
    preview.cursor.nBoxSize = m_PreviewSnapBoxSize;
    preview.cursor.bBoxVisible = m_PreviewSnapBoxVisible;
    preview.marker = m_SnapMarkerColor;
    preview.nMarkerSize = m_SnapMarkerSize;
    preview.bMarkerVisible = m_SnapMarkerVisible;
    preview.bToolTipVisible = m_SnapToolTipVisible;
    DrawSnapPreview(CDC::FromHandle(lpDrawItemStruct->hDC), CRect(lpDrawItemStruct->rcItem), preview);
}

void CSnapAppearanceOptionsPage::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == kColor && lpMeasureItemStruct != nullptr) {
        const int height = DialogRowHeight(this);
        if (height > 0) {
            lpMeasureItemStruct->itemHeight = static_cast<UINT>(height);
            return;
        }
    }
    CQZ2PropertyPage::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}
