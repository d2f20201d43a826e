#include "command/NumericFormat.h"

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/NumericCharConverter.h"

namespace NumericFormat {
namespace {

struct State {
    LengthUnitFormatType lengthFormat = static_cast<LengthUnitFormatType>(0);
    int distPrecision = 2;
    AngleUnitFormatType angleFormat = static_cast<AngleUnitFormatType>(0);
    int anglePrecision = 0;
    const InputConstValue* pConstants = nullptr;
    PointParameterInputMode pointMode = PointInputAbsolute;
};

State& TheState()
{
    static State state;
    return state;
}

int FlagArgument(int flag)
{
    return flag > 0 ? 1 : 0;
}

}  // namespace

BOOL StringToInteger(const CString& text, int& result)
{
    return NumericCharConverter::StringToInteger(text, result, TheState().pConstants, GetLengthFormatFlag());
}

BOOL StringToDouble(const CString& text, double& result)
{
    return NumericCharConverter::StringToDouble(text, result, TheState().pConstants, GetLengthFormatFlag());
}

BOOL StringToPoint(const CString& text, RuVaPnt2d& result, int& first, int& second)
{
    return NumericCharConverter::StringToPoint(text, result, first, second, TheState().pConstants,
                                               GetLengthFormatFlag(), TheState().pointMode);
}

NumericTextFormatType GetFormatType(const CString& text)
{
    return NumericCharConverter::GetFormatType(text, TheState().pConstants);
}

BOOL IsXCoordinatesFormat(const CString& text)
{
    return NumericCharConverter::IsXCoordinatesFormat(text, TheState().pConstants);
}

BOOL DoubleToString(double value, CString& text, int format, int precision, int flag)
{
    const State& s = TheState();
    return NumericCharConverter::DoubleToString(value, text, format == -1 ? static_cast<int>(s.lengthFormat) : format,
                                                precision < 0 ? s.distPrecision : precision, FlagArgument(flag));
}

BOOL PointToString(const RuVaPnt2d& point, CString& text, int format, int precision, int flag)
{
    const State& s = TheState();
    return NumericCharConverter::PointToString(point, text, format == -1 ? static_cast<int>(s.lengthFormat) : format,
                                               precision < 0 ? s.distPrecision : precision, FlagArgument(flag));
}

BOOL AngleToString(double degrees, CString& text, int format, int precision, const CString& unitText, int flag)
{
    const State& s = TheState();
    return NumericCharConverter::AngleToString(degrees, text, format == -1 ? static_cast<int>(s.angleFormat) : format,
                                               precision < 0 ? s.anglePrecision : precision, unitText,
                                               FlagArgument(flag));
}

BOOL UpdateFromDocument(const Draw2dDocument* pDocument)
{
    if (pDocument == nullptr)
        return FALSE;
    State& s = TheState();
    BOOL bAll = TRUE;

    const int lengthFormat = static_cast<int>(pDocument->GetLengthUnitFormatType());
    if (lengthFormat >= 0 && lengthFormat <= 4)
        s.lengthFormat = static_cast<LengthUnitFormatType>(lengthFormat);
    else
        bAll = FALSE;

    const int distPrecision = pDocument->GetDistPrecision();
    if (distPrecision >= 0 && distPrecision <= 8)
        s.distPrecision = distPrecision;
    else
        bAll = FALSE;

    const int angleFormat = static_cast<int>(pDocument->GetAngleUnitFormatType());
    if (angleFormat >= 0 && angleFormat <= 3)
        s.angleFormat = static_cast<AngleUnitFormatType>(angleFormat);
    else
        bAll = FALSE;

    const int anglePrecision = pDocument->GetAnglePrecision();
    const BOOL bAngleTaken = anglePrecision >= 0 && anglePrecision <= 8 &&
                             !(anglePrecision > 6 && static_cast<int>(s.angleFormat) == 1);
    if (bAngleTaken) {
        s.anglePrecision = anglePrecision;
    } else {
        // A precision kept from the previous document must still suit the format just taken:
        // degrees-minutes-seconds go to six places at most.
        if (static_cast<int>(s.angleFormat) == 1 && s.anglePrecision > 6)
            s.anglePrecision = 6;
        return FALSE;
    }
    return bAll;
}

void SetInputConstValue(const InputConstValue* pConstants)
{
    TheState().pConstants = pConstants;
}

BOOL SetPointParameterInputMode(PointParameterInputMode mode)
{
    TheState().pointMode = mode;
    return TRUE;
}

LengthUnitFormatType GetLengthUnitFormatType()
{
    return TheState().lengthFormat;
}

int GetDistPrecision()
{
    return TheState().distPrecision;
}

AngleUnitFormatType GetAngleUnitFormatType()
{
    return TheState().angleFormat;
}

int GetAnglePrecision()
{
    return TheState().anglePrecision;
}

const InputConstValue* GetInputConstValue()
{
    return TheState().pConstants;
}

PointParameterInputMode GetPointParameterInputMode()
{
    return TheState().pointMode;
}

int GetLengthFormatFlag()
{
    const int f = static_cast<int>(TheState().lengthFormat);
    return (f == 1 || f == 2) ? 1 : 0;
}

void ResetState()
{
    TheState() = State();
}

}  // namespace NumericFormat
