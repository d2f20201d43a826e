#include "commands/edit/CMeasureResultDialog.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "command/RegistryManager.h"
#include "platform/win/Registry.h"
#include "libs/vevure/DimensionText.h"
#include "libs/vevure/NumericCharConverter.h"
#include "platform/afx/AfxGlobalMemory.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinClipboard.h"
#include "platform/win/WinCtrlConstants.h"
#include "settings/UnitPrecisionLists.h"

namespace {

constexpr UINT kHelpBitmap = 404;
constexpr UINT kCaptionColumn = 10314;
constexpr UINT kValueColumn = 10315;
constexpr UINT kPointRow = 10316;
constexpr UINT kUserPointRow = 10317;
constexpr UINT kSquareFeetUnit = 10318;
constexpr UINT kAreaRow = 10322;
constexpr UINT kAngleRow = 10707;
constexpr UINT kLengthRow = 10714;
constexpr UINT kDegreeUnit = 11580;
constexpr double kPointTolerance = 1e-7;
constexpr int kRowCount = 3;
// Square millimetres in a square foot.
constexpr double kSquareFoot = 304.8 * 304.8;
// The feet-and-inch length formats.
bool IsFeetFormat(int nFormat) { return nFormat == 1 || nFormat == 2; }

LPCTSTR kSection = _T("Measure");
LPCTSTR kDisplayEntry = _T("AngleValueDispType");

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMeasureResultDialog, CDialog)
ON_BN_CLICKED(CMeasureResultDialog::kCopyButton, &CMeasureResultDialog::OnCopy)
ON_NOTIFY(LVN_ITEMCHANGED, CMeasureResultDialog::kResultList, &CMeasureResultDialog::OnItemChanged)
ON_NOTIFY(NM_CUSTOMDRAW, CMeasureResultDialog::kResultList, &CMeasureResultDialog::OnCustomDraw)
ON_CBN_SELENDOK(CMeasureResultDialog::kPrecisionCombo, &CMeasureResultDialog::OnPrecisionChanged)
ON_CBN_SELENDOK(CMeasureResultDialog::kDisplayCombo, &CMeasureResultDialog::OnDisplayChanged)
END_MESSAGE_MAP()

CMeasureResultDialog::CMeasureResultDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

CMeasureResultDialog::~CMeasureResultDialog() = default;

LPCTSTR CMeasureResultDialog::GetSection() { return kSection; }

LPCTSTR CMeasureResultDialog::GetPrecisionEntry(int nKind)
{
    switch (nKind) {
    case kindCoordinates:
        return _T("CoordinatesPrecision");
    case kindLength:
        return _T("LengthPrecision");
    case kindAngle:
        return _T("AnglePrecision");
    case kindArea:
        return _T("AreaPrecision");
    default:
        return nullptr;
    }
}

void CMeasureResultDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kPrecisionCombo, m_precisionCombo);
    DDX_Control(pDX, kResultList, m_resultList);
    if (GetDlgItem(kHelpButton) != nullptr && m_helpButton.GetSafeHwnd() == nullptr)
        DDX_Control(pDX, kHelpButton, m_helpButton);
    DDX_CBIndex(pDX, kPrecisionCombo, m_nPrecision);
    if (GetDlgItem(kDisplayCombo) != nullptr)
        DDX_CBIndex(pDX, kDisplayCombo, m_nDisplayType);
}

void CMeasureResultDialog::LoadSettings()
{
    const LPCTSTR entry = GetPrecisionEntry(m_nKind);
    if (entry == nullptr)
        return;
    RegistryManager registry(HKEY_CURRENT_USER);
    // A stored value is a DWORD; read back as a signed number so that a damaged negative one is clamped.
    m_nPrecision = static_cast<int>(registry.GetProfileInt(kSection, entry, m_nPrecision));
    if (m_nKind == kindAngle)
        m_nDisplayType = static_cast<int>(registry.GetProfileInt(kSection, kDisplayEntry, m_nDisplayType));
}

