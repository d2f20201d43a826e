#pragma once
// The rows of a B-spline curve: its kind number, the number of control points, the control-point chooser and the chosen control point. Which point is shown belongs to the object, not to the document.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class BSplineCurve2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(BSplineCurve2dFeatureProperty)
public:
    enum { idKindNumber = 24, idCount = 25, idIndex = 26, idPoint = 27 };

    BSplineCurve2dFeatureProperty();
    BSplineCurve2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~BSplineCurve2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void CopyFrom(const FeaturePropertyBase* pOther) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;

    // The chosen point, clamped to the points the shape has now.
    int GetCurrentIndex() const;

protected:
    int m_nCurrentIndex = 0;
};

}  // namespace QZ2Command
