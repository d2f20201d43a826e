#include "libs/vevure/Paper2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "libs/vevure/PartDrawingLayout.h"

namespace {
// Long and short side of A0 to A4.
constexpr double kSizes[5][2] = {{1189.0, 841.0}, {841.0, 594.0}, {594.0, 420.0}, {420.0, 297.0}, {297.0, 210.0}};

bool IsPositiveFinite(double v) { return std::isfinite(v) && v > 0.0; }
}  // namespace

Paper2dFeature::Paper2dFeature() : DrawingFeatureBase(typePaper) {}

Paper2dFeature::~Paper2dFeature() = default;

DrawingFeatureBase* Paper2dFeature::Clone() const
{
    return new Paper2dFeature(*this);
}

bool Paper2dFeature::IsSame(const DrawingFeatureBase& other) const
{
    const Paper2dFeature* o = dynamic_cast<const Paper2dFeature*>(&other);
    return o != nullptr && DrawingFeatureBase::IsSame(other) && m_nSizeType == o->m_nSizeType &&
           m_nOrientation == o->m_nOrientation && m_dWidth == o->m_dWidth && m_dHeight == o->m_dHeight &&
           m_dPrintScale == o->m_dPrintScale;
}

BOOL Paper2dFeature::GetPaperSize(int nType, int nOrientation, double& dWidth, double& dHeight)
{
    if (nType < sizeA0 || nType > sizeA4 || (nOrientation != orientLandscape && nOrientation != orientPortrait))
        return FALSE;
    const double longSide = kSizes[nType][0], shortSide = kSizes[nType][1];
    dWidth = nOrientation == orientLandscape ? longSide : shortSide;
    dHeight = nOrientation == orientLandscape ? shortSide : longSide;
    return TRUE;
}

BOOL Paper2dFeature::SetPaperSize(double dWidth, double dHeight)
{
    if (!IsPositiveFinite(dWidth) || !IsPositiveFinite(dHeight))
        return FALSE;
    double w = 0, h = 0;
    if (!GetPaperSize(m_nSizeType, m_nOrientation, w, h) || w != dWidth || h != dHeight)
        m_nSizeType = sizeUser;
    m_dWidth = dWidth;
    m_dHeight = dHeight;
    return TRUE;
}

BOOL Paper2dFeature::SetPaperSizeType(int nType)
{
    if (nType < sizeA0 || nType >= sizeTypeCount)
        return FALSE;
    m_nSizeType = nType;
    if (nType != sizeUser)
        GetPaperSize(nType, m_nOrientation, m_dWidth, m_dHeight);
    return TRUE;
}

BOOL Paper2dFeature::SetPaperOrientType(int nOrientation)
{
    if (nOrientation != orientLandscape && nOrientation != orientPortrait)
        return FALSE;
    m_nOrientation = nOrientation;
    if (m_nSizeType != sizeUser)
        GetPaperSize(m_nSizeType, m_nOrientation, m_dWidth, m_dHeight);
    return TRUE;
}

BOOL Paper2dFeature::SetPrintScale(double dScale)
{
    if (!IsPositiveFinite(dScale))
        return FALSE;
    m_dPrintScale = dScale;
    return TRUE;
}

CString Paper2dFeature::GetNewPartLayoutName(const CString& strDrawingName) const
{
    for (int n = 1;; ++n) {
        CString name;
        name.Format(_T("%s-%d"), static_cast<LPCTSTR>(strDrawingName), n);
        bool taken = false;
        for (int i = 0; i < GetPartLayoutCount() && !taken; ++i)
            taken = GetPartLayout(i)->GetLayoutName() == name;
        if (!taken)
            return name;
    }
}

void Paper2dFeature::Serialize(CArchive& ar)
{
    DrawingFeatureBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nSizeType << m_nOrientation << m_dWidth << m_dHeight << m_dPrintScale;
        return;
    }
    int type = 0, orient = 0;
    double w = 0, h = 0, scale = 0;
    ar >> type >> orient >> w >> h >> scale;
    if (type < sizeA0 || type >= sizeTypeCount || (orient != orientLandscape && orient != orientPortrait) ||
        !IsPositiveFinite(w) || !IsPositiveFinite(h) || !IsPositiveFinite(scale))
        ar.ThrowArchiveException(CArchiveException::genericException);
    m_nSizeType = type;
    m_nOrientation = orient;
    m_dWidth = w;
    m_dHeight = h;
    m_dPrintScale = scale;
}
