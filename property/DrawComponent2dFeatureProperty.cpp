#include "property/DrawComponent2dFeatureProperty.h"

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DrawComponent2dFeatureProperty, ShapeFeaturePropertyBase)

DrawComponent2dFeatureProperty::DrawComponent2dFeatureProperty() = default;

DrawComponent2dFeatureProperty::DrawComponent2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

DrawComponent2dFeatureProperty::~DrawComponent2dFeatureProperty() = default;

void DrawComponent2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idDefinition, ParameterItemBase::typeText);
    AddDescriptor(idOrigin, ParameterItemBase::typePoint);
    AddDescriptor(idScale, ParameterItemBase::typeScale);
    AddDescriptor(idAngle, ParameterItemBase::typeAngle);
}

BOOL DrawComponent2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const DrawComponent2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idDefinition: {
        SetRow(pItem, idDefinition, 10909, bWithCaption, FALSE);
        const DrawComponent2dFeatureDefineTable* pTable = m_pDocument->GetComponentDefineTable();
        const CString name =
            pTable != nullptr ? pTable->GetComponentDefineName(pShape->GetComponentDefineID()) : CString();
        return SetTextValue(pItem, name, FALSE, FALSE);
    }
    case idOrigin:
        SetRow(pItem, idOrigin, 10865, bWithCaption);
        return SetPointValue(pItem, pShape->GetOrigin());
    case idScale: {
        SetRow(pItem, idScale, 10880, bWithCaption);
        double x = 1.0;
        double y = 1.0;
        pShape->GetScale(x, y);
        return SetScaleValue(pItem, x, y);
    }
    case idAngle:
        SetRow(pItem, idAngle, 10876, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetAngle());
    default:
        return FALSE;
    }
}

BOOL DrawComponent2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const DrawComponent2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idOrigin: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &DrawComponent2dFeature::GetOrigin, &DrawComponent2dFeature::SetOrigin);
    }
    case idScale: {
        double x = 0.0;
        double y = 0.0;
        if (!ReadScale(pItem, x, y))
            return FALSE;
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<DrawComponent2dFeature*>(pCopy);
            double nowX = 0.0;
            double nowY = 0.0;
            p->GetScale(nowX, nowY);
            if (nowX == x && nowY == y)
                return editUnchanged;
            return p->SetScale(x, y) ? editChanged : editRefused;
        });
    }
    case idAngle: {
        double v = 0.0;
        if (!ReadDouble(pItem, v))
            return FALSE;
        return EditField(v, &DrawComponent2dFeature::GetAngle, &DrawComponent2dFeature::SetAngle);
    }
    default:
        // The definition's name is read-only.
        return FALSE;
    }
}

}  // namespace QZ2Command
