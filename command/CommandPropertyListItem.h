#pragma once
// A row of the command bar: a parameter row, or a modifier's header or input row shown below the
// parameter it modifies.

#include "command/PropertyListItem.h"

class CommandPropertyListItem : public PropertyListItem
{
    DECLARE_DYNCREATE(CommandPropertyListItem)
public:
    explicit CommandPropertyListItem(BOOL bSubRow = FALSE);
    CommandPropertyListItem(const CommandPropertyListItem& other);

    void CopyFrom(const PropertyListItem& other) override;

    // A modifier's header or input row.
    BOOL m_bSubRow = FALSE;
    // The modifier link an input row belongs to (0 the outermost); -1 for the other rows.
    int m_nGroup = -1;
};
