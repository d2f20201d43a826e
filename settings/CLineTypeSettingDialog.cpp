#include "settings/CLineTypeSettingDialog.h"

#include <algorithm>
#include <vector>

#include "controls/DoubleEditExchange.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"
#include "settings/SettingsDialogSupport.h"

namespace {

constexpr UINT kNameCaption = 10263;
constexpr UINT kSegmentCaption = 10264;
constexpr UINT kEmptyName = 10265;
constexpr UINT kNameUsed = 10266;
constexpr UINT kTypeUsed = 10267;
constexpr UINT kTableFull = 11941;
constexpr UINT kNoAddName = 11507;

}  // namespace

BEGIN_MESSAGE_MAP(CLineTypeSettingDialog, CDialog)
ON_NOTIFY(LVN_ITEMCHANGED, CLineTypeSettingDialog::kList, &CLineTypeSettingDialog::OnItemChanged)
ON_NOTIFY(UDN_DELTAPOS, CLineTypeSettingDialog::kCountSpin, &CLineTypeSettingDialog::OnCountDeltaPos)
ON_NOTIFY(UDN_DELTAPOS, CLineTypeSettingDialog::kPitchSpin, &CLineTypeSettingDialog::OnPitchDeltaPos)
ON_EN_CHANGE(CLineTypeSettingDialog::kCount, &CLineTypeSettingDialog::OnCountChange)
ON_BN_CLICKED(CLineTypeSettingDialog::kModeFixed, &CLineTypeSettingDialog::OnMode)
ON_BN_CLICKED(CLineTypeSettingDialog::kModeProportional, &CLineTypeSettingDialog::OnMode)
ON_BN_CLICKED(CLineTypeSettingDialog::kAdd, &CLineTypeSettingDialog::OnAdd)
ON_BN_CLICKED(CLineTypeSettingDialog::kModify, &CLineTypeSettingDialog::OnModify)
ON_BN_CLICKED(CLineTypeSettingDialog::kDelete, &CLineTypeSettingDialog::OnDelete)
ON_BN_CLICKED(CLineTypeSettingDialog::kUp, &CLineTypeSettingDialog::OnUp)
ON_BN_CLICKED(CLineTypeSettingDialog::kDown, &CLineTypeSettingDialog::OnDown)
ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CLineTypeSettingDialog::CLineTypeSettingDialog(CWnd* pParent) : CDialog(IDD, pParent) {}
CLineTypeSettingDialog::~CLineTypeSettingDialog() = default;

void CLineTypeSettingDialog::SetLineTypeTable(const LineTypeFeatureTable* pTable, Draw2dDocument* pDocument)
{
    if (pTable != nullptr)
        m_table = *pTable;
    m_pDocument = pDocument;
}

void CLineTypeSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kCountSpin, m_countSpin);
    DDX_Control(pDX, kPitch, m_pitchEdit);
    DDX_Control(pDX, kName, m_nameEdit);
    for (int i = 0; i < kSegmentCount; ++i)
        DDX_Control(pDX, kSegment1 + i, m_segmentEdits[i]);
    DDX_Control(pDX, kList, m_list);
    DDX_Text(pDX, kName, m_strName);
    DDV_MaxChars(pDX, m_strName, 256);
    DDX_Radio(pDX, kModeFixed, m_nPitchMode);
    DDX_DoubleEditDouble(pDX, kPitch, m_dPitch, 0.0, 1e15, FALSE, FALSE, FALSE);
    // Only the segments shown count: a hidden one holds 1.0 and cannot be wrong.
    const int shown = SegmentCountShown();
    for (int i = 0; i < kSegmentCount; ++i)
        if (i < shown || !pDX->m_bSaveAndValidate)
            DDX_DoubleEditDouble(pDX, kSegment1 + i, m_segments[i], 0.0, 1e15, FALSE, FALSE, FALSE);
}

BOOL CLineTypeSettingDialog::OnInitDialog()
{
    m_bFilling = TRUE;
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, LoadSettingsString(kNameCaption), LVCFMT_LEFT, 200);
    for (int i = 1; i <= kSegmentCount; ++i) {
        CString caption;
        if (i == 1) {
            caption.Format(LoadSettingsString(kSegmentCaption), 1);
        } else {
            caption.Format(_T("%d"), i);
        }
        m_list.InsertColumn(i, caption, LVCFMT_RIGHT, i == 1 ? 55 : 35);
    }
    m_nameEdit.SetLimitText(256);
    for (auto& edit : m_segmentEdits)
        edit.SetValueKind(4);
    m_pitchEdit.SetValueKind(4);
    m_list.SetLineTypeTable(&m_table);
    m_countSpin.SetBuddy(GetDlgItem(kCount));
    m_countSpin.SetRange(0, kSegmentCount);
    m_countSpin.SetPos(0);
    UDACCEL accel[2] = {{2, 2}, {4, 2}};
    m_countSpin.SetAccel(2, accel);
    EnablePitch();
    SetHelpButtonImage(this, m_helpImage);
    m_bFilling = FALSE;
    SelectRow(0);
    return TRUE;
}

