#pragma once
// The rows of a B-spline curve: its kind number, then the number of control points, the control-point
// chooser and the chosen control point.

#include "libs/vevure/BSplineCurve2dFeature.h"
#include "property/PointListFeaturePropertyT.h"

namespace QZ2Command {

class BSplineCurve2dFeatureProperty : public PointListFeaturePropertyT<BSplineCurve2dFeature, 25, 26, 27>
{
    DECLARE_DYNCREATE(BSplineCurve2dFeatureProperty)
public:
    enum { idKindNumber = 24 };

    BSplineCurve2dFeatureProperty();
    BSplineCurve2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~BSplineCurve2dFeatureProperty() override;

    void BuildPropertyList() override;
    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
};

}  // namespace QZ2Command
