#include "command/ListParameterItem.h"

#include <string>

#include "platform/afx/ResourceModule.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ListParameterItem, ParameterItemBase)

ListParameterItem::ListParameterItem() : ParameterItemBase(typeList)
{
    m_bClearable = FALSE;
}

void ListParameterItem::SetItems(const CStringArray& items)
{
    m_items.Copy(items);
    m_nSelected = -1;
    m_bEmpty = TRUE;
}

BOOL ListParameterItem::SetItemsFromText(const CString& text)
{
    m_items.RemoveAll();
    int start = 0;
    const int length = text.GetLength();
    for (;;) {
        const int bar = text.Find(_T('|'), start);
        if (bar < 0) {
            m_items.Add(text.Mid(start, length - start));
            break;
        }
        m_items.Add(text.Mid(start, bar - start));
        start = bar + 1;
    }
    m_nSelected = -1;
    m_bEmpty = TRUE;
    return TRUE;
}

BOOL ListParameterItem::SetItemsFromStringId(UINT nStringId)
{
    std::u16string text;
    if (!AfxLoadStringResource(nStringId, text))
        return FALSE;
    return SetItemsFromText(CString(text.c_str()));
}

CString ListParameterItem::GetItemText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_items.GetSize())
        return CString();
    return m_items.GetAt(nIndex);
}

BOOL ListParameterItem::SetValue(int nIndex)
{
    m_nSelected = nIndex;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL ListParameterItem::GetValue(int& nIndex) const
{
    if (IsEmpty())
        return FALSE;
    nIndex = m_nSelected;
    return TRUE;
}

BOOL ListParameterItem::SetDefaultValue(int nIndex)
{
    m_nDefault = nIndex;
    m_bNoDefault = FALSE;
    return TRUE;
}

void ListParameterItem::ApplyDefault()
{
    if (m_bNoDefault)
        return;
    m_nSelected = m_nDefault;
    m_bEmpty = FALSE;
}

BOOL ListParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* pSource = dynamic_cast<const ListParameterItem*>(&source);
    if (pSource == nullptr)
        return FALSE;
    if (pSource->IsEmpty())
        return Clear();
    return SetValue(pSource->m_nSelected);
}

void ListParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* pSource = dynamic_cast<const ListParameterItem*>(&source)) {
        m_nSelected = pSource->m_nSelected;
        m_nDefault = pSource->m_nDefault;
        m_items.Copy(pSource->m_items);
    }
}

BOOL ListParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* pOther = dynamic_cast<const ListParameterItem*>(&other);
    return (pOther != nullptr && pOther->m_nSelected == m_nSelected) ? TRUE : FALSE;
}

}  // namespace QZ2Command
