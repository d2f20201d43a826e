#include "libs/vevure/FeatureConstrainedCircle.h"

#include <algorithm>
#include <cmath>

#include <Geom2dAPI_ProjectPointOnCurve.hxx>
#include <Geom2dAdaptor_Curve.hxx>
#include <Geom2dGcc_Circ2d2TanRad.hxx>
#include <Geom2dGcc_Circ2d3Tan.hxx>
#include <Geom2dGcc_Circ2dTanCen.hxx>
#include <Geom2dGcc_QualifiedCurve.hxx>
#include <Geom2d_CartesianPoint.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <Precision.hxx>
#include <Standard_Failure.hxx>
#include <gp_Ax2d.hxx>
#include <gp_Circ2d.hxx>

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaCircle2d.h"
#include "libs/ruva/RuVaLine2d.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/zuruda/KcOcConv.h"

namespace {

constexpr double kSolverTolerance = 1e-10;
// Radii beyond this are the solver's way of saying "a line": not a circle.
constexpr double kMaxRadius = 1e10;
constexpr int kMaxSegments = 1024;
// Starting parameters tried on a curve for which the kernel iterates from a guess.
constexpr int kSeedsPerCurve = 6;

bool IsFinite(const RuVaPnt2d& p) { return std::isfinite(p.X()) && std::isfinite(p.Y()); }

}  // namespace

// One piece of a shape: what goes to the kernel's solver (whole lines and circles) and what a solution is
// checked against (a polyline's segment within its ends).
struct FeatureConstrainedCircle::Tangent {
    struct Piece {
        Handle(Geom2d_Curve) solve;
        Handle(Geom2d_Curve) check;
        int kind = 0;  // 0 line, 1 circle, 2 other (iterated)
        RuVaPnt2d centre;  // of a circle
        double radius = 0.0;
    };
    std::vector<Piece> pieces;

    // FALSE for a NULL shape or one that is no usable curve.
    BOOL Init(const Feature2dBase* pShape)
    {
        pieces.clear();
        if (pShape == nullptr)
            return FALSE;
        std::unique_ptr<RuVaEntity2d> entity(ConvertFeatureToGeom2d::Convert(pShape));
        if (!entity || !entity->IsCurveEntity() || !entity->IsDone())
            return FALSE;
        try {
            const auto* pCurve = static_cast<const RuVaCurveEnt2d*>(entity.get());
            switch (entity->GetEntityType()) {
            case RuVaEntity2d::kLine:
            case RuVaEntity2d::kHalfLine:
            case RuVaEntity2d::kLineSeg: {
                std::unique_ptr<RuVaCurveEnt2d> basis(pCurve->CreateBasisCurve());
                if (!basis || basis->GetEntityType() != RuVaEntity2d::kLine)
                    return FALSE;
                const auto* pLine = static_cast<const RuVaLine2d*>(basis.get());
                Piece piece;
                piece.solve = new Geom2d_Line(KcOcConv::KcToOcPnt2d(pLine->Location()),
                                              KcOcConv::KcToOcDir2d(pLine->Direction()));
                piece.check = piece.solve;
                piece.kind = 0;
                pieces.push_back(piece);
                break;
            }
            case RuVaEntity2d::kCircle:
            case RuVaEntity2d::kArc: {
                const auto* pCircle = static_cast<const RuVaCircle2d*>(pCurve);
                RuVaCircle2d whole(pCircle->GetCenter(), pCircle->GetRadius());
                Piece piece;
                piece.solve = KcOcConv::ConvertToOcCurve(whole);
                piece.check = piece.solve;
                piece.kind = 1;
                piece.centre = whole.GetCenter();
                piece.radius = whole.GetRadius();
                if (piece.solve.IsNull())
                    return FALSE;
                pieces.push_back(piece);
                break;
            }
            case RuVaEntity2d::kEllipse:
            case RuVaEntity2d::kEllipseArc:
            case RuVaEntity2d::kBSplineCurve: {
                std::unique_ptr<RuVaCurveEnt2d> basis(entity->GetEntityType() == RuVaEntity2d::kEllipseArc
                                                          ? pCurve->CreateBasisCurve()
                                                          : pCurve->Clone());
                Piece piece;
                piece.solve = KcOcConv::ConvertToOcCurve(basis.get());
                if (piece.solve.IsNull())
                    return FALSE;
                piece.check = piece.solve;
                piece.kind = 2;
                pieces.push_back(piece);
                break;
            }
            case RuVaEntity2d::kPointSequence: {
                const KcArrayOfGePnt2d& points = static_cast<const RuVaArrayPnt2d*>(pCurve)->Sequence();
                for (INT_PTR i = 0; i + 1 < points.GetSize() && static_cast<int>(pieces.size()) < kMaxSegments; ++i) {
                    const RuVaPnt2d& a = points.GetAt(i);
                    const RuVaPnt2d& b = points.GetAt(i + 1);
                    const double length = a.Distance(b);
                    if (!(length > 1e-12))
                        continue;
                    Piece piece;
                    Handle(Geom2d_Line) line = new Geom2d_Line(
                        KcOcConv::KcToOcPnt2d(a), gp_Dir2d((b.X() - a.X()) / length, (b.Y() - a.Y()) / length));
                    piece.solve = line;
                    piece.check = new Geom2d_TrimmedCurve(line, 0.0, length);
                    piece.kind = 0;
                    pieces.push_back(piece);
                }
                break;
            }
            default:
                return FALSE;
            }
        } catch (const Standard_Failure&) {
            pieces.clear();
        }
        return pieces.empty() ? FALSE : TRUE;
    }
};

