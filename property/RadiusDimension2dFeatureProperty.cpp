#include "property/RadiusDimension2dFeatureProperty.h"

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/RadiusDimension2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(RadiusDimension2dFeatureProperty, Dimension2dFeaturePropertyBase)

RadiusDimension2dFeatureProperty::RadiusDimension2dFeatureProperty() = default;

RadiusDimension2dFeatureProperty::RadiusDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : Dimension2dFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

RadiusDimension2dFeatureProperty::~RadiusDimension2dFeatureProperty() = default;

void RadiusDimension2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idFirstPoint, ParameterItemBase::typePoint);
    AddDescriptor(idSecondPoint, ParameterItemBase::typePoint);
    AddDimensionRows();
}

BOOL RadiusDimension2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth || (wId >= idValueMode && wId <= idStyle))
        return Dimension2dFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const RadiusDimension2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idFirstPoint:
        SetRow(pItem, idFirstPoint, 10898, bWithCaption);
        return SetPointValue(pItem, pShape->GetStartPoint());
    case idSecondPoint:
        SetRow(pItem, idSecondPoint, 10899, bWithCaption);
        return SetPointValue(pItem, pShape->GetEndPoint());
    default:
        return FALSE;
    }
}

BOOL RadiusDimension2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8 || (wId >= idValueMode && wId <= idStyle))
        return Dimension2dFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const RadiusDimension2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    auto of = [](const Dimension2dFeatureBase* p) { return static_cast<const RadiusDimension2dFeature*>(p); };
    auto to = [](Dimension2dFeatureBase* p) { return static_cast<RadiusDimension2dFeature*>(p); };
    (void)of;
    (void)to;
    switch (wId) {
    case idFirstPoint:
        return EditPoint(pItem, [&](const Dimension2dFeatureBase* p) { return of(p)->GetStartPoint(); },
                         [&](Dimension2dFeatureBase* p, const RuVaPnt2d& point) { return to(p)->SetStartPoint(point); });
    case idSecondPoint:
        return EditPoint(pItem, [&](const Dimension2dFeatureBase* p) { return of(p)->GetEndPoint(); },
                         [&](Dimension2dFeatureBase* p, const RuVaPnt2d& point) { return to(p)->SetEndPoint(point); });
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
