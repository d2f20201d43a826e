#pragma once
// The rows of an elliptic arc: centre, both radii, rotation, start and end angle and direction.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class EllipseArc2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(EllipseArc2dFeatureProperty)
public:
    enum { idCentre = 16, idFirstRadius = 21, idSecondRadius = 22, idRotation = 23, idStartAngle = 18, idEndAngle = 19, idDirection = 20 };
    EllipseArc2dFeatureProperty();
    EllipseArc2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~EllipseArc2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
