#pragma once
// A line-type number of the document's line-type table, with the number that the feature's layer has.

#include "command/ParameterItemBase.h"

class LineTypeFeatureTable;

namespace QZ2Command {

class LineTypeParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(LineTypeParameterItem)
public:
    LineTypeParameterItem();

    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL GetValue(short& nNumber) const;

    // The document's table; not owned.
    LineTypeFeatureTable* m_pTable = nullptr;
    WORD m_wNumber = 0xFFFF;
    WORD m_wLayerNumber = 0xFFFF;
    BOOL m_bShowByLayer = TRUE;
};

}  // namespace QZ2Command
