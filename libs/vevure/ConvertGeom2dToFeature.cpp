#include "libs/vevure/ConvertGeom2dToFeature.h"

#include <memory>

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
#include "libs/vevure/SemiInfiniteLine2dFeature.h"

namespace {

// Arcs of the geometry run counter-clockwise (direction 1) or clockwise (-1); shapes store 0 or 1.
int ToFeatureDirection(int nDirection)
{
    return nDirection < 0 ? Arc2dFeature::Clockwise : Arc2dFeature::CounterClockwise;
}

// The end angle of an arc that starts at the start angle and sweeps in its own direction.
double EndAngleOf(double dStartRadians, double dSweep, int nDirection)
{
    return (dStartRadians + (nDirection < 0 ? -dSweep : dSweep)) * RuVa::RadToDeg;
}

}  // namespace

Feature2dBase* ConvertGeom2dToFeature::Convert(const RuVaEntity2d* pEntity)
{
    if (pEntity == nullptr || !pEntity->IsDone())
        return nullptr;
    std::unique_ptr<Feature2dBase> result;
    switch (pEntity->GetEntityType()) {
    case RuVaEntity2d::kLineSeg: {
        const auto* e = static_cast<const RuVaLineSeg2d*>(pEntity);
        auto f = std::make_unique<Line2dFeature>();
        if (!f->SetPoint(e->StartPoint(), e->EndPoint()))
            return nullptr;
        result = std::move(f);
        break;
    }
    case RuVaEntity2d::kLine: {
        const auto* e = static_cast<const RuVaLine2d*>(pEntity);
        result = std::make_unique<InfiniteLine2dFeature>(e->Location(), e->Direction());
        break;
    }
    case RuVaEntity2d::kHalfLine: {
        const auto* e = static_cast<const RuVaHalfLine2d*>(pEntity);
        result = std::make_unique<SemiInfiniteLine2dFeature>(e->Location(), e->Direction());
        break;
    }
    case RuVaEntity2d::kCircle: {
        const auto* e = static_cast<const RuVaCircle2d*>(pEntity);
        result = std::make_unique<Circle2dFeature>(e->GetCenter(), e->GetRadius());
        break;
    }
    case RuVaEntity2d::kArc: {
        const auto* e = static_cast<const RuVaArc2d*>(pEntity);
        result = std::make_unique<Arc2dFeature>(e->GetCenter(), e->GetRadius(), e->GetStartAngle() * RuVa::RadToDeg,
                                                EndAngleOf(e->GetStartAngle(), e->GetSweepAngle(), e->GetDirection()),
                                                ToFeatureDirection(e->GetDirection()));
        break;
    }
    case RuVaEntity2d::kEllipse: {
        const auto* e = static_cast<const RuVaEllipse2d*>(pEntity);
        result = std::make_unique<Ellipse2dFeature>(e->GetCenter(), e->GetMajorRadius(), e->GetMinorRadius(),
                                                    e->GetRotationAngle() * RuVa::RadToDeg);
        break;
    }
    case RuVaEntity2d::kEllipseArc: {
        const auto* e = static_cast<const RuVaEllipseArc2d*>(pEntity);
        result = std::make_unique<EllipseArc2dFeature>(
            e->GetCenter(), e->GetMajorRadius(), e->GetMinorRadius(), e->GetRotationAngle() * RuVa::RadToDeg,
            e->GetStartAngle() * RuVa::RadToDeg, EndAngleOf(e->GetStartAngle(), e->GetSweepAngle(), e->GetDirection()),
            ToFeatureDirection(e->GetDirection()));
        break;
    }
    case RuVaEntity2d::kPointSequence: {
        auto f = std::make_unique<Polyline2dFeature>();
        if (!f->SetPointArray(static_cast<const RuVaArrayPnt2d*>(pEntity)->Sequence()))
            return nullptr;
        result = std::move(f);
        break;
    }
    case RuVaEntity2d::kBSplineCurve: {
        const auto* e = static_cast<const RuVaBSplineCurve2d*>(pEntity);
        if (e->IsRational())
            return nullptr;
        auto f = std::make_unique<BSplineCurve2dFeature>();
        if (!f->SetPoints(e->GetPoles(), BSplineCurve2dFeature::ControlPoints, e->GetDegree(), e->IsPeriodic()))
            return nullptr;
        result = std::move(f);
        break;
    }
    default:
        return nullptr;
    }
    return result->IsValid() ? result.release() : nullptr;
}
