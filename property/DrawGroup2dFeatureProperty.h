#pragma once
// The rows of a group: the common rows and, read-only, the number of shapes it holds.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class DrawGroup2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(DrawGroup2dFeatureProperty)
public:
    enum { idShapeCount = 84 };

    DrawGroup2dFeatureProperty();
    DrawGroup2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~DrawGroup2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
