#pragma once
// The snap angle as the snap-angle fields show and read it: the current angle notation with the degree
// mark in decimal degrees; a typed text may end with one of the angle unit marks. The preset angles.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

namespace SnapAngleText {

inline constexpr int kPresets[] = {15, 30, 45, 60, 90};

CString Format(double degrees);
// The angle of a typed text, normalised to one turn; FALSE for a text that is not an angle and for an
// angle of 0 (also 360 normalised) or not finite.
BOOL Parse(const CString& text, double& degrees);

}  // namespace SnapAngleText
