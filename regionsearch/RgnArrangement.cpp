#include "regionsearch/RgnArrangement.h"

#include <algorithm>
#include <cmath>
#include <map>

#include <BndLib_Add2dCurve.hxx>
#include <Bnd_Box2d.hxx>
#include <Geom2dAdaptor_Curve.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_Circle.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <Standard_Failure.hxx>
#include <TColgp_SequenceOfPnt2d.hxx>

#include "regionsearch/RgnSearch.h"

namespace {

constexpr double kPntTol = RgnSearch::kPointTolerance;
constexpr double kInfiniteBound = 1e100;
// Directions closer than this are compared a short way out along the curves, at a distance where
// curvatures differing by c have drawn apart by kTangentReach / 2 radians.
constexpr double kTangentGroup = 1e-3;
constexpr double kTangentReach = 4e-3;
constexpr double kTwoPi = 6.283185307179586476925286766559;

bool IsInfinite(double u)
{
    return std::fabs(u) >= kInfiniteBound;
}

Handle(Geom2d_Curve) Trim(const Handle(Geom2d_Curve)& c, double u1, double u2)
{
    if (c.IsNull() || !(u2 - u1 > 0.0))
        return Handle(Geom2d_Curve)();
    try {
        return new Geom2d_TrimmedCurve(c, u1, u2, Standard_True, Standard_False);
    } catch (const Standard_Failure&) {
        return Handle(Geom2d_Curve)();
    }
}

// A curve running to infinity cut to the box; null when it misses the box or is no line.
Handle(Geom2d_Curve) ClipToBox(const Handle(Geom2d_Curve)& c, const RgnArrangement::Box& box)
{
    Handle(Geom2d_TrimmedCurve) t = Handle(Geom2d_TrimmedCurve)::DownCast(c);
    Handle(Geom2d_Line) line = Handle(Geom2d_Line)::DownCast(t.IsNull() ? c : t->BasisCurve());
    if (line.IsNull())
        return Handle(Geom2d_Curve)();
    double lo = c->FirstParameter(), hi = c->LastParameter();
    const gp_Pnt2d o = line->Location();
    const gp_Dir2d d = line->Direction();
    const double org[2] = {o.X(), o.Y()}, dir[2] = {d.X(), d.Y()};
    const double mins[2] = {box.xmin, box.ymin}, maxs[2] = {box.xmax, box.ymax};
    for (int k = 0; k < 2; ++k) {
        if (std::fabs(dir[k]) < 1e-300) {
            if (org[k] < mins[k] || org[k] > maxs[k])
                return Handle(Geom2d_Curve)();
            continue;
        }
        double a = (mins[k] - org[k]) / dir[k], b = (maxs[k] - org[k]) / dir[k];
        if (a > b)
            std::swap(a, b);
        lo = std::max(lo, a);
        hi = std::min(hi, b);
    }
    return hi - lo > kPntTol ? Trim(line, lo, hi) : Handle(Geom2d_Curve)();
}

// Unit direction in which the curve leaves the point at u, forwards or backwards, and the curvature
// seen along that direction (positive bending left).
void LeavingDirection(const Handle(Geom2d_Curve)& c, double u, bool forward, gp_Vec2d& dir, double& curvature)
{
    gp_Pnt2d p;
    gp_Vec2d d1(0.0, 0.0), d2(0.0, 0.0);
    try {
        if (c->IsCN(2))
            c->D2(u, p, d1, d2);
        else
            c->D1(u, p, d1);
    } catch (const Standard_Failure&) {
    }
    const double m = d1.Magnitude();
    if (m > 1e-12) {
        dir = d1 / m;
        curvature = (d1.X() * d2.Y() - d1.Y() * d2.X()) / (m * m * m);
    } else {
        // A degenerate end: the chord to a point just inside gives the direction.
        const double span = c->LastParameter() - c->FirstParameter();
        const double v = forward ? u + span * 1e-6 : u - span * 1e-6;
        gp_Vec2d chord(c->Value(u), c->Value(v));
        dir = chord.Magnitude() > 0.0 ? chord.Normalized() : gp_Vec2d(1.0, 0.0);
        curvature = 0.0;
        if (!forward)
            dir.Reverse();
    }
    if (!forward) {
        dir.Reverse();
        curvature = -curvature;
    }
}

// Segment from p along dir for length len against a box.
bool SegmentMeetsBox(const gp_Pnt2d& p, const gp_Vec2d& dir, double len, const RgnArrangement::Box& b)
{
    double lo = 0.0, hi = len;
    const double org[2] = {p.X(), p.Y()}, d[2] = {dir.X(), dir.Y()};
    const double mins[2] = {b.xmin, b.ymin}, maxs[2] = {b.xmax, b.ymax};
    for (int k = 0; k < 2; ++k) {
        if (std::fabs(d[k]) < 1e-300) {
            if (org[k] < mins[k] || org[k] > maxs[k])
                return false;
            continue;
        }
        double a = (mins[k] - org[k]) / d[k], e = (maxs[k] - org[k]) / d[k];
        if (a > e)
            std::swap(a, e);
        lo = std::max(lo, a);
        hi = std::min(hi, e);
        if (lo > hi)
            return false;
    }
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------

void RgnArrangement::Box::Add(const Box& o)
{
    if (o.IsVoid())
        return;
    if (IsVoid()) {
        *this = o;
        return;
    }
    xmin = std::min(xmin, o.xmin);
    ymin = std::min(ymin, o.ymin);
    xmax = std::max(xmax, o.xmax);
    ymax = std::max(ymax, o.ymax);
}

void RgnArrangement::Box::Add(const gp_Pnt2d& p)
{
    Box b;
    b.xmin = b.xmax = p.X();
    b.ymin = b.ymax = p.Y();
    Add(b);
}

bool RgnArrangement::ReadSimple(const Handle(Geom2d_Curve)& curve, Simple& s)
{
    s.kind = Simple::kindOther;
    if (curve.IsNull())
        return false;
    const Geom2d_Curve* basis = curve.get();
    if (basis->DynamicType() == STANDARD_TYPE(Geom2d_TrimmedCurve))
        basis = static_cast<const Geom2d_TrimmedCurve*>(basis)->BasisCurve().get();
    const Handle(Standard_Type)& type = basis->DynamicType();
    if (type == STANDARD_TYPE(Geom2d_Line)) {
        const Geom2d_Line* line = static_cast<const Geom2d_Line*>(basis);
        s.kind = Simple::kindLine;
        s.origin = line->Location();
        s.x = gp_Vec2d(line->Direction());
        s.y = gp_Vec2d(-s.x.Y(), s.x.X());
        s.radius = 0.0;
    } else if (type == STANDARD_TYPE(Geom2d_Circle)) {
        const Geom2d_Circle* circle = static_cast<const Geom2d_Circle*>(basis);
        const gp_Ax22d& axes = circle->Position();
        s.kind = Simple::kindCircle;
        s.origin = axes.Location();
        s.x = gp_Vec2d(axes.XDirection());
        s.y = gp_Vec2d(axes.YDirection());
        s.radius = circle->Radius();
    } else {
        return false;
    }
    s.u0 = curve->FirstParameter();
    s.u1 = curve->LastParameter();
    return true;
}

gp_Pnt2d RgnArrangement::Simple::Value(double u) const
{
    if (kind == kindLine)
        return gp_Pnt2d(origin.XY() + x.XY() * u);
    return gp_Pnt2d(origin.XY() + (x.XY() * std::cos(u) + y.XY() * std::sin(u)) * radius);
}

double RgnArrangement::Simple::Parameter(const gp_Pnt2d& p) const
{
    const gp_Vec2d d(origin, p);
    if (kind == kindLine)
        return d.Dot(x);
    double u = std::atan2(d.Dot(y), d.Dot(x));
    if (u < u0 || u >= u0 + kTwoPi)
        u += kTwoPi * std::ceil((u0 - u) / kTwoPi);
    return u >= u0 + kTwoPi ? u - kTwoPi : u;
}

double RgnArrangement::Simple::Distance(const gp_Pnt2d& p, double& u) const
{
    u = Parameter(p);
    if (kind == kindLine) {
        u = std::min(std::max(u, u0), u1);
        return p.Distance(Value(u));
    }
    if (u <= u1)
        return std::fabs(p.Distance(origin) - radius);
    // Beyond the arc: the nearer end.
    const double d0 = p.Distance(Value(u0)), d1 = p.Distance(Value(u1));
    u = d0 <= d1 ? u0 : u1;
    return std::min(d0, d1);
}

RgnArrangement::Box RgnArrangement::CurveBox(const Handle(Geom2d_Curve)& curve)
{
    Box box;
    if (curve.IsNull())
        return box;
    // Pieces of lines and circles: their ends, and the points of the circle furthest along each axis
    // that lie on the arc.
    Simple s;
    if (ReadSimple(curve, s) && !IsInfinite(s.u0) && !IsInfinite(s.u1)) {
        box.Add(s.Value(s.u0));
        box.Add(s.Value(s.u1));
        if (s.kind == Simple::kindCircle) {
            static const double axes[4][2] = {{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}};
            for (const auto& w : axes) {
                const gp_Pnt2d far(s.origin.X() + w[0] * s.radius, s.origin.Y() + w[1] * s.radius);
                if (s.Parameter(far) <= s.u1)
                    box.Add(far);
            }
        }
        box.xmin -= kBoxGap;
        box.ymin -= kBoxGap;
        box.xmax += kBoxGap;
        box.ymax += kBoxGap;
        return box;
    }
    try {
        Bnd_Box2d b;
        BndLib_Add2dCurve::Add(Geom2dAdaptor_Curve(curve), 0.0, b);
        if (b.IsVoid())
            return box;
        b.Get(box.xmin, box.ymin, box.xmax, box.ymax);
        box.xmin -= kBoxGap;
        box.ymin -= kBoxGap;
        box.xmax += kBoxGap;
        box.ymax += kBoxGap;
    } catch (const Standard_Failure&) {
        box = Box();
    }
    return box;
}

double RgnArrangement::SweptArea(const Handle(Geom2d_Curve)& c, const gp_Pnt2d& o)
{
    static const double x8[8] = {-0.9602898564975363, -0.7966664774136267, -0.5255324099163290, -0.1834346424956498,
                                 0.1834346424956498,  0.5255324099163290,  0.7966664774136267,  0.9602898564975363};
    static const double w8[8] = {0.1012285362903763, 0.2223810344533745, 0.3137066458778873, 0.3626837833783620,
                                 0.3626837833783620, 0.3137066458778873, 0.2223810344533745, 0.1012285362903763};
    const double u0 = c->FirstParameter(), u1 = c->LastParameter();
    // Segments and circular arcs in closed form.
    {
        const Geom2d_TrimmedCurve* trimmed = dynamic_cast<const Geom2d_TrimmedCurve*>(c.get());
        const Geom2d_Curve* basis = trimmed != nullptr ? trimmed->BasisCurve().get() : c.get();
        if (dynamic_cast<const Geom2d_Line*>(basis) != nullptr && trimmed != nullptr) {
            const gp_Pnt2d a = c->Value(u0), b = c->Value(u1);
            return (a.X() - o.X()) * (b.Y() - o.Y()) - (a.Y() - o.Y()) * (b.X() - o.X());
        }
        if (const Geom2d_Circle* circle = dynamic_cast<const Geom2d_Circle*>(basis)) {
            // Along a circle of centre m and radius r, (p - o) x dp = (m - o) x dp + r^2 du (less for a
            // clockwise circle), and (m - o) x dp sums to (m - o) x (p1 - p0).
            const gp_Pnt2d m = circle->Location();
            const double r = circle->Radius();
            const gp_Pnt2d a = c->Value(u0), b = c->Value(u1);
            const gp_Ax22d& axes = circle->Position();
            const double sense = axes.XDirection().Crossed(axes.YDirection()) > 0.0 ? 1.0 : -1.0;
            return (m.X() - o.X()) * (b.Y() - a.Y()) - (m.Y() - o.Y()) * (b.X() - a.X()) + sense * r * r * (u1 - u0);
        }
    }
    int spans = 4;
    Handle(Geom2d_TrimmedCurve) t = Handle(Geom2d_TrimmedCurve)::DownCast(c);
    Handle(Geom2d_BSplineCurve) s = Handle(Geom2d_BSplineCurve)::DownCast(t.IsNull() ? c : t->BasisCurve());
    if (!s.IsNull())
        spans = std::min(400, 4 * s->NbKnots());
    double sum = 0.0;
    const double h = (u1 - u0) / spans;
    for (int i = 0; i < spans; ++i) {
        const double a = u0 + h * i, m = a + h * 0.5;
        for (int k = 0; k < 8; ++k) {
            gp_Pnt2d p;
            gp_Vec2d d;
            c->D1(m + x8[k] * h * 0.5, p, d);
            sum += w8[k] * ((p.X() - o.X()) * d.Y() - (p.Y() - o.Y()) * d.X()) * h * 0.5;
        }
    }
    return sum;
}

int RgnArrangement::GetEdgeCount() const
{
    int n = 0;
    for (const Edge& e : m_edges)
        n += e.alive ? 1 : 0;
    return n;
}

int RgnArrangement::VertexAt(const gp_Pnt2d& p)
{
    const double cell = kPntTol;
    const long long cx = static_cast<long long>(std::floor(p.X() / cell));
    const long long cy = static_cast<long long>(std::floor(p.Y() / cell));
    int best = -1;
    double bestDistance = kPntTol;
    for (long long dx = -1; dx <= 1; ++dx) {
        for (long long dy = -1; dy <= 1; ++dy) {
            auto it = m_cells.find({cx + dx, cy + dy});
            if (it == m_cells.end())
                continue;
            for (int v : it->second) {
                const double d = m_vertices[static_cast<size_t>(v)].Distance(p);
                if (d <= bestDistance) {
                    bestDistance = d;
                    best = v;
                }
            }
        }
    }
    if (best != -1)
        return best;
    m_vertices.push_back(p);
    const int v = static_cast<int>(m_vertices.size()) - 1;
    m_cells[{cx, cy}].push_back(v);
    return v;
}

void RgnArrangement::AddEdge(int source, const Handle(Geom2d_Curve)& piece, int v0, int v1)
{
    if (piece.IsNull())
        return;
    Edge e;
    e.curve = piece;
    e.v0 = v0;
    e.v1 = v1;
    e.source = source;
    e.box = CurveBox(piece);
    m_edges.push_back(e);
}

void RgnArrangement::MakeEdges(int source, const Handle(Geom2d_Curve)& curve, std::vector<std::pair<double, int>>& cuts)
{
    const double first = curve->FirstParameter(), last = curve->LastParameter();
    cuts.emplace_back(first, VertexAt(curve->Value(first)));
    cuts.emplace_back(last, VertexAt(curve->Value(last)));
    std::sort(cuts.begin(), cuts.end());
    // Consecutive cuts at one vertex are one cut.
    std::vector<std::pair<double, int>> kept;
    for (const auto& c : cuts) {
        const double u = std::min(std::max(c.first, first), last);
        if (!kept.empty() && kept.back().second == c.second && u - kept.back().first < (last - first) * 1e-6)
            continue;
        kept.emplace_back(u, c.second);
    }
    for (size_t i = 0; i + 1 < kept.size(); ++i) {
        const double u0 = kept[i].first, u1 = kept[i + 1].first;
        const int v0 = kept[i].second, v1 = kept[i + 1].second;
        if (!(u1 > u0))
            continue;
        const bool whole = u0 == first && u1 == last;
        if (v0 == v1) {
            // A piece that comes back to where it left: cut once more at its middle.
            const double mid = 0.5 * (u0 + u1);
            const gp_Pnt2d pm = curve->Value(mid);
            if (pm.Distance(m_vertices[static_cast<size_t>(v0)]) <= kPntTol * 4)
                continue;
            const int vm = VertexAt(pm);
            if (vm == v0)
                continue;
            AddEdge(source, Trim(curve, u0, mid), v0, vm);
            AddEdge(source, Trim(curve, mid, u1), vm, v1);
            continue;
        }
        AddEdge(source, whole ? curve : Trim(curve, u0, u1), v0, v1);
    }
}

int RgnArrangement::Build(const std::vector<Handle(Geom2d_Curve)>& input, const Box& clip, const StepFunction& step)
{
    m_vertices.clear();
    m_cells.clear();
    m_edges.clear();
    m_around.clear();
    m_position.clear();
    m_cycle.clear();
    m_cycleArea.clear();
    m_cycleStart.clear();

    const size_t n = input.size();
    std::vector<Handle(Geom2d_Curve)> curves(n);
    std::vector<Box> boxes(n);
    for (size_t i = 0; i < n; ++i) {
        const Handle(Geom2d_Curve)& c = input[i];
        if (c.IsNull())
            continue;
        curves[i] = (IsInfinite(c->FirstParameter()) || IsInfinite(c->LastParameter())) ? ClipToBox(c, clip) : c;
        if (!curves[i].IsNull())
            boxes[i] = CurveBox(curves[i]);
        if (boxes[i].IsVoid())
            curves[i].Nullify();
    }
    std::vector<size_t> order;
    for (size_t i = 0; i < n; ++i)
        if (!curves[i].IsNull())
            order.push_back(i);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return boxes[a].xmin < boxes[b].xmin; });

