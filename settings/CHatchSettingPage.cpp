#include "settings/CHatchSettingPage.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchPatternBase.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "libs/zuruda/KcGeometryTool.h"
#include <QtCore/QString>
#include "controls/DoubleEditExchange.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDialog.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CFeatureSettingTreeDialog.h"

namespace {
constexpr UINT kMsgNoUserPattern = 10221;
constexpr double kRadians = 0.017453292519943295;
}  // namespace

IMPLEMENT_DYNCREATE(CHatchSettingPage, CFeatureSettingPropertyPage)

using Page = CHatchSettingPage;

BEGIN_MESSAGE_MAP(CHatchSettingPage, CFeatureSettingPropertyPage)
    ON_CONTROL_RANGE(BN_CLICKED, Page::kSolidId, Page::kUserId, &Page::OnType)
    ON_CBN_SELENDOK(Page::kSolidColorId, &Page::OnSolidColor)
    ON_CBN_SELENDOK(Page::kPatternColorId, &Page::OnPatternColor)
    ON_EN_UPDATE(Page::kTransparencyId, &Page::OnTransparencyTyped)
    ON_EN_KILLFOCUS(Page::kTransparencyId, &Page::OnTransparencyLeft)
    ON_WM_HSCROLL()
    ON_BN_CLICKED(Page::kRegionId, &Page::OnRegion)
    ON_CONTROL_RANGE(CBN_SELENDOK, Page::kRegionLineTypeId, Page::kRegionColorId, &Page::OnRegionAttribute)
    ON_NOTIFY(LVN_ITEMCHANGED, Page::kBuiltInListId, &Page::OnBuiltInChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, Page::kUserListId, &Page::OnUserChanged)
    ON_CONTROL_RANGE(BN_SETFOCUS, Page::kSolidId, Page::kBuiltInId, &Page::OnFocusField)
    ON_CONTROL_RANGE(BN_SETFOCUS, Page::kRegionId, Page::kRegionId, &Page::OnFocusField)
    ON_CONTROL_RANGE(CBN_SETFOCUS, Page::kPatternColorId, Page::kRegionColorId, &Page::OnFocusField)
    ON_CONTROL_RANGE(EN_SETFOCUS, Page::kTransparencyId, Page::kTransparencyId, &Page::OnFocusField)
    ON_BN_CLICKED(Page::kPatternTableId, &Page::OnPatternTable)
END_MESSAGE_MAP()

CHatchSettingPage::CHatchSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kHatchPage;
}

CHatchSettingPage::~CHatchSettingPage() = default;

void CHatchSettingPage::SetDocument(Draw2dDocument* pDocument, long nLayerID)
{
    m_pDocument = pDocument;
    m_nLayerID = nLayerID;
    if (pDocument == nullptr)
        return;
    SetAttributeTables(pDocument->GetLayerTable(), nLayerID, pDocument->GetColorFeatureTable(),
                       pDocument->GetLineTypeFeatureTable(), pDocument->GetLineWidthFeatureTable());
}

void CHatchSettingPage::SetHatchSetting(const HatchSetting& setting)
{
    const int type = setting.GetHatchType();
    m_nHatchType = type >= 0 && type <= 2 ? type : -1;
    m_nSolidColorNo = setting.GetSolidColorNo();
    m_nPatternColorNo = setting.GetPatternColorNo();
    m_nInvert = setting.GetSolidColorInvertMode() != 0 ? 1 : 0;
    const float transparency = setting.GetTransparency();
    m_nTransparency = transparency == FLT_MAX ? kNoTransparency
                                              : static_cast<UINT>(std::max(0, KcGeometryTool::DoubleToInt(transparency * 100.0)));
    m_nPatternType = setting.GetPatternType();
    m_nPatternID = setting.GetPatternID();
    m_nRegion = setting.GetRegionDisplayMode() != 0 ? 1 : 0;
    m_nRegionColorNo = setting.GetRegionColorNo();
    m_nRegionLineTypeNo = setting.GetRegionLineTypeNo();
    m_nRegionLineWidthNo = setting.GetRegionLineWidthNo();
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
}

