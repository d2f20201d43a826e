#pragma once
// The rows of an infinite or semi-infinite line: base point and direction (the unit direction as a point).

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class InfiniteLine2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(InfiniteLine2dFeatureProperty)
public:
    enum { idBasePoint = 28, idDirection = 29 };
    InfiniteLine2dFeatureProperty();
    InfiniteLine2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~InfiniteLine2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
