#include "libs/vevure/PartDrawingLayout.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/StoredForm.h"

namespace {
constexpr double kMinDenominator = 1e-7;

bool IsPositiveFinite(double v) { return std::isfinite(v) && v > 0.0; }
}  // namespace

PartDrawingLayout::PartDrawingLayout() = default;

PartDrawingLayout::PartDrawingLayout(const CString& strName) : m_nPaperID(0), m_strName(strName) {}

PartDrawingLayout::PartDrawingLayout(const PartDrawingLayout& other)
{
    *this = other;
}

PartDrawingLayout& PartDrawingLayout::operator=(const PartDrawingLayout& o)
{
    if (this == &o)
        return *this;
    m_nLayoutID = o.m_nLayoutID;
    m_nPaperID = o.m_nPaperID;
    m_nDrawingID = o.m_nDrawingID;
    m_strName = o.m_strName;
    m_origin = o.m_origin;
    m_dNumX = o.m_dNumX;
    m_dDenX = o.m_dDenX;
    m_dNumY = o.m_dNumY;
    m_dDenY = o.m_dDenY;
    m_bScaleY = o.m_bScaleY;
    m_dAngle = o.m_dAngle;
    m_localToWorld = o.m_localToWorld;
    m_worldToLocal = o.m_worldToLocal;
    m_bIdentity = o.m_bIdentity;
    m_bRegion = o.m_bRegion;
    SetRegion(o.m_pRegion);
    m_bRegion = o.m_bRegion;
    return *this;
}

PartDrawingLayout::~PartDrawingLayout()
{
    delete m_pRegion;
}

bool PartDrawingLayout::IsSame(const PartDrawingLayout& o) const
{
    if (m_nLayoutID != o.m_nLayoutID || m_nPaperID != o.m_nPaperID || m_nDrawingID != o.m_nDrawingID ||
        m_strName != o.m_strName || m_origin != o.m_origin || m_dNumX != o.m_dNumX || m_dDenX != o.m_dDenX ||
        m_dNumY != o.m_dNumY || m_dDenY != o.m_dDenY || m_bScaleY != o.m_bScaleY || m_dAngle != o.m_dAngle ||
        m_bIdentity != o.m_bIdentity || m_bRegion != o.m_bRegion || m_localToWorld != o.m_localToWorld)
        return false;
    if ((m_pRegion == nullptr) != (o.m_pRegion == nullptr))
        return false;
    if (m_pRegion == nullptr)
        return true;
    return StoredForm::IsSame(m_pRegion, o.m_pRegion) != FALSE;
}

void PartDrawingLayout::SetOrigin(const RuVaPnt2d& origin)
{
    m_origin = origin;
    UpdateTransform();
}

void PartDrawingLayout::SetAngle(double degrees)
{
    m_dAngle = RuVa::CorrectAngle(degrees);
    UpdateTransform();
}

BOOL PartDrawingLayout::SetScale(double numX, double denX, BOOL bYDiffers, double numY, double denY)
{
    if (!IsPositiveFinite(numX) || !IsPositiveFinite(denX))
        return FALSE;
    if (bYDiffers && (!IsPositiveFinite(numY) || !IsPositiveFinite(denY)))
        return FALSE;
    m_dNumX = numX;
    m_dDenX = denX;
    m_bScaleY = bYDiffers ? 1 : 0;
    if (bYDiffers) {
        m_dNumY = numY;
        m_dDenY = denY;
    } else {
        m_dNumY = numX;
        m_dDenY = denX;
    }
    UpdateTransform();
    return TRUE;
}

double PartDrawingLayout::GetScaleX() const
{
    return m_dDenX < kMinDenominator ? 1.0 : m_dNumX / m_dDenX;
}

double PartDrawingLayout::GetScaleY() const
{
    return m_dDenY < kMinDenominator ? 1.0 : m_dNumY / m_dDenY;
}

