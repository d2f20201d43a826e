#include "settings/CPointMarkerSettingPage.h"

#include "command/LoadResourceString.h"
#include "controls/DoubleEditExchange.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/WinCtrlConstants.h"

namespace {
constexpr UINT IDS_FIRST_MARKER_TYPE = 12281;
constexpr double kMaxSize = 2.5e15;
}  // namespace

IMPLEMENT_DYNCREATE(CPointMarkerSettingPage, CFeatureSettingPropertyPage)

BEGIN_MESSAGE_MAP(CPointMarkerSettingPage, CFeatureSettingPropertyPage)
    ON_NOTIFY(UDN_DELTAPOS, CPointMarkerSettingPage::kSizeSpinId, &CPointMarkerSettingPage::OnDeltaPosSize)
    ON_NOTIFY(UDN_DELTAPOS, CPointMarkerSettingPage::kRotationSpinId, &CPointMarkerSettingPage::OnDeltaPosRotation)
    ON_CBN_SELENDOK(CPointMarkerSettingPage::kTypeId, &CPointMarkerSettingPage::OnCommit)
    ON_CBN_SELENDOK(CPointMarkerSettingPage::kColorId, &CPointMarkerSettingPage::OnCommit)
    ON_CBN_SETFOCUS(CPointMarkerSettingPage::kTypeId, &CPointMarkerSettingPage::OnFocusField)
    ON_CBN_SETFOCUS(CPointMarkerSettingPage::kColorId, &CPointMarkerSettingPage::OnFocusField)
    ON_EN_SETFOCUS(CPointMarkerSettingPage::kSizeId, &CPointMarkerSettingPage::OnFocusField)
    ON_EN_SETFOCUS(CPointMarkerSettingPage::kRotationId, &CPointMarkerSettingPage::OnFocusField)
    ON_EN_UPDATE(CPointMarkerSettingPage::kSizeId, &CPointMarkerSettingPage::OnTyping)
    ON_EN_UPDATE(CPointMarkerSettingPage::kRotationId, &CPointMarkerSettingPage::OnTyping)
END_MESSAGE_MAP()

CPointMarkerSettingPage::CPointMarkerSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kPointMarkerPage;
}

CPointMarkerSettingPage::~CPointMarkerSettingPage() = default;

void CPointMarkerSettingPage::SetColorTable(const ColorFeatureTable* pTable, const LayerFeatureTable* pLayers,
                                            long nLayerID)
{
    m_pColorTable = pTable;
    m_nLayerColorNo = nLayerID != -1 && pLayers != nullptr ? pLayers->GetLayerColorNo(nLayerID) : kUndefinedNo;
}

void CPointMarkerSettingPage::SetPointMarkerSetting(const PointMarkerSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    m_nType = pSetting->GetType();
    m_nColorNo = pSetting->GetColorNo();
    m_dSize = pSetting->GetSize();
    m_dRotateAngle = pSetting->GetRotateAngle();
    if (GetSafeHwnd() != nullptr) {
        UpdateData(FALSE);
        RefreshControls();
    }
}

BOOL CPointMarkerSettingPage::GetPointMarkerSetting(PointMarkerSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    pSetting->SetType(m_nType);
    pSetting->SetColorNo(m_nColorNo);
    pSetting->SetSize(m_dSize);
    pSetting->SetRotateAngle(m_dRotateAngle);
    return TRUE;
}

void CPointMarkerSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kSizeSpinId, m_sizeSpin);
    DDX_Control(pDX, kRotationSpinId, m_rotationSpin);
    DDX_Control(pDX, kTypeId, m_typeList);
    DDX_Control(pDX, kSizeId, m_sizeEdit);
    DDX_Control(pDX, kRotationId, m_rotationEdit);
    DDX_Control(pDX, kColorId, m_colorList);
    DDX_CBIndex(pDX, kTypeId, m_nType);
    DDX_DoubleEditDouble(pDX, kRotationId, m_dRotateAngle, 0.0, 360.0, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kSizeId, m_dSize, 0.0, kMaxSize, FALSE, FALSE, m_bMixedValues);
    if (!pDX->m_bSaveAndValidate) {
        m_colorList.SetColorTable(m_pColorTable);
        m_colorList.SetLayerColorNo(m_nLayerColorNo);
        m_colorList.SetColorNo(m_nColorNo);
    } else {
        m_nColorNo = m_colorList.GetColorNo();
    }
}

BOOL CPointMarkerSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_sizeEdit.SetValueKind(2);
    m_rotationEdit.SetValueKind(3);
    for (int i = 0; i < kTypeCount; ++i)
        m_typeList.AddString(LoadResourceString(IDS_FIRST_MARKER_TYPE + i));
    m_typeList.SetCurSel(m_nType);
    RefreshControls();
    return TRUE;
}

void CPointMarkerSettingPage::RefreshControls()
{
    m_colorList.SetColorNo(m_nColorNo);
    UpdateData(FALSE);
    m_colorList.Invalidate();
    UpdatePreview();
}

void CPointMarkerSettingPage::UpdatePreview()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CWnd* pFocus = GetFocus();
    const int nFocus = pFocus != nullptr ? pFocus->GetDlgCtrlID() : 0;
    PointMarkerSetting setting;
    GetPointMarkerSetting(&setting);
    setting.SetSize(10.0);
    if (nFocus == kSizeId || nFocus == kRotationId)
        setting.SetRotateAngle(0.0);
    PointMarker2dFeature marker(RuVaPnt2d(0, 0));
    FeatureSettingConverter::SetPointMarkerSettingToFeature(&marker, setting);
    // Two dots frame the sample, so every form is drawn at the same scale.
    const double s = 10.0;
    Feature2dList samples;
    for (double corner : {-s, s}) {
        PointMarkerSetting dotSetting;
        dotSetting.SetType(2);
        dotSetting.SetColorNo(8);
        dotSetting.SetSize(0.1);
        PointMarker2dFeature dot(RuVaPnt2d(corner, corner));
        FeatureSettingConverter::SetPointMarkerSettingToFeature(&dot, dotSetting);
        samples.AddFeature(&dot, 1);
    }
    samples.AddFeature(&marker, 1);
    ShowPreview(samples);
}

void CPointMarkerSettingPage::OnDeltaPosSize(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_sizeEdit.OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
    *pResult = 0;
}

void CPointMarkerSettingPage::OnDeltaPosRotation(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_rotationEdit.OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
    *pResult = 0;
}

void CPointMarkerSettingPage::OnCommit()
{
    if (!UpdateData(TRUE))
        return;
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

void CPointMarkerSettingPage::OnFocusField()
{
    if (UpdateData(TRUE))
        UpdatePreview();
}

void CPointMarkerSettingPage::OnTyping() { NotifySettingChanged(TRUE); }
