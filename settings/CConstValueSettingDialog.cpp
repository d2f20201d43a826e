#include "settings/CConstValueSettingDialog.h"

#include "command/NumericFormat.h"
#include "controls/DoubleEditExchange.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"
#include "settings/SettingsDialogSupport.h"

namespace {

constexpr UINT kNotALetter = 10020;
constexpr UINT kReserved = 10021;
constexpr UINT kCaption = 10023;
constexpr UINT kAlreadyDefined = 10031;

}  // namespace

BEGIN_MESSAGE_MAP(CConstValueSettingDialog, CDialog)
ON_BN_CLICKED(CConstValueSettingDialog::kSet, &CConstValueSettingDialog::OnSet)
ON_BN_CLICKED(CConstValueSettingDialog::kDelete, &CConstValueSettingDialog::OnDelete)
ON_NOTIFY(LVN_ITEMCHANGED, CConstValueSettingDialog::kList, &CConstValueSettingDialog::OnItemChanged)
ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CConstValueSettingDialog::CConstValueSettingDialog(CWnd* pParent) : CDialog(IDD, pParent) {}
CConstValueSettingDialog::~CConstValueSettingDialog() = default;

void CConstValueSettingDialog::SetInputConstValue(const InputConstValue* pList)
{
    m_constants.RemoveAll();
    if (pList == nullptr)
        return;
    for (int i = 0; i < pList->GetSize(); ++i)
        m_constants.Add(pList->GetNameAt(i), pList->GetValueAt(i));
}

int CConstValueSettingDialog::GetInputConstValue(InputConstValue* pOut) const
{
    if (pOut != nullptr)
        *pOut = m_constants;
    return m_constants.GetSize();
}

void CConstValueSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kValue, m_valueEdit);
    DDX_Control(pDX, kList, m_list);
    DDX_Control(pDX, kName, m_nameEdit);
    DDX_Text(pDX, kName, m_strName);
    DDV_MaxChars(pDX, m_strName, 1);
    DDX_DoubleEditDouble(pDX, kValue, m_dValue, -1e10, 1e10, FALSE, FALSE, FALSE);
}

BOOL CConstValueSettingDialog::OnInitDialog()
{
    m_bFilling = TRUE;
    CDialog::OnInitDialog();
    m_valueEdit.SetValueKind(4);
    m_valueEdit.m_bAllowNegative = TRUE;
    m_nameEdit.SetLimitText(1);
    SetHelpButtonImage(this, m_helpImage);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CRect client;
    m_list.GetClientRect(&client);
    const int first = static_cast<int>(client.Width() / 10.0 * 2.5);
    const CString caption = LoadSettingsString(kCaption);
    m_list.InsertColumn(0, caption, LVCFMT_LEFT, first);
    m_list.InsertColumn(1, caption, LVCFMT_LEFT, client.Width() - first);
    for (int i = 0; i < m_constants.GetSize(); ++i) {
        CString text;
        // Rows shown at opening take the current length format.
        NumericFormat::DoubleToString(m_constants.GetValueAt(i), text, -1, -1, -1);
        m_list.InsertItem(i, m_constants.GetNameAt(i));
        m_list.SetItemText(i, 1, text);
    }
    m_bFilling = FALSE;
    return TRUE;
}

void CConstValueSettingDialog::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == kList && lpMeasureItemStruct != nullptr) {
        const int height = DialogRowHeight(this);
        if (height > 0) {
            lpMeasureItemStruct->itemHeight = static_cast<UINT>(height);
            return;
        }
    }
    CDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CConstValueSettingDialog::SelectRow(int row)
{
    for (int r = 0; r < m_list.GetItemCount(); ++r)
        if (r != row)
            m_list.SetItemState(r, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0 && row < m_list.GetItemCount()) {
        m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.EnsureVisible(row, FALSE);
    }
}

void CConstValueSettingDialog::OnSet()
{
    if (!UpdateData(TRUE) || m_strName.IsEmpty())
        return;
    if (m_strName.Compare(_T("a")) < 0 || m_strName.Compare(_T("z")) > 0) {
        AfxMessageBox(kNotALetter);
        return;
    }
    if (m_strName.FindOneOf(_T("derg")) >= 0) {
        AfxMessageBox(kReserved);
        return;
    }
    int known = -1;
    for (int i = 0; i < m_constants.GetSize(); ++i)
        if (m_constants.GetNameAt(i) == m_strName)
            known = i;
    if (known >= 0 && AfxMessageBox(kAlreadyDefined, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
        return;
    CString text;
    if (!NumericFormat::DoubleToString(m_dValue, text, 0, -1, -1) || text.IsEmpty())
        return;
    if (known < 0) {
        if (!m_constants.Add(m_strName, m_dValue))
            return;
        const int row = m_list.InsertItem(m_list.GetItemCount(), m_strName);
        m_list.SetItemText(row, 1, text);
        SelectRow(row);
    } else {
        if (!m_constants.SetAt(known, m_strName, m_dValue))
            return;
        m_list.SetItemText(known, 0, m_strName);
        m_list.SetItemText(known, 1, text);
        m_valueEdit.SetWindowText(text);
        SelectRow(known);
    }
    m_list.SetFocus();
}

void CConstValueSettingDialog::OnDelete()
{
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    m_bFilling = TRUE;
    m_list.DeleteItem(row);
    m_constants.RemoveAt(row);
    m_bFilling = FALSE;
    if (m_list.GetItemCount() > 0)
        SelectRow(row < m_list.GetItemCount() ? row : -1);
}

void CConstValueSettingDialog::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    if (m_bFilling)
        return;
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    m_nameEdit.SetWindowText(m_list.GetItemText(row, 0));
    m_valueEdit.SetWindowText(m_list.GetItemText(row, 1));
}
