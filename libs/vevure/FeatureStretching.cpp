#include "libs/vevure/FeatureStretching.h"

#include <cmath>
#include <memory>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace {

struct Stretch {
    const KcArrayOfGePnt2d& polygon;
    RuVaVec2d shift;

    bool Inside(const RuVaPnt2d& p) const
    {
        return KcGeometryTool::JudgePointInPolygon(polygon, p) != KcGeometryTool::kOutside;
    }
    RuVaPnt2d Move(const RuVaPnt2d& p) const { return Inside(p) ? p + shift : p; }
    KcArrayOfGePnt2d Move(const KcArrayOfGePnt2d& points) const
    {
        KcArrayOfGePnt2d moved(points);
        for (RuVaPnt2d& p : moved)
            p = Move(p);
        return moved;
    }
};

RuVaPnt2d ArcMiddle(const Arc2dFeature& arc)
{
    const double sweep = arc.GetSweepAngle() * (arc.GetDirection() == 1 ? -1.0 : 1.0);
    const double a = (arc.GetStartAngle() + 0.5 * sweep) * RuVa::DegToRad;
    return RuVaPnt2d(arc.GetCenterPoint().X() + arc.GetRadius() * std::cos(a),
                     arc.GetCenterPoint().Y() + arc.GetRadius() * std::sin(a));
}

double DirectionDeg(const RuVaPnt2d& from, const RuVaPnt2d& to)
{
    return std::atan2(to.Y() - from.Y(), to.X() - from.X()) * RuVa::RadToDeg;
}

Feature2dBase* StretchInto(const Feature2dBase* f, const Stretch& s);

bool StretchRegion(const Region2dFeature& region, const Stretch& s, Region2dFeature& out)
{
    for (int i = 0; i < region.GetFeatureCount(); ++i) {
        std::unique_ptr<Feature2dBase> piece(StretchInto(region.GetFeature(i), s));
        if (!piece)
            piece.reset(region.GetFeature(i)->CopyObject());  // circles and ellipses stay
        if (out.AddFeature(piece.get()) < 0)
            return false;
    }
    return true;
}

