#include "command/ColorParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ColorParameterItem, AttributeNumberParameterItem)

ColorParameterItem::ColorParameterItem() : AttributeNumberParameterItem(typeColor) {}

void ColorParameterItem::Copy(const ParameterItemBase& source)
{
    AttributeNumberParameterItem::Copy(source);
    if (const auto* p = dynamic_cast<const ColorParameterItem*>(&source))
        m_pTable = p->m_pTable;
}

}  // namespace QZ2Command
