#pragma once
// How a hatch uses a user-defined pattern: the pattern's id in the document's pattern table, its scale
// (above 0) and angle (degrees, [0, 360)).

#include "platform/afx/AfxTypes.h"

class CArchive;

class UserDefinedHatchFormat
{
public:
    UserDefinedHatchFormat() = default;

    long GetPatternID() const { return m_nPatternID; }
    void SetPatternID(long nID) { m_nPatternID = (LONG)nID; }
    double GetPatternScale() const { return m_dScale; }
    BOOL SetPatternScale(double dScale);
    double GetPatternAngle() const { return m_dAngle; }
    BOOL SetPatternAngle(double dAngleDeg);

    bool operator==(const UserDefinedHatchFormat& other) const
    {
        return m_nPatternID == other.m_nPatternID && m_dScale == other.m_dScale && m_dAngle == other.m_dAngle;
    }
    bool operator!=(const UserDefinedHatchFormat& other) const { return !(*this == other); }

    // Out-of-range values throw CArchiveException and leave the format as it was.
    void Serialize(CArchive& ar);

private:
    LONG m_nPatternID = -1;
    double m_dScale = 1.0;
    double m_dAngle = 0.0;
};
