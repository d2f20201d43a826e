#include "property/Arc2dFeatureProperty.h"

#include <cmath>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Arc2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Arc2dFeatureProperty, ShapeFeaturePropertyBase)

Arc2dFeatureProperty::Arc2dFeatureProperty() = default;

Arc2dFeatureProperty::Arc2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Arc2dFeatureProperty::~Arc2dFeatureProperty() = default;

void Arc2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idCentre, ParameterItemBase::typePoint);
    AddDescriptor(idRadius, ParameterItemBase::typeLength);
    AddDescriptor(idStartAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idEndAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idDirection, ParameterItemBase::typeList);
}

BOOL Arc2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Arc2dFeature*>(GetFeature());
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
    case idStartAngle: {
        SetRow(pItem, idStartAngle, 10877, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetStartAngle());
    }
    case idEndAngle: {
        SetRow(pItem, idEndAngle, 10878, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetEndAngle());
    }
    case idDirection: {
        SetRow(pItem, idDirection, 10881, bWithCaption);
        return SetChoice(pItem, kDirectionChoices, pShape->GetDirection(), bWithCaption);
    }
    default:
        return FALSE;
    }
}

BOOL Arc2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const Arc2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idCentre: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &Arc2dFeature::GetCenterPoint, &Arc2dFeature::SetCenterPoint);
    }
    case idRadius: {
        double r = 0.0;
        // An invalid radius is refused without an empty update.
        if (!ReadDouble(pItem, r) || !(r > 0.0 && r < 1e15))
            return FALSE;
        return EditField(r, &Arc2dFeature::GetRadius, &Arc2dFeature::SetRadius);
    }
    case idStartAngle: case idEndAngle: {
        double a = 0.0;
        if (!ReadDouble(pItem, a))
            return FALSE;
        a = RuVa::CorrectAngle(a);
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<Arc2dFeature*>(pCopy);
            const double current = wId == idStartAngle ? p->GetStartAngle() : p->GetEndAngle();
            if (current == a)
                return editUnchanged;
            const BOOL bSet = wId == idStartAngle ? p->SetStartAngle(a) : p->SetEndAngle(a);
            return bSet ? editChanged : editRefused;
        });
    }
    case idDirection: {
        int n = -1;
        if (!ReadChoice(pItem, n) || (n != 0 && n != 1))
            return FALSE;
        return EditField(n, &Arc2dFeature::GetDirection, &Arc2dFeature::SetDirection);
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
