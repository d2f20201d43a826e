#include "structure/LayerComboEditor.h"

#include "command/LayerParameterItem.h"
#include "command/PropertyListItem.h"
#include "structure/CLayerComboBox.h"

namespace {

using CreateHook = CWnd* (*)(PropertyListItem&, CWnd*, UINT);
CreateHook s_previous = nullptr;
bool s_registered = false;

// A layer combo that writes a choice into the row's item.
class CLayerRowComboBox : public CLayerComboBox
{
public:
    explicit CLayerRowComboBox(QZ2Command::LayerParameterItem* pItem) : m_pItem(pItem) {}

protected:
    void OnLayerChosen(long nLayerID) override
    {
        if (m_pItem != nullptr) {
            m_pItem->m_nLayerID = nLayerID;
            m_pItem->m_bEmpty = FALSE;
        }
    }

private:
    QZ2Command::LayerParameterItem* m_pItem;
};

struct AutoRegister {
    AutoRegister() { LayerComboEditor::Register(); }
} s_autoRegister;

}  // namespace

void LayerComboEditor::Register()
{
    if (s_registered)
        return;
    s_registered = true;
    PropertyListItem::Services& services = PropertyListItem::GetServices();
    if (services.pCreateComboEditor != &LayerComboEditor::CreateEditor)
        s_previous = services.pCreateComboEditor;
    services.pCreateComboEditor = &LayerComboEditor::CreateEditor;
}

CWnd* LayerComboEditor::CreateEditor(PropertyListItem& row, CWnd* pList, unsigned int nID)
{
    auto* pItem = dynamic_cast<QZ2Command::LayerParameterItem*>(row.GetValueItem());
    if (pItem == nullptr)
        return s_previous != nullptr ? s_previous(row, pList, nID) : nullptr;
    auto* pCombo = new CLayerRowComboBox(pItem);
    if (!pCombo->Create(WS_CHILD | WS_TABSTOP | WS_VSCROLL, CRect(0, 0, 0, 0), pList, nID)) {
        delete pCombo;
        return nullptr;
    }
    pCombo->SetDocument(pItem->m_pDocument);
    pCombo->SetTreeOptions(static_cast<WORD>(pItem->m_nListStyle));
    pCombo->SetLayerID(pItem->IsEmpty() ? -2 : pItem->m_nLayerID);
    return pCombo;
}