    std::vector<std::vector<std::pair<double, int>>> cuts(n);
    TColgp_SequenceOfPnt2d points;
    std::vector<double> ua, ub;
    for (size_t k = 0; k < order.size(); ++k) {
        if (step) {
            const int go = step();
            if (go != resultFound)
                return go;
        }
        const size_t a = order[k];
        for (size_t l = k + 1; l < order.size(); ++l) {
            const size_t b = order[l];
            if (boxes[b].xmin > boxes[a].xmax)
                break;
            if (!boxes[a].Overlaps(boxes[b]))
                continue;
            if (!m_focus.IsVoid()) {
                Box both;
                both.xmin = std::max(boxes[a].xmin, boxes[b].xmin);
                both.ymin = std::max(boxes[a].ymin, boxes[b].ymin);
                both.xmax = std::min(boxes[a].xmax, boxes[b].xmax);
                both.ymax = std::min(boxes[a].ymax, boxes[b].ymax);
                if (!both.Overlaps(m_focus))
                    continue;
            }
            if (!RgnSearch::IntersectCurves(curves[a], curves[b], points, &ua, &ub,
                                            RgnSearch::GetIntersectionTolerance(curves[a], curves[b])))
                continue;
            for (int i = 1; i <= points.Length(); ++i) {
                const int v = VertexAt(points(i));
                cuts[a].emplace_back(ua[static_cast<size_t>(i - 1)], v);
                cuts[b].emplace_back(ub[static_cast<size_t>(i - 1)], v);
            }
        }
    }
    for (size_t i : order)
        MakeEdges(static_cast<int>(i), curves[i], cuts[i]);

