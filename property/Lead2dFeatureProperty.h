#pragma once
// The rows of a leader: its text, the vertex chooser and the chosen vertex, the text point and the style. Every
// change recomputes the leader from its points and text. Which vertex is shown belongs to the object.

#include "property/ShapeFeaturePropertyBase.h"

class Lead2dFeature;

namespace QZ2Command {

class Lead2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Lead2dFeatureProperty)
public:
    enum { idText = 34, idCount = 35, idIndex = 36, idPoint = 37, idTextPointMode = 38, idTextPoint = 39, idStyle = 40 };

    Lead2dFeatureProperty();
    Lead2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Lead2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
    void CopyFrom(const FeaturePropertyBase* pOther) override;

    // The chosen vertex, clamped to the vertices the leader has now.
    int GetCurrentIndex() const;

protected:
    // A change of the copy, then the leader rebuilt.
    BOOL EditLead(const std::function<int(Lead2dFeature*)>& edit);

    int m_nCurrentIndex = 0;
};

}  // namespace QZ2Command