namespace {

using Piece = FeatureConstrainedCircle::Tangent::Piece;

// The point of the piece where a circle about the centre with the radius touches it; FALSE when it does
// not touch it.
bool Touches(const Piece& piece, const RuVaPnt2d& centre, double radius, RuVaPnt2d& contact)
{
    const double tolerance = 1e-6 * std::max(1.0, radius);
    if (piece.kind == 1) {
        const double d = centre.Distance(piece.centre);
        RuVaDir2d toward;
        if (d > 1e-12) {
            toward = RuVaDir2d(piece.centre.X() - centre.X(), piece.centre.Y() - centre.Y());
        }
        // The nearest and the farthest point of the circle from the centre.
        const double nearDistance = std::fabs(d - piece.radius);
        const double farDistance = d + piece.radius;
        if (std::fabs(nearDistance - radius) <= tolerance) {
            const double sign = d >= piece.radius ? 1.0 : -1.0;
            const double t = d >= piece.radius ? d - piece.radius : piece.radius - d;
            contact = RuVaPnt2d(centre.X() + sign * toward.X() * t, centre.Y() + sign * toward.Y() * t);
            if (d <= 1e-12)
                contact = RuVaPnt2d(centre.X() + radius, centre.Y());
            return true;
        }
        if (std::fabs(farDistance - radius) <= tolerance) {
            contact = RuVaPnt2d(centre.X() + toward.X() * farDistance, centre.Y() + toward.Y() * farDistance);
            return true;
        }
        return false;
    }
    try {
        Geom2dAPI_ProjectPointOnCurve projection(KcOcConv::KcToOcPnt2d(centre), piece.check);
        double best = tolerance;
        bool found = false;
        for (int i = 1; i <= projection.NbPoints(); ++i) {
            const double gap = std::fabs(projection.Distance(i) - radius);
            if (gap <= best) {
                best = gap;
                contact = KcOcConv::OcToKcPnt2d(projection.Point(i));
                found = true;
            }
        }
        return found;
    } catch (const Standard_Failure&) {
        return false;
    }
}

// Starting parameters for a piece the kernel iterates on, around the given reference point.
std::vector<double> Seeds(const Piece& piece, const RuVaPnt2d& reference, double scale)
{
    std::vector<double> seeds;
    if (piece.kind == 0) {
        Handle(Geom2d_Line) line = Handle(Geom2d_Line)::DownCast(piece.solve);
        double u = 0.0;
        if (!line.IsNull()) {
            const gp_Pnt2d location = line->Location();
            const gp_Dir2d direction = line->Direction();
            u = (reference.X() - location.X()) * direction.X() + (reference.Y() - location.Y()) * direction.Y();
        }
        for (double f : {-1.0, 0.0, 1.0})
            seeds.push_back(u + f * scale);
        return seeds;
    }
    const double first = piece.solve->FirstParameter();
    const double last = piece.solve->LastParameter();
    if (Precision::IsInfinite(first) || Precision::IsInfinite(last))
        return {0.0};
    const int count = piece.kind == 1 ? 4 : kSeedsPerCurve;
    const bool closed = piece.solve->IsPeriodic() || piece.solve->IsClosed();
    for (int i = 0; i < count; ++i) {
        const double f = closed ? (i + 0.5) / count : (count == 1 ? 0.5 : static_cast<double>(i) / (count - 1));
        seeds.push_back(first + f * (last - first));
    }
    return seeds;
}

// A representative point of a piece and its size, for the seeds.
void Reference(const Piece& piece, RuVaPnt2d& point, double& size)
{
    point = RuVaPnt2d(0.0, 0.0);
    size = 1.0;
    if (piece.kind == 0) {
        Handle(Geom2d_Line) line = Handle(Geom2d_Line)::DownCast(piece.solve);
        if (!line.IsNull())
            point = KcOcConv::OcToKcPnt2d(line->Location());
        return;
    }
    const double first = piece.solve->FirstParameter();
    const double last = piece.solve->LastParameter();
    if (Precision::IsInfinite(first) || Precision::IsInfinite(last))
        return;
    double x = 0.0;
    double y = 0.0;
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    constexpr int kSamples = 8;
    for (int i = 0; i < kSamples; ++i) {
        const gp_Pnt2d p = piece.solve->Value(first + (last - first) * i / kSamples);
        x += p.X();
        y += p.Y();
        minX = std::min(minX, p.X());
        minY = std::min(minY, p.Y());
        maxX = std::max(maxX, p.X());
        maxY = std::max(maxY, p.Y());
    }
    point = RuVaPnt2d(x / kSamples, y / kSamples);
    size = std::max({maxX - minX, maxY - minY, 1e-6});
}

Geom2dGcc_QualifiedCurve Qualified(const Geom2dAdaptor_Curve& adaptor)
{
    return Geom2dGcc_QualifiedCurve(adaptor, GccEnt_unqualified);
}

Handle(Geom2d_Point) OcPoint(const RuVaPnt2d& p) { return new Geom2d_CartesianPoint(KcOcConv::KcToOcPnt2d(p)); }

// A circle touching curves and passing points, refined by Newton's method from the starting parameters on
// the curves (the kernel's own iteration gives up too often on ellipses and B-splines). The unknowns are
// the centre, the radius and one parameter per curve; each curve asks that the centre lie at the radius
// along the curve's normal from the parameter's point, each point that it lie at the radius from it.
bool RefineCircle(const std::vector<const Piece*>& pieces, const std::vector<RuVaPnt2d>& points,
                  const std::vector<double>& seeds, double scale, gp_Circ2d& result)
{
    const size_t k = pieces.size();
    const size_t n = 3 + k;
    if (k + points.size() != 3)
        return false;
    // The circle through the seed points and the given points starts the iteration.
    std::vector<gp_Pnt2d> start;
    for (size_t i = 0; i < k; ++i)
        start.push_back(pieces[i]->solve->Value(seeds[i]));
    for (const RuVaPnt2d& p : points)
        start.push_back(KcOcConv::KcToOcPnt2d(p));
    const double ax = start[0].X(), ay = start[0].Y();
    const double bx = start[1].X() - ax, by = start[1].Y() - ay;
    const double cx = start[2].X() - ax, cy = start[2].Y() - ay;
    const double det = 2.0 * (bx * cy - by * cx);
    if (std::fabs(det) <= 1e-12 * scale * scale)
        return false;
    const double ux = (cy * (bx * bx + by * by) - by * (cx * cx + cy * cy)) / det;
    const double uy = (bx * (cx * cx + cy * cy) - cx * (bx * bx + by * by)) / det;
    std::vector<double> x(n);
    x[0] = ax + ux;
    x[1] = ay + uy;
    x[2] = std::sqrt(ux * ux + uy * uy);
    for (size_t i = 0; i < k; ++i)
        x[3 + i] = seeds[i];
    // Which side of each curve the centre lies on stays as the start has it.
    std::vector<double> side(k, 1.0);
    for (size_t i = 0; i < k; ++i) {
        gp_Pnt2d p;
        gp_Vec2d d;
        pieces[i]->solve->D1(seeds[i], p, d);
        const double dot = (x[0] - p.X()) * -d.Y() + (x[1] - p.Y()) * d.X();
        side[i] = dot >= 0.0 ? 1.0 : -1.0;
    }
    // The residuals and their derivatives (row by row: the centre's x and y, the radius, the parameters).
    std::vector<double> f(n);
    std::vector<double> jacobian(n * n);
    auto evaluate = [&](const std::vector<double>& v) -> bool {
        std::fill(jacobian.begin(), jacobian.end(), 0.0);
        size_t row = 0;
        for (size_t i = 0; i < k; ++i) {
            gp_Pnt2d p;
            gp_Vec2d d1;
            gp_Vec2d d2;
            pieces[i]->solve->D2(v[3 + i], p, d1, d2);
            const double length = d1.Magnitude();
            if (!(length > 1e-300))
                return false;
            // The unit normal (the tangent turned a quarter left) and its derivative along the curve.
            const double nx = -d1.Y() / length;
            const double ny = d1.X() / length;
            const double dot = d1.X() * d2.X() + d1.Y() * d2.Y();
            const double l3 = length * length * length;
            const double dnx = -d2.Y() / length + d1.Y() * dot / l3;
            const double dny = d2.X() / length - d1.X() * dot / l3;
            const double rho = side[i] * v[2];
            f[row] = p.X() + rho * nx - v[0];
            jacobian[row * n + 0] = -1.0;
            jacobian[row * n + 2] = side[i] * nx;
            jacobian[row * n + 3 + i] = d1.X() + rho * dnx;
            ++row;
            f[row] = p.Y() + rho * ny - v[1];
            jacobian[row * n + 1] = -1.0;
            jacobian[row * n + 2] = side[i] * ny;
            jacobian[row * n + 3 + i] = d1.Y() + rho * dny;
            ++row;
        }
        for (const RuVaPnt2d& p : points) {
            const double dx = v[0] - p.X();
            const double dy = v[1] - p.Y();
            const double distance = std::hypot(dx, dy);
            if (!(distance > 1e-300))
                return false;
            f[row] = distance - v[2];
            jacobian[row * n + 0] = dx / distance;
            jacobian[row * n + 1] = dy / distance;
            jacobian[row * n + 2] = -1.0;
            ++row;
        }
        return true;
    };
    for (int iteration = 0; iteration < 40; ++iteration) {
        if (!evaluate(x))
            return false;
        double norm = 0.0;
        for (double value : f)
            norm = std::max(norm, std::fabs(value));
        if (norm <= 1e-13 * std::max(scale, std::fabs(x[2]))) {
            if (!(x[2] > 1e-7))
                return false;
            result = gp_Circ2d(gp_Ax2d(gp_Pnt2d(x[0], x[1]), gp_Dir2d(1.0, 0.0)), x[2]);
            return true;
        }
        // Solve J dx = -f by elimination with partial pivoting.
        std::vector<double> a = jacobian;
        std::vector<double> b(n);
        for (size_t i = 0; i < n; ++i)
            b[i] = -f[i];
        for (size_t c = 0; c < n; ++c) {
            size_t pivot = c;
            for (size_t r = c + 1; r < n; ++r) {
                if (std::fabs(a[r * n + c]) > std::fabs(a[pivot * n + c]))
                    pivot = r;
            }
            if (std::fabs(a[pivot * n + c]) < 1e-300)
                return false;
            if (pivot != c) {
                for (size_t j = 0; j < n; ++j)
                    std::swap(a[c * n + j], a[pivot * n + j]);
                std::swap(b[c], b[pivot]);
            }
            for (size_t r = c + 1; r < n; ++r) {
                const double m = a[r * n + c] / a[c * n + c];
                for (size_t j = c; j < n; ++j)
                    a[r * n + j] -= m * a[c * n + j];
                b[r] -= m * b[c];
            }
        }
        std::vector<double> dx(n);
        for (size_t c = n; c-- > 0;) {
            double sum = b[c];
            for (size_t j = c + 1; j < n; ++j)
                sum -= a[c * n + j] * dx[j];
            dx[c] = sum / a[c * n + c];
        }
        // Steps longer than the drawing are cut back, so that a bad start cannot run away.
        double longest = 0.0;
        for (double value : dx)
            longest = std::max(longest, std::fabs(value));
        const double limit = 10.0 * scale;
        const double factor = longest > limit ? limit / longest : 1.0;
        for (size_t i = 0; i < n; ++i) {
            x[i] += factor * dx[i];
            if (!std::isfinite(x[i]))
                return false;
        }
        for (size_t i = 0; i < k; ++i) {
            const Handle(Geom2d_Curve)& curve = pieces[i]->solve;
            if (curve->IsPeriodic())
                continue;
            const double first = curve->FirstParameter();
            const double last = curve->LastParameter();
            if (!Precision::IsInfinite(first))
                x[3 + i] = std::max(x[3 + i], first);
            if (!Precision::IsInfinite(last))
                x[3 + i] = std::min(x[3 + i], last);
        }
        if (std::fabs(x[2]) > kMaxRadius)
            return false;
    }
    return false;
}

template <class Solver>
void Collect(const Solver& solver, std::vector<gp_Circ2d>& out)
{
    if (!solver.IsDone())
        return;
    for (int i = 1; i <= solver.NbSolutions(); ++i)
        out.push_back(solver.ThisSolution(i));
}

// Every combination of seeds, one per piece, visited in order (the last piece fastest).
template <class Visit>
void ForEachSeed(const std::vector<std::vector<double>>& seeds, Visit visit)
{
    std::vector<size_t> index(seeds.size(), 0);
    std::vector<double> values(seeds.size(), 0.0);
    for (;;) {
        for (size_t i = 0; i < seeds.size(); ++i)
            values[i] = seeds[i][index[i]];
        visit(values);
        size_t k = seeds.size();
        while (k > 0) {
            --k;
            if (++index[k] < seeds[k].size())
                break;
            index[k] = 0;
            if (k == 0)
                return;
        }
        if (seeds.empty())
            return;
    }
}

}  // namespace

