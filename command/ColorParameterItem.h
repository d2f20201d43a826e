#pragma once
// A colour number of the document's colour table, with the number that the feature's layer has.

#include "command/AttributeNumberParameterItem.h"

class ColorFeatureTable;

namespace QZ2Command {

class ColorParameterItem : public AttributeNumberParameterItem
{
    DECLARE_DYNCREATE(ColorParameterItem)
public:
    ColorParameterItem();

    void Copy(const ParameterItemBase& source) override;

    // The document's table; not owned.
    ColorFeatureTable* m_pTable = nullptr;
};

}  // namespace QZ2Command
