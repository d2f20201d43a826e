#pragma once
// The rows of a circle: centre and radius.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Circle2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Circle2dFeatureProperty)
public:
    enum { idCentre = 16, idRadius = 17 };
    Circle2dFeatureProperty();
    Circle2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Circle2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
