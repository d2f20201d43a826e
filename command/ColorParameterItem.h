#pragma once
// A colour number of the document's colour table, with the number that the feature's layer has.

#include "command/ParameterItemBase.h"

class ColorFeatureTable;

namespace QZ2Command {

class ColorParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(ColorParameterItem)
public:
    ColorParameterItem();

    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL GetValue(short& nNumber) const;

    // The document's table; not owned.
    ColorFeatureTable* m_pTable = nullptr;
    WORD m_wNumber = 0xFFFF;
    WORD m_wLayerNumber = 0xFFFF;
    BOOL m_bShowByLayer = TRUE;
};

}  // namespace QZ2Command
