#include "settings/CCursorOptionsPage.h"

#include "controls/CSelectColorComboBox.h"
#include "platform/gdi/CDC.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "settings/OptionsPreviewPainter.h"
#include "settings/SettingsDialogSupport.h"

IMPLEMENT_DYNCREATE(CCursorOptionsPage, CQZ2PropertyPage)

BEGIN_MESSAGE_MAP(CCursorOptionsPage, CQZ2PropertyPage)
ON_BN_CLICKED(CCursorOptionsPage::kBoxVisible, &CCursorOptionsPage::OnChanged)
ON_CBN_SELENDOK(CCursorOptionsPage::kColor, &CCursorOptionsPage::OnChanged)
ON_WM_HSCROLL()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CCursorOptionsPage::CCursorOptionsPage() : CCursorOptionsPage(nullptr) {}

CCursorOptionsPage::CCursorOptionsPage(const ColorFeatureTable* pColors)
    : CQZ2PropertyPage(IDD, 0), m_pColorCombo(new CSelectColorComboBox(FALSE, TRUE, TRUE, FALSE)), m_pColors(pColors)
{
}

CCursorOptionsPage::~CCursorOptionsPage()
{
    delete m_pColorCombo;
}

BOOL CCursorOptionsPage::OnInitDialog()
{
    CQZ2PropertyPage::OnInitDialog();
    if (m_pColorCombo->GetSafeHwnd() == nullptr)
        m_pColorCombo->SubclassDlgItem(kColor, this);
    m_pColorCombo->SetLayerButton(FALSE);
    m_pColorCombo->SetColorTable(m_pColors);
    m_slider.SetRange(0, 20);
    UpdateData(FALSE);
    return TRUE;
}

void CCursorOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CQZ2PropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kPreview, m_preview);
    DDX_Control(pDX, kBoxSize, m_slider);
    DDX_Check(pDX, kBoxVisible, m_SnapBoxVisible);
    DDX_Slider(pDX, kBoxSize, m_SnapBoxSize);
    if (m_pColorCombo->GetSafeHwnd() != nullptr && m_pColorCombo->GetColorTable() != nullptr) {
        if (!pDX->m_bSaveAndValidate)
            m_pColorCombo->SetColorRef(m_CursorColor);
        else
            m_pColorCombo->GetColor(m_CursorColor);
    }
}

void CCursorOptionsPage::OnChanged()
{
    UpdateData(TRUE);
    m_preview.Invalidate(FALSE);
    m_preview.UpdateWindow();
}

void CCursorOptionsPage::OnHScroll(UINT, UINT, CScrollBar*)
{
    OnChanged();
}

void CCursorOptionsPage::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != kPreview || lpDrawItemStruct == nullptr) {
        CQZ2PropertyPage::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    CursorPreview preview;
    preview.paper = m_PreviewPaperColor;
    preview.cursor = m_CursorColor;
    preview.nBoxSize = m_SnapBoxSize;
    preview.bBoxVisible = m_SnapBoxVisible;
    DrawCursorPreview(CDC::FromHandle(lpDrawItemStruct->hDC), CRect(lpDrawItemStruct->rcItem), preview);
}

void CCursorOptionsPage::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
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
