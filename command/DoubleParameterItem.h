#pragma once
// A plain number; the base of the length and angle items.

#include "command/ParameterItemBase.h"

namespace QZ2Command {

class DoubleParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(DoubleParameterItem)
public:
    DoubleParameterItem();

    void ApplyDefault() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;
    // The value in the item's length format (the current one unless overridden); empty when empty.
    virtual CString FormatValue() const;

    void SetValue(double value);
    BOOL GetValue(double& value) const;
    BOOL SetDefaultValue(double value);

    double m_dValue = 0.0;
    double m_dDefault = 0.0;
    // -1: the current length format; otherwise the length format of FormatValue and typed text.
    int m_nFormatOverride = -1;

protected:
    explicit DoubleParameterItem(int nTypeCode);
};

}  // namespace QZ2Command
