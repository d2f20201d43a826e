#pragma once
// One input step of a command: alternative items that can give the step's value, one of them current.

#include "command/ParameterItemBase.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CTypedPtrArray.h"

namespace QZ2Command {

class CommandParameter : public CObject
{
    DECLARE_DYNAMIC(CommandParameter)
public:
    CommandParameter();
    ~CommandParameter() override;
    CommandParameter(const CommandParameter&) = delete;
    CommandParameter& operator=(const CommandParameter&) = delete;

    // Stores a clone of the item; -1 when an item with the same id is already present.
    int AddItem(const ParameterItemBase& item);
    BOOL SetCurrentIndex(int nIndex);
    BOOL SetCurrentByID(WORD wId);
    int GetCurrentIndex() const { return m_nCurrentIndex; }
    ParameterItemBase* GetCurrentItem() const;
    ParameterItemBase* FindItem(WORD wId) const;
    void ClearAllItems();
    void DeleteAllItems();

    int GetItemCount() const { return static_cast<int>(m_items.GetSize()); }
    // Throws the invalid-argument exception outside the items.
    ParameterItemBase* GetItem(int nIndex) const { return m_items.GetAt(nIndex); }

    CTypedPtrArray<CObArray, ParameterItemBase*> m_items;
    int m_nCurrentIndex = -1;
};

}  // namespace QZ2Command
