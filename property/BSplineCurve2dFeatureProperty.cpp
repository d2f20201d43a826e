#include "property/BSplineCurve2dFeatureProperty.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(BSplineCurve2dFeatureProperty, ShapeFeaturePropertyBase)

BSplineCurve2dFeatureProperty::BSplineCurve2dFeatureProperty() = default;

BSplineCurve2dFeatureProperty::BSplineCurve2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : PointListFeaturePropertyT(pDocument, nRecordID, nLayoutID)
{
}

BSplineCurve2dFeatureProperty::~BSplineCurve2dFeatureProperty() = default;

void BSplineCurve2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idKindNumber, ParameterItemBase::typeInteger);
    AddPointRows();
}

BOOL BSplineCurve2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId != idKindNumber)
        return PointListFeaturePropertyT::GetPropertyItem(wId, pItem, bWithCaption);
    const BSplineCurve2dFeature* pShape = GetShape();
    if (pItem == nullptr || pShape == nullptr || pShape->GetPointSize() == 0)
        return FALSE;
    SetRow(pItem, idKindNumber, 10885, bWithCaption, FALSE);
    return SetIntegerValue(pItem, pShape->GetKind());
}

}  // namespace QZ2Command
