#include "settings/CSnapOptionsPage.h"

#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNCREATE(CSnapOptionsPage, CQZ2PropertyPage)

namespace {

// The bit of the division kind.
constexpr int kDivisionIndex = 7;

}  // namespace

BEGIN_MESSAGE_MAP(CSnapOptionsPage, CQZ2PropertyPage)
ON_BN_CLICKED(CSnapOptionsPage::kSnapEnabled, &CSnapOptionsPage::OnSnapEnabled)
ON_BN_CLICKED(CSnapOptionsPage::kAngularEnabled, &CSnapOptionsPage::OnAngularEnabled)
ON_BN_CLICKED(CSnapOptionsPage::kFirstKind + kDivisionIndex, &CSnapOptionsPage::OnDivisionKind)
ON_STN_CLICKED(CSnapOptionsPage::kDivisionCaption, &CSnapOptionsPage::OnDivisionCaption)
END_MESSAGE_MAP()

CSnapOptionsPage::CSnapOptionsPage() : CQZ2PropertyPage(IDD, 0) {}
CSnapOptionsPage::~CSnapOptionsPage() = default;

DWORD CSnapOptionsPage::GetSnapType() const
{
    DWORD type = 0;
    for (int i = 0; i < kKindCount; ++i)
        if (m_kinds[i])
            type |= DWORD{1} << i;
    return type;
}

void CSnapOptionsPage::SetSnapType(DWORD dwType)
{
    for (int i = 0; i < kKindCount; ++i)
        m_kinds[i] = (dwType & (DWORD{1} << i)) != 0 ? TRUE : FALSE;
}

BOOL CSnapOptionsPage::OnInitDialog()
{
    CQZ2PropertyPage::OnInitDialog();
    if (auto* pSpin = static_cast<CSpinButtonCtrl*>(GetDlgItem(kDivisionSpin))) {
        pSpin->SetBuddy(GetDlgItem(kDivisionCount));
        pSpin->SetRange(2, 100);
    }
    m_angle.SetKillFocusNotify(FALSE);
    EnableSnap();
    EnableAngular();
    UpdateData(FALSE);
    return TRUE;
}

void CSnapOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CQZ2PropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kAngle, m_angle);
    for (int i = 0; i < kKindCount; ++i)
        DDX_Check(pDX, kFirstKind + i, m_kinds[i]);
    DDX_Check(pDX, kSnapEnabled, m_SnapEnabled);
    DDX_Check(pDX, kAngularEnabled, m_SnapAngularEnabled);
    DDX_Radio(pDX, kAngularMode0, m_SnapAngularMode);
    DDX_Radio(pDX, kGridMode0, m_GridSnapMode);
    DDX_Check(pDX, kDisplayState, m_SnapDisplayStateMode);
    // Checked even while the division kind is off: a page is never left with a bad count.
    DDX_Text(pDX, kDivisionCount, m_SnapDivisionCount);
    DDV_MinMaxUInt(pDX, m_SnapDivisionCount, 2, 100);
    if (!pDX->m_bSaveAndValidate) {
        m_angle.SetAngle(m_SnapAngle);
    } else {
        // A typed text that is not an angle keeps the page, as a bad number does.
        if (m_angle.ReadAngle() == 0) {
            pDX->PrepareCtrl(kAngle);
            AfxMessageBox(AFX_IDP_PARSE_REAL, MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        m_SnapAngle = m_angle.GetAngle();
    }
}

void CSnapOptionsPage::EnableDivision(BOOL bKindChecked)
{
    const BOOL bEnable = m_SnapEnabled && bKindChecked;
    for (int id : {kDivisionCount, kDivisionSpin})
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(bEnable);
}

void CSnapOptionsPage::EnableSnap()
{
    for (int i = 0; i < kKindCount; ++i)
        if (CWnd* p = GetDlgItem(kFirstKind + i))
            p->EnableWindow(m_SnapEnabled);
    for (int id : {kDisplayState, kDivisionCaption})
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(m_SnapEnabled);
    EnableDivision(m_kinds[kDivisionIndex]);
}

void CSnapOptionsPage::EnableAngular()
{
    for (int id : {kAngle, kAngularMode0, kAngularMode1})
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(m_SnapAngularEnabled);
}

void CSnapOptionsPage::OnSnapEnabled()
{
    UpdateData(TRUE);
    EnableSnap();
}

void CSnapOptionsPage::OnAngularEnabled()
{
    UpdateData(TRUE);
    EnableAngular();
}

void CSnapOptionsPage::OnDivisionKind()
{
    UpdateData(TRUE);
    EnableDivision(m_kinds[kDivisionIndex]);
}

void CSnapOptionsPage::OnDivisionCaption()
{
    UpdateData(TRUE);
    const BOOL bChecked = m_kinds[kDivisionIndex] ? FALSE : TRUE;
    CheckDlgButton(kFirstKind + kDivisionIndex, bChecked ? BST_CHECKED : BST_UNCHECKED);
    EnableDivision(bChecked);
}