void PartDrawingLayout::GetScale(double& x, double& y) const
{
    if (m_dDenX < kMinDenominator || m_dDenY < kMinDenominator) {
        x = 1.0;
        y = 1.0;
        return;
    }
    x = m_dNumX / m_dDenX;
    y = m_bScaleY ? m_dNumY / m_dDenY : x;
}

BOOL PartDrawingLayout::IsScaleXYDifferent() const
{
    if (m_bIdentity)
        return FALSE;
    double x = 1.0, y = 1.0;
    GetScale(x, y);
    return std::fabs(std::fabs(x) - std::fabs(y)) > 1e-7 ? TRUE : FALSE;
}

void PartDrawingLayout::UpdateTransform()
{
    double sx = 1.0, sy = 1.0;
    GetScale(sx, sy);
    const double a = m_dAngle * M_PI / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    m_localToWorld = RuVaGTrsf2d(c * sx, -s * sy, m_origin.X(), s * sx, c * sy, m_origin.Y());
    m_bIdentity = m_localToWorld.IsIdentity(0.0) ? 1 : 0;
    if (!m_localToWorld.Inverted(m_worldToLocal))
        m_worldToLocal.SetIdentity();
}

void PartDrawingLayout::ConvertPointWorldToLocal(const RuVaPnt2d& in, RuVaPnt2d& out) const
{
    out = in;
    if (!m_bIdentity)
        out = m_worldToLocal.Transformed(in);
}

void PartDrawingLayout::ConvertPointLocalToWorld(const RuVaPnt2d& in, RuVaPnt2d& out) const
{
    out = in;
    if (!m_bIdentity)
        out = m_localToWorld.Transformed(in);
}

void PartDrawingLayout::ConvertBoxWorldToLocal(const RuVaBndBox2d& in, RuVaBndBox2d& out) const
{
    out = m_bIdentity ? in : in.Transformed(m_worldToLocal);
}

void PartDrawingLayout::ConvertBoxLocalToWorld(const RuVaBndBox2d& in, RuVaBndBox2d& out) const
{
    out = m_bIdentity ? in : in.Transformed(m_localToWorld);
}

double PartDrawingLayout::ConvertLengthWorldToLocal(double length) const
{
    // A zero scale would divide by zero: such a layout converts lengths unchanged.
    const double s = GetScaleX();
    return (s == 0.0 || !std::isfinite(s)) ? length : length / s;
}

double PartDrawingLayout::ConvertLengthLocalToWorld(double length) const
{
    const double s = GetScaleX();
    return (s == 0.0 || !std::isfinite(s)) ? length : length * s;
}

void PartDrawingLayout::SetRegion(const Region2dFeature* pRegion)
{
    if (pRegion == m_pRegion)
        return;
    Region2dFeature* copy = nullptr;
    if (pRegion != nullptr)
        copy = static_cast<Region2dFeature*>(pRegion->CopyObject(3));
    delete m_pRegion;
    m_pRegion = copy;
    m_bRegion = copy != nullptr ? 1 : 0;
}

void PartDrawingLayout::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_nLayoutID) << static_cast<LONG>(m_nPaperID) << static_cast<LONG>(m_nDrawingID)
           << m_strName << m_origin.X() << m_origin.Y() << m_dNumX << m_dDenX << m_dNumY << m_dDenY << m_bScaleY
           << m_dAngle << m_bRegion;
        BYTE hasRegion = m_pRegion != nullptr ? 1 : 0;
        ar << hasRegion;
        if (m_pRegion != nullptr)
            m_pRegion->Serialize(ar);
        return;
    }
    LONG id = 0, paper = 0, drawing = 0;
    CString name;
    double x = 0, y = 0, nx = 0, dx = 0, ny = 0, dy = 0, angle = 0;
    int scaleY = 0;
    BYTE region = 0, hasRegion = 0;
    ar >> id >> paper >> drawing >> name >> x >> y >> nx >> dx >> ny >> dy >> scaleY >> angle >> region >> hasRegion;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(angle) || scaleY < 0 || scaleY > 1 ||
        region > 1 || hasRegion > 1 || (region && !hasRegion))
        ar.ThrowArchiveException(CArchiveException::genericException);
    PartDrawingLayout loaded;
    loaded.m_nLayoutID = id;
    loaded.m_nPaperID = paper;
    loaded.m_nDrawingID = drawing;
    loaded.m_strName = name;
    loaded.m_origin = RuVaPnt2d(x, y);
    loaded.m_dAngle = angle;
    if (!loaded.SetScale(nx, dx, scaleY, ny, dy))
        ar.ThrowArchiveException(CArchiveException::genericException);
    if (hasRegion) {
        Region2dFeature* pRegion = new Region2dFeature;
        try {
            pRegion->Serialize(ar);
        } catch (...) {
            delete pRegion;
            throw;
        }
        loaded.m_pRegion = pRegion;
    }
    loaded.m_bRegion = region;
    loaded.UpdateTransform();
    *this = loaded;
}