FeatureConstrainedCircle::FeatureConstrainedCircle() = default;
FeatureConstrainedCircle::~FeatureConstrainedCircle() = default;

void FeatureConstrainedCircle::Reset() { m_solutions.clear(); }

const RuVaCurveEnt2d* FeatureConstrainedCircle::GetConstrainedCurve(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetConstrainedCount())
        return nullptr;
    return m_solutions[static_cast<size_t>(nIndex)].get();
}

int FeatureConstrainedCircle::GetNearestConstrained(const RuVaPnt2d& point) const
{
    if (!IsFinite(point))
        return -1;
    int nBest = -1;
    double best = 0.0;
    for (int i = 0; i < GetConstrainedCount(); ++i) {
        const auto* pCircle = static_cast<const RuVaCircle2d*>(m_solutions[static_cast<size_t>(i)].get());
        double distance = std::fabs(point.Distance(pCircle->GetCenter()) - pCircle->GetRadius());
        if (pCircle->GetEntityType() == RuVaEntity2d::kArc) {
            const auto* pArc = static_cast<const RuVaArc2d*>(pCircle);
            if (!pArc->ContainsAngle(pArc->AngleOfPoint(point))) {
                RuVaPnt2d start;
                RuVaPnt2d end;
                pArc->GetStartPoint(start);
                pArc->GetEndPoint(end);
                distance = std::min(point.Distance(start), point.Distance(end));
            }
        }
        if (nBest < 0 || distance < best) {
            nBest = i;
            best = distance;
        }
    }
    return nBest;
}

