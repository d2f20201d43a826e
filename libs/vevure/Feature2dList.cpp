#include "libs/vevure/Feature2dList.h"

#include <memory>

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/vevure/Feature2dBase.h"

Feature2dList::Feature2dList(const Feature2dList& other)
{
    m_features.reserve(other.m_features.size());
    for (const Feature2dBase* f : other.m_features)
        m_features.push_back(f ? f->CopyObject(Feature2dBase::copyAll) : nullptr);
}

Feature2dList& Feature2dList::operator=(const Feature2dList& other)
{
    if (this != &other) {
        Feature2dList copy(other);
        m_features.swap(copy.m_features);
    }
    return *this;
}

Feature2dList::~Feature2dList()
{
    RemoveAllFeatures();
}

int Feature2dList::AddFeature(Feature2dBase* pFeature, int nCopy)
{
    if (pFeature == nullptr)
        return -1;
    m_features.push_back(nCopy ? pFeature->CopyObject(Feature2dBase::copyAll) : pFeature);
    return GetFeatureSize() - 1;
}

int Feature2dList::AddFeature(const Feature2dBase* pFeature)
{
    if (pFeature == nullptr)
        return -1;
    m_features.push_back(pFeature->CopyObject(Feature2dBase::copyAll));
    return GetFeatureSize() - 1;
}

void Feature2dList::CheckIndex(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetFeatureSize())
        AfxThrowInvalidArgException();
}

void Feature2dList::RemoveFeature(int nIndex)
{
    delete DetachFeature(nIndex);
}

Feature2dBase* Feature2dList::DetachFeature(int nIndex)
{
    CheckIndex(nIndex);
    Feature2dBase* f = m_features[(size_t)nIndex];
    m_features.erase(m_features.begin() + nIndex);
    return f;
}

void Feature2dList::RemoveAllFeatures()
{
    for (Feature2dBase* f : m_features)
        delete f;
    m_features.clear();
}

void Feature2dList::SetFeature(int nIndex, const Feature2dBase* pFeature)
{
    CheckIndex(nIndex);
    if (pFeature == m_features[(size_t)nIndex])
        return;
    Feature2dBase* copy = pFeature ? pFeature->CopyObject(Feature2dBase::copyAll) : nullptr;
    delete m_features[(size_t)nIndex];
    m_features[(size_t)nIndex] = copy;
}

Feature2dBase* Feature2dList::GetFeature(int nIndex)
{
    CheckIndex(nIndex);
    return m_features[(size_t)nIndex];
}

const Feature2dBase* Feature2dList::GetFeature(int nIndex) const
{
    CheckIndex(nIndex);
    return m_features[(size_t)nIndex];
}

void Feature2dList::Append(Feature2dList& other)
{
    if (&other == this)
        return;
    m_features.insert(m_features.end(), other.m_features.begin(), other.m_features.end());
    other.m_features.clear();
}

void Feature2dList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_features.size());
        for (const Feature2dBase* f : m_features)
            Feature2dBase::StoreFeature(ar, f);
        return;
    }
    const DWORD_PTR count = ar.ReadCount();
    ar.EnsureReadable((ULONGLONG)count * 2);
    std::vector<std::unique_ptr<Feature2dBase>> loaded;
    for (DWORD_PTR i = 0; i < count; ++i)
        loaded.emplace_back(Feature2dBase::LoadFeature(ar));
    RemoveAllFeatures();
    for (auto& f : loaded)
        m_features.push_back(f.release());
}
