#include "structure/CDrawingComboBox.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "structure/CDrawingDropDownTreeCtrl.h"

IMPLEMENT_DYNAMIC(CDrawingComboBox, CTreeComboBox)

CDrawingComboBox::CDrawingComboBox() : CTreeComboBox(CDrawingDropDownTreeCtrl::kChoiceCommand) {}

CDrawingComboBox::~CDrawingComboBox() = default;

CDrawingDropDownTreeCtrl* CDrawingComboBox::GetDropDownTree() const
{
    return static_cast<CDrawingDropDownTreeCtrl*>(m_pDropDownTree);
}

void CDrawingComboBox::SetSelection(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout)
{
    m_nDrawingID = pDrawing != nullptr ? pDrawing->GetDrawingID() : -1;
    m_nLayoutID = pLayout != nullptr ? pLayout->GetLayoutID() : -1;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

BOOL CDrawingComboBox::GetSelection(const DrawingFeatureBase*& pDrawing, const PartDrawingLayout*& pLayout) const
{
    pDrawing = m_pDocument != nullptr && m_nDrawingID >= 0 ? m_pDocument->GetDrawingFeatureByID(m_nDrawingID) : nullptr;
    pLayout = m_pDocument != nullptr && m_nLayoutID >= 0 ? m_pDocument->GetPartLayoutByID(m_nLayoutID) : nullptr;
    return TRUE;
}

CString CDrawingComboBox::GetSelectionText() const
{
    const DrawingFeatureBase* pDrawing = nullptr;
    const PartDrawingLayout* pLayout = nullptr;
    GetSelection(pDrawing, pLayout);
    if (pLayout != nullptr)
        return pLayout->GetLayoutName();
    if (pDrawing != nullptr)
        return pDrawing->GetDrawingName();
    return CString();
}

CTreeCtrl* CDrawingComboBox::CreateDropDownTree()
{
    if (m_pDropDownTree == nullptr)
        m_pDropDownTree = new CDrawingDropDownTreeCtrl;
    return GetDropDownTree()->CreatePopup(this, m_wTreeOptions) ? m_pDropDownTree : nullptr;
}

void CDrawingComboBox::FillDropDownTree()
{
    GetDropDownTree()->SetDocument(m_pDocument);
}

void CDrawingComboBox::SelectValueInDropDown()
{
    CDrawingDropDownTreeCtrl* pTree = GetDropDownTree();
    if (m_nLayoutID >= 0 && pTree->FindLayoutItem(m_nLayoutID) != nullptr)
        pTree->SelectLayoutItem(m_nLayoutID);
    else if (m_nLayoutID < 0)
        pTree->SelectDrawingItem(m_nDrawingID);
}

BOOL CDrawingComboBox::TakeDropDownChoice()
{
    CDrawingDropDownTreeCtrl* pTree = GetDropDownTree();
    const DrawingTreeItem* pRecord = pTree->GetItemRecord(pTree->GetSelectedTreeItem());
    if (pRecord == nullptr)
        return FALSE;
    m_nDrawingID = pRecord->nDrawingID;
    m_nLayoutID = pRecord->nLayoutID;
    OnDrawingChosen();
    return TRUE;
}
