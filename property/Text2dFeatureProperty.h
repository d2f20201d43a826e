#pragma once
// The rows of a text: the text (edited in the text dialog), its position, angle and style.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Text2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Text2dFeatureProperty)
public:
    enum { idText = 30, idPoint = 31, idAngle = 32, idStyle = 33 };

    Text2dFeatureProperty();
    Text2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Text2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
