#pragma once
// The rows of a dimension measured between two points (radius, diameter): the two points, then the
// dimension rows.

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "property/Dimension2dFeaturePropertyBase.h"

namespace QZ2Command {

// TShape offers GetStartPoint(), GetEndPoint(), SetStartPoint(point) and SetEndPoint(point).
template <class TShape, WORD kFirstPointId, WORD kSecondPointId>
class TwoPointDimensionPropertyT : public Dimension2dFeaturePropertyBase
{
public:
    static constexpr WORD idFirstPoint = kFirstPointId, idSecondPoint = kSecondPointId;

    using Dimension2dFeaturePropertyBase::Dimension2dFeaturePropertyBase;

    void BuildPropertyList() override
    {
        ShapeFeaturePropertyBase::BuildPropertyList();
        AddDescriptor(idFirstPoint, ParameterItemBase::typePoint);
        AddDescriptor(idSecondPoint, ParameterItemBase::typePoint);
        AddDimensionRows();
    }

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override
    {
        if (wId <= idLineWidth || (wId >= idValueMode && wId <= idStyle))
            return Dimension2dFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
        const auto* pShape = dynamic_cast<const TShape*>(GetFeature());
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

    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override
    {
        if (wId <= 8 || (wId >= idValueMode && wId <= idStyle))
            return Dimension2dFeaturePropertyBase::ApplyProperty(wId, pItem);
        if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const TShape*>(GetFeature()) == nullptr)
            return FALSE;
        auto of = [](const Dimension2dFeatureBase* p) { return static_cast<const TShape*>(p); };
        auto to = [](Dimension2dFeatureBase* p) { return static_cast<TShape*>(p); };
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
};

}  // namespace QZ2Command