    RemoveDuplicateEdges();
    for (;;) {
        PruneDanglingEdges();
        OrderVertices();
        WalkFaces();
        // An edge with one face on both sides is a bridge or a dangling end: it bounds nothing.
        bool removed = false;
        for (size_t e = 0; e < m_edges.size(); ++e) {
            if (m_edges[e].alive && m_cycle[2 * e] == m_cycle[2 * e + 1]) {
                m_edges[e].alive = false;
                removed = true;
            }
        }
        if (!removed)
            break;
    }
    m_cells.clear();  // only needed while vertices are made
    return resultFound;
}

void RgnArrangement::RemoveDuplicateEdges()
{
    std::map<std::pair<int, int>, std::vector<size_t>> byEnds;
    for (size_t e = 0; e < m_edges.size(); ++e) {
        const Edge& edge = m_edges[e];
        byEnds[{std::min(edge.v0, edge.v1), std::max(edge.v0, edge.v1)}].push_back(e);
    }
    for (auto& entry : byEnds) {
        std::vector<size_t>& list = entry.second;
        for (size_t i = 0; i < list.size(); ++i) {
            Edge& a = m_edges[list[i]];
            if (!a.alive)
                continue;
            const double mid = 0.5 * (a.curve->FirstParameter() + a.curve->LastParameter());
            const gp_Pnt2d pm = a.curve->Value(mid);
            for (size_t j = i + 1; j < list.size(); ++j) {
                Edge& b = m_edges[list[j]];
                if (!b.alive || !RgnSearch::IsPointOnCurve(b.curve, pm))
                    continue;
                const bool aYields = m_nFirstYielding >= 0 && a.source >= m_nFirstYielding;
                const bool bYields = m_nFirstYielding >= 0 && b.source >= m_nFirstYielding;
                if (aYields && !bYields) {
                    a.alive = false;
                    break;
                }
                b.alive = false;
            }
        }
    }
}

