#pragma once
// The rows of a polyline: the number of vertices, the vertex chooser and the chosen vertex. Which vertex is shown belongs to the object, not to the document.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Polyline2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Polyline2dFeatureProperty)
public:
    enum { idCount = 13, idIndex = 14, idPoint = 15 };

    Polyline2dFeatureProperty();
    Polyline2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Polyline2dFeatureProperty() override;

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
