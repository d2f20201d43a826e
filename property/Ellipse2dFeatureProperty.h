#pragma once
// The rows of an ellipse: centre, both radii and rotation.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Ellipse2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Ellipse2dFeatureProperty)
public:
    enum { idCentre = 16, idFirstRadius = 21, idSecondRadius = 22, idRotation = 23 };
    Ellipse2dFeatureProperty();
    Ellipse2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Ellipse2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
