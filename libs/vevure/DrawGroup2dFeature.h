#pragma once
// A group (type 70): shapes held together and handled as one; the group owns its members.

#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"

class DrawGroup2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(DrawGroup2dFeature)
public:
    DrawGroup2dFeature();

    // nCopy 1 stores a copy, 0 takes the member over; -1 for NULL.
    int AddFeature(Feature2dBase* pFeature, int nCopy = 1);
    int GetFeatureCount() const { return m_members.GetFeatureSize(); }
    // Index-guarded (invalid-argument exception).
    Feature2dBase* GetFeature(int nIndex) { return m_members.GetFeature(nIndex); }
    const Feature2dBase* GetFeature(int nIndex) const { return m_members.GetFeature(nIndex); }
    const Feature2dList& GetFeatureList() const { return m_members; }
    void RemoveAllFeatures() { m_members.RemoveAllFeatures(); }

    BOOL IsCompound() const override { return TRUE; }
    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    Feature2dList m_members;
};
