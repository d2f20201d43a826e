#include "controls/CSelectCurrentLineTypeComboBox.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeatureTable.h"

IMPLEMENT_DYNAMIC(CSelectCurrentLineTypeComboBox, CSelectLineTypeComboBox)

CSelectCurrentLineTypeComboBox::CSelectCurrentLineTypeComboBox() = default;
CSelectCurrentLineTypeComboBox::~CSelectCurrentLineTypeComboBox() = default;

void CSelectCurrentLineTypeComboBox::SetDocument(Draw2dDocument* pDocument)
{
    if (pDocument == m_pDocument)
        return;
    m_pDocument = pDocument;
    RebuildList();
}

void CSelectCurrentLineTypeComboBox::RebuildList()
{
    SetLineTypeTable(m_pDocument != nullptr ? m_pDocument->GetLineTypeFeatureTable() : nullptr, TRUE);
    Refresh();
}

void CSelectCurrentLineTypeComboBox::Refresh()
{
    if (m_pDocument == nullptr)
        return;
    const LayerFeatureTable* pLayers = m_pDocument->GetLayerTable();
    SetLayerLineTypeNo(pLayers != nullptr ? pLayers->GetLayerLineTypeNo(m_pDocument->GetCurrentLayerID()) : 32767);
    SetLineTypeNo(m_pDocument->GetCurrentLineTypeNo());
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void CSelectCurrentLineTypeComboBox::OnSelectionChanged()
{
    if (m_pDocument == nullptr || m_nNumber == 32767)
        return;
    if (m_pDocument->GetCurrentLineTypeNo() == m_nNumber)
        return;
    m_pDocument->BeginUndoOperation();
    m_pDocument->SetCurrentLineTypeNo(static_cast<short>(m_nNumber));
    m_pDocument->EndUndoOperation();
}
