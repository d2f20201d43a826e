#include "property/EllipseArc2dFeatureProperty.h"

#include <cmath>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/EllipseArc2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(EllipseArc2dFeatureProperty, ShapeFeaturePropertyBase)

EllipseArc2dFeatureProperty::EllipseArc2dFeatureProperty() = default;

EllipseArc2dFeatureProperty::EllipseArc2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

EllipseArc2dFeatureProperty::~EllipseArc2dFeatureProperty() = default;

void EllipseArc2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idCentre, ParameterItemBase::typePoint);
    AddDescriptor(idFirstRadius, ParameterItemBase::typeLength);
    AddDescriptor(idSecondRadius, ParameterItemBase::typeLength);
    AddDescriptor(idRotation, ParameterItemBase::typeAngle);
    AddDescriptor(idStartAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idEndAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idDirection, ParameterItemBase::typeList);
}

BOOL EllipseArc2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const EllipseArc2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idCentre: {
        SetRow(pItem, idCentre, 10868, bWithCaption);
        return SetPointValue(pItem, pShape->GetCenterPoint());
    }
    case idFirstRadius: {
        SetRow(pItem, idFirstRadius, 10872, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetMajorRadius());
    }
    case idSecondRadius: {
        SetRow(pItem, idSecondRadius, 10873, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetMinorRadius());
    }
    case idRotation: {
        SetRow(pItem, idRotation, 10879, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetAngle());
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
        return SetChoice(pItem, 10943, pShape->GetDirection(), bWithCaption);
    }
    default:
        return FALSE;
    }
}

BOOL EllipseArc2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const EllipseArc2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idCentre: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &EllipseArc2dFeature::GetCenterPoint, &EllipseArc2dFeature::SetCenterPoint);
    }
    case idFirstRadius: case idSecondRadius: {
        double r = 0.0;
        if (!ReadDouble(pItem, r) || !(r > 0.0 && r < 1e15))
            return FALSE;
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<EllipseArc2dFeature*>(pCopy);
            // Each row sets its own radius and keeps the other.
            const double first = wId == idFirstRadius ? r : p->GetMajorRadius();
            const double second = wId == idSecondRadius ? r : p->GetMinorRadius();
            if (first == p->GetMajorRadius() && second == p->GetMinorRadius())
                return editUnchanged;
            return p->SetRadius(first, second) ? editChanged : editRefused;
        });
    }
    case idRotation: {
        double a = 0.0;
        if (!ReadDouble(pItem, a))
            return FALSE;
        a = RuVa::CorrectAngle(a);
        return EditField(a, &EllipseArc2dFeature::GetAngle, &EllipseArc2dFeature::SetAngle);
    }
    case idStartAngle: case idEndAngle: {
        double a = 0.0;
        if (!ReadDouble(pItem, a))
            return FALSE;
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<EllipseArc2dFeature*>(pCopy);
            const double start = wId == idStartAngle ? a : p->GetStartAngle();
            const double end = wId == idEndAngle ? a : p->GetEndAngle();
            if (start == p->GetStartAngle() && end == p->GetEndAngle())
                return editUnchanged;
            return p->SetStartEndAngle(start, end) ? editChanged : editRefused;
        });
    }
    case idDirection: {
        int n = -1;
        if (!ReadChoice(pItem, n) || (n != 0 && n != 1))
            return FALSE;
        return EditField(n, &EllipseArc2dFeature::GetDirection, &EllipseArc2dFeature::SetDirection);
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
