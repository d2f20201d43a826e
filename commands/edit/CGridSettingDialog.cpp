#include "commands/edit/CGridSettingDialog.h"

#include <cfloat>

#include "controls/DoubleEditExchange.h"
#include "libs/vevure/GridSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

constexpr UINT kCaptionText = 10212;
constexpr UINT kMinXNotLess = 10213;
constexpr UINT kMinYNotLess = 10214;
constexpr UINT kNameSeparator = 10215;
constexpr UINT kHelpBitmap = 404;

}  // namespace

BEGIN_MESSAGE_MAP(CGridSettingDialog, CDialog)
ON_BN_CLICKED(CGridSettingDialog::kVisible, &CGridSettingDialog::OnVisibleClicked)
ON_BN_CLICKED(CGridSettingDialog::kRangeLimited, &CGridSettingDialog::OnRangeLimitedClicked)
ON_BN_CLICKED(CGridSettingDialog::kPickOrigin, &CGridSettingDialog::OnPickOrigin)
ON_BN_CLICKED(CGridSettingDialog::kPickRange, &CGridSettingDialog::OnPickRange)
ON_NOTIFY_RANGE(UDN_DELTAPOS, CGridSettingDialog::kOriginXSpin, CGridSettingDialog::kMaxYSpin,
                &CGridSettingDialog::OnDeltaPos)
END_MESSAGE_MAP()

CGridSettingDialog::CGridSettingDialog(CWnd* pParent) : CDialog(IDD, pParent)
{
    m_strCaption.LoadString(kCaptionText);
}

CGridSettingDialog::~CGridSettingDialog() = default;

void CGridSettingDialog::LoadSetting(const GridSetting& setting)
{
    m_bVisible = setting.IsShowGrid() ? TRUE : FALSE;
    m_color1Combo.SetColorRef(setting.GetColorRef1());
    m_color2Combo.SetColorRef(setting.GetColorRef2());
    m_nGridCount = setting.GetNGridCount();
    m_nDrawType = setting.GetType();
    setting.GetOrigin(m_dOriginX, m_dOriginY);
    setting.GetStep(m_dStepX, m_dStepY);
    setting.GetAngle(m_dAngle1, m_dAngle2);
    m_bRangeLimited = setting.GetGridAllWindow() != 1 ? TRUE : FALSE;
    m_dMinX = setting.GetMinGridPnt().X();
    m_dMinY = setting.GetMinGridPnt().Y();
    m_dMaxX = setting.GetMaxGridPnt().X();
    m_dMaxY = setting.GetMaxGridPnt().Y();
}

void CGridSettingDialog::StoreSetting(GridSetting& setting) const
{
    setting.ShowGrid(m_bVisible);
    COLORREF rgb = 0;
    m_color1Combo.GetColor(rgb);
    setting.SetColorRef1(rgb);
    m_color2Combo.GetColor(rgb);
    setting.SetColorRef2(rgb);
    setting.SetNGridCount(static_cast<short>(m_nGridCount));
    setting.SetType(m_nDrawType);
    setting.SetOrigin(m_dOriginX, m_dOriginY);
    setting.SetStep(m_dStepX, m_dStepY);
    setting.SetAngle(m_dAngle1, m_dAngle2);
    setting.SetGridAllWindow(m_bRangeLimited != 1 ? TRUE : FALSE);
    setting.SetMinGridPnt(RuVaPnt2d(m_dMinX, m_dMinY));
    setting.SetMaxGridPnt(RuVaPnt2d(m_dMaxX, m_dMaxY));
}

void CGridSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kOriginX, m_originX);
    DDX_Control(pDX, kOriginY, m_originY);
    DDX_Control(pDX, kStepX, m_stepX);
    DDX_Control(pDX, kStepY, m_stepY);
    DDX_Control(pDX, kAngle1, m_angle1);
    DDX_Control(pDX, kAngle2, m_angle2);
    DDX_Control(pDX, kColor1, m_color1Combo);
    DDX_Control(pDX, kColor2, m_color2Combo);
    DDX_Control(pDX, kMinX, m_minX);
    DDX_Control(pDX, kMinY, m_minY);
    DDX_Control(pDX, kMaxX, m_maxX);
    DDX_Control(pDX, kMaxY, m_maxY);
    if (GetDlgItem(kHelpButton) != nullptr)
        DDX_Control(pDX, kHelpButton, m_helpButton);

    DDX_Radio(pDX, kFirstDrawType, m_nDrawType);
    DDX_DoubleEditDouble(pDX, kOriginX, m_dOriginX, -DBL_MAX, DBL_MAX, TRUE, TRUE, FALSE);
    DDX_DoubleEditDouble(pDX, kOriginY, m_dOriginY, -DBL_MAX, DBL_MAX, TRUE, TRUE, FALSE);
    DDX_Check(pDX, kRangeLimited, m_bRangeLimited);
    DDX_Check(pDX, kVisible, m_bVisible);
    DDX_Text(pDX, kGridCount, m_nGridCount);
    DDV_MinMaxInt(pDX, m_nGridCount, 2, 100);
    DDX_DoubleEditDouble(pDX, kAngle1, m_dAngle1, -90.0, 90.0, FALSE, FALSE, FALSE);
    DDX_DoubleEditDouble(pDX, kAngle2, m_dAngle2, -90.0, 90.0, FALSE, FALSE, FALSE);
    DDX_DoubleEditDouble(pDX, kStepX, m_dStepX, 0.0, 1e15, FALSE, FALSE, FALSE);
    DDX_DoubleEditDouble(pDX, kStepY, m_dStepY, 0.0, 1e15, FALSE, FALSE, FALSE);
    DDX_DoubleEditDouble(pDX, kMinX, m_dMinX, -DBL_MAX, DBL_MAX, TRUE, TRUE, FALSE);
    DDX_DoubleEditDouble(pDX, kMinY, m_dMinY, -DBL_MAX, DBL_MAX, TRUE, TRUE, FALSE);
    DDX_DoubleEditDouble(pDX, kMaxX, m_dMaxX, -DBL_MAX, DBL_MAX, TRUE, TRUE, FALSE);
    if (pDX->m_bSaveAndValidate && !(m_dMinX < m_dMaxX)) {
        AfxMessageBox(kMinXNotLess, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    DDX_DoubleEditDouble(pDX, kMaxY, m_dMaxY, -DBL_MAX, DBL_MAX, TRUE, TRUE, FALSE);
    if (pDX->m_bSaveAndValidate && !(m_dMinY < m_dMaxY)) {
        AfxMessageBox(kMinYNotLess, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

BOOL CGridSettingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString caption;
    caption.LoadString(kNameSeparator);
    SetWindowText(m_strDrawingName + caption + m_strCaption);
    for (CQZ2DoubleEdit* pEdit : {&m_stepX, &m_stepY})
        pEdit->SetValueKind(1);
    for (CQZ2DoubleEdit* pEdit : {&m_originX, &m_originY, &m_minX, &m_minY, &m_maxX, &m_maxY})
        pEdit->SetValueKind(0);
    for (CQZ2DoubleEdit* pEdit : {&m_angle1, &m_angle2}) {
        pEdit->SetValueKind(3);
        pEdit->m_bAllowNegative = TRUE;
    }
    if (m_helpButton.GetSafeHwnd() != nullptr)
        m_helpButton.SetImage(kHelpBitmap);
    if (auto* pSpin = static_cast<CSpinButtonCtrl*>(GetDlgItem(kGridCountSpin)))
        pSpin->SetRange(2, 100);
    UpdateEnables();
    return TRUE;
}

void CGridSettingDialog::UpdateEnables()
{
    const BOOL bVisible = IsDlgButtonChecked(kVisible) == BST_CHECKED ? TRUE : FALSE;
    const BOOL bRange = bVisible && IsDlgButtonChecked(kRangeLimited) == BST_CHECKED ? TRUE : FALSE;
    for (int id = kFirstDrawType; id <= kRangeLimited; ++id) {
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(bVisible);
    }
    for (int id = kMinX; id <= kMaxYSpin; ++id) {
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(bRange);
    }
    for (int id = kGridCount; id <= kPickRange; ++id) {
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(bVisible);
    }
    // The edits show the values as they are, whichever are enabled.
    UpdateData(FALSE);
}

void CGridSettingDialog::OnVisibleClicked()
{
    if (UpdateData(TRUE))
        UpdateEnables();
}

void CGridSettingDialog::OnRangeLimitedClicked()
{
    if (UpdateData(TRUE))
        UpdateEnables();
}

void CGridSettingDialog::OnPickOrigin()
{
    if (UpdateData(TRUE))
        EndDialog(kResultPickOrigin);
}

void CGridSettingDialog::OnPickRange()
{
    if (UpdateData(TRUE))
        EndDialog(kResultPickRange);
}

CQZ2DoubleEdit* CGridSettingDialog::EditOfSpin(UINT nSpinID)
{
    switch (nSpinID) {
    case kOriginXSpin: return &m_originX;
    case kOriginYSpin: return &m_originY;
    case kStepXSpin: return &m_stepX;
    case kStepYSpin: return &m_stepY;
    case kAngle1Spin: return &m_angle1;
    case kAngle2Spin: return &m_angle2;
    case kMinXSpin: return &m_minX;
    case kMinYSpin: return &m_minY;
    case kMaxXSpin: return &m_maxX;
    case kMaxYSpin: return &m_maxY;
    default: return nullptr;
    }
}

void CGridSettingDialog::OnDeltaPos(UINT nID, NMHDR* pNotify, LRESULT* pResult)
{
    if (CQZ2DoubleEdit* pEdit = EditOfSpin(nID))
        pEdit->OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNotify));
    *pResult = 0;
}
