#include "property/InfiniteLine2dFeatureProperty.h"

#include <cmath>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/InfiniteLine2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(InfiniteLine2dFeatureProperty, ShapeFeaturePropertyBase)

InfiniteLine2dFeatureProperty::InfiniteLine2dFeatureProperty() = default;

InfiniteLine2dFeatureProperty::InfiniteLine2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

InfiniteLine2dFeatureProperty::~InfiniteLine2dFeatureProperty() = default;

void InfiniteLine2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idBasePoint, ParameterItemBase::typePoint);
    AddDescriptor(idDirection, ParameterItemBase::typePoint);
}

BOOL InfiniteLine2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const InfiniteLine2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idBasePoint: {
        SetRow(pItem, idBasePoint, 10869, bWithCaption);
        return SetPointValue(pItem, pShape->GetPoint());
    }
    case idDirection: {
        SetRow(pItem, idDirection, 10886, bWithCaption);
        return SetPointValue(pItem, RuVaPnt2d(pShape->GetDirection().X(), pShape->GetDirection().Y()));
    }
    default:
        return FALSE;
    }
}

BOOL InfiniteLine2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const InfiniteLine2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idBasePoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        // An unchanged base point reports failure, unlike the other rows.
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<InfiniteLine2dFeature*>(pCopy);
            if (p->GetPoint().IsEqual(point, 0.0))
                return editRefused;
            return p->SetPoint(point) ? editChanged : editRefused;
        });
    }
    case idDirection: {
        RuVaPnt2d xy;
        if (!ReadPoint(pItem, xy))
            return FALSE;
        const double length = std::hypot(xy.X(), xy.Y());
        if (!(length > RuVa::Resolution()))
            return FALSE;
        const RuVaDir2d direction(xy.X(), xy.Y());
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<InfiniteLine2dFeature*>(pCopy);
            if (p->GetDirection().X() == direction.X() && p->GetDirection().Y() == direction.Y())
                return editRefused;
            p->SetDirection(direction);
            return editChanged;
        });
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
