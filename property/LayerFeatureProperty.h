#pragma once
// The property object of one layer, or of one layer group with the common values of its layers. Edits
// go through the document's layer setters; a group's edit reaches all its layers.

#include "property/FeaturePropertyBase.h"

namespace QZ2Command {

class LayerFeatureProperty : public FeaturePropertyBase
{
    DECLARE_DYNCREATE(LayerFeatureProperty)
public:
    enum {
        idLayerName = 89, idGroupName = 90, idState = 91, idColor = 92, idLineType = 93, idLineWidth = 94,
        idHidden = 95, idPrintable = 96, idNumber = 97
    };
    // The choice lists of the state, hidden and printable rows.
    static constexpr UINT kStateChoices = 10827;
    static constexpr UINT kHiddenChoices = 10931;
    static constexpr UINT kPrintChoices = 10932;

    LayerFeatureProperty();
    // nLayerID -1 is the top group of the layer tree.
    LayerFeatureProperty(Draw2dDocument* pDocument, long nLayerID);
    ~LayerFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    BOOL IsSameTarget(const FeaturePropertyBase* pOther) const override;
    void CopyFrom(const FeaturePropertyBase* pOther) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
    int OnDocumentNotify(const NotifyInfoBase* pInfo) override;

    long GetLayerID() const { return m_nLayerID; }

protected:
    BOOL IsGroup() const;
    BOOL HasChildLayers() const;

    long m_nLayerID = -1;
};

}  // namespace QZ2Command
