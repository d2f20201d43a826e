#pragma once
// The rows of a placed component: its definition's name (read-only), origin, X and Y scale and angle.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class DrawComponent2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(DrawComponent2dFeatureProperty)
public:
    enum { idDefinition = 85, idOrigin = 86, idScale = 87, idAngle = 88 };

    DrawComponent2dFeatureProperty();
    DrawComponent2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~DrawComponent2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
