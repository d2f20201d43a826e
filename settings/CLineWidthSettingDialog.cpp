#include "settings/CLineWidthSettingDialog.h"

#include "controls/DoubleEditExchange.h"
#include "settings/SettingsDialogSupport.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"

BEGIN_MESSAGE_MAP(CLineWidthSettingDialog, CDialog)
ON_NOTIFY(LVN_ITEMCHANGED, CLineWidthSettingDialog::kList, &CLineWidthSettingDialog::OnItemChanged)
ON_NOTIFY(UDN_DELTAPOS, CLineWidthSettingDialog::kSpin, &CLineWidthSettingDialog::OnDeltaPosWidth)
ON_BN_CLICKED(CLineWidthSettingDialog::kSet, &CLineWidthSettingDialog::OnSet)
ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CLineWidthSettingDialog::CLineWidthSettingDialog(CWnd* pParent) : CDialog(IDD, pParent) {}
CLineWidthSettingDialog::~CLineWidthSettingDialog() = default;

void CLineWidthSettingDialog::SetLineWidthTable(const LineWidthFeatureTable* pTable)
{
    if (pTable != nullptr)
        m_table = *pTable;
}

void CLineWidthSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kSpin, m_spin);
    DDX_Control(pDX, kWidth, m_widthEdit);
    DDX_Control(pDX, kList, m_list);
    DDX_DoubleEditDouble(pDX, kWidth, m_dWidth, 0.0, 1e15, FALSE, FALSE, FALSE);
}

BOOL CLineWidthSettingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_widthEdit.SetValueKind(4);
    m_list.InsertColumn(0, LoadSettingsString(10268), LVCFMT_LEFT, 120);
    m_list.SetLineWidthTable(&m_table);
    SetHelpButtonImage(this, m_helpImage);
    if (m_list.GetItemCount() > 0)
        m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return TRUE;
}

void CLineWidthSettingDialog::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == kList && lpMeasureItemStruct != nullptr) {
        const int height = DialogRowHeight(this);
        if (height > 0)
            lpMeasureItemStruct->itemHeight = static_cast<UINT>(height);
        return;
    }
    CDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

int CLineWidthSettingDialog::SelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CLineWidthSettingDialog::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    const int row = SelectedRow();
    if (row < 0)
        return;
    const short no = static_cast<short>(row + 1);
    const LineWidthFeature* pWidth = m_table.GetLineWidthFeature(no);
    if (pWidth == nullptr)
        return;
    const BOOL bEditable = no >= LineWidthFeatureTable::kFirstUserNo;
    m_widthEdit.SetReadOnly(!bEditable);
    m_spin.EnableWindow(bEditable);
    if (CWnd* pSet = GetDlgItem(kSet))
        pSet->EnableWindow(bEditable);
    m_dWidth = m_table.GetLineWidth(no);
    m_widthEdit.SetValue(m_dWidth);
}

void CLineWidthSettingDialog::OnSet()
{
    if (!UpdateData(TRUE))
        return;
    const int row = SelectedRow();
    if (row < 0 || row + 1 < LineWidthFeatureTable::kFirstUserNo)
        return;
    if (m_table.SetLineWidth(static_cast<short>(row + 1), m_dWidth)) {
        // The row's text carries the width too.
        CString text;
        text.Format(_T("%d:%.*g"), row + 1, 15, m_dWidth);
        m_list.SetItemText(row, 0, text);
    }
    m_list.Invalidate(TRUE);
    m_list.UpdateWindow();
}

void CLineWidthSettingDialog::OnDeltaPosWidth(NMHDR* pNotify, LRESULT* pResult)
{
    if (pNotify != nullptr)
        m_widthEdit.OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNotify));
    if (pResult != nullptr)
        *pResult = 1;
}
