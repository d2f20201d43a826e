#pragma once
// A list of shapes that owns them: AddFeature takes a shape over (flag 0) or stores a copy (flag 1); removing
// or replacing a shape deletes it, and so does the destructor. A copy of the list copies every shape.

#include <vector>

#include "platform/afx/AfxTypes.h"

class CArchive;

class Feature2dBase;

class Feature2dList
{
public:
    Feature2dList() = default;
    Feature2dList(const Feature2dList& other);
    Feature2dList& operator=(const Feature2dList& other);
    virtual ~Feature2dList();

    // Returns the index, -1 for NULL (nothing taken over).
    int AddFeature(Feature2dBase* pFeature, int nCopy);
    int AddFeature(const Feature2dBase* pFeature);  // always a copy
    // Index-guarded (invalid-argument exception); deletes the shape there.
    void RemoveFeature(int nIndex);
    // Hands the shape at the index to the caller and drops it from the list; index-guarded.
    Feature2dBase* DetachFeature(int nIndex);
    void RemoveAllFeatures();
    // Replaces the shape at the index by a copy of pFeature; index-guarded.
    void SetFeature(int nIndex, const Feature2dBase* pFeature);
    int GetFeatureSize() const { return (int)m_features.size(); }
    BOOL IsEmpty() const { return m_features.empty(); }
    // Index-guarded (invalid-argument exception).
    Feature2dBase* GetFeature(int nIndex);
    const Feature2dBase* GetFeature(int nIndex) const;
    Feature2dBase* operator[](int nIndex) { return GetFeature(nIndex); }
    const Feature2dBase* operator[](int nIndex) const { return GetFeature(nIndex); }
    // Moves every shape of the other list to the end of this one.
    void Append(Feature2dList& other);

    // Stores the shapes by type code; loading replaces the list only when the whole list loaded.
    void Serialize(CArchive& ar);

protected:
    void CheckIndex(int nIndex) const;

    std::vector<Feature2dBase*> m_features;
};
