#pragma once
// The rows of a line: start and end point.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Line2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Line2dFeatureProperty)
public:
    enum { idStartPoint = 11, idEndPoint = 12 };
    Line2dFeatureProperty();
    Line2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Line2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
