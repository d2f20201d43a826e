#include "settings/CSelectionOptionsPage.h"

#include <algorithm>
#include <cmath>

#include "controls/DoubleEditExchange.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDataExchange.h"
#include "settings/SettingsDialogSupport.h"

IMPLEMENT_DYNCREATE(CSelectionOptionsPage, CQZ2PropertyPage)

namespace {

constexpr int kWholeKind = 5;
constexpr int kLengthKind = 1;

}  // namespace

BEGIN_MESSAGE_MAP(CSelectionOptionsPage, CQZ2PropertyPage)
ON_BN_CLICKED(CSelectionOptionsPage::kShape0, &CSelectionOptionsPage::OnShape)
ON_BN_CLICKED(CSelectionOptionsPage::kShape1, &CSelectionOptionsPage::OnShape)
ON_BN_CLICKED(CSelectionOptionsPage::kShape2, &CSelectionOptionsPage::OnShape)
ON_BN_CLICKED(CSelectionOptionsPage::kShape3, &CSelectionOptionsPage::OnShape)
ON_BN_CLICKED(CSelectionOptionsPage::kNudge, &CSelectionOptionsPage::OnNudge)
ON_CBN_SELENDOK(CSelectionOptionsPage::kNudgeMode, &CSelectionOptionsPage::OnNudgeMode)
ON_NOTIFY(UDN_DELTAPOS, CSelectionOptionsPage::kNudgeSpin, &CSelectionOptionsPage::OnDeltaPosStep)
END_MESSAGE_MAP()

CSelectionOptionsPage::CSelectionOptionsPage() : CQZ2PropertyPage(IDD, 0) {}
CSelectionOptionsPage::~CSelectionOptionsPage() = default;

BOOL CSelectionOptionsPage::OnInitDialog()
{
    CQZ2PropertyPage::OnInitDialog();
    // Entry 0 is side mode 1 (inside), entry 1 side mode 2 (outside).
    if (auto* pSide = static_cast<CComboBox*>(GetDlgItem(kSideMode))) {
        pSide->ResetContent();
        pSide->AddString(LoadSettingsString(11939));
        pSide->AddString(LoadSettingsString(11940));
    }
    if (auto* pList = static_cast<CComboBox*>(GetDlgItem(kNudgeMode))) {
        pList->ResetContent();
        for (UINT id = 10376; id <= 10378; ++id)
            pList->AddString(LoadSettingsString(id));
    }
    if (m_NudgeMode == 0) {
        m_nudgeEdit.SetValueKind(kWholeKind);
        m_NudgeSteps = std::clamp(std::trunc(std::isfinite(m_NudgeSteps) ? m_NudgeSteps : 1.0), 1.0, 32767.0);
    } else {
        m_nudgeEdit.SetValueKind(kLengthKind);
    }
    UpdateData(FALSE);
    Enable();
    return TRUE;
}

void CSelectionOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CQZ2PropertyPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, kSideMode, m_nSideMode);
    DDX_Radio(pDX, kShape0, m_nShapeMode);
    DDX_Radio(pDX, kPart0, m_nPartMode);
    DDX_Check(pDX, kDisplayState, m_SelectionDisplayStateMode);
    DDX_Check(pDX, kNudge, m_NudgeEnabled);
    DDX_CBIndex(pDX, kNudgeMode, m_NudgeMode);
    DDX_Control(pDX, kNudgeSpin, m_nudgeSpin);
    DDX_Control(pDX, kNudgeStep, m_nudgeEdit);
    if (m_NudgeMode == 0) {
        UINT steps = static_cast<UINT>(std::clamp(std::trunc(std::isfinite(m_NudgeSteps) ? m_NudgeSteps : 1.0), 0.0,
                                                  4294967295.0));
        DDX_DoubleEditUInt(pDX, kNudgeStep, steps, 1, 32767, FALSE);
        DDV_MinMaxUInt(pDX, steps, 1, 32767);
        if (pDX->m_bSaveAndValidate)
            m_NudgeSteps = static_cast<double>(steps);
    } else {
        DDX_DoubleEditDouble(pDX, kNudgeStep, m_NudgeSteps, 0.0, 1e15, FALSE, FALSE, FALSE);
    }
}

void CSelectionOptionsPage::Enable()
{
    const BOOL bSideAndPart = m_nShapeMode == 0 || m_nShapeMode == 1;
    for (int id : {kSideMode, kPart0, kPart1})
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(bSideAndPart);
    if (CWnd* p = GetDlgItem(kNudgeMode))
        p->EnableWindow(m_NudgeEnabled);
    const BOOL bStep = m_NudgeEnabled && m_NudgeMode != 2;
    m_nudgeEdit.EnableWindow(bStep);
    m_nudgeSpin.EnableWindow(bStep);
}

void CSelectionOptionsPage::OnShape()
{
    UpdateData(TRUE);
    Enable();
}

void CSelectionOptionsPage::OnNudge()
{
    if (UpdateData(TRUE))
        Enable();
}

void CSelectionOptionsPage::OnNudgeMode()
{
    auto* pList = static_cast<CComboBox*>(GetDlgItem(kNudgeMode));
    const int entry = pList != nullptr ? pList->GetCurSel() : -1;
    if (entry < 0)
        return;
    // A new mode starts from its own step; what was typed before goes.
    if (entry == 0) {
        m_nudgeEdit.SetValueKind(kWholeKind);
        m_NudgeSteps = 1.0;
    } else {
        m_nudgeEdit.SetValueKind(kLengthKind);
        m_NudgeSteps = 10.0;
    }
    m_nudgeEdit.SetValue(m_NudgeSteps);
    m_NudgeMode = entry;
    Enable();
}

void CSelectionOptionsPage::OnDeltaPosStep(NMHDR* pNotify, LRESULT* pResult)
{
    if (pNotify != nullptr)
        m_nudgeEdit.OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNotify));
    if (pResult != nullptr)
        *pResult = 1;
}
