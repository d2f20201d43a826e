#pragma once
// The rows of a balloon: its text, the lead-point chooser and the chosen lead point, and the style.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Balloon2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Balloon2dFeatureProperty)
public:
    enum { idText = 41, idCount = 42, idIndex = 43, idPoint = 44, idStyle = 45 };

    Balloon2dFeatureProperty();
    Balloon2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Balloon2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
    void CopyFrom(const FeaturePropertyBase* pOther) override;

    // The chosen lead point, clamped to the points the balloon has now.
    int GetCurrentIndex() const;

protected:
    int m_nCurrentIndex = 0;
};

}  // namespace QZ2Command
