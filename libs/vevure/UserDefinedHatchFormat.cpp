#include "libs/vevure/UserDefinedHatchFormat.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/FeatureGeometry.h"

BOOL UserDefinedHatchFormat::SetPatternScale(double dScale)
{
    if (!FeatureGeometry::IsPositiveSize(dScale))
        return FALSE;
    m_dScale = dScale;
    return TRUE;
}

BOOL UserDefinedHatchFormat::SetPatternAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

void UserDefinedHatchFormat::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nPatternID << m_dScale << m_dAngle;
        return;
    }
    LONG nID;
    double dScale, dAngle;
    ar >> nID >> dScale >> dAngle;
    FeatureGeometry::Check(ar, FeatureGeometry::IsPositiveSize(dScale) && dAngle >= 0.0 && dAngle < 360.0);
    m_nPatternID = nID;
    m_dScale = dScale;
    m_dAngle = dAngle;
}