void RgnArrangement::PruneDanglingEdges()
{
    std::vector<int> degree(m_vertices.size(), 0);
    std::vector<std::vector<int>> edgesAt(m_vertices.size());
    for (size_t e = 0; e < m_edges.size(); ++e) {
        if (!m_edges[e].alive)
            continue;
        ++degree[static_cast<size_t>(m_edges[e].v0)];
        ++degree[static_cast<size_t>(m_edges[e].v1)];
        edgesAt[static_cast<size_t>(m_edges[e].v0)].push_back(static_cast<int>(e));
        edgesAt[static_cast<size_t>(m_edges[e].v1)].push_back(static_cast<int>(e));
    }
    std::vector<int> queue;
    for (size_t v = 0; v < degree.size(); ++v)
        if (degree[v] == 1)
            queue.push_back(static_cast<int>(v));
    while (!queue.empty()) {
        const int v = queue.back();
        queue.pop_back();
        for (int e : edgesAt[static_cast<size_t>(v)]) {
            Edge& edge = m_edges[static_cast<size_t>(e)];
            if (!edge.alive)
                continue;
            edge.alive = false;
            for (int w : {edge.v0, edge.v1})
                if (--degree[static_cast<size_t>(w)] == 1)
                    queue.push_back(w);
        }
    }
}

