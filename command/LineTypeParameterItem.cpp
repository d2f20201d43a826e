#include "command/LineTypeParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(LineTypeParameterItem, AttributeNumberParameterItem)

LineTypeParameterItem::LineTypeParameterItem() : AttributeNumberParameterItem(typeLineType) {}

void LineTypeParameterItem::Copy(const ParameterItemBase& source)
{
    AttributeNumberParameterItem::Copy(source);
    if (const auto* p = dynamic_cast<const LineTypeParameterItem*>(&source))
        m_pTable = p->m_pTable;
}

}  // namespace QZ2Command
