#include "property/DrawGroup2dFeatureProperty.h"

#include "command/ParameterItemBase.h"
#include "libs/vevure/DrawGroup2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DrawGroup2dFeatureProperty, ShapeFeaturePropertyBase)

DrawGroup2dFeatureProperty::DrawGroup2dFeatureProperty() = default;

DrawGroup2dFeatureProperty::DrawGroup2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

DrawGroup2dFeatureProperty::~DrawGroup2dFeatureProperty() = default;

void DrawGroup2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idShapeCount, ParameterItemBase::typeInteger);
}

BOOL DrawGroup2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const DrawGroup2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr || wId != idShapeCount)
        return FALSE;
    SetRow(pItem, idShapeCount, 10908, bWithCaption, FALSE);
    return SetIntegerValue(pItem, pShape->GetFeatureCount());
}

BOOL DrawGroup2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    // The shape count is read-only.
    return FALSE;
}

}  // namespace QZ2Command
