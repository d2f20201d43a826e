#include "structure/DrawingComboEditor.h"

#include "command/DrawingParameterItem.h"
#include "command/PropertyListItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "structure/CDrawingComboBox.h"
#include "structure/CDrawingTreeCtrl.h"

namespace {

using CreateHook = CWnd* (*)(PropertyListItem&, CWnd*, UINT);
CreateHook s_previous = nullptr;
bool s_registered = false;

// A drawing combo that writes a choice into the row's item.
class CDrawingRowComboBox : public CDrawingComboBox
{
public:
    explicit CDrawingRowComboBox(QZ2Command::DrawingParameterItem* pItem) : m_pItem(pItem) {}

protected:
    void OnDrawingChosen() override
    {
        if (m_pItem == nullptr || m_pDocument == nullptr)
            return;
        DrawingFeatureBase* pDrawing = m_pDocument->GetDrawingFeatureByID(m_nDrawingID);
        PartDrawingLayout* pLayout = m_nLayoutID >= 0 ? m_pDocument->GetPartLayoutByID(m_nLayoutID) : nullptr;
        if (pDrawing != nullptr)
            m_pItem->SetValue(pDrawing, pLayout);
    }

private:
    QZ2Command::DrawingParameterItem* m_pItem;
};

struct AutoRegister {
    AutoRegister() { DrawingComboEditor::Register(); }
} s_autoRegister;

}  // namespace

void DrawingComboEditor::Register()
{
    if (s_registered)
        return;
    s_registered = true;
    PropertyListItem::Services& services = PropertyListItem::GetServices();
    if (services.pCreateComboEditor != &DrawingComboEditor::CreateEditor)
        s_previous = services.pCreateComboEditor;
    services.pCreateComboEditor = &DrawingComboEditor::CreateEditor;
}

unsigned short DrawingComboEditor::TreeOptionsFor(int nAcceptedEntries)
{
    unsigned short options = 0;
    if (nAcceptedEntries & 0x01)
        options |= CDrawingTreeCtrl::optionPapers;
    if (nAcceptedEntries & 0x02)
        options |= CDrawingTreeCtrl::optionParts;
    if (nAcceptedEntries & 0x04)
        options |= CDrawingTreeCtrl::optionLayouts;
    return options;
}

CWnd* DrawingComboEditor::CreateEditor(PropertyListItem& row, CWnd* pList, unsigned int nID)
{
    auto* pItem = dynamic_cast<QZ2Command::DrawingParameterItem*>(row.GetValueItem());
    if (pItem == nullptr)
        return s_previous != nullptr ? s_previous(row, pList, nID) : nullptr;
    auto* pCombo = new CDrawingRowComboBox(pItem);
    if (!pCombo->Create(WS_CHILD | WS_TABSTOP | WS_VSCROLL, CRect(0, 0, 0, 0), pList, nID)) {
        delete pCombo;
        return nullptr;
    }
    pCombo->SetDocument(pItem->m_pDocument);
    pCombo->m_wTreeOptions = TreeOptionsFor(pItem->m_nAcceptedEntries);
    if (!pItem->IsEmpty())
        pCombo->SetSelection(pItem->m_pDrawing, pItem->m_pLayout);
    return pCombo;
}
