#include "structure/CLayerComboBox.h"

#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CImageList.h"
#include "platform/win/WinCtrlConstants.h"
#include "structure/CLayerDropDownTreeCtrl.h"

IMPLEMENT_DYNAMIC(CLayerComboBox, CTreeComboBox)

CLayerComboBox::CLayerComboBox() : CTreeComboBox(CLayerDropDownTreeCtrl::kChoiceCommand) {}

CLayerComboBox::~CLayerComboBox() = default;

CLayerDropDownTreeCtrl* CLayerComboBox::GetDropDownTree() const
{
    return static_cast<CLayerDropDownTreeCtrl*>(m_pDropDownTree);
}

void CLayerComboBox::SetTreeOptions(WORD wOptions)
{
    if (wOptions == m_wTreeOptions)
        return;
    m_wTreeOptions = wOptions;
    if (GetDropDownTree() != nullptr)
        GetDropDownTree()->m_wOptions = wOptions;
}

void CLayerComboBox::SetLayerID(long nLayerID)
{
    m_nLayerID = nLayerID;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

CString CLayerComboBox::GetLayerText() const
{
    const LayerFeatureTable* pTable = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    if (pTable == nullptr)
        return CString();
    if (m_nLayerID == -1)
        return LoadResourceString(10229);
    if (m_nLayerID == 0)
        return LoadResourceString(10230);
    if (pTable->IsExistLayerID(m_nLayerID))
        return pTable->GetLayerName(m_nLayerID);
    return CString();
}

int CLayerComboBox::DrawValueImage(CDC* pDC, const CRect& rc)
{
    if (!(m_wDisplayOptions & kShowFolders))
        return 0;
    const CRect box(rc.left + 2, rc.top + (rc.Height() - 16) / 2, rc.left + 18, rc.top + (rc.Height() - 16) / 2 + 16);
    const LayerFeatureTable* pTable = m_pDocument->GetLayerTable();
    if (m_nLayerID == -1 || (pTable != nullptr && pTable->IsExistLayerID(m_nLayerID) && pTable->IsGroup(m_nLayerID))) {
        CImageList images;
        if (images.Create(CLayerTreeCtrl::kImages, 16, 1, RGB(255, 0, 255)))
            images.Draw(pDC, CLayerTreeCtrl::imgFolder, box.TopLeft(), ILD_TRANSPARENT);
    }
    return box.right + 2 - rc.left;
}

CTreeCtrl* CLayerComboBox::CreateDropDownTree()
{
    if (m_pDropDownTree == nullptr)
        m_pDropDownTree = new CLayerDropDownTreeCtrl;
    return GetDropDownTree()->CreatePopup(this, m_wTreeOptions) ? m_pDropDownTree : nullptr;
}

void CLayerComboBox::FillDropDownTree()
{
    GetDropDownTree()->SetDocument(m_pDocument);
}

void CLayerComboBox::SelectValueInDropDown()
{
    GetDropDownTree()->SelectLayerItem(m_nLayerID);
}

BOOL CLayerComboBox::TakeDropDownChoice()
{
    const LayerFeature* pRecord = GetDropDownTree()->GetSelectedLayer();
    if (pRecord == nullptr)
        return FALSE;
    m_nLayerID = pRecord->GetLayerID();
    OnLayerChosen(m_nLayerID);
    return TRUE;
}
