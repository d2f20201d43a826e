#pragma once
// The rows of a geometric-tolerance frame: its text (edited in the tolerance dialog), the locate point and
// the style, a dimension style.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Tolerance2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Tolerance2dFeatureProperty)
public:
    enum { idText = 117, idPoint = 118, idStyle = 119 };

    Tolerance2dFeatureProperty();
    Tolerance2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Tolerance2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