void CLineTypeSettingDialog::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == kList && lpMeasureItemStruct != nullptr) {
        const int height = DialogRowHeight(this);
        if (height > 0)
            lpMeasureItemStruct->itemHeight = static_cast<UINT>(height);
        return;
    }
    CDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

int CLineTypeSettingDialog::SelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

const LineTypeFeature* CLineTypeSettingDialog::RowLineType(int row) const
{
    // By position: a table with one name twice would otherwise show and change the wrong line type.
    if (row < 0 || row + 1 >= m_table.GetLineTypeSize())
        return nullptr;
    return m_table.GetAt(row + 1);
}

int CLineTypeSettingDialog::SegmentCountShown() const
{
    if (m_countSpin.GetSafeHwnd() == nullptr)
        return 0;
    return std::clamp(m_countSpin.GetPos32(), 0, kSegmentCount);
}

void CLineTypeSettingDialog::EnablePitch()
{
    const BOOL bEnable = m_nPitchMode == 1;
    for (int id : {kPitch, kPitchSpin, kPitchCaption})
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(bEnable);
}

void CLineTypeSettingDialog::ShowSegments(int n)
{
    n = std::clamp(n, 0, kSegmentCount);
    for (int i = 0; i < kSegmentCount; ++i) {
        const BOOL bShow = i < n;
        if (!bShow) {
            m_segments[i] = 1.0;
            m_segmentEdits[i].SetValue(1.0);
        }
        m_segmentEdits[i].ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        if (CWnd* pCaption = GetDlgItem(kSegmentCaption1 + i))
            pCaption->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        // The ninth and tenth segments belong to fixed line type 15 only.
        if (i >= kMaxUserSegments)
            m_segmentEdits[i].SetReadOnly(TRUE);
    }
    const BOOL bWas = m_bFilling;
    m_bFilling = TRUE;
    m_countSpin.SetPos(n);
    m_bFilling = bWas;
}

void CLineTypeSettingDialog::SelectRow(int row)
{
    if (row < 0 || row >= m_list.GetItemCount())
        return;
    m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(row, FALSE);
}

void CLineTypeSettingDialog::Refill(int rowToSelect)
{
    m_list.SetLineTypeTable(&m_table);
    const int count = m_list.GetItemCount();
    for (int r = 0; r < count; ++r)
        m_list.SetItemState(r, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SelectRow(std::min(rowToSelect, count - 1));
    m_list.Invalidate(FALSE);
}

void CLineTypeSettingDialog::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    if (m_bFilling)
        return;
    const int row = SelectedRow();
    const LineTypeFeature* pType = RowLineType(row);
    if (pType == nullptr)
        return;
    m_strName = pType->GetLineTypeName();
    const BOOL bUser = pType->GetLineTypeNo() >= LineTypeFeatureTable::kFirstUserNo;
    for (int id : {kModify, kDelete})
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(bUser);
    if (CWnd* p = GetDlgItem(kUp))
        p->EnableWindow(bUser && row != LineTypeFeatureTable::kFixedLineTypeCount);
    if (CWnd* p = GetDlgItem(kDown))
        p->EnableWindow(bUser && row != m_list.GetItemCount() - 1);
    // A full table keeps Add: a greyed button would not say why nothing can be added, the message does.
    if (CWnd* p = GetDlgItem(kAdd))
        p->EnableWindow(m_strName != LoadSettingsString(kNoAddName));
    const int n = pType->GetLineTypeSegment();
    for (int i = 0; i < kSegmentCount; ++i)
        m_segments[i] = i < n ? pType->GetLineTypeSegmentAt(i) : 1.0;
    ShowSegments(n);
    UpdateData(FALSE);
}

void CLineTypeSettingDialog::OnCountChange()
{
    if (m_bFilling || m_countSpin.GetSafeHwnd() == nullptr)
        return;
    const int n = SegmentCountShown();
    const int row = SelectedRow();
    // User line types have at most eight segments. A full table changes nothing here: Modify needs no
    // new number, and Add says that none is free.
    const BOOL bAllowed = n <= kMaxUserSegments;
    if (CWnd* p = GetDlgItem(kAdd))
        p->EnableWindow(bAllowed);
    if (CWnd* p = GetDlgItem(kModify))
        p->EnableWindow(bAllowed && row >= LineTypeFeatureTable::kFixedLineTypeCount);
    ShowSegments(n);
}

