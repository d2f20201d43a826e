#pragma once
// A line-width number with its width; number 0xFFFF means the width alone carries the value.

#include "command/ParameterItemBase.h"

class LineWidthFeatureTable;

namespace QZ2Command {

class LineWidthParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(LineWidthParameterItem)
public:
    LineWidthParameterItem();

    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL SetValue(WORD wNumber, double dWidth);
    BOOL GetValue(WORD& wNumber, double& dWidth) const;

    LineWidthFeatureTable* m_pTable = nullptr;
    WORD m_wNumber = 0xFFFF;
    WORD m_wLayerNumber = 0xFFFF;
    double m_dWidth = 0.0;
    BOOL m_bShowByLayer = TRUE;
};

}  // namespace QZ2Command
