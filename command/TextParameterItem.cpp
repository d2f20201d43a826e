#include "command/TextParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(TextParameterItem, ParameterItemBase)

TextParameterItem::TextParameterItem() : ParameterItemBase(typeText) {}

BOOL TextParameterItem::SetValue(const CString& text)
{
    m_strText = text;
    m_bEmpty = text.IsEmpty() ? TRUE : FALSE;
    return TRUE;
}

BOOL TextParameterItem::GetValue(CString& text) const
{
    if (IsEmpty())
        return FALSE;
    text = m_strText;
    return TRUE;
}

BOOL TextParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* pSource = dynamic_cast<const TextParameterItem*>(&source);
    if (pSource == nullptr)
        return FALSE;
    if (pSource->IsEmpty()) {
        Clear();
        return TRUE;
    }
    return SetValue(pSource->m_strText);
}

void TextParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* pSource = dynamic_cast<const TextParameterItem*>(&source)) {
        m_strText = pSource->m_strText;
        m_bEditInDialog = pSource->m_bEditInDialog;
        m_bAcceptEmptyText = pSource->m_bAcceptEmptyText;
    }
}

BOOL TextParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* pOther = dynamic_cast<const TextParameterItem*>(&other);
    return (pOther != nullptr && pOther->m_strText == m_strText) ? TRUE : FALSE;
}

}  // namespace QZ2Command
