#include "property/LinearDimension2dFeatureProperty.h"

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/LinearDimension2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(LinearDimension2dFeatureProperty, Dimension2dFeaturePropertyBase)

LinearDimension2dFeatureProperty::LinearDimension2dFeatureProperty() = default;

LinearDimension2dFeatureProperty::LinearDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : Dimension2dFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

LinearDimension2dFeatureProperty::~LinearDimension2dFeatureProperty() = default;

void LinearDimension2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idFirstPoint, ParameterItemBase::typePoint);
    AddDescriptor(idSecondPoint, ParameterItemBase::typePoint);
    AddDescriptor(idProjectionLength, ParameterItemBase::typeLength);
    AddDescriptor(idProjectionAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idDimensionAngle, ParameterItemBase::typeAngle);
    AddDimensionRows();
}

BOOL LinearDimension2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth || (wId >= idValueMode && wId <= idStyle))
        return Dimension2dFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const LinearDimension2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idFirstPoint:
        SetRow(pItem, idFirstPoint, 10898, bWithCaption);
        return SetPointValue(pItem, pShape->GetPoint(0));
    case idSecondPoint:
        SetRow(pItem, idSecondPoint, 10899, bWithCaption);
        return SetPointValue(pItem, pShape->GetPoint(1));
    case idProjectionLength:
        SetRow(pItem, idProjectionLength, 10900, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetProjectionLength());
    case idProjectionAngle:
        SetRow(pItem, idProjectionAngle, 10901, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetProjectionAngle());
    case idDimensionAngle:
        SetRow(pItem, idDimensionAngle, 10902, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetDimensionAngle());
    default:
        return FALSE;
    }
}

BOOL LinearDimension2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8 || (wId >= idValueMode && wId <= idStyle))
        return Dimension2dFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const LinearDimension2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    auto of = [](const Dimension2dFeatureBase* p) { return static_cast<const LinearDimension2dFeature*>(p); };
    auto to = [](Dimension2dFeatureBase* p) { return static_cast<LinearDimension2dFeature*>(p); };
    const bool bParallel = GetFeatureType() == FeatureTypeParallelDimension;
    switch (wId) {
    case idFirstPoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditDimension(
            [&](Dimension2dFeatureBase* p) {
                return of(p)->GetPoint(0).IsEqual(point, 0.0) ? static_cast<int>(editUnchanged)
                                                               : static_cast<int>(editChanged);
            },
            [&](Dimension2dFeatureBase* p) {
                if (bParallel)
                    return FeatureCreator::UpdateParallelDimensionFeatureByStartOrEndPoint(to(p), point, 1);
                // The move decides nothing here: the layout afterwards does.
                FeatureCreator::UpdateLinearDimensionFeatureByStartPoint(to(p), point);
                return static_cast<BOOL>(FeatureCreator::UpdateDimensionFeature(p, nullptr, 0, 1.0, 1.0) != 0);
            });
    }
    case idSecondPoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditDimension(
            [&](Dimension2dFeatureBase* p) {
                return of(p)->GetPoint(1).IsEqual(point, 0.0) ? static_cast<int>(editUnchanged)
                                                               : static_cast<int>(editChanged);
            },
            [&](Dimension2dFeatureBase* p) {
                if (bParallel)
                    return FeatureCreator::UpdateParallelDimensionFeatureByStartOrEndPoint(to(p), point, 0);
                return FeatureCreator::UpdateLinearDimensionFeature(to(p), point, to(p)->GetProjectionAngle());
            });
    }
    case idProjectionLength:
        return EditNumber(pItem, FALSE, [&](const Dimension2dFeatureBase* p) { return of(p)->GetProjectionLength(); },
                          [&](Dimension2dFeatureBase* p, double v) { return to(p)->SetProjectionLength(v); });
    case idProjectionAngle: {
        double angle = 0.0;
        if (!ReadDouble(pItem, angle))
            return FALSE;
        return EditDimension(
            [&](Dimension2dFeatureBase* p) {
                return of(p)->GetProjectionAngle() == angle ? static_cast<int>(editUnchanged)
                                                            : static_cast<int>(editChanged);
            },
            [&](Dimension2dFeatureBase* p) {
                return FeatureCreator::UpdateLinearDimensionFeature(to(p), to(p)->GetPoint(1), angle);
            });
    }
    case idDimensionAngle: {
        double angle = 0.0;
        if (!ReadDouble(pItem, angle))
            return FALSE;
        if (!bParallel)
            return EditNumber(pItem, FALSE, [&](const Dimension2dFeatureBase* p) { return of(p)->GetDimensionAngle(); },
                              [&](Dimension2dFeatureBase* p, double v) { return to(p)->SetDimensionAngle(v); });
        return EditDimension(
            [&](Dimension2dFeatureBase* p) {
                return of(p)->GetDimensionAngle() == angle ? static_cast<int>(editUnchanged)
                                                           : static_cast<int>(editChanged);
            },
            [&](Dimension2dFeatureBase* p) {
                return FeatureCreator::UpdateParallelDimensionFeatureByDimensionAngle(to(p), angle);
            });
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
