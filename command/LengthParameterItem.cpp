#include "command/LengthParameterItem.h"

#include "command/NumericFormat.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(LengthParameterItem, DoubleParameterItem)

LengthParameterItem::LengthParameterItem() : DoubleParameterItem(typeLength)
{
    m_bHistory = TRUE;
}

CString LengthParameterItem::GetDisplayText() const
{
    CString text;
    if (IsEmpty())
        return text;
    // Always the current length format, whatever the override says.
    NumericFormat::DoubleToString(m_dValue, text, -1);
    return text;
}

}  // namespace QZ2Command
