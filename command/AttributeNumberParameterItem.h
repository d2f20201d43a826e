#pragma once
// A number of one of the document's attribute tables (colours, line types), with the number that the
// feature's layer has. Items of two different tables never take or equal each other's values.

#include "command/ParameterItemBase.h"

namespace QZ2Command {

class AttributeNumberParameterItem : public ParameterItemBase
{
    DECLARE_DYNAMIC(AttributeNumberParameterItem)
public:
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL GetValue(short& nNumber) const;

    WORD m_wNumber = 0xFFFF;
    WORD m_wLayerNumber = 0xFFFF;
    BOOL m_bShowByLayer = TRUE;

protected:
    explicit AttributeNumberParameterItem(int nTypeCode) : ParameterItemBase(nTypeCode) {}
    // The item when it is one of the same table, else NULL.
    const AttributeNumberParameterItem* SameKind(const ParameterItemBase& other) const;
};

}  // namespace QZ2Command
