#include "command/AngleParameterItem.h"

#include "command/NumericFormat.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(AngleParameterItem, DoubleParameterItem)

AngleParameterItem::AngleParameterItem() : DoubleParameterItem(typeAngle)
{
    m_bHistory = TRUE;
}

CString AngleParameterItem::GetDisplayText() const
{
    CString text;
    if (IsEmpty())
        return text;
    NumericFormat::AngleToString(m_dValue, text, -1, -1, CString());
    return text;
}

}  // namespace QZ2Command
