#pragma once
// The rows of a point marker: its position.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class PointMarker2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(PointMarker2dFeatureProperty)
public:
    enum { idPosition = 9 };
    PointMarker2dFeatureProperty();
    PointMarker2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~PointMarker2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
