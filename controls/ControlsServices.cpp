#include "controls/ControlsServices.h"

#include <string>

#include "platform/afx/ResourceModule.h"

namespace {
// Function-local, so that registration works whatever order the libraries load in.
ControlsServices::NumericHooks& Numeric()
{
    static ControlsServices::NumericHooks hooks;
    return hooks;
}
ControlsServices::ShellHooks& Shell()
{
    static ControlsServices::ShellHooks hooks;
    return hooks;
}
}  // namespace

void ControlsServices::SetNumericHooks(const NumericHooks& hooks) { Numeric() = hooks; }
const ControlsServices::NumericHooks& ControlsServices::GetNumericHooks() { return Numeric(); }
void ControlsServices::SetShellHooks(const ShellHooks& hooks) { Shell() = hooks; }
const ControlsServices::ShellHooks& ControlsServices::GetShellHooks() { return Shell(); }

BOOL ControlsServices::DoubleToString(double value, CString& text, int format, int precision, int flag)
{
    return Numeric().pfnDoubleToString ? Numeric().pfnDoubleToString(value, text, format, precision, flag) : FALSE;
}

BOOL ControlsServices::AngleToString(double degrees, CString& text, int format, int precision, const CString& unit,
                                     int flag)
{
    return Numeric().pfnAngleToString ? Numeric().pfnAngleToString(degrees, text, format, precision, unit, flag)
                                      : FALSE;
}

BOOL ControlsServices::StringToDouble(const CString& text, double& value)
{
    return Numeric().pfnStringToDouble ? Numeric().pfnStringToDouble(text, value) : FALSE;
}

int ControlsServices::GetLengthFormat() { return Numeric().pfnGetLengthFormat ? Numeric().pfnGetLengthFormat() : 0; }
int ControlsServices::GetDistPrecision() { return Numeric().pfnGetDistPrecision ? Numeric().pfnGetDistPrecision() : 2; }
int ControlsServices::GetAngleFormat() { return Numeric().pfnGetAngleFormat ? Numeric().pfnGetAngleFormat() : 0; }
int ControlsServices::GetAnglePrecision()
{
    return Numeric().pfnGetAnglePrecision ? Numeric().pfnGetAnglePrecision() : 0;
}

Draw2dDocument* ControlsServices::GetDocument() { return Shell().pfnGetDocument ? Shell().pfnGetDocument() : nullptr; }
BOOL ControlsServices::SetSnapAngle(double degrees)
{
    return Shell().pfnSetSnapAngle ? Shell().pfnSetSnapAngle(degrees) : FALSE;
}
BOOL ControlsServices::GetSnapAngle(double& degrees)
{
    return Shell().pfnGetSnapAngle ? Shell().pfnGetSnapAngle(degrees) : FALSE;
}
CWnd* ControlsServices::GetFocusTarget() { return Shell().pfnGetFocusTarget ? Shell().pfnGetFocusTarget() : nullptr; }

CString ControlsServices::LoadString(UINT nStringId)
{
    std::u16string text;
    if (!AfxLoadStringResource(nStringId, text))
        return CString();
    return CString(text.c_str());
}