void CMeasureResultDialog::SaveSettings()
{
    const LPCTSTR entry = GetPrecisionEntry(m_nKind);
    if (entry == nullptr)
        return;
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(kSection, entry, m_nPrecision);
    if (m_nKind == kindAngle)
        registry.WriteProfileInt(kSection, kDisplayEntry, m_nDisplayType);
}

void CMeasureResultDialog::FillPrecisionCombo()
{
    m_precisionCombo.ResetContent();
    if (m_nKind == kindAngle)
        FillAnglePrecisionComboBox(m_nAngleFormat, m_precisionCombo, CString());
    else
        FillLengthPrecisionComboBox(m_nLengthFormat, m_precisionCombo);
    // A precision out of the entries (a damaged setting, any sign) is brought to the nearest entry, so the
    // formatter never gets it and the combo always shows a choice.
    const int nLast = std::max(0, m_precisionCombo.GetCount() - 1);
    m_nPrecision = std::clamp(m_nPrecision, 0, nLast);
    m_precisionCombo.SetCurSel(m_nPrecision);
}

BOOL CMeasureResultDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadSettings();
    if (m_helpButton.GetSafeHwnd() != nullptr)
        m_helpButton.SetImage(kHelpBitmap);
    if (CWnd* pLabel = GetDlgItem(kDisplayLabel))
        pLabel->ShowWindow(SW_HIDE);
    if (CWnd* pDisplay = GetDlgItem(kDisplayCombo))
        pDisplay->ShowWindow(SW_HIDE);
    FillPrecisionCombo();

    m_resultList.SetExtendedStyle(m_resultList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_resultList.InsertColumn(0, LoadText(kCaptionColumn), LVCFMT_LEFT, 140);
    m_resultList.InsertColumn(1, LoadText(kValueColumn), LVCFMT_LEFT, 190);
    for (int i = 0; i < kRowCount; ++i)
        m_resultList.InsertItem(i, _T(""));
    FillRows();
    m_resultList.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    UpdateCopyButton();
    return TRUE;
}

void CMeasureResultDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    SaveSettings();
    CDialog::OnOK();
}

BOOL CMeasureResultDialog::ArePointsDifferent() const
{
    return m_nKind == kindCoordinates && m_firstPoint.Distance(m_secondPoint) > kPointTolerance ? TRUE : FALSE;
}

CString CMeasureResultDialog::LengthText(double value) const
{
    const int nFormat = m_nKind == kindAngle ? 0 : m_nLengthFormat;
    return DimensionText::ConvertDimValueToText(value, 1.0, nFormat, m_nPrecision, 1, 0, 0.0, 1);
}

CString CMeasureResultDialog::AreaText() const
{
    if (!IsFeetFormat(m_nLengthFormat))
        return LengthText(m_dArea);
    // An area is no length: in the foot formats it is shown in square feet, as a decimal number.
    return DimensionText::ConvertDimValueToText(m_dArea / kSquareFoot, 1.0, 0, m_nPrecision, 1, 0, 0.0, 1) +
           LoadText(kSquareFeetUnit);
}

void CMeasureResultDialog::FillRows()
{
    CString captions[kRowCount];
    CString values[kRowCount];
    int nRows = 1;
    switch (m_nKind) {
    case kindCoordinates:
        if (ArePointsDifferent()) {
            captions[0] = LoadText(kUserPointRow);
            values[0] = LengthText(m_secondPoint.X()) + _T(", ") + LengthText(m_secondPoint.Y());
            captions[1] = LoadText(kPointRow);
            values[1] = LengthText(m_firstPoint.X()) + _T(", ") + LengthText(m_firstPoint.Y());
            nRows = 2;
        } else {
            captions[0] = LoadText(kPointRow);
            values[0] = LengthText(m_firstPoint.X()) + _T(", ") + LengthText(m_firstPoint.Y());
        }
        break;
    case kindLength:
        captions[0] = LoadText(kLengthRow);
        values[0] = LengthText(m_dLength);
        captions[1] = _T("DX");
        values[1] = LengthText(m_dX);
        captions[2] = _T("DY");
        values[2] = LengthText(m_dY);
        nRows = 3;
        break;
    case kindAngle:
        captions[0] = LoadText(kAngleRow);
        if (m_nAngleFormat >= 0 && m_nAngleFormat <= 3)
            NumericCharConverter::AngleToString(m_dAngle, values[0], m_nAngleFormat, m_nPrecision, LoadText(kDegreeUnit), 1);
        else
            values[0] = LengthText(m_dAngle);
        break;
    case kindArea:
        captions[0] = LoadText(kAreaRow);
        values[0] = AreaText();
        break;
    default:
        break;
    }
    const int nExisting = m_resultList.GetItemCount();
    for (int i = 0; i < std::min(nRows, nExisting); ++i) {
        m_resultList.SetItemText(i, 0, captions[i]);
        m_resultList.SetItemText(i, 1, values[i]);
    }
    for (int i = m_resultList.GetItemCount() - 1; i >= nRows; --i)
        m_resultList.DeleteItem(i);
}