int RgnArrangement::Origin(int dart) const
{
    const Edge& e = m_edges[static_cast<size_t>(dart / 2)];
    return (dart % 2) == 0 ? e.v0 : e.v1;
}

Handle(Geom2d_Curve) RgnArrangement::DartCurve(int dart) const
{
    const Handle(Geom2d_Curve)& c = m_edges[static_cast<size_t>(dart / 2)].curve;
    if ((dart % 2) == 0)
        return c;
    try {
        return c->Reversed();
    } catch (const Standard_Failure&) {
        return Handle(Geom2d_Curve)();
    }
}

void RgnArrangement::OrderVertices()
{
    m_around.assign(m_vertices.size(), {});
    m_position.assign(m_edges.size() * 2, -1);
    for (size_t e = 0; e < m_edges.size(); ++e) {
        const Edge& edge = m_edges[e];
        if (!edge.alive)
            continue;
        for (int side = 0; side < 2; ++side) {
            gp_Vec2d dir;
            double curvature = 0.0;
            const double u = side == 0 ? edge.curve->FirstParameter() : edge.curve->LastParameter();
            LeavingDirection(edge.curve, u, side == 0, dir, curvature);
            double angle = std::atan2(dir.Y(), dir.X());
            if (angle < 0.0)
                angle += kTwoPi;
            m_around[static_cast<size_t>(side == 0 ? edge.v0 : edge.v1)].push_back(
                {static_cast<int>(2 * e) + side, angle, curvature});
        }
    }
    for (std::vector<Leaving>& around : m_around) {
        if (around.empty())
            continue;
        std::sort(around.begin(), around.end(), [](const Leaving& a, const Leaving& b) { return a.angle < b.angle; });
        // Directions just below a full turn belong with those just above zero.
        while (around.size() > 1 && around.back().angle > around.front().angle + kTwoPi - kTangentGroup) {
            Leaving l = around.back();
            around.pop_back();
            l.angle -= kTwoPi;
            around.insert(around.begin(), l);
        }
        // Nearly equal directions are ordered by where the curves run a short way out, by their turn plus
        // half their curvature times that distance: the meeting point of touching curves is not sharp, so
        // their directions there differ a little, and the one bending right lies clockwise of the other.
        size_t i = 0;
        while (i < around.size()) {
            size_t j = i + 1;
            while (j < around.size() && around[j].angle - around[j - 1].angle < kTangentGroup)
                ++j;
            if (j - i > 1) {
                double reach = 1e300, kmin = 1e300, kmax = -1e300;
                for (size_t k = i; k < j; ++k) {
                    const Edge& e = m_edges[static_cast<size_t>(around[k].dart / 2)];
                    reach = std::min(reach, 0.25 * m_vertices[static_cast<size_t>(e.v0)].Distance(
                                                       m_vertices[static_cast<size_t>(e.v1)]));
                    kmin = std::min(kmin, around[k].curvature);
                    kmax = std::max(kmax, around[k].curvature);
                }
                if (kmax - kmin > 0.0)
                    reach = std::min(reach, kTangentReach / (kmax - kmin));
                std::stable_sort(around.begin() + static_cast<long>(i), around.begin() + static_cast<long>(j),
                                 [reach](const Leaving& a, const Leaving& b) {
                                     const double ka = a.angle + 0.5 * a.curvature * reach;
                                     const double kb = b.angle + 0.5 * b.curvature * reach;
                                     if (std::fabs(ka - kb) > 1e-12)
                                         return ka < kb;
                                     return a.curvature < b.curvature;
                                 });
            }
            i = j;
        }
        for (size_t k = 0; k < around.size(); ++k)
            m_position[static_cast<size_t>(around[k].dart)] = static_cast<int>(k);
    }
}

