#pragma once
// A component definition of the document, by id (-1 none).

#include "command/ParameterItemBase.h"

class DrawComponent2dFeatureDefineTable;

namespace QZ2Command {

class DrawComponentParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(DrawComponentParameterItem)
public:
    DrawComponentParameterItem();

    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    // -1 empties the item.
    BOOL SetValue(int nComponentID);
    BOOL GetValue(int& nComponentID) const;

    int m_nComponentID = -1;
    DrawComponent2dFeatureDefineTable* m_pTable = nullptr;
};

}  // namespace QZ2Command
