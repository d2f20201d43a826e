#include "controls/CSelectLineTypeComboBox.h"

#include <algorithm>

#include "controls/ControlsServices.h"
#include "controls/SamplePainters.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/CClientDC.h"

IMPLEMENT_DYNAMIC(CSelectLineTypeComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CSelectLineTypeComboBox, CComboBox)
    ON_CONTROL_REFLECT_EX(CBN_SELCHANGE, &CSelectLineTypeComboBox::OnSelChangeReflect)
    ON_CONTROL_REFLECT_EX(CBN_DROPDOWN, &CSelectLineTypeComboBox::OnDropDownReflect)
END_MESSAGE_MAP()

CSelectLineTypeComboBox::CSelectLineTypeComboBox() = default;
CSelectLineTypeComboBox::~CSelectLineTypeComboBox() = default;

BOOL CSelectLineTypeComboBox::SetLineTypeTable(const LineTypeFeatureTable* pTable, BOOL bShowByLayer)
{
    m_pTable = pTable;
    m_bShowByLayer = bShowByLayer;
    if (GetSafeHwnd() != nullptr)
        ResetContent();
    if (pTable == nullptr)
        return TRUE;
    if (GetSafeHwnd() != nullptr) {
        for (int i = 0; i < pTable->GetLineTypeSize(); ++i) {
            const LineTypeFeature* pEntry = pTable->GetAt(i);
            if (pEntry->GetLineTypeNo() == 0 && !bShowByLayer)
                continue;
            AddString(pEntry->GetLineTypeNo() == 0 ? ControlsServices::LoadString(11492)
                                                    : pEntry->GetLineTypeName());
        }
    }
    SetLineTypeNo(static_cast<short>(m_nNumber));
    UpdateNameWidth();
    return TRUE;
}

int CSelectLineTypeComboBox::IndexToRow(int nIndex) const
{
    if (m_pTable == nullptr || nIndex < 0 || nIndex >= m_pTable->GetLineTypeSize())
        return -1;
    // The by-layer entry is the table's first; hidden, every row moves up by one.
    if (m_bShowByLayer)
        return nIndex;
    return m_pTable->GetAt(0)->GetLineTypeNo() == 0 ? nIndex - 1 : nIndex;
}

int CSelectLineTypeComboBox::RowToNumber(int nRow) const
{
    if (m_pTable == nullptr || nRow < 0)
        return 32767;
    if (nRow == 0 && m_bShowByLayer)
        return 0;
    int index = nRow;
    if (!m_bShowByLayer && m_pTable->GetLineTypeSize() > 0 && m_pTable->GetAt(0)->GetLineTypeNo() == 0)
        ++index;
    if (index >= m_pTable->GetLineTypeSize())
        return 32767;
    return m_pTable->GetAt(index)->GetLineTypeNo();
}

BOOL CSelectLineTypeComboBox::SetLineTypeNo(short nNumber)
{
    if (m_pTable == nullptr || (nNumber == 0 && !m_bShowByLayer))
        return FALSE;
    if (nNumber == 32767) {
        m_nNumber = 32767;
        if (GetSafeHwnd() != nullptr)
            SetCurSel(-1);
        return TRUE;
    }
    if (nNumber == 0) {
        if (m_nLayerNo != 32767 && m_pTable->GetLineTypeByNo(static_cast<short>(m_nLayerNo)) == nullptr)
            return FALSE;
        m_nNumber = 0;
        if (GetSafeHwnd() != nullptr)
            SetCurSel(0);
        return TRUE;
    }
    if (m_pTable->GetLineTypeByNo(nNumber) == nullptr)
        return FALSE;
    m_nNumber = nNumber;
    // By the entry's position, not by its name: names may share a prefix.
    int row = -1;
    for (int i = 0; i < m_pTable->GetLineTypeSize(); ++i) {
        if (m_pTable->GetAt(i)->GetLineTypeNo() == nNumber) {
            row = IndexToRow(i);
            break;
        }
    }
    if (GetSafeHwnd() != nullptr)
        SetCurSel(row);
    return TRUE;
}

short CSelectLineTypeComboBox::GetLineTypeNo() const
{
    return m_pTable == nullptr ? static_cast<short>(32767) : static_cast<short>(m_nNumber);
}

BOOL CSelectLineTypeComboBox::SetLayerLineTypeNo(short nNumber)
{
    if (m_pTable == nullptr)
        return FALSE;
    m_nLayerNo = m_pTable->GetLineTypeByNo(nNumber) != nullptr ? nNumber : 32767;
    UpdateNameWidth();
    return TRUE;
}

void CSelectLineTypeComboBox::UpdateNameWidth()
{
    if (GetSafeHwnd() == nullptr || m_pTable == nullptr) {
        m_nNameWidth = 0;
        return;
    }
    CClientDC dc(this);
    m_nNameWidth = GetMaxLineTypeNameWidth(&dc, GetFont(), m_pTable);
    if (m_bShowByLayer && m_nLayerNo != 32767) {
        if (const LineTypeFeature* pLayer = m_pTable->GetLineTypeByNo(static_cast<short>(m_nLayerNo))) {
            CFont* pOld = GetFont() != nullptr ? dc.SelectObject(GetFont()) : nullptr;
            const CString text = pLayer->GetLineTypeName() + ControlsServices::LoadString(10379);
            m_nNameWidth = std::max<int>(m_nNameWidth, dc.GetTextExtent(text).cx);
            if (pOld != nullptr)
                dc.SelectObject(pOld);
        }
    }
}

void CSelectLineTypeComboBox::ReadSelection()
{
    const int row = GetCurSel();
    m_nNumber = row < 0 ? 32767 : RowToNumber(row);
}

BOOL CSelectLineTypeComboBox::OnSelChangeReflect()
{
    ReadSelection();
    OnSelectionChanged();
    return FALSE;
}

BOOL CSelectLineTypeComboBox::OnDropDownReflect()
{
    UpdateNameWidth();
    CClientDC dc(this);
    CFont* pOld = GetFont() != nullptr ? dc.SelectObject(GetFont()) : nullptr;
    const int numberWidth = dc.GetTextExtent(CString(u"88:")).cx;
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    SetDroppedWidth(static_cast<UINT>(m_nNameWidth + numberWidth + 105));
    return FALSE;
}

void CSelectLineTypeComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
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
    // The list rows only, not the closed field.
    const BOOL bDropped = GetDroppedState() && (lpDrawItemStruct->itemState & ODS_COMBOBOXEDIT) == 0;
    const LineTypeFeature* pLineType = nullptr;
    int number = 0;
    if (row == 0 && m_bShowByLayer) {
        pLineType = m_nLayerNo != 32767 ? m_pTable->GetLineTypeByNo(static_cast<short>(m_nLayerNo)) : nullptr;
        number = 0;
    } else {
        number = RowToNumber(row);
        if (number == 32767)
            return;
        pLineType = m_pTable->GetLineTypeByNo(static_cast<short>(number));
    }
    DrawLineTypeItem(pDC, GetFont(), &lpDrawItemStruct->rcItem, number, pLineType, bSelected, bDisabled, bSelected,
                     TRUE, TRUE, TRUE, TRUE, FALSE, bDropped && m_pTable->GetLineTypeSize() > 15, bDropped, 0);
}
