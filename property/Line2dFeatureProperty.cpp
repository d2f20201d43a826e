#include "property/Line2dFeatureProperty.h"

#include <cmath>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Line2dFeatureProperty, ShapeFeaturePropertyBase)

Line2dFeatureProperty::Line2dFeatureProperty() = default;

Line2dFeatureProperty::Line2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Line2dFeatureProperty::~Line2dFeatureProperty() = default;

void Line2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idStartPoint, ParameterItemBase::typePoint);
    AddDescriptor(idEndPoint, ParameterItemBase::typePoint);
}

BOOL Line2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Line2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idStartPoint: {
        SetRow(pItem, idStartPoint, 10866, bWithCaption);
        return SetPointValue(pItem, pShape->GetStartPoint());
    }
    case idEndPoint: {
        SetRow(pItem, idEndPoint, 10867, bWithCaption);
        return SetPointValue(pItem, pShape->GetEndPoint());
    }
    default:
        return FALSE;
    }
}

BOOL Line2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const Line2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idStartPoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &Line2dFeature::GetStartPoint, &Line2dFeature::SetStartPoint);
    }
    case idEndPoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &Line2dFeature::GetEndPoint, &Line2dFeature::SetEndPoint);
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
