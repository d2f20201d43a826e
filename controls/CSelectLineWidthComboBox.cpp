#include "controls/CSelectLineWidthComboBox.h"

#include "controls/ControlsServices.h"
#include "controls/SamplePainters.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/CClientDC.h"

IMPLEMENT_DYNAMIC(CSelectLineWidthComboBox, CFlatComboBox)

BEGIN_MESSAGE_MAP(CSelectLineWidthComboBox, CFlatComboBox)
    ON_CONTROL_REFLECT_EX(CBN_SELCHANGE, &CSelectLineWidthComboBox::OnSelChangeReflect)
    ON_CONTROL_REFLECT_EX(CBN_DROPDOWN, &CSelectLineWidthComboBox::OnDropDownReflect)
    ON_MESSAGE(CSelectLineWidthComboBox::kChooseMessage, &CSelectLineWidthComboBox::OnChooseMsg)
END_MESSAGE_MAP()

CSelectLineWidthComboBox::CSelectLineWidthComboBox() = default;
CSelectLineWidthComboBox::~CSelectLineWidthComboBox() = default;

BOOL CSelectLineWidthComboBox::SetLineWidthTable(const LineWidthFeatureTable* pTable, BOOL bShowByLayer)
{
    m_pTable = pTable;
    m_bShowByLayer = bShowByLayer;
    if (GetSafeHwnd() != nullptr)
        ResetContent();
    if (pTable == nullptr)
        return TRUE;
    if (GetSafeHwnd() != nullptr) {
        for (int i = 0; i < pTable->GetLineWidthSize(); ++i) {
            if (i == 0 && !bShowByLayer)
                continue;
            CString text;
            if (i == 0)
                text.Format(static_cast<LPCTSTR>(ControlsServices::LoadString(10380)), 0);
            else
                text.Format(u"%d:%.2fmm", i, pTable->GetLineWidth(i));
            AddString(text);
        }
    }
    SetLineWidthNo(static_cast<short>(m_nNumber));
    return TRUE;
}

BOOL CSelectLineWidthComboBox::SetLineWidthNo(short nNumber)
{
    if (m_pTable == nullptr || (nNumber == 0 && !m_bShowByLayer))
        return FALSE;
    if (nNumber == 32767) {
        m_nNumber = 32767;
        if (GetSafeHwnd() != nullptr)
            SetCurSel(-1);
        return TRUE;
    }
    // Only numbers that have a row: 0 (by layer, while shown) and the table's numbers.
    if (nNumber < 0 || nNumber >= m_pTable->GetLineWidthSize())
        return FALSE;
    if (nNumber == 0 && m_nLayerNo != 32767 && m_pTable->GetLineWidthFeature(static_cast<short>(m_nLayerNo)) == nullptr)
        return FALSE;
    m_nNumber = nNumber;
    if (GetSafeHwnd() != nullptr)
        SetCurSel(m_bShowByLayer ? nNumber : nNumber - 1);
    return TRUE;
}

short CSelectLineWidthComboBox::GetLineWidthNo() const
{
    return m_pTable == nullptr ? static_cast<short>(32767) : static_cast<short>(m_nNumber);
}

BOOL CSelectLineWidthComboBox::SetLayerLineWidthNo(short nNumber)
{
    if (m_pTable == nullptr)
        return FALSE;
    m_nLayerNo = m_pTable->GetLineWidthFeature(nNumber) != nullptr ? nNumber : 32767;
    return TRUE;
}

void CSelectLineWidthComboBox::ReadSelection()
{
    const int row = GetCurSel();
    m_nNumber = row < 0 ? 32767 : (m_bShowByLayer ? row : row + 1);
}

BOOL CSelectLineWidthComboBox::OnSelChangeReflect()
{
    ReadSelection();
    OnSelectionChanged();
    return FALSE;
}

BOOL CSelectLineWidthComboBox::OnDropDownReflect()
{
    CClientDC dc(this);
    CFont* pOld = GetFont() != nullptr ? dc.SelectObject(GetFont()) : nullptr;
    const int width = dc.GetTextExtent(ControlsServices::LoadString(10381)).cx;
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    SetDroppedWidth(static_cast<UINT>(width + 44));
    return FALSE;
}

LRESULT CSelectLineWidthComboBox::OnChooseMsg(WPARAM wParam, LPARAM lParam) { return OnChoose(wParam, lParam); }

LRESULT CSelectLineWidthComboBox::OnChoose(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    SetLineWidthNo(static_cast<short>(static_cast<INT_PTR>(wParam)));
    NotifyOwner(CBN_CLOSEUP);
    NotifyOwner(CBN_SELENDOK);
    return 0;
}

void CSelectLineWidthComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr || m_pTable == nullptr)
        return;
    const int row = static_cast<int>(lpDrawItemStruct->itemID);
    if (row < 0 || row >= GetCount())
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr)
        return;
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const BOOL bDisabled = !bSelected && (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
    const BOOL bDropped = GetDroppedState() && (lpDrawItemStruct->itemState & ODS_COMBOBOXEDIT) == 0;
    const int number = m_bShowByLayer ? row : row + 1;
    const LineWidthFeature* pWidth = nullptr;
    if (number == 0)
        pWidth = m_nLayerNo != 32767 ? m_pTable->GetLineWidthFeature(static_cast<short>(m_nLayerNo)) : nullptr;
    else
        pWidth = m_pTable->GetLineWidthFeature(static_cast<short>(number));
    DrawLineWidthItem(pDC, GetFont(), &lpDrawItemStruct->rcItem, number, pWidth, bSelected, bDisabled, TRUE, TRUE,
                      TRUE, FALSE, TRUE, FALSE, bDropped, bDropped, 0);
}