int RgnArrangement::NextDart(int dart) const
{
    const int twin = dart ^ 1;
    const std::vector<Leaving>& around = m_around[static_cast<size_t>(Origin(twin))];
    const int n = static_cast<int>(around.size());
    const int k = m_position[static_cast<size_t>(twin)];
    return around[static_cast<size_t>((k - 1 + n) % n)].dart;
}

void RgnArrangement::WalkFaces()
{
    m_cycle.assign(m_edges.size() * 2, -1);
    m_cycleArea.clear();
    m_cycleStart.clear();
    if (m_vertices.empty())
        return;
    const gp_Pnt2d origin = m_vertices.front();
    std::vector<double> edgeArea(m_edges.size(), 0.0);
    for (size_t e = 0; e < m_edges.size(); ++e)
        if (m_edges[e].alive)
            edgeArea[e] = SweptArea(m_edges[e].curve, origin);
    const int darts = static_cast<int>(m_edges.size() * 2);
    for (int d = 0; d < darts; ++d) {
        if (!m_edges[static_cast<size_t>(d / 2)].alive || m_cycle[static_cast<size_t>(d)] != -1)
            continue;
        const int id = static_cast<int>(m_cycleArea.size());
        double area = 0.0;
        int cur = d;
        for (int guard = 0; guard <= darts && m_cycle[static_cast<size_t>(cur)] == -1; ++guard) {
            m_cycle[static_cast<size_t>(cur)] = id;
            const double a = edgeArea[static_cast<size_t>(cur / 2)];
            area += (cur % 2) == 0 ? a : -a;
            cur = NextDart(cur);
        }
        m_cycleArea.push_back(0.5 * area);
        m_cycleStart.push_back(d);
    }
}

