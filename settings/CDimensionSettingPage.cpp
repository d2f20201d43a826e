#include "settings/CDimensionSettingPage.h"

#include <utility>

#include "controls/DoubleEditExchange.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/DimensionSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/DimensionStylePreview.h"

namespace {
constexpr double kMaxLength = 1e15;
constexpr UINT IDS_ARROW_POSITION = 13400;  // three entries
constexpr UINT IDS_LINE_MODE = 13403;       // two
constexpr UINT IDS_ARC_OPTION = 13405;      // two

void FillList(CWnd* pPage, int nID, UINT nFirst, int nCount)
{
    if (auto* pList = dynamic_cast<CComboBox*>(pPage->GetDlgItem(nID))) {
        pList->ResetContent();
        for (int i = 0; i < nCount; ++i)
            pList->AddString(LoadResourceString(nFirst + i));
    }
}
}  // namespace

const int CDimensionSettingPage::kEditIds[8] = {kArrowSize1Id, kArrowSize2Id, kOutside1Id,   kOutside2Id,
                                                kExtension1Id, kExtension2Id, kOffset1Id,    kOffset2Id};

IMPLEMENT_DYNCREATE(CDimensionSettingPage, CFeatureSettingPropertyPage)

using Page = CDimensionSettingPage;

BEGIN_MESSAGE_MAP(CDimensionSettingPage, CFeatureSettingPropertyPage)
    ON_CONTROL_RANGE(BN_CLICKED, Page::kFirstId, Page::kLastId, &Page::OnClicked)
    ON_CONTROL_RANGE(CBN_SELENDOK, Page::kFirstId, Page::kLastId, &Page::OnSelect)
    ON_CONTROL_RANGE(EN_UPDATE, Page::kFirstId, Page::kLastId, &Page::OnTyping)
    ON_CONTROL_RANGE(EN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(CBN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(BN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_NOTIFY_RANGE(UDN_DELTAPOS, Page::kFirstId, Page::kLastId, &Page::OnDeltaPos)
END_MESSAGE_MAP()

CDimensionSettingPage::CDimensionSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kDimensionArrowPage;
}

CDimensionSettingPage::~CDimensionSettingPage() = default;

void CDimensionSettingPage::SetDimensionSetting(const DimensionSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    m_nEnd1 = pSetting->GetDimLineEnd1Drawn();
    m_nEnd2 = pSetting->GetDimLineEnd2Drawn();
    m_nArrowType1 = pSetting->GetArrowType1();
    m_dArrowSize1 = pSetting->GetArrowSize1();
    m_nArrowType2 = pSetting->GetArrowType2();
    m_dArrowSize2 = pSetting->GetArrowSize2();
    m_nArrowPosition = pSetting->GetArrowPosition();
    m_nInsideLine = pSetting->GetInsideDimLine();
    m_dOutsideLength1 = pSetting->GetOutsideLength1();
    m_dOutsideLength2 = pSetting->GetOutsideLength2();
    m_nExtendedLine = pSetting->GetExtendedDimLine();
    m_nShow1 = pSetting->GetProjectionShow1();
    m_nShow2 = pSetting->GetProjectionShow2();
    m_dExtension1 = pSetting->GetProjectionExtension1();
    m_dExtension2 = pSetting->GetProjectionExtension2();
    m_nMode = pSetting->GetProjectionLineMode();
    m_dOffset1 = pSetting->GetProjectionOffsetOrLineLength1();
    m_dOffset2 = pSetting->GetProjectionOffsetOrLineLength2();
    m_nArcOption = pSetting->GetArcDimProjeLineRadialMode();
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
}

BOOL CDimensionSettingPage::GetDimensionSetting(DimensionSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    // The one-byte flags keep an indeterminate 2 as 2.
    pSetting->SetDimLineEnd1Drawn(static_cast<BYTE>(m_nEnd1));
    pSetting->SetDimLineEnd2Drawn(static_cast<BYTE>(m_nEnd2));
    pSetting->SetArrowType1(m_nArrowType1);
    pSetting->SetArrowSize1(m_dArrowSize1);
    pSetting->SetArrowType2(m_nArrowType2);
    pSetting->SetArrowSize2(m_dArrowSize2);
    pSetting->SetArrowPosition(m_nArrowPosition);
    pSetting->SetInsideDimLine(static_cast<BYTE>(m_nInsideLine));
    pSetting->SetOutsideLength1(m_dOutsideLength1);
    pSetting->SetOutsideLength2(m_dOutsideLength2);
    pSetting->SetExtendedDimLine(static_cast<BYTE>(m_nExtendedLine));
    pSetting->SetProjectionShow1(m_nShow1);
    pSetting->SetProjectionExtension1(m_dExtension1);
    pSetting->SetProjectionShow2(m_nShow2);
    pSetting->SetProjectionExtension2(m_dExtension2);
    pSetting->SetProjectionLineMode(m_nMode);
    pSetting->SetProjectionOffsetOrLineLength1(m_dOffset1);
    pSetting->SetProjectionOffsetOrLineLength2(m_dOffset2);
    pSetting->SetArcDimProjeLineRadialMode(m_nArcOption);
    return TRUE;
}

void CDimensionSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kArrow1Id, m_arrow1List);
    DDX_Control(pDX, kArrow2Id, m_arrow2List);
    for (int i = 0; i < 8; ++i) {
        DDX_Control(pDX, kEditIds[i], m_edits[i]);
        DDX_Control(pDX, kEditIds[i] + 1, m_spins[i]);
    }
    DDX_CBIndex(pDX, kArrowPositionId, m_nArrowPosition);
    DDX_CBIndex(pDX, kArrow1Id, m_nArrowType1);
    DDX_CBIndex(pDX, kArrow2Id, m_nArrowType2);
    DDX_CBIndex(pDX, kArcOptionId, m_nArcOption);
    DDX_Check(pDX, kShow1Id, m_nShow1);
    DDX_Check(pDX, kShow2Id, m_nShow2);
    DDX_CBIndex(pDX, kModeId, m_nMode);
    DDX_Check(pDX, kEnd1Id, m_nEnd1);
    DDX_Check(pDX, kEnd2Id, m_nEnd2);
    DDX_Check(pDX, kExtendedLineId, m_nExtendedLine);
    DDX_Check(pDX, kInsideLineId, m_nInsideLine);
    DDX_DoubleEditDouble(pDX, kArrowSize1Id, m_dArrowSize1, 0.0, 2.5e15, FALSE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kArrowSize2Id, m_dArrowSize2, 0.0, 2.5e15, FALSE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kOutside1Id, m_dOutsideLength1, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kOutside2Id, m_dOutsideLength2, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kOffset1Id, m_dOffset1, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kExtension1Id, m_dExtension1, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kExtension2Id, m_dExtension2, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kOffset2Id, m_dOffset2, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
}

BOOL CDimensionSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (CSelectArrowComboBox* pList : {&m_arrow1List, &m_arrow2List}) {
        pList->ResetContent();
        for (int kind = 0; kind < kArrowKinds; ++kind) {
            CString text;
            text.Format(_T("%d"), kind);
            pList->AddString(text);
        }
    }
    FillList(this, kArrowPositionId, IDS_ARROW_POSITION, 3);
    FillList(this, kModeId, IDS_LINE_MODE, 2);
    FillList(this, kArcOptionId, IDS_ARC_OPTION, 2);
    for (int i = 0; i < 8; ++i)
        m_edits[i].SetValueKind(i < 2 ? 2 : 1);
    MakeThreeState({kShow1Id, kShow2Id, kEnd1Id, kEnd2Id, kInsideLineId, kExtendedLineId});
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
    return TRUE;
}

