#pragma once
// A line-type number of the document's line-type table, with the number that the feature's layer has.

#include "command/AttributeNumberParameterItem.h"

class LineTypeFeatureTable;

namespace QZ2Command {

class LineTypeParameterItem : public AttributeNumberParameterItem
{
    DECLARE_DYNCREATE(LineTypeParameterItem)
public:
    LineTypeParameterItem();

    void Copy(const ParameterItemBase& source) override;

    // The document's table; not owned.
    LineTypeFeatureTable* m_pTable = nullptr;
};

}  // namespace QZ2Command