BOOL FeatureConstrainedCircle::Solve(const std::vector<const Feature2dBase*>& shapes,
                                     const std::vector<RuVaPnt2d>& points, const double* pRadius,
                                     const RuVaPnt2d* pCentre, std::vector<Circle>& circles) const
{
    circles.clear();
    for (const RuVaPnt2d& p : points) {
        if (!IsFinite(p))
            return FALSE;
    }
    if (pCentre != nullptr && !IsFinite(*pCentre))
        return FALSE;
    if (pRadius != nullptr && !(*pRadius > 1e-7 && *pRadius < kMaxRadius))
        return FALSE;
    for (size_t i = 0; i < points.size(); ++i) {
        for (size_t j = i + 1; j < points.size(); ++j) {
            if (points[i].Distance(points[j]) <= 1e-7)
                return FALSE;
        }
    }

    std::vector<Tangent> tangents(shapes.size());
    for (size_t i = 0; i < shapes.size(); ++i) {
        if (!tangents[i].Init(shapes[i]))
            return FALSE;
    }

    // Circles through two points with a radius need no kernel.
    if (shapes.empty()) {
        if (points.size() != 2 || pRadius == nullptr)
            return FALSE;
        const RuVaPnt2d& a = points[0];
        const RuVaPnt2d& b = points[1];
        const double d = a.Distance(b);
        const double r = *pRadius;
        const double h2 = r * r - d * d / 4.0;
        const RuVaPnt2d middle((a.X() + b.X()) / 2.0, (a.Y() + b.Y()) / 2.0);
        if (h2 < -1e-12 * r * r)
            return TRUE;
        if (h2 <= 1e-18 * r * r) {
            circles.push_back({middle, d / 2.0, {a, b}});
            return TRUE;
        }
        const double h = std::sqrt(h2);
        const double nx = -(b.Y() - a.Y()) / d;
        const double ny = (b.X() - a.X()) / d;
        for (double sign : {1.0, -1.0})
            circles.push_back({RuVaPnt2d(middle.X() + sign * h * nx, middle.Y() + sign * h * ny), r, {a, b}});
        return TRUE;
    }

    // The reference point and size of the whole problem, for the starting guesses.
    double scale = 1.0;
    RuVaPnt2d reference(0.0, 0.0);
    {
        double x = 0.0;
        double y = 0.0;
        int n = 0;
        for (const Tangent& t : tangents) {
            for (const Piece& piece : t.pieces) {
                RuVaPnt2d p;
                double size = 1.0;
                Reference(piece, p, size);
                x += p.X();
                y += p.Y();
                ++n;
                scale = std::max(scale, size);
            }
        }
        for (const RuVaPnt2d& p : points) {
            x += p.X();
            y += p.Y();
            ++n;
        }
        if (pCentre != nullptr) {
            x += pCentre->X();
            y += pCentre->Y();
            ++n;
        }
        if (n > 0)
            reference = RuVaPnt2d(x / n, y / n);
        if (pRadius != nullptr)
            scale = std::max(scale, *pRadius);
    }

    std::vector<size_t> pick(tangents.size(), 0);
    int combinations = 0;
    std::vector<Circle> rejected;
    for (;;) {
        std::vector<const Piece*> chosen;
        for (size_t i = 0; i < tangents.size(); ++i)
            chosen.push_back(&tangents[i].pieces[pick[i]]);

        std::vector<gp_Circ2d> found;
        try {
            std::vector<Geom2dAdaptor_Curve> adaptors;
            bool iterate = false;
            for (const Piece* p : chosen) {
                adaptors.emplace_back(p->solve);
                iterate = iterate || p->kind == 2;
            }
            std::vector<std::vector<double>> seeds;
            if (iterate) {
                for (const Piece* p : chosen)
                    seeds.push_back(Seeds(*p, reference, scale));
            } else {
                seeds.assign(chosen.size(), {0.0});
            }
            if (pCentre != nullptr && chosen.size() == 1) {
                Geom2dGcc_Circ2dTanCen solver(Qualified(adaptors[0]), OcPoint(*pCentre), kSolverTolerance);
                Collect(solver, found);
            } else if (pRadius != nullptr && chosen.size() == 2) {
                Geom2dGcc_Circ2d2TanRad solver(Qualified(adaptors[0]), Qualified(adaptors[1]), *pRadius,
                                               kSolverTolerance);
                Collect(solver, found);
            } else if (pRadius != nullptr && chosen.size() == 1 && points.size() == 1) {
                Geom2dGcc_Circ2d2TanRad solver(Qualified(adaptors[0]), OcPoint(points[0]), *pRadius,
                                               kSolverTolerance);
                Collect(solver, found);
            } else if (pRadius == nullptr && chosen.size() + points.size() == 3 && iterate) {
                ForEachSeed(seeds, [&](const std::vector<double>& u) {
                    gp_Circ2d circle;
                    if (RefineCircle(chosen, points, u, scale, circle))
                        found.push_back(circle);
                });
            } else if (pRadius == nullptr && chosen.size() == 3) {
                Geom2dGcc_Circ2d3Tan solver(Qualified(adaptors[0]), Qualified(adaptors[1]), Qualified(adaptors[2]),
                                            kSolverTolerance, 0.0, 0.0, 0.0);
                Collect(solver, found);
            } else if (pRadius == nullptr && chosen.size() == 2 && points.size() == 1) {
                Geom2dGcc_Circ2d3Tan solver(Qualified(adaptors[0]), Qualified(adaptors[1]), OcPoint(points[0]),
                                            kSolverTolerance, 0.0, 0.0);
                Collect(solver, found);
            } else if (pRadius == nullptr && chosen.size() == 1 && points.size() == 2) {
                Geom2dGcc_Circ2d3Tan solver(Qualified(adaptors[0]), OcPoint(points[0]), OcPoint(points[1]),
                                            kSolverTolerance, 0.0);
                Collect(solver, found);
            } else {
                return FALSE;
            }
        } catch (const Standard_Failure&) {
            found.clear();
        }

        // Keep the circles that really touch every piece and pass through every point, once each.
        for (const gp_Circ2d& c : found) {
            const RuVaPnt2d centre = KcOcConv::OcToKcPnt2d(c.Location());
            const double radius = c.Radius();
            if (!IsFinite(centre) || !(radius > 1e-7 && radius < kMaxRadius))
                continue;
            const double tolerance = 1e-6 * std::max(1.0, radius);
            // Several starts lead to one circle: check each circle once.
            auto same = [&](const Circle& other) {
                return other.centre.Distance(centre) <= tolerance && std::fabs(other.radius - radius) <= tolerance;
            };
            if (std::any_of(circles.begin(), circles.end(), same) || std::any_of(rejected.begin(), rejected.end(), same))
                continue;
            Circle circle{centre, radius, {}};
            bool ok = true;
            for (const Piece* p : chosen) {
                RuVaPnt2d contact;
                if (!Touches(*p, centre, radius, contact)) {
                    ok = false;
                    break;
                }
                circle.contacts.push_back(contact);
            }
            for (const RuVaPnt2d& p : points) {
                if (!ok || std::fabs(p.Distance(centre) - radius) > tolerance) {
                    ok = false;
                    break;
                }
                circle.contacts.push_back(p);
            }
            if (ok && pCentre != nullptr && centre.Distance(*pCentre) > tolerance)
                ok = false;
            if (ok)
                circles.push_back(circle);
            else
                rejected.push_back(circle);
        }

        if (++combinations >= kMaxCombinations)
            break;
        size_t k = tangents.size();
        bool more = false;
        while (k > 0) {
            --k;
            if (++pick[k] < tangents[k].pieces.size()) {
                more = true;
                break;
            }
            pick[k] = 0;
        }
        if (!more)
            break;
    }
    return TRUE;
}

