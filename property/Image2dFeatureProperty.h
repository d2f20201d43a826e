#pragma once
// The rows of an image: base point, placement, width, height, angle and the image style (not resized to
// the sheet); the style item carries the picture for the colour dialog.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Image2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Image2dFeatureProperty)
public:
    enum { idBasePoint = 73, idPlacement = 74, idWidth = 75, idHeight = 76, idAngle = 77, idStyle = 78 };

    Image2dFeatureProperty();
    Image2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Image2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