namespace {
BOOL IsFinitePoint(const RuVaPnt2d& p)
{
    return std::isfinite(p.X()) && std::isfinite(p.Y()) ? TRUE : FALSE;
}
}  // namespace

BOOL PartDrawingLayout::SetPolygonRegion(const KcArrayOfGePnt2d& points)
{
    KcArrayOfGePnt2d chain(points);
    if (chain.GetSize() > 1 && chain[0].IsEqual(chain[chain.GetSize() - 1], 1e-7))
        chain.RemoveAt(chain.GetSize() - 1);
    if (chain.GetSize() < 3)
        return FALSE;
    Region2dFeature region;
    for (INT_PTR i = 0; i < chain.GetSize(); ++i) {
        const RuVaPnt2d& a = chain[i];
        const RuVaPnt2d& b = chain[(i + 1) % chain.GetSize()];
        if (!IsFinitePoint(a) || a.IsEqual(b, 1e-7))
            return FALSE;
        Line2dFeature edge(a, b);
        region.AddFeature(&edge);
    }
    if (!region.IsValid())
        return FALSE;
    SetRegion(&region);
    return TRUE;
}

BOOL PartDrawingLayout::SetRectangleRegion(const RuVaPnt2d& c1, const RuVaPnt2d& c2)
{
    if (std::fabs(c1.X() - c2.X()) < 1e-7 || std::fabs(c1.Y() - c2.Y()) < 1e-7)
        return FALSE;
    KcArrayOfGePnt2d points{c1, RuVaPnt2d(c2.X(), c1.Y()), c2, RuVaPnt2d(c1.X(), c2.Y())};
    return SetPolygonRegion(points);
}

BOOL PartDrawingLayout::SetCircleRegion(const RuVaPnt2d& centre, double radius)
{
    if (!IsFinitePoint(centre) || !std::isfinite(radius) || radius < 1e-7)
        return FALSE;
    Region2dFeature region;
    Circle2dFeature circle(centre, radius);
    region.AddFeature(&circle);
    if (!region.IsValid())
        return FALSE;
    SetRegion(&region);
    return TRUE;
}

namespace {
Feature2dBase* Transformed(const Feature2dBase* pFeature, const RuVaGTrsf2d& t, double sizeScale)
{
    if (pFeature == nullptr)
        return nullptr;
    Feature2dBase* copy = pFeature->CopyObject(Feature2dBase::copyAll);
    if (copy != nullptr && !copy->TransformGeometry(t, sizeScale)) {
        delete copy;
        return nullptr;
    }
    return copy;
}
}  // namespace

Feature2dBase* PartDrawingLayout::ConvertFeatureLocalToWorld(const Feature2dBase* pFeature) const
{
    return Transformed(pFeature, m_localToWorld, GetScaleX());
}

Feature2dBase* PartDrawingLayout::ConvertFeatureWorldToLocal(const Feature2dBase* pFeature) const
{
    const double s = GetScaleX();
    return Transformed(pFeature, m_worldToLocal, s == 0.0 ? 1.0 : 1.0 / s);
}
