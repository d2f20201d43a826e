#include "command/CommandPropertyListItem.h"

IMPLEMENT_DYNCREATE(CommandPropertyListItem, PropertyListItem)

CommandPropertyListItem::CommandPropertyListItem(BOOL bSubRow) : m_bSubRow(bSubRow) {}

CommandPropertyListItem::CommandPropertyListItem(const CommandPropertyListItem& other) : PropertyListItem()
{
    CopyFrom(other);
}

void CommandPropertyListItem::CopyFrom(const PropertyListItem& other)
{
    PropertyListItem::CopyFrom(other);
    if (auto* pOther = dynamic_cast<const CommandPropertyListItem*>(&other); pOther != nullptr && pOther != this) {
        m_bSubRow = pOther->m_bSubRow;
        m_nGroup = pOther->m_nGroup;
    }
}
