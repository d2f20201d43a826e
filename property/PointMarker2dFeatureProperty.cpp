#include "property/PointMarker2dFeatureProperty.h"

#include <cmath>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/PointMarker2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(PointMarker2dFeatureProperty, ShapeFeaturePropertyBase)

PointMarker2dFeatureProperty::PointMarker2dFeatureProperty() = default;

PointMarker2dFeatureProperty::PointMarker2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

PointMarker2dFeatureProperty::~PointMarker2dFeatureProperty() = default;

void PointMarker2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idPosition, ParameterItemBase::typePoint);
}

BOOL PointMarker2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const PointMarker2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idPosition: {
        SetRow(pItem, idPosition, 10864, bWithCaption);
        return SetPointValue(pItem, pShape->GetPoint());
    }
    default:
        return FALSE;
    }
}

BOOL PointMarker2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const PointMarker2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idPosition: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &PointMarker2dFeature::GetPoint, &PointMarker2dFeature::SetPoint);
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