void CLineTypeSettingDialog::OnCountDeltaPos(NMHDR* pNotify, LRESULT* pResult)
{
    if (pResult == nullptr)
        return;
    *pResult = 0;
    const auto* pUpDown = reinterpret_cast<NMUPDOWN*>(pNotify);
    // Fixed line type 15 (row 14) alone shows more than eight segments.
    if (pUpDown != nullptr && pUpDown->iDelta > 0 && pUpDown->iPos >= kMaxUserSegments &&
        SelectedRow() != LineTypeFeatureTable::kFixedLineTypeCount - 1)
        *pResult = 1;
}

void CLineTypeSettingDialog::OnPitchDeltaPos(NMHDR* pNotify, LRESULT* pResult)
{
    if (pNotify != nullptr)
        m_pitchEdit.OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNotify));
    if (pResult != nullptr)
        *pResult = 1;
}

void CLineTypeSettingDialog::OnMode()
{
    m_nPitchMode = IsDlgButtonChecked(kModeProportional) == BST_CHECKED ? 1 : 0;
    EnablePitch();
}

void CLineTypeSettingDialog::OnAdd()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strName.IsEmpty()) {
        AfxMessageBox(kEmptyName, MB_OK | MB_ICONEXCLAMATION);
        m_nameEdit.SetFocus();
        return;
    }
    if (m_table.LineTypeNameToIndex(m_strName) != -1) {
        AfxMessageBox(kNameUsed, MB_OK | MB_ICONEXCLAMATION);
        m_nameEdit.SetFocus();
        return;
    }
    const int n = std::min(SegmentCountShown(), kMaxUserSegments);
    // The lowest free user number, from one pass over the table (a large table would otherwise be
    // searched once per candidate).
    std::vector<bool> used(static_cast<size_t>(LineTypeFeatureTable::kLastUserNo) + 1, false);
    for (int i = 0; i < m_table.GetLineTypeSize(); ++i) {
        const short taken = m_table.GetAt(i)->GetLineTypeNo();
        if (taken >= 0 && taken <= LineTypeFeatureTable::kLastUserNo)
            used[static_cast<size_t>(taken)] = true;
    }
    short no = -1;
    for (int candidate = LineTypeFeatureTable::kFirstUserNo; candidate <= LineTypeFeatureTable::kLastUserNo;
         ++candidate) {
        if (!used[static_cast<size_t>(candidate)]) {
            no = static_cast<short>(candidate);
            break;
        }
    }
    if (no < 0) {
        // Every user number is taken: saying so beats adding nothing without a word.
        AfxMessageBox(kTableFull, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    LineTypeFeature type;
    if (!type.SetLineType(no, m_strName, m_segments, n) || !m_table.SetLineType(type))
        return;
    Refill(m_table.GetLineTypeSize() - 2);
}

void CLineTypeSettingDialog::OnModify()
{
    if (!UpdateData(TRUE))
        return;
    const int row = SelectedRow();
    const LineTypeFeature* pType = RowLineType(row);
    if (pType == nullptr || pType->GetLineTypeNo() < LineTypeFeatureTable::kFirstUserNo)
        return;
    if (m_strName.IsEmpty()) {
        AfxMessageBox(kEmptyName, MB_OK | MB_ICONEXCLAMATION);
        m_nameEdit.SetFocus();
        return;
    }
    const short no = pType->GetLineTypeNo();
    if (m_strName != pType->GetLineTypeName()) {
        const short other = m_table.GetLineTypeNoByName(m_strName);
        if (other != -1 && other != no) {
            AfxMessageBox(kNameUsed, MB_OK | MB_ICONEXCLAMATION);
            m_nameEdit.SetFocus();
            return;
        }
    }
    const int n = std::min(SegmentCountShown(), kMaxUserSegments);
    LineTypeFeature type;
    if (!type.SetLineType(no, m_strName, m_segments, n) || !m_table.SetLineType(type))
        return;
    Refill(row);
}

void CLineTypeSettingDialog::OnDelete()
{
    const int row = SelectedRow();
    const LineTypeFeature* pType = RowLineType(row);
    if (pType == nullptr || pType->GetLineTypeNo() <= LineTypeFeatureTable::kFixedLineTypeCount)
        return;
    const short no = pType->GetLineTypeNo();
    if (m_pDocument != nullptr && m_pDocument->IsUsedLineTypeNo(no)) {
        AfxMessageBox(kTypeUsed, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!m_table.DeleteLineTypeByNo(no))
        return;
    Refill(row);
}

void CLineTypeSettingDialog::OnUp()
{
    const int row = SelectedRow();
    if (row <= LineTypeFeatureTable::kFixedLineTypeCount || !m_table.UpDownIndex(row + 1, TRUE))
        return;
    Refill(row - 1);
}

void CLineTypeSettingDialog::OnDown()
{
    const int row = SelectedRow();
    if (row < LineTypeFeatureTable::kFixedLineTypeCount || row >= m_list.GetItemCount() - 1 ||
        !m_table.UpDownIndex(row + 1, FALSE))
        return;
    Refill(row + 1);
}
