#include "property/ShapeFeaturePropertyBase.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(ShapeFeaturePropertyBase, FeaturePropertyBase)

ShapeFeaturePropertyBase::ShapeFeaturePropertyBase(Draw2dDocument* pDocument, long nRecordID, long nLayoutID,
                                                   int nFeatureType)
    : FeaturePropertyBase(kindShape, pDocument, nRecordID), m_nLayoutID(nLayoutID), m_nFeatureType(nFeatureType)
{
}

ShapeFeaturePropertyBase::~ShapeFeaturePropertyBase() = default;

FeaturePropertyBase* ShapeFeaturePropertyBase::CreateFeatureProperty(Draw2dDocument* pDocument, long nRecordID,
                                                                     long nLayoutID)
{
    // Record ids start at 1; the document refuses 0 with an exception.
    if (pDocument == nullptr || nRecordID <= 0)
        return nullptr;
    const Feature2dBase* pShape = pDocument->GetFeature(nRecordID);
    if (pShape == nullptr || pDocument->IsDeletedFeature(nRecordID))
        return nullptr;
    return new ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID, pShape->GetFeatureType());
}

FeaturePropertyBase* ShapeFeaturePropertyBase::Clone() const
{
    return new ShapeFeaturePropertyBase(*this);
}

BOOL ShapeFeaturePropertyBase::IsSameTarget(const FeaturePropertyBase& other) const
{
    const auto* pShape = dynamic_cast<const ShapeFeaturePropertyBase*>(&other);
    return pShape != nullptr && FeaturePropertyBase::IsSameTarget(other) && pShape->m_nLayoutID == m_nLayoutID;
}

CString ShapeFeaturePropertyBase::GetDescription() const
{
    CString text;
    text.Format(u"%d #%ld", m_nFeatureType, m_nTargetID);
    return text;
}

}  // namespace QZ2Command
