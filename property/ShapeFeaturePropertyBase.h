#pragma once
// The properties of one shape: its record, the part layout it was picked in and its shape type.

#include "property/FeaturePropertyBase.h"

namespace QZ2Command {

class ShapeFeaturePropertyBase : public FeaturePropertyBase
{
    DECLARE_DYNAMIC(ShapeFeaturePropertyBase)
public:
    ShapeFeaturePropertyBase(Draw2dDocument* pDocument, long nRecordID, long nLayoutID, int nFeatureType);
    ~ShapeFeaturePropertyBase() override;

    // A new property object for the shape of the record; NULL when the document holds no shape there.
    // The caller owns the object.
    static FeaturePropertyBase* CreateFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);

    FeaturePropertyBase* Clone() const override;
    BOOL IsSameTarget(const FeaturePropertyBase& other) const override;
    CString GetDescription() const override;

    long GetRecordID() const { return m_nTargetID; }
    long GetLayoutID() const { return m_nLayoutID; }
    int GetFeatureType() const { return m_nFeatureType; }

protected:
    ShapeFeaturePropertyBase(const ShapeFeaturePropertyBase&) = default;

    long m_nLayoutID;
    int m_nFeatureType;
};

}  // namespace QZ2Command