Feature2dBase* StretchInto(const Feature2dBase* f, const Stretch& s)
{
    std::unique_ptr<Feature2dBase> copy(f->CopyObject(Feature2dBase::copyAll));
    switch (f->GetFeatureType()) {
    case FeatureTypeLine: {
        auto* l = static_cast<Line2dFeature*>(copy.get());
        if (!l->SetPoint(s.Move(l->GetStartPoint()), s.Move(l->GetEndPoint())))
            return nullptr;
        break;
    }
    case FeatureTypePolyline: {
        auto* p = static_cast<Polyline2dFeature*>(copy.get());
        if (!p->SetPointArray(s.Move(p->GetPointArray())))
            return nullptr;
        break;
    }
    case FeatureTypeArc: {
        const auto* a = static_cast<const Arc2dFeature*>(f);
        const RuVaPnt2d start = a->GetStartPoint(), end = a->GetEndPoint(), middle = ArcMiddle(*a);
        if (!s.Inside(start) && !s.Inside(end))
            break;
        std::unique_ptr<Arc2dFeature> arc(FeatureCreator::CreateArcFeature(s.Move(start), s.Move(middle), s.Move(end)));
        if (!arc)
            return nullptr;
        arc->Copy(f, Feature2dBase::copyBase | Feature2dBase::copyAttribute);
        copy = std::move(arc);
        break;
    }
    case FeatureTypeEllipseArc: {
        auto* e = static_cast<EllipseArc2dFeature*>(copy.get());
        const bool startIn = s.Inside(e->GetStartPoint()), endIn = s.Inside(e->GetEndPoint());
        if (s.Inside(e->GetCenterPoint()) && startIn && endIn) {
            e->SetCenterPoint(e->GetCenterPoint() + s.shift);
            break;
        }
        // An end inside moves along the ellipse towards its moved place.
        const double turn = e->GetAngle() * RuVa::DegToRad;
        auto parameterOf = [&](const RuVaPnt2d& p) {
            const double phi = DirectionDeg(e->GetCenterPoint(), p) * RuVa::DegToRad - turn;
            const double t = std::atan2(e->GetMajorRadius() * std::sin(phi), e->GetMinorRadius() * std::cos(phi));
            return t * RuVa::RadToDeg;
        };
        if (startIn)
            e->SetStartAngle(parameterOf(e->GetStartPoint() + s.shift));
        if (endIn)
            e->SetEndAngle(parameterOf(e->GetEndPoint() + s.shift));
        break;
    }
    case FeatureTypeBSplineCurve: {
        auto* b = static_cast<BSplineCurve2dFeature*>(copy.get());
        if (!b->SetPoints(s.Move(b->GetPointArray()), b->GetKind(), b->GetDegree(), b->IsClosed()))
            return nullptr;
        break;
    }
    case FeatureTypeSemiInfiniteLine: {
        auto* r = static_cast<SemiInfiniteLine2dFeature*>(copy.get());
        r->SetPoint(s.Move(r->GetPoint()));
        break;
    }
    case FeatureTypeLead: {
        auto* l = static_cast<Lead2dFeature*>(copy.get());
        if (!l->SetPointArray(s.Move(l->GetPointArray())) || !l->SetTextPoint(s.Move(l->GetTextPoint())))
            return nullptr;
        break;
    }
    case FeatureTypeBalloon: {
        auto* b = static_cast<Balloon2dFeature*>(copy.get());
        if (!b->SetLeadPointArray(s.Move(b->GetLeadPointArray())) || !b->SetCenterPoint(s.Move(b->GetCenterPoint())))
            return nullptr;
        break;
    }
    case FeatureTypeHatch: {
        auto* h = static_cast<Hatch2dFeature*>(copy.get());
        Region2dFeature outer;
        if (!StretchRegion(h->GetOuterRegion(), s, outer) || !h->SetOuterRegion(outer))
            return nullptr;
        std::vector<Region2dFeature> islands((size_t)h->GetInnerRegionCount());
        for (int i = 0; i < h->GetInnerRegionCount(); ++i)
            if (!StretchRegion(h->GetInnerRegion(i), s, islands[(size_t)i]))
                return nullptr;
        h->RemoveAllInnerRegions();
        for (const auto& island : islands)
            if (!h->AddInnerRegions(island))
                return nullptr;
        h->SetPoint(s.Move(h->GetPoint()));
        break;
    }
    case FeatureTypeLinearDimension:
    case FeatureTypeParallelDimension: {
        auto* d = static_cast<LinearDimension2dFeature*>(copy.get());
        const RuVaPnt2d p1 = s.Move(d->GetPoint(0)), p2 = s.Move(d->GetPoint(1));
        if (p1.Distance(p2) < FeatureGeometry::kPointTolerance || !d->SetPoint(0, p1) || !d->SetPoint(1, p2))
            return nullptr;
        if (f->GetFeatureType() == FeatureTypeParallelDimension)
            d->SetDimensionAngle(DirectionDeg(p1, p2));
        d->SetValueTextPoint(s.Move(d->GetValueTextPoint()));
        break;
    }
    case FeatureTypeRadiusDimension: {
        auto* d = static_cast<RadiusDimension2dFeature*>(copy.get());
        d->SetStartPoint(s.Move(d->GetStartPoint()));
        d->SetEndPoint(s.Move(d->GetEndPoint()));
        d->SetSecondPoint(s.Move(d->GetSecondPoint()));
        d->SetValueTextPoint(s.Move(d->GetValueTextPoint()));
        break;
    }
    case FeatureTypeDiameterDimension: {
        auto* d = static_cast<DiameterDimension2dFeature*>(copy.get());
        d->SetStartPoint(s.Move(d->GetStartPoint()));
        d->SetEndPoint(s.Move(d->GetEndPoint()));
        d->SetPoint(s.Move(d->GetPoint()));
        d->SetValueTextPoint(s.Move(d->GetValueTextPoint()));
        break;
    }
    case FeatureTypeImage: {
        auto* img = static_cast<Image2dFeature*>(copy.get());
        KcArrayOfGePnt2d corners;
        img->GetOutlinePoints(corners);
        int inside = 0;
        for (INT_PTR i = 0; i < 4; ++i)
            inside += s.Inside(corners[i]) ? 1 : 0;
        if (inside == 0)
            break;
        if (inside == 4 || img->GetAngle() != 0.0) {
            img->SetPoint(img->GetPoint() + s.shift);
            break;
        }
        // An upright picture takes the box of its moved corners.
        KcArrayOfGePnt2d moved;
        for (INT_PTR i = 0; i < 4; ++i)
            moved.Add(s.Move(corners[i]));
        const RuVaBndBox2d box = moved.GetBndBox();
        if (!img->SetWidth(box.Width()) || !img->SetHeight(box.Height()) || !img->SetAlignment(0) ||
            !img->SetPoint(box.MinPoint()))
            return nullptr;
        break;
    }
    default:
        return nullptr;
    }
    return copy->IsValid() ? copy.release() : nullptr;
}

}  // namespace

bool FeatureStretching::IsStretchableType(int nFeatureType)
{
    switch (nFeatureType) {
    case FeatureTypeLine:
    case FeatureTypePolyline:
    case FeatureTypeArc:
    case FeatureTypeEllipseArc:
    case FeatureTypeBSplineCurve:
    case FeatureTypeSemiInfiniteLine:
    case FeatureTypeLead:
    case FeatureTypeBalloon:
    case FeatureTypeHatch:
    case FeatureTypeLinearDimension:
    case FeatureTypeParallelDimension:
    case FeatureTypeRadiusDimension:
    case FeatureTypeDiameterDimension:
    case FeatureTypeImage:
        return true;
    default:
        return false;
    }
}

Feature2dBase* FeatureStretching::StretchFeature(const Feature2dBase* pFeature, const KcArrayOfGePnt2d& polygon,
                                                 const RuVaPnt2d& base, const RuVaPnt2d& destination)
{
    if (pFeature == nullptr || !pFeature->IsValid() || !IsStretchableType(pFeature->GetFeatureType()) ||
        polygon.GetSize() < 3 || !FeatureGeometry::IsFinitePoint(base) || !FeatureGeometry::IsFinitePoint(destination))
        return nullptr;
    const Stretch s{polygon, destination - base};
    return StretchInto(pFeature, s);
}
