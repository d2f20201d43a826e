#pragma once
// The rows of a hatch: a user-defined pattern's base point, scale and angle (shown but fixed for the other
// patterns), and the style.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Hatch2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Hatch2dFeatureProperty)
public:
    enum { idBasePoint = 46, idPatternScale = 47, idPatternAngle = 48, idStyle = 49 };

    Hatch2dFeatureProperty();
    Hatch2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Hatch2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