BOOL CHatchSettingPage::GetHatchSetting(HatchSetting& setting) const
{
    setting.SetHatchType(m_nHatchType);
    setting.SetSolidColorNo(m_nSolidColorNo);
    setting.SetPatternColorNo(m_nPatternColorNo);
    setting.SetSolidColorInvertMode(m_nInvert);
    setting.SetTransparency(m_nTransparency == kNoTransparency ? FLT_MAX
                                                              : static_cast<float>(m_nTransparency) / 100.0f);
    setting.SetPatternType(m_nPatternType);
    setting.SetPatternID(m_nPatternID);
    setting.SetRegionDisplayMode(m_nRegion);
    setting.SetRegionColorNo(m_nRegionColorNo);
    setting.SetRegionLineTypeNo(m_nRegionLineTypeNo);
    setting.SetRegionLineWidthNo(m_nRegionLineWidthNo);
    return TRUE;
}

void CHatchSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kSolidColorId, m_solidColorList);
    DDX_Control(pDX, kPatternColorId, m_patternColorList);
    DDX_Control(pDX, kTransparencyId, m_transparencyEdit);
    DDX_Control(pDX, kSliderId, m_slider);
    DDX_Control(pDX, kBuiltInListId, m_builtInList);
    DDX_Control(pDX, kUserListId, m_userList);
    DDX_Control(pDX, kRegionColorId, m_regionColorList);
    DDX_Control(pDX, kRegionLineTypeId, m_regionLineTypeList);
    DDX_Control(pDX, kRegionLineWidthId, m_regionLineWidthList);
    // No button of the group checked reads back as -1.
    DDX_Radio(pDX, kSolidId, m_nHatchType);
    DDX_Check(pDX, kInvertId, m_nInvert);
    DDX_Check(pDX, kRegionId, m_nRegion);
    DDX_DoubleEditUInt(pDX, kTransparencyId, m_nTransparency, 0, 100, m_bMixedValues);
    if (pDX->m_bSaveAndValidate) {
        if (m_pColorTable != nullptr) {
            m_nSolidColorNo = m_solidColorList.GetColorNo();
            m_nPatternColorNo = m_patternColorList.GetColorNo();
            m_nRegionColorNo = m_regionColorList.GetColorNo();
        }
        if (m_pLineTypeTable != nullptr)
            m_nRegionLineTypeNo = m_regionLineTypeList.GetLineTypeNo();
        if (m_pLineWidthTable != nullptr)
            m_nRegionLineWidthNo = m_regionLineWidthList.GetLineWidthNo();
    }
}

BOOL CHatchSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_transparencyEdit.SetValueKind(5);
    for (CSelectColorComboBox* pList : {&m_solidColorList, &m_patternColorList, &m_regionColorList}) {
        pList->SetColorTable(m_pColorTable);
        pList->SetLayerColorNo(m_nLayerColorNo);
    }
    m_regionLineTypeList.SetLineTypeTable(m_pLineTypeTable, TRUE);
    m_regionLineTypeList.SetLayerLineTypeNo(m_nLayerLineTypeNo);
    m_regionLineWidthList.SetLineWidthTable(m_pLineWidthTable, TRUE);
    m_regionLineWidthList.SetLayerLineWidthNo(m_nLayerLineWidthNo);
    m_slider.SetRange(0, 100);
    m_bFilling = TRUE;
    m_builtInList.FillPatterns();
    m_userList.SetImageSize(SIZE{48, 48});
    long nLayer = m_nLayerID;
    if (nLayer == -1 && m_pDocument != nullptr)
        nLayer = m_pDocument->GetCurrentLayerID();
    m_userList.SetDocument(m_pDocument, nLayer);
    m_userList.FillPatterns();
    m_bFilling = FALSE;
    UpdateControls();
    return TRUE;
}

COLORREF CHatchSettingPage::PictureColor(short nColorNo, COLORREF fallback) const
{
    if (m_pColorTable == nullptr || nColorNo == kUndefinedNo)
        return fallback;
    if (nColorNo != 0)
        return m_pColorTable->GetColorRef(nColorNo);
    const int nLayerColor = m_solidColorList.GetLayerColorNo();
    if (nLayerColor > 0 && nLayerColor < kUndefinedNo)
        return m_pColorTable->GetColorRef(static_cast<short>(nLayerColor));
    return fallback;
}

