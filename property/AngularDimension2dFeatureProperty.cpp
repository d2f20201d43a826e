#include "property/AngularDimension2dFeatureProperty.h"

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/AngularDimension2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(AngularDimension2dFeatureProperty, Dimension2dFeaturePropertyBase)

AngularDimension2dFeatureProperty::AngularDimension2dFeatureProperty() = default;

AngularDimension2dFeatureProperty::AngularDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : Dimension2dFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

AngularDimension2dFeatureProperty::~AngularDimension2dFeatureProperty() = default;

void AngularDimension2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idCentre, ParameterItemBase::typePoint);
    AddDescriptor(idRadius, ParameterItemBase::typeLength);
    AddDescriptor(idStartPoint, ParameterItemBase::typePoint);
    AddDescriptor(idEndPoint, ParameterItemBase::typePoint);
    AddDimensionRows();
}

BOOL AngularDimension2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth || (wId >= idValueMode && wId <= idStyle))
        return Dimension2dFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const AngularDimension2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idCentre:
        SetRow(pItem, idCentre, 10868, bWithCaption);
        return SetPointValue(pItem, pShape->GetCenterPoint());
    case idRadius:
        SetRow(pItem, idRadius, 10871, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetRadius());
    case idStartPoint:
        SetRow(pItem, idStartPoint, 10898, bWithCaption);
        return SetPointValue(pItem, pShape->GetStartPoint());
    case idEndPoint:
        SetRow(pItem, idEndPoint, 10899, bWithCaption);
        return SetPointValue(pItem, pShape->GetEndPoint());
    default:
        return FALSE;
    }
}

BOOL AngularDimension2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8 || (wId >= idValueMode && wId <= idStyle))
        return Dimension2dFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const AngularDimension2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    auto of = [](const Dimension2dFeatureBase* p) { return static_cast<const AngularDimension2dFeature*>(p); };
    auto to = [](Dimension2dFeatureBase* p) { return static_cast<AngularDimension2dFeature*>(p); };
    (void)of;
    (void)to;
    switch (wId) {
    case idCentre:
        return EditPoint(pItem, [&](const Dimension2dFeatureBase* p) { return of(p)->GetCenterPoint(); },
                         [&](Dimension2dFeatureBase* p, const RuVaPnt2d& point) { return to(p)->SetCenterPoint(point); });
    case idRadius:
        return EditNumber(pItem, TRUE, [&](const Dimension2dFeatureBase* p) { return of(p)->GetRadius(); },
                          [&](Dimension2dFeatureBase* p, double v) { return to(p)->SetRadius(v); });
    case idStartPoint:
        return EditPoint(pItem, [&](const Dimension2dFeatureBase* p) { return of(p)->GetStartPoint(); },
                         [&](Dimension2dFeatureBase* p, const RuVaPnt2d& point) { return to(p)->SetStartPoint(point); });
    case idEndPoint:
        return EditPoint(pItem, [&](const Dimension2dFeatureBase* p) { return of(p)->GetEndPoint(); },
                         [&](Dimension2dFeatureBase* p, const RuVaPnt2d& point) { return to(p)->SetEndPoint(point); });
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
