#pragma once
// The rows of an embedded object: base point, width, height and its style (not resized to the sheet).

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class OleObject2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(OleObject2dFeatureProperty)
public:
    enum { idBasePoint = 79, idWidth = 80, idHeight = 81, idStyle = 82 };

    OleObject2dFeatureProperty();
    OleObject2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~OleObject2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
