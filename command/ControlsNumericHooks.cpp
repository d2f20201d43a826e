#include "command/ControlsNumericHooks.h"

#include "command/NumericFormat.h"
#include "controls/ControlsServices.h"

void RegisterControlsNumericHooks()
{
    ControlsServices::NumericHooks hooks;
    hooks.pfnDoubleToString = [](double value, CString& text, int format, int precision, int flag) -> BOOL {
        return NumericFormat::DoubleToString(value, text, format, precision, flag);
    };
    hooks.pfnAngleToString = [](double degrees, CString& text, int format, int precision, const CString& unit,
                                int flag) -> BOOL {
        return NumericFormat::AngleToString(degrees, text, format, precision, unit, flag);
    };
    hooks.pfnStringToDouble = [](const CString& text, double& value) -> BOOL {
        return NumericFormat::StringToDouble(text, value);
    };
    hooks.pfnGetLengthFormat = []() -> int { return static_cast<int>(NumericFormat::GetLengthUnitFormatType()); };
    hooks.pfnGetDistPrecision = []() -> int { return NumericFormat::GetDistPrecision(); };
    hooks.pfnGetAngleFormat = []() -> int { return static_cast<int>(NumericFormat::GetAngleUnitFormatType()); };
    hooks.pfnGetAnglePrecision = []() -> int { return NumericFormat::GetAnglePrecision(); };
    ControlsServices::SetNumericHooks(hooks);
}
