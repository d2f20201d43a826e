#pragma once
// A whole number.

#include "command/ParameterItemBase.h"

namespace QZ2Command {

class IntegerParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(IntegerParameterItem)
public:
    IntegerParameterItem();

    void ApplyDefault() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;
    virtual CString FormatValue() const;

    void SetValue(int value);
    BOOL GetValue(int& value) const;
    BOOL SetDefaultValue(int value);

    int m_nValue = 0;
    int m_nDefault = 0;
};

}  // namespace QZ2Command
