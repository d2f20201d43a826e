#pragma once
// A choice among fixed texts; the value is the index of the chosen text. Once a choice is made the
// item cannot be emptied again.

#include "command/ParameterItemBase.h"
#include "platform/afx/CStringArray.h"

namespace QZ2Command {

class ListParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(ListParameterItem)
public:
    ListParameterItem();

    void ApplyDefault() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    void SetItems(const CStringArray& items);
    // The choices are the pieces of the text between vertical bars, empty pieces included.
    BOOL SetItemsFromText(const CString& text);
    BOOL SetItemsFromStringId(UINT nStringId);
    CString GetItemText(int nIndex) const;
    int GetItemCount() const { return static_cast<int>(m_items.GetSize()); }

    BOOL SetValue(int nIndex);
    BOOL GetValue(int& nIndex) const;
    BOOL SetDefaultValue(int nIndex);

    CStringArray m_items;
    int m_nSelected = -1;
    int m_nDefault = -1;
};

}  // namespace QZ2Command
