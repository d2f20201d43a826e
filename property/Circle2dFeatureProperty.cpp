#include "property/Circle2dFeatureProperty.h"

#include <cmath>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Circle2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Circle2dFeatureProperty, ShapeFeaturePropertyBase)

Circle2dFeatureProperty::Circle2dFeatureProperty() = default;

Circle2dFeatureProperty::Circle2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Circle2dFeatureProperty::~Circle2dFeatureProperty() = default;

void Circle2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idCentre, ParameterItemBase::typePoint);
    AddDescriptor(idRadius, ParameterItemBase::typeLength);
}

BOOL Circle2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Circle2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idCentre: {
        SetRow(pItem, idCentre, 10868, bWithCaption);
        return SetPointValue(pItem, pShape->GetCenterPoint());
    }
    case idRadius: {
        SetRow(pItem, idRadius, 10871, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetRadius());
    }
    default:
        return FALSE;
    }
}

BOOL Circle2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const Circle2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idCentre: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &Circle2dFeature::GetCenterPoint, &Circle2dFeature::SetCenterPoint);
    }
    case idRadius: {
        double r = 0.0;
        // A radius of 0 or beyond the model's range is no circle.
        if (!ReadDouble(pItem, r) || !(r > 0.0 && r < 1e15))
            return FALSE;
        return EditField(r, &Circle2dFeature::GetRadius, &Circle2dFeature::SetRadius);
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
