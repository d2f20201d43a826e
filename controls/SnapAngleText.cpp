#include "controls/SnapAngleText.h"

#include <cmath>

#include "controls/ControlsServices.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/NumericCharConverter.h"

namespace SnapAngleText {

CString Format(double degrees)
{
    CString text;
    if (!ControlsServices::AngleToString(degrees, text, -1, -1, CString(), -1))
        return CString();
    if (!text.IsEmpty() && ControlsServices::GetAngleFormat() == 0)
        text += ControlsServices::LoadString(11580);
    return text;
}

BOOL Parse(const CString& input, double& degrees)
{
    CString text(input);
    text.Trim();
    const CString marks = ControlsServices::LoadString(10010);
    if (!text.IsEmpty() && marks.Find(text[text.GetLength() - 1]) >= 0)
        text = text.Left(text.GetLength() - 1);
    double value = 0.0;
    if (text.IsEmpty() || !NumericCharConverter::StringToAngle(text, value) || !std::isfinite(value))
        return FALSE;
    value = RuVa::CorrectAngle(value);
    if (!std::isfinite(value) || value == 0.0)
        return FALSE;
    degrees = value;
    return TRUE;
}

}  // namespace SnapAngleText