int RgnArrangement::Locate(const gp_Pnt2d& pick, Handle(TColGeom2d_HSequenceOfCurve)& loop, Box& loopBox) const
{
    loop.Nullify();
    loopBox = Box();
    const int best = LocateCycle(pick);
    if (best == -1)
        return resultOpen;
    // The boundary, starting where one source curve gives way to another so arcs join up whole.
    std::vector<int> darts;
    GetCycleDarts(best, darts);
    size_t first = 0;
    for (size_t i = 0; i < darts.size(); ++i) {
        const int prev = darts[(i + darts.size() - 1) % darts.size()];
        if (m_edges[static_cast<size_t>(prev / 2)].source != m_edges[static_cast<size_t>(darts[i] / 2)].source) {
            first = i;
            break;
        }
    }
    loop = new TColGeom2d_HSequenceOfCurve();
    for (size_t i = 0; i < darts.size(); ++i) {
        const int d = darts[(first + i) % darts.size()];
        Handle(Geom2d_Curve) c = DartCurve(d);
        if (c.IsNull()) {
            loop.Nullify();
            return resultOpen;
        }
        loop->Append(c);
        loopBox.Add(m_edges[static_cast<size_t>(d / 2)].box);
    }
    return resultFound;
}

void RgnArrangement::GetCycleDarts(int cycle, std::vector<int>& darts) const
{
    darts.clear();
    if (cycle < 0 || static_cast<size_t>(cycle) >= m_cycleStart.size())
        return;
    const int start = m_cycleStart[static_cast<size_t>(cycle)];
    int cur = start;
    do {
        darts.push_back(cur);
        cur = NextDart(cur);
    } while (cur != start && darts.size() <= m_edges.size() * 2);
}