void FeatureConstrainedCircle::KeepCircles(const std::vector<Circle>& circles)
{
    for (const Circle& c : circles)
        m_solutions.push_back(std::make_unique<RuVaCircle2d>(c.centre, c.radius));
}

void FeatureConstrainedCircle::KeepArcs(const std::vector<Circle>& circles)
{
    for (const Circle& c : circles) {
        const RuVaCircle2d circle(c.centre, c.radius);
        std::vector<double> angles;
        for (const RuVaPnt2d& p : c.contacts)
            angles.push_back(circle.AngleOfPoint(p));
        std::sort(angles.begin(), angles.end());
        std::vector<double> distinct;
        for (double a : angles) {
            if (distinct.empty() || a - distinct.back() > 1e-9)
                distinct.push_back(a);
        }
        if (distinct.size() > 1 && distinct.front() + RuVa::TwoPi - distinct.back() <= 1e-9)
            distinct.pop_back();
        if (distinct.size() < 2)
            continue;
        // Leaving out one gap between neighbouring contacts gives an arc through all of them.
        const size_t n = distinct.size();
        for (size_t i = 0; i < n; ++i) {
            auto arc = std::make_unique<RuVaArc2d>(c.centre, c.radius, distinct[(i + 1) % n], distinct[i]);
            if (arc->IsDone())
                m_solutions.push_back(std::move(arc));
        }
    }
}

