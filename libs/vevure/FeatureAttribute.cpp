#include "libs/vevure/FeatureAttribute.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"

FeatureAttributeItem* FeatureAttribute::GetAttributeItem(int nIndex)
{
    return nIndex >= 0 && nIndex < GetAttributeCount() ? &m_items[(size_t)nIndex] : nullptr;
}

const FeatureAttributeItem* FeatureAttribute::GetAttributeItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetAttributeCount() ? &m_items[(size_t)nIndex] : nullptr;
}

FeatureAttributeItem* FeatureAttribute::GetAttributeItem(const CString& strName)
{
    return GetAttributeItem(FindAttribute(strName));
}

const FeatureAttributeItem* FeatureAttribute::GetAttributeItem(const CString& strName) const
{
    return GetAttributeItem(FindAttribute(strName));
}

FeatureAttributeItem* FeatureAttribute::GetAttributeItemByID(long nID)
{
    for (auto& item : m_items)
        if (item.GetID() == nID)
            return &item;
    return nullptr;
}

const FeatureAttributeItem* FeatureAttribute::GetAttributeItemByID(long nID) const
{
    return const_cast<FeatureAttribute*>(this)->GetAttributeItemByID(nID);
}

int FeatureAttribute::FindAttribute(const CString& strName) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].GetName() == strName)
            return (int)i;
    return -1;
}

CString FeatureAttribute::GetAttributeName(int nIndex) const
{
    const FeatureAttributeItem* item = GetAttributeItem(nIndex);
    return item ? item->GetName() : CString();
}

CString FeatureAttribute::GetAttributeValue(int nIndex) const
{
    const FeatureAttributeItem* item = GetAttributeItem(nIndex);
    return item ? item->GetValue() : CString();
}

long FeatureAttribute::GetAttributeId(int nIndex) const
{
    const FeatureAttributeItem* item = GetAttributeItem(nIndex);
    return item ? item->GetID() : -1;
}

int FeatureAttribute::AddAttribute(const CString& strName, const CString& strValue, long nID)
{
    if (strName.IsEmpty() || FindAttribute(strName) >= 0)
        return -1;
    if (nID <= 0 || nID > kMaxID || GetAttributeItemByID(nID) != nullptr) {
        // The next id past the largest in use; when that runs out, the smallest free one.
        nID = m_nNextID > 0 && m_nNextID <= kMaxID ? m_nNextID : 1;
        while (GetAttributeItemByID(nID) != nullptr)
            nID = nID < kMaxID ? nID + 1 : 1;
    }
    if (nID >= m_nNextID)
        m_nNextID = (LONG)(nID < kMaxID ? nID + 1 : kMaxID);
    m_items.emplace_back(nID, strName, strValue);
    return GetAttributeCount() - 1;
}

BOOL FeatureAttribute::RemoveAttribute(const CString& strName)
{
    return RemoveAttribute(FindAttribute(strName));
}

BOOL FeatureAttribute::RemoveAttribute(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetAttributeCount())
        return FALSE;
    m_items.erase(m_items.begin() + nIndex);
    return TRUE;
}

void FeatureAttribute::RemoveAll()
{
    m_items.clear();
}

BOOL FeatureAttribute::SetAttributeValue(const CString& strName, const CString& strValue)
{
    FeatureAttributeItem* item = GetAttributeItem(strName);
    if (item == nullptr)
        return FALSE;
    item->SetValue(strValue);
    return TRUE;
}

BOOL FeatureAttribute::SetAttributeName(long nID, const CString& strName)
{
    FeatureAttributeItem* item = GetAttributeItemByID(nID);
    if (item == nullptr || strName.IsEmpty())
        return FALSE;
    const int other = FindAttribute(strName);
    if (other >= 0 && &m_items[(size_t)other] != item)
        return FALSE;
    item->SetName(strName);
    return TRUE;
}

bool FeatureAttribute::operator==(const FeatureAttribute& other) const
{
    if (m_items.size() != other.m_items.size())
        return false;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (!m_items[i].IsSame(other.m_items[i]))
            return false;
    return true;
}

void FeatureAttribute::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_items.size());
        for (auto& item : m_items)
            item.Serialize(ar);
        ar << m_nNextID;
        return;
    }
    // An item takes at least its id and two string lengths.
    const DWORD_PTR count = ar.ReadCount();
    ar.EnsureReadable((ULONGLONG)count * 6);
    FeatureAttribute loaded;
    loaded.m_items.reserve(count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        FeatureAttributeItem item;
        item.Serialize(ar);
        if (item.GetName().IsEmpty() || loaded.FindAttribute(item.GetName()) >= 0 ||
            loaded.GetAttributeItemByID(item.GetID()) != nullptr)
            ar.ThrowArchiveException(CArchiveException::generic);
        loaded.m_items.push_back(item);
    }
    ar >> loaded.m_nNextID;
    if (loaded.m_nNextID <= 0 || loaded.m_nNextID > kMaxID)
        loaded.m_nNextID = 1;
    for (auto& item : loaded.m_items)
        if (item.GetID() >= loaded.m_nNextID)
            loaded.m_nNextID = (LONG)(item.GetID() < kMaxID ? item.GetID() + 1 : kMaxID);
    *this = std::move(loaded);
}