gp_Pnt2d RgnArrangement::GetDartMiddle(int dart) const
{
    const Handle(Geom2d_Curve)& c = m_edges[static_cast<size_t>(dart / 2)].curve;
    return c->Value(0.5 * (c->FirstParameter() + c->LastParameter()));
}

int RgnArrangement::GetCycleLeftOf(int source, const gp_Pnt2d& point) const
{
    int best = -1;
    double bestDistance = kPntTol;
    for (size_t e = 0; e < m_edges.size(); ++e) {
        const Edge& edge = m_edges[e];
        if (!edge.alive || edge.source != source)
            continue;
        const gp_Pnt2d a = m_vertices[static_cast<size_t>(edge.v0)], b = m_vertices[static_cast<size_t>(edge.v1)];
        const gp_Vec2d ab(a, b), ap(a, point);
        const double len2 = ab.SquareMagnitude();
        const double t = len2 > 0.0 ? std::min(1.0, std::max(0.0, ap.Dot(ab) / len2)) : 0.0;
        const double d = point.Distance(gp_Pnt2d(a.XY() + ab.XY() * t));
        if (d <= bestDistance) {
            bestDistance = d;
            best = m_cycle[2 * e];
        }
    }
    return best;
}

int RgnArrangement::LocateCycle(const gp_Pnt2d& pick) const
{
    if (m_cycleArea.empty())
        return -1;
    Box all;
    for (const Edge& e : m_edges)
        if (e.alive)
            all.Add(e.box);
    all.Add(pick);
    const double reach = std::hypot(all.xmax - all.xmin, all.ymax - all.ymin) * 2.0 + 1.0;

    // Winding of every boundary round the point, counted along a ray that crosses edges cleanly.
    std::vector<int> winding;
    TColgp_SequenceOfPnt2d points;
    std::vector<double> us, ws;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const double angle = 0.3819660112501051 * kTwoPi * (attempt + 1) + 0.1;
        const gp_Vec2d dir(std::cos(angle), std::sin(angle));
        Handle(Geom2d_Curve) ray = Trim(new Geom2d_Line(pick, gp_Dir2d(dir)), 0.0, reach);
        winding.assign(m_cycleArea.size(), 0);
        bool clean = true;
        for (size_t e = 0; e < m_edges.size() && clean; ++e) {
            const Edge& edge = m_edges[e];
            if (!edge.alive || !SegmentMeetsBox(pick, dir, reach, edge.box))
                continue;
            if (!RgnSearch::IntersectCurves(ray, edge.curve, points, &us, &ws,
                                            RgnSearch::GetIntersectionTolerance(ray, edge.curve)))
                continue;
            for (int i = 1; i <= points.Length(); ++i) {
                const gp_Pnt2d& h = points(i);
                const double scale = std::max(1.0, std::max(std::fabs(h.X()), std::fabs(h.Y())));
                if (h.Distance(m_vertices[static_cast<size_t>(edge.v0)]) < 1e-6 * scale ||
                    h.Distance(m_vertices[static_cast<size_t>(edge.v1)]) < 1e-6 * scale) {
                    clean = false;
                    break;
                }
                gp_Vec2d t;
                double curvature = 0.0;
                LeavingDirection(edge.curve, ws[static_cast<size_t>(i - 1)], true, t, curvature);
                const double cross = dir.X() * t.Y() - dir.Y() * t.X();
                if (std::fabs(cross) < 1e-6) {
                    clean = false;
                    break;
                }
                const int left = cross > 0.0 ? 0 : 1;  // the dart that crosses from right to left
                ++winding[static_cast<size_t>(m_cycle[2 * e + static_cast<size_t>(left)])];
                --winding[static_cast<size_t>(m_cycle[2 * e + static_cast<size_t>(1 - left)])];
            }
        }
        if (clean)
            break;
    }
    int best = -1;
    for (size_t c = 0; c < m_cycleArea.size(); ++c) {
        if (winding[c] <= 0 || !(m_cycleArea[c] > 0.0))
            continue;
        if (best == -1 || m_cycleArea[c] < m_cycleArea[static_cast<size_t>(best)])
            best = static_cast<int>(c);
    }
    return best;
}