void CHatchSettingPage::ShowTypeControls()
{
    const bool solid = m_nHatchType == 0, builtIn = m_nHatchType == 1, user = m_nHatchType == 2;
    const struct {
        int id;
        bool shown;
    } rules[] = {
        {kSolidColorId, solid || builtIn}, {2517, solid || builtIn},        {kInvertId, solid || m_nHatchType == -1},
        {kPatternColorId, builtIn},        {2518, builtIn},                 {kTransparencyId, solid || builtIn},
        {kSliderId, solid || builtIn},     {2519, solid || builtIn},        {2520, solid || builtIn},
        {kBuiltInListId, builtIn},         {2521, builtIn || user},         {kUserListId, user},
    };
    for (const auto& rule : rules)
        if (CWnd* pWnd = GetDlgItem(rule.id))
            pWnd->ShowWindow(rule.shown ? SW_SHOW : SW_HIDE);
    for (int nID : {kRegionColorId, kRegionLineTypeId, kRegionLineWidthId})
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(m_nRegion != 0);
}

void CHatchSettingPage::UpdateControls()
{
    if (GetSafeHwnd() == nullptr || m_pColorTable == nullptr)
        return;
    m_bFilling = TRUE;
    m_solidColorList.SetColorNo(m_nSolidColorNo);
    m_patternColorList.SetColorNo(m_nPatternColorNo);
    m_regionColorList.SetColorNo(m_nRegionColorNo);
    m_regionLineTypeList.SetLineTypeNo(m_nRegionLineTypeNo);
    m_regionLineWidthList.SetLineWidthNo(m_nRegionLineWidthNo);
    const UINT nShown = m_nTransparency == kNoTransparency ? 0 : std::min<UINT>(m_nTransparency, 100);
    m_slider.SetPos(static_cast<int>(nShown));
    m_builtInList.SetColors(PictureColor(m_nSolidColorNo, 0xFFFFFF), PictureColor(m_nPatternColorNo, 0),
                            static_cast<float>(nShown) / 100.0f);
    if (m_nHatchType == 1)
        m_builtInList.SelectPattern(m_nPatternType);
    else if (m_nHatchType == 2)
        m_userList.SelectPatternID(m_nPatternID);
    m_bFilling = FALSE;
    UpdateData(FALSE);
    ShowTypeControls();
    UpdatePreview();
}

BOOL CHatchSettingPage::BuildPreviewSamples(const Draw2dDocument* pDocument, const HatchSetting& setting,
                                            BOOL bCheckerboard, Feature2dList& samples)
{
    double W = 95.0, H = 70.0;
    if (setting.GetHatchType() == 2) {
        const HatchPatternTable* pTable = pDocument != nullptr ? pDocument->GetHatchPatternTable() : nullptr;
        const HatchPatternBase* pPattern =
            pTable != nullptr && pTable->IsPatternIDExists(setting.GetPatternID()) ? pTable->GetHatchPattern(setting.GetPatternID())
                                                                                   : nullptr;
        if (pPattern == nullptr)
            return FALSE;
        double X = 0.0, Y = 0.0;
        auto measure = [&X, &Y](double angle, double spacing) {
            X = std::max(X, std::fabs(std::cos(angle * kRadians) * spacing));
            Y = std::max(Y, std::fabs(std::sin(angle * kRadians) * spacing));
        };
        if (const auto* pShape = dynamic_cast<const ShapeHatchPattern*>(pPattern)) {
            measure(pShape->GetAngle1(), pShape->GetSpace1());
            measure(pShape->GetAngle2(), pShape->GetSpace2());
        } else if (const auto* pLines = dynamic_cast<const LineHatchPattern*>(pPattern)) {
            for (int i = 0; i < pLines->GetLineItemCount(); ++i)
                measure(pLines->GetLineItem(i).GetAngle(), pLines->GetLineItem(i).GetSpace());
        }
        // Spacings of 0 would give an empty sample: the plain sample size stays then.
        if (std::max(X, Y) > 0.0) {
            W = 4.5 * std::max(X, Y);
            H = 0.73 * W;
        }
    }
    const double margin = W / 10.0;
    for (const RuVaPnt2d& at : {RuVaPnt2d(-margin, -margin), RuVaPnt2d(W + margin, H + margin)}) {
        auto* pAnchor = new PointMarker2dFeature(at);
        pAnchor->SetMarkerType(2);
        pAnchor->SetMarkerSize(0.1);
        pAnchor->SetColorNo(8);
        samples.AddFeature(pAnchor, 0);
    }
    if (bCheckerboard && setting.GetHatchType() != 2) {
        const double left = -margin, bottom = -margin, DX = W + 2 * margin, DY = H + 2 * margin;
        const double cell = DX / 12.0;
        const int rows = static_cast<int>(DY / cell);
        for (int i = 0; i <= 12; ++i)
            for (int j = 0; j <= rows; ++j) {
                if ((i + j) % 2 == 0)
                    continue;
                auto* pCell = new PointMarker2dFeature(RuVaPnt2d(left + i * cell, bottom + j * cell));
                pCell->SetMarkerType(8);
                pCell->SetMarkerSize(cell);
                pCell->SetColorNo(15);
                samples.AddFeature(pCell, 0);
            }
    }
    auto* pHatch = new Hatch2dFeature;
    Region2dFeature outer;
    KcArrayOfGePnt2d corners;
    for (const RuVaPnt2d& p : {RuVaPnt2d(0, 0), RuVaPnt2d(0, H), RuVaPnt2d(W, H), RuVaPnt2d(W, 0), RuVaPnt2d(0, 0)})
        corners.Add(p);
    Polyline2dFeature outline(corners, TRUE);
    outer.AddFeature(&outline);
    pHatch->SetOuterRegion(outer);
    Region2dFeature inner;
    Circle2dFeature circle(RuVaPnt2d(2 * W / 3, H / 2), 1.0);
    const double radius = W / 6;
    if (radius > 0.0 && radius < 1e15)
        circle.SetRadius(radius);
    inner.AddFeature(&circle);
    pHatch->AddInnerRegions(inner);
    if (FeatureSettingConverter::SetHatchSettingToFeature(pHatch, setting))
        samples.AddFeature(pHatch, 0);
    else
        delete pHatch;
    return TRUE;
}