BOOL CDimensionSettingPage::UpdateControls()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    // An indeterminate end (2) counts as drawn; an indeterminate extension line does not count as shown.
    const bool end1 = m_nEnd1 != 0, end2 = m_nEnd2 != 0;
    const std::pair<int, bool> enabling[] = {
        {kArrow1Id, end1},
        {kArrow2Id, end2},
        {kArrowSize1Id, end1 && m_nArrowType1 != 0},
        {kArrowSize1Id + 1, end1 && m_nArrowType1 != 0},
        {kArrowSize2Id, end2 && m_nArrowType2 != 0},
        {kArrowSize2Id + 1, end2 && m_nArrowType2 != 0},
        {kArrowPositionId, end1 || end2},
        {kInsideLineId, end1 || end2},
        {kExtendedLineId, end1 || end2},
        {kOutside1Id, end1},
        {kOutside1Id + 1, end1},
        {kOutside2Id, end2},
        {kOutside2Id + 1, end2},
        {kExtension1Id, m_nShow1 == 1},
        {kExtension1Id + 1, m_nShow1 == 1},
        {kOffset1Id, m_nShow1 == 1},
        {kOffset1Id + 1, m_nShow1 == 1},
        {kExtension2Id, m_nShow2 == 1},
        {kExtension2Id + 1, m_nShow2 == 1},
        {kOffset2Id, m_nShow2 == 1},
        {kOffset2Id + 1, m_nShow2 == 1},
    };
    for (const auto& [nID, bEnable] : enabling)
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable);
    if (!UpdateData(FALSE))
        return FALSE;
    DimensionStylePreview::BuildDimensionPreview(this);
    return TRUE;
}

void CDimensionSettingPage::OnClicked(UINT nID)
{
    switch (nID) {
    case kEnd1Id: case kEnd2Id: case kInsideLineId: case kExtendedLineId: case kShow1Id: case kShow2Id: break;
    default: return;
    }
    DecideThreeStateBox(static_cast<int>(nID));
    if (!UpdateData(TRUE))
        return;
    UpdateControls();
    NotifySettingChanged(FALSE);
}

void CDimensionSettingPage::OnSelect(UINT nID)
{
    switch (nID) {
    case kArrow1Id: case kArrow2Id: case kArrowPositionId: case kModeId: case kArcOptionId: break;
    default: return;
    }
    if (!UpdateData(TRUE))
        return;
    UpdateControls();
    NotifySettingChanged(FALSE);
}

void CDimensionSettingPage::OnTyping(UINT) { NotifySettingChanged(TRUE); }

void CDimensionSettingPage::OnFocusField(UINT)
{
    if (UpdateData(TRUE) && GetSafeHwnd() != nullptr)
        DimensionStylePreview::BuildDimensionPreview(this);
}

void CDimensionSettingPage::OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    for (int i = 0; i < 8; ++i)
        if (static_cast<int>(nID) == kEditIds[i] + 1)
            m_edits[i].OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
}
