#include "property/Ellipse2dFeatureProperty.h"

#include <cmath>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Ellipse2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Ellipse2dFeatureProperty, ShapeFeaturePropertyBase)

Ellipse2dFeatureProperty::Ellipse2dFeatureProperty() = default;

Ellipse2dFeatureProperty::Ellipse2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Ellipse2dFeatureProperty::~Ellipse2dFeatureProperty() = default;

void Ellipse2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idCentre, ParameterItemBase::typePoint);
    AddDescriptor(idFirstRadius, ParameterItemBase::typeLength);
    AddDescriptor(idSecondRadius, ParameterItemBase::typeLength);
    AddDescriptor(idRotation, ParameterItemBase::typeAngle);
}

BOOL Ellipse2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Ellipse2dFeature*>(GetFeature());
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
    default:
        return FALSE;
    }
}

BOOL Ellipse2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const Ellipse2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idCentre: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &Ellipse2dFeature::GetCenterPoint, &Ellipse2dFeature::SetCenterPoint);
    }
    case idFirstRadius: case idSecondRadius: {
        double r = 0.0;
        if (!ReadDouble(pItem, r) || !(r > 0.0 && r < 1e15))
            return FALSE;
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<Ellipse2dFeature*>(pCopy);
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
        return EditField(a, &Ellipse2dFeature::GetAngle, &Ellipse2dFeature::SetAngle);
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