HatchSetting CHatchSettingPage::MakePreviewSetting(const HatchSetting& setting)
{
    HatchSetting preview;
    preview |= setting;
    // A solid fill in colour 8 alone would not show against the preview.
    if (preview.GetHatchType() == 0 && preview.GetSolidColorNo() == 8 && preview.GetRegionDisplayMode() == 0) {
        preview.SetRegionDisplayMode(1);
        preview.SetRegionColorNo(15);
    }
    return preview;
}

void CHatchSettingPage::UpdatePreview()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const int nFocus = GetFocusedControlId();
    HatchSetting read;
    GetHatchSetting(read);
    const HatchSetting preview = MakePreviewSetting(read);
    Feature2dList samples;
    if (!BuildPreviewSamples(m_pDocument, preview, nFocus == kTransparencyId || nFocus == kSliderId, samples))
        return;
    ShowPreview(samples);
}

BOOL CHatchSettingPage::OnKillActive()
{
    if (GetSafeHwnd() == nullptr)
        return CFeatureSettingPropertyPage::OnKillActive();
    if (!UpdateData(TRUE))
        return FALSE;
    const HatchPatternTable* pTable = m_pDocument != nullptr ? m_pDocument->GetHatchPatternTable() : nullptr;
    if (m_nHatchType == 2 && pTable != nullptr && pTable->GetHatchPatternCount() == 0) {
        AfxMessageBox(kMsgNoUserPattern, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

void CHatchSettingPage::OnType(UINT)
{
    if (!UpdateData(TRUE))
        return;
    m_bFilling = TRUE;
    if (m_nHatchType == 1 && m_builtInList.GetSelectedPattern() == -1) {
        m_builtInList.SelectPattern(0);
        m_nPatternType = 0;
    } else if (m_nHatchType == 2 && m_userList.GetSelectedPatternID() == -1 && m_userList.GetItemCount() > 0) {
        m_userList.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_nPatternID = m_userList.GetPatternIDAt(0);
    }
    m_bFilling = FALSE;
    ShowTypeControls();
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

void CHatchSettingPage::OnSolidColor()
{
    m_nSolidColorNo = m_solidColorList.GetColorNo();
    m_builtInList.SetBackColor(PictureColor(m_nSolidColorNo, 0xFFFFFF));
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

void CHatchSettingPage::OnPatternColor()
{
    m_nPatternColorNo = m_patternColorList.GetColorNo();
    m_builtInList.SetLineColor(PictureColor(m_nPatternColorNo, 0));
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

int CHatchSettingPage::TypedTransparency() const
{
    CString text;
    m_transparencyEdit.GetWindowText(text);
    const QString typed = text.ToQString().trimmed();
    bool ok = false;
    const int value = typed.toInt(&ok, 10);
    return ok && value >= 0 && value <= 100 ? value : -1;
}

void CHatchSettingPage::OnTransparencyTyped()
{
    if (m_bFilling)
        return;
    const int value = TypedTransparency();
    if (value < 0)
        return;
    m_nTransparency = static_cast<UINT>(value);
    m_slider.SetPos(value);
    NotifySettingChanged(TRUE);
}

void CHatchSettingPage::OnTransparencyLeft()
{
    const int value = TypedTransparency();
    if (value < 0)
        return;
    m_nTransparency = static_cast<UINT>(value);
    m_slider.SetPos(value);
    m_builtInList.SetTransparency(static_cast<float>(value) / 100.0f);
    UpdatePreview();
}

void CHatchSettingPage::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar == nullptr || reinterpret_cast<CWnd*>(pScrollBar)->GetSafeHwnd() != m_slider.GetSafeHwnd())
        return;
    const int nPos = m_slider.GetPos();
    CString text;
    text.Format(_T("%d"), nPos);
    // Writing the edit reports the change through its own handler.
    m_transparencyEdit.SetWindowText(text);
    if (nSBCode == SB_THUMBTRACK)
        return;
    if (!UpdateData(TRUE))
        return;
    m_builtInList.SetTransparency(static_cast<float>(nPos) / 100.0f);
    UpdatePreview();
}

void CHatchSettingPage::OnRegion()
{
    if (!UpdateData(TRUE))
        return;
    ShowTypeControls();
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

void CHatchSettingPage::OnRegionAttribute(UINT nID)
{
    switch (nID) {
    case kRegionColorId: m_nRegionColorNo = m_regionColorList.GetColorNo(); break;
    case kRegionLineTypeId: m_nRegionLineTypeNo = m_regionLineTypeList.GetLineTypeNo(); break;
    case kRegionLineWidthId: m_nRegionLineWidthNo = m_regionLineWidthList.GetLineWidthNo(); break;
    default: return;
    }
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

namespace {
// Whether the notice tells of an item gaining or losing the selection; the item now chosen then (-1: none).
bool SelectionChange(const NMHDR* pNMHDR, const CListCtrl& list, int& nChosen)
{
    const auto* pInfo = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (pInfo == nullptr || (pInfo->uChanged & LVIF_STATE) == 0 ||
        ((pInfo->uNewState ^ pInfo->uOldState) & LVIS_SELECTED) == 0)
        return false;
    // The item that lost the selection may still read as selected while the new one is reported.
    nChosen = (pInfo->uNewState & LVIS_SELECTED) != 0 ? pInfo->iItem : list.GetNextItem(-1, LVNI_SELECTED);
    if (nChosen == pInfo->iItem && (pInfo->uNewState & LVIS_SELECTED) == 0)
        nChosen = -1;
    return true;
}
}  // namespace

void CHatchSettingPage::OnBuiltInChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    int nChosen = -1;
    if (m_bFilling || !SelectionChange(pNMHDR, m_builtInList, nChosen))
        return;
    m_nPatternType = nChosen;
    UpdatePreview();
    // A chosen pattern is a committed change: a choice equal to the named style keeps it.
    NotifySettingChanged(FALSE);
}

void CHatchSettingPage::OnUserChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    int nChosen = -1;
    if (m_bFilling || !SelectionChange(pNMHDR, m_userList, nChosen))
        return;
    m_nPatternID = m_userList.GetPatternIDAt(nChosen);
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

void CHatchSettingPage::OnFocusField(UINT)
{
    UpdatePreview();
}

void CHatchSettingPage::OnPatternTable()
{
    if (!UpdateData(TRUE))
        return;
    if (auto* pDialog = dynamic_cast<CDialog*>(GetParent()))
        pDialog->EndDialog(CFeatureSettingTreeDialog::kHatchPatternResult);
}