BOOL FeatureConstrainedCircle::FindConstrainedCircle(const RuVaPnt2d& point1, const RuVaPnt2d& point2,
                                                     double dRadius)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({}, {point1, point2}, &dRadius, nullptr, circles))
        return FALSE;
    KeepCircles(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedCircle(const Feature2dBase* pShape1, const Feature2dBase* pShape2,
                                                     const RuVaPnt2d& point)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape1, pShape2}, {point}, nullptr, nullptr, circles))
        return FALSE;
    KeepCircles(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedCircle(const Feature2dBase* pShape1, const Feature2dBase* pShape2,
                                                     double dRadius)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape1, pShape2}, {}, &dRadius, nullptr, circles))
        return FALSE;
    KeepCircles(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedCircle(const Feature2dBase* pShape1, const Feature2dBase* pShape2,
                                                     const Feature2dBase* pShape3)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape1, pShape2, pShape3}, {}, nullptr, nullptr, circles))
        return FALSE;
    KeepCircles(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedCircle(const Feature2dBase* pShape, const RuVaPnt2d& centre)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape}, {}, nullptr, &centre, circles))
        return FALSE;
    KeepCircles(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedCircle(const Feature2dBase* pShape, const RuVaPnt2d& point1,
                                                     const RuVaPnt2d& point2)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape}, {point1, point2}, nullptr, nullptr, circles))
        return FALSE;
    KeepCircles(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedCircle(const Feature2dBase* pShape, const RuVaPnt2d& point,
                                                     double dRadius)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape}, {point}, &dRadius, nullptr, circles))
        return FALSE;
    KeepCircles(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedArc(const RuVaPnt2d& point1, const RuVaPnt2d& point2, double dRadius)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({}, {point1, point2}, &dRadius, nullptr, circles))
        return FALSE;
    KeepArcs(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedArc(const Feature2dBase* pShape1, const Feature2dBase* pShape2,
                                                  const RuVaPnt2d& point)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape1, pShape2}, {point}, nullptr, nullptr, circles))
        return FALSE;
    KeepArcs(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedArc(const Feature2dBase* pShape1, const Feature2dBase* pShape2,
                                                  double dRadius)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape1, pShape2}, {}, &dRadius, nullptr, circles))
        return FALSE;
    KeepArcs(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedArc(const Feature2dBase* pShape1, const Feature2dBase* pShape2,
                                                  const Feature2dBase* pShape3)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape1, pShape2, pShape3}, {}, nullptr, nullptr, circles))
        return FALSE;
    KeepArcs(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedArc(const Feature2dBase* pShape, const RuVaPnt2d& point1,
                                                  const RuVaPnt2d& point2)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape}, {point1, point2}, nullptr, nullptr, circles))
        return FALSE;
    KeepArcs(circles);
    return TRUE;
}

BOOL FeatureConstrainedCircle::FindConstrainedArc(const Feature2dBase* pShape, const RuVaPnt2d& point, double dRadius)
{
    Reset();
    std::vector<Circle> circles;
    if (!Solve({pShape}, {point}, &dRadius, nullptr, circles))
        return FALSE;
    KeepArcs(circles);
    return TRUE;
}