void CMeasureResultDialog::UpdateCopyButton()
{
    const int nFirst = m_resultList.GetNextItem(-1, LVNI_SELECTED);
    if (CWnd* pCopy = GetDlgItem(kCopyButton))
        pCopy->EnableWindow(nFirst >= 0 ? TRUE : FALSE);
    UpdateData(FALSE);
}

int CMeasureResultDialog::GetRowCount() const { return m_resultList.GetItemCount(); }
CString CMeasureResultDialog::GetRowCaption(int nRow) const { return m_resultList.GetItemText(nRow, 0); }
CString CMeasureResultDialog::GetRowValue(int nRow) const { return m_resultList.GetItemText(nRow, 1); }

CString CMeasureResultDialog::GetCopyText() const
{
    CArray<int> rows;
    for (int i = 0; i < m_resultList.GetItemCount(); ++i) {
        if (m_resultList.GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED)
            rows.Add(i);
    }
    if (rows.GetSize() == 1)
        return GetRowValue(rows[0]);
    CString text;
    for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
        CString line;
        line.Format(_T("%s\t%s\n"), static_cast<LPCTSTR>(GetRowCaption(rows[i])),
                    static_cast<LPCTSTR>(GetRowValue(rows[i])));
        text += line;
    }
    return text;
}

void CMeasureResultDialog::OnCopy()
{
    const CString text = GetCopyText();
    if (!text.IsEmpty() && ::OpenClipboard(m_hWnd)) {
        ::EmptyClipboard();
        const SIZE_T nBytes = (static_cast<SIZE_T>(text.GetLength()) + 1) * sizeof(TCHAR);
        HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nBytes);
        if (hBlock != nullptr) {
            if (void* pBytes = ::GlobalLock(hBlock)) {
                std::memcpy(pBytes, static_cast<LPCTSTR>(text), nBytes);
                ::GlobalUnlock(hBlock);
                if (::SetClipboardData(CF_UNICODETEXT, hBlock) == nullptr)
                    ::GlobalFree(hBlock);
            } else {
                ::GlobalFree(hBlock);
            }
        }
        ::CloseClipboard();
    }
    UpdateCopyButton();
}

void CMeasureResultDialog::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    UpdateCopyButton();
    *pResult = 0;
}

void CMeasureResultDialog::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if ((pDraw->nmcd.dwDrawStage & CDDS_ITEMPREPAINT) == CDDS_ITEMPREPAINT && pDraw->nmcd.dwItemSpec == 0 &&
               ArePointsDifferent()) {
        pDraw->clrText = RGB(255, 0, 0);
        *pResult = CDRF_NEWFONT;
    }
}

void CMeasureResultDialog::OnPrecisionChanged()
{
    if (!UpdateData(TRUE))
        return;
    FillRows();
}

void CMeasureResultDialog::OnDisplayChanged()
{
    if (!UpdateData(TRUE))
        return;
    if (m_nKind == kindAngle) {
        m_precisionCombo.ResetContent();
        FillAnglePrecisionComboBox(m_nAngleFormat, m_precisionCombo, CString());
        m_nPrecision = std::clamp(m_nPrecision, 0, std::max(0, m_precisionCombo.GetCount() - 1));
        m_precisionCombo.SetCurSel(m_nPrecision);
    }
    FillRows();
}
