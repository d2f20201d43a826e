#include "libs/vevure/ConvertFeatureToGeom2d.h"

#include <cmath>
#include <vector>

#include <Geom2dAPI_Interpolate.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Standard_Failure.hxx>
#include <TColgp_HArray1OfPnt2d.hxx>

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaCircle2d.h"
#include "libs/ruva/RuVaEllipse2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/zuruda/KcOcConv.h"

namespace {

int ToRuVaDirection(int nDirection)
{
    return nDirection == 1 ? RuVa::kClockwise : RuVa::kCounterClockwise;
}

RuVaVec2d AxisOf(double dAngleDeg)
{
    const double a = dAngleDeg * RuVa::DegToRad;
    return RuVaVec2d(std::cos(a), std::sin(a));
}

// A clamped uniform B-spline of the control points; a closed one repeats the first point at the end.
RuVaBSplineCurve2d* ControlPointCurve(const BSplineCurve2dFeature* f)
{
    KcArrayOfGePnt2d poles(f->GetPointArray());
    if (f->IsClosed() && poles[0].Distance(poles[poles.GetSize() - 1]) > 1e-7)
        poles.Add(poles[0]);
    const int degree = f->GetDegree();
    const int n = (int)poles.GetSize();
    if (n < degree + 1)
        return nullptr;
    const int knots = n - degree + 1;
    std::vector<double> knotValues((size_t)knots);
    std::vector<int> mults((size_t)knots, 1);
    for (int i = 0; i < knots; ++i)
        knotValues[(size_t)i] = (double)i;
    mults.front() = mults.back() = degree + 1;
    auto* curve = new RuVaBSplineCurve2d(poles, {}, knotValues, mults, degree, FALSE);
    if (!curve->IsDone()) {
        delete curve;
        return nullptr;
    }
    return curve;
}

// The cubic through the points (periodic when closed), fitted by the curve kernel.
RuVaBSplineCurve2d* InterpolatedCurve(const BSplineCurve2dFeature* f)
{
    KcArrayOfGePnt2d points(f->GetPointArray());
    // A closed curve is given by distinct points; a repeated last point is dropped.
    if (f->IsClosed() && points.GetSize() > 2 && points[0].Distance(points[points.GetSize() - 1]) <= 1e-7)
        points.RemoveAt(points.GetSize() - 1);
    const int n = (int)points.GetSize();
    if (n < 2)
        return nullptr;
    try {
        Handle(TColgp_HArray1OfPnt2d) poles = new TColgp_HArray1OfPnt2d(1, n);
        for (int i = 0; i < n; ++i)
            poles->SetValue(i + 1, KcOcConv::KcToOcPnt2d(points[i]));
        Geom2dAPI_Interpolate interpolate(poles, f->IsClosed() ? Standard_True : Standard_False, 1e-9);
        interpolate.Perform();
        if (!interpolate.IsDone())
            return nullptr;
        RuVaCurveEnt2d* curve = KcOcConv::ConvertToKcCurve(interpolate.Curve());
        if (curve && curve->GetEntityType() == RuVaEntity2d::kBSplineCurve)
            return static_cast<RuVaBSplineCurve2d*>(curve);
        delete curve;
    } catch (const Standard_Failure&) {
    }
    return nullptr;
}

}  // namespace

RuVaBSplineCurve2d* ConvertFeatureToGeom2d::ConvertBSplineCurve(const Feature2dBase* pFeature)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeBSplineCurve || !pFeature->IsValid())
        return nullptr;
    const auto* f = static_cast<const BSplineCurve2dFeature*>(pFeature);
    return f->GetKind() == BSplineCurve2dFeature::InterpolatePoints ? InterpolatedCurve(f) : ControlPointCurve(f);
}

RuVaEntity2d* ConvertFeatureToGeom2d::Convert(const Feature2dBase* pFeature)
{
    if (pFeature == nullptr || !pFeature->IsValid())
        return nullptr;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* f = static_cast<const Line2dFeature*>(pFeature);
        return new RuVaLineSeg2d(f->GetStartPoint(), f->GetEndPoint());
    }
    case FeatureTypeInfiniteLine: {
        const auto* f = static_cast<const InfiniteLine2dFeature*>(pFeature);
        return new RuVaLine2d(f->GetPoint(), f->GetDirection());
    }
    case FeatureTypeSemiInfiniteLine: {
        const auto* f = static_cast<const InfiniteLine2dFeature*>(pFeature);
        return new RuVaHalfLine2d(f->GetPoint(), f->GetDirection());
    }
    case FeatureTypeCircle: {
        const auto* f = static_cast<const Circle2dFeature*>(pFeature);
        return new RuVaCircle2d(f->GetCenterPoint(), f->GetRadius());
    }
    case FeatureTypeArc: {
        const auto* f = static_cast<const Arc2dFeature*>(pFeature);
        return new RuVaArc2d(f->GetCenterPoint(), f->GetRadius(), f->GetStartAngle() * RuVa::DegToRad,
                             f->GetEndAngle() * RuVa::DegToRad, ToRuVaDirection(f->GetDirection()));
    }
    case FeatureTypeEllipse: {
        const auto* f = static_cast<const Ellipse2dFeature*>(pFeature);
        return new RuVaEllipse2d(f->GetCenterPoint(), AxisOf(f->GetAngle()), f->GetMajorRadius(), f->GetMinorRadius());
    }
    case FeatureTypeEllipseArc: {
        const auto* f = static_cast<const EllipseArc2dFeature*>(pFeature);
        return new RuVaEllipseArc2d(f->GetCenterPoint(), AxisOf(f->GetAngle()), f->GetMajorRadius(),
                                    f->GetMinorRadius(), f->GetStartAngle() * RuVa::DegToRad,
                                    f->GetEndAngle() * RuVa::DegToRad, ToRuVaDirection(f->GetDirection()));
    }
    case FeatureTypePolyline:
        return new RuVaArrayPnt2d(static_cast<const Polyline2dFeature*>(pFeature)->GetPointArray());
    case FeatureTypeBSplineCurve:
        return ConvertBSplineCurve(pFeature);
    default:
        return nullptr;
    }
}
