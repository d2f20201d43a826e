#include "property/ArcDimension2dFeatureProperty.h"

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/ArcDimension2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ArcDimension2dFeatureProperty, Dimension2dFeaturePropertyBase)

ArcDimension2dFeatureProperty::ArcDimension2dFeatureProperty() = default;

ArcDimension2dFeatureProperty::ArcDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : Dimension2dFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

ArcDimension2dFeatureProperty::~ArcDimension2dFeatureProperty() = default;

void ArcDimension2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idCentre, ParameterItemBase::typePoint);
    AddDescriptor(idRadius, ParameterItemBase::typeLength);
    AddDescriptor(idStartAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idEndAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idProjectionLength, ParameterItemBase::typeLength);
    AddDimensionRows();
}

BOOL ArcDimension2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth || (wId >= idValueMode && wId <= idStyle))
        return Dimension2dFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const ArcDimension2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idCentre:
        SetRow(pItem, idCentre, 10868, bWithCaption);
        return SetPointValue(pItem, pShape->GetCenterPoint());
    case idRadius:
        SetRow(pItem, idRadius, 10871, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetRadius());
    case idStartAngle:
        SetRow(pItem, idStartAngle, 10877, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetStartAngle());
    case idEndAngle:
        SetRow(pItem, idEndAngle, 10878, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetEndAngle());
    case idProjectionLength:
        SetRow(pItem, idProjectionLength, 10900, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetProjectionLength());
    default:
        return FALSE;
    }
}

BOOL ArcDimension2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8 || (wId >= idValueMode && wId <= idStyle))
        return Dimension2dFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const ArcDimension2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    auto of = [](const Dimension2dFeatureBase* p) { return static_cast<const ArcDimension2dFeature*>(p); };
    auto to = [](Dimension2dFeatureBase* p) { return static_cast<ArcDimension2dFeature*>(p); };
    (void)of;
    (void)to;
    switch (wId) {
    case idCentre:
        return EditPoint(pItem, [&](const Dimension2dFeatureBase* p) { return of(p)->GetCenterPoint(); },
                         [&](Dimension2dFeatureBase* p, const RuVaPnt2d& point) { return to(p)->SetCenterPoint(point); });
    case idRadius:
        return EditNumber(pItem, TRUE, [&](const Dimension2dFeatureBase* p) { return of(p)->GetRadius(); },
                          [&](Dimension2dFeatureBase* p, double v) { return to(p)->SetRadius(v); });
    case idStartAngle:
        return EditNumber(pItem, FALSE, [&](const Dimension2dFeatureBase* p) { return of(p)->GetStartAngle(); },
                          [&](Dimension2dFeatureBase* p, double v) { return to(p)->SetStartAngle(v); });
    case idEndAngle:
        return EditNumber(pItem, FALSE, [&](const Dimension2dFeatureBase* p) { return of(p)->GetEndAngle(); },
                          [&](Dimension2dFeatureBase* p, double v) { return to(p)->SetEndAngle(v); });
    case idProjectionLength:
        return EditNumber(pItem, FALSE, [&](const Dimension2dFeatureBase* p) { return of(p)->GetProjectionLength(); },
                          [&](Dimension2dFeatureBase* p, double v) { return to(p)->SetProjectionLength(v); });
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
