#pragma once
// A layer of the document, by id.

#include "command/ParameterItemBase.h"

class Draw2dDocument;

namespace QZ2Command {

class LayerParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(LayerParameterItem)
public:
    LayerParameterItem();

    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL GetValue(long& nLayerID) const;

    Draw2dDocument* m_pDocument = nullptr;
    long m_nLayerID = -1;
    // The style flags of the property list's layer combo.
    int m_nListStyle = 27;
};

}  // namespace QZ2Command
