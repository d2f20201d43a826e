#include "libs/vevure/Tolerance2dFeature.h"

#include <vector>

#include "platform/afx/CArchive.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSettingRules.h"

IMPLEMENT_SERIAL(Tolerance2dFeature, Feature2dBase, 1)

namespace {

// Splits the text at a two-character separator ("\*" between rows, "\|" between cells).
std::vector<CString> SplitAt(const CString& text, char16_t mark)
{
    std::vector<CString> parts;
    CString current;
    const int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        if (text[i] == u'\\' && i + 1 < n && text[i + 1] == mark) {
            parts.push_back(current);
            current.Empty();
            ++i;
        } else if (text[i] == u'\\' && i + 1 < n) {
            // Any other code stays whole, so that an escaped backslash before the mark is no separator.
            current += text[i];
            current += text[i + 1];
            ++i;
        } else {
            current += text[i];
        }
    }
    parts.push_back(current);
    return parts;
}

}  // namespace

Tolerance2dFeature::Tolerance2dFeature() : Feature2dBase(FeatureTypeTolerance) {}

Tolerance2dFeature::Tolerance2dFeature(const CString& strFrame, const RuVaPnt2d& point) : Tolerance2dFeature()
{
    SetText(strFrame);
    SetToleranceLocatePoint(point);
}

BOOL Tolerance2dFeature::SetText(const CString& strFrame)
{
    m_strFrame = strFrame;
    return TRUE;
}

BOOL Tolerance2dFeature::SetToleranceLocatePoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_point = point;
    return TRUE;
}

BOOL Tolerance2dFeature::SetTextHeight(double dHeight)
{
    TextSetting font(m_setting.GetDimTextFont());
    return FeatureGeometry::IsPositiveSize(dHeight) && font.SetHeight(dHeight) && m_setting.SetDimTextFont(font);
}

BOOL Tolerance2dFeature::SetDimensionSetting(const DimensionSetting& setting)
{
    return FeatureSettingRules::Apply(m_setting, setting);
}

int Tolerance2dFeature::GetToleranceCellSize() const
{
    return m_strFrame.IsEmpty() ? 0 : (int)SplitAt(m_strFrame, u'*').size();
}

int Tolerance2dFeature::GetToleranceCellSize(int nRow) const
{
    if (nRow < 0 || nRow >= GetToleranceCellSize())
        return 0;
    return (int)SplitAt(SplitAt(m_strFrame, u'*')[(size_t)nRow], u'|').size();
}

CString Tolerance2dFeature::GetToleranceCellText(int nRow, int nCell) const
{
    if (nRow < 0 || nRow >= GetToleranceCellSize())
        return CString();
    const std::vector<CString> cells = SplitAt(SplitAt(m_strFrame, u'*')[(size_t)nRow], u'|');
    return nCell >= 0 && nCell < (int)cells.size() ? cells[(size_t)nCell] : CString();
}

BOOL Tolerance2dFeature::GetOutlinePoints(KcArrayOfGePnt2d& points) const
{
    // Rows of cells two text heights high; each cell measured by its characters.
    const int rows = GetToleranceCellSize();
    double width = 0.0;
    for (int r = 0; r < rows; ++r) {
        double w = 0.0;
        for (int c = 0; c < GetToleranceCellSize(r); ++c)
            w += (GetToleranceCellText(r, c).GetLength() + 1) * GetTextHeight();
        width = w > width ? w : width;
    }
    const double height = (rows > 0 ? rows : 1) * 2.0 * GetTextHeight();
    FeatureGeometry::RectangleOutline(RuVaPnt2d(m_point.X(), m_point.Y() - height), width > 0.0 ? width : GetTextHeight(),
                                      height, m_dAngle, points);
    return TRUE;
}

BOOL Tolerance2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_point) && FeatureSettingRules::IsComplete(m_setting) &&
           m_dAngle >= 0.0 && m_dAngle < 360.0;
}

RuVaBndBox2d Tolerance2dFeature::GetBndBox() const
{
    KcArrayOfGePnt2d points;
    GetOutlinePoints(points);
    return points.GetBndBox();
}

BOOL Tolerance2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    const RuVaPnt2d p = t.Transformed(m_point);
    DimensionSetting scaled(m_setting);
    if (!FeatureGeometry::IsFinitePoint(p) || !FeatureGeometry::IsPositiveSize(dSizeScale) ||
        !scaled.ScaleSize(dSizeScale))
        return FALSE;
    m_point = p;
    m_dAngle = FeatureGeometry::TransformAngle(t, m_dAngle);
    m_setting = scaled;
    return TRUE;
}

BOOL Tolerance2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Tolerance2dFeature*>(pOther);
    return m_strFrame == o->m_strFrame && m_point == o->m_point && m_setting.IsEqual(o->m_setting) > 0 &&
           m_dAngle == o->m_dAngle;
}

void Tolerance2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Tolerance2dFeature*>(pSource);
    m_strFrame = s->m_strFrame;
    m_point = s->m_point;
    m_setting = s->m_setting;
    m_dAngle = s->m_dAngle;
}

void Tolerance2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strFrame << m_point << m_dAngle;
    else
        ar >> m_strFrame >> m_point >> m_dAngle;
    m_setting.Serialize(ar);
}
