#include "controls/CSelectCurrentLineWidthComboBox.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeatureTable.h"

IMPLEMENT_DYNAMIC(CSelectCurrentLineWidthComboBox, CSelectLineWidthComboBox)

CSelectCurrentLineWidthComboBox::CSelectCurrentLineWidthComboBox() = default;
CSelectCurrentLineWidthComboBox::~CSelectCurrentLineWidthComboBox() = default;

void CSelectCurrentLineWidthComboBox::SetDocument(Draw2dDocument* pDocument)
{
    if (pDocument == m_pDocument)
        return;
    m_pDocument = pDocument;
    SetLineWidthTable(pDocument != nullptr ? pDocument->GetLineWidthFeatureTable() : nullptr, TRUE);
    Refresh();
}

void CSelectCurrentLineWidthComboBox::Refresh()
{
    if (m_pDocument == nullptr)
        return;
    const short number = m_pDocument->GetCurrentLineWidthNo();
    if (number == 0) {
        const LayerFeatureTable* pLayers = m_pDocument->GetLayerTable();
        SetLayerLineWidthNo(pLayers != nullptr ? pLayers->GetLayerLineWidthNo(m_pDocument->GetCurrentLayerID())
                                               : 32767);
    }
    SetLineWidthNo(number);
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void CSelectCurrentLineWidthComboBox::WriteCurrent(int nNumber)
{
    // No row (-1) or none: nothing to write.
    if (m_pDocument == nullptr || nNumber < 0 || nNumber == 32767 || m_pDocument->GetCurrentLineWidthNo() == nNumber)
        return;
    m_pDocument->BeginUndoOperation();
    m_pDocument->SetCurrentLineWidthNo(static_cast<short>(nNumber));
    m_pDocument->EndUndoOperation();
}

void CSelectCurrentLineWidthComboBox::OnSelectionChanged() { WriteCurrent(m_nNumber); }

LRESULT CSelectCurrentLineWidthComboBox::OnChoose(WPARAM wParam, LPARAM lParam)
{
    WriteCurrent(static_cast<int>(static_cast<INT_PTR>(wParam)));
    return CSelectLineWidthComboBox::OnChoose(wParam, lParam);
}
