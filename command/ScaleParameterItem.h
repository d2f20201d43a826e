#pragma once
// A pair of scale factors, each with 1e-10 <= |f| < 1e15.

#include "command/ParameterItemBase.h"

namespace QZ2Command {

class ScaleParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(ScaleParameterItem)
public:
    ScaleParameterItem();

    void ApplyDefault() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL SetValue(double x, double y);
    BOOL GetValue(double& x, double& y) const;
    BOOL SetDefaultValue(double x, double y);
    // "x, y" in length format 0; empty when empty or when a factor cannot be written.
    void GetValueText(CString& text) const;

    static BOOL IsValidFactor(double f);

    double m_dValueX = 0.0;
    double m_dValueY = 0.0;
    double m_dDefaultX = 0.0;
    double m_dDefaultY = 0.0;
};

}  // namespace QZ2Command
