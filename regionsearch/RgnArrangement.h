#pragma once
// The faces into which a set of curves cuts the plane, and the one around a point. Every curve is split
// at every point where it meets another, the pieces become edges between shared vertices, and the faces
// are walked by taking at every vertex the next edge clockwise from the one arrived by (tangents first,
// then curvature, so that curves touching at a tangent are ordered right). Edges that bound no face on
// either side (dangling ends, bridges between separate outlines) are dropped first. The face around a
// point is then the smallest counter-clockwise boundary that winds round it; outlines lying inside it
// (islands) never become part of it.
//
// Curves that run to infinity are cut to a clip box; their cut ends lead nowhere and so bound nothing.

#include <functional>
#include <unordered_map>
#include <vector>

#include <Geom2d_Curve.hxx>
#include <TColGeom2d_HSequenceOfCurve.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Vec2d.hxx>

class RgnArrangement
{
public:
    struct Box {
        double xmin = 0.0, ymin = 0.0, xmax = -1.0, ymax = -1.0;
        bool IsVoid() const { return xmax < xmin || ymax < ymin; }
        bool Overlaps(const Box& o) const
        {
            return !(o.xmin > xmax || o.xmax < xmin || o.ymin > ymax || o.ymax < ymin);
        }
        bool Contains(const Box& o) const
        {
            return o.xmin >= xmin && o.xmax <= xmax && o.ymin >= ymin && o.ymax <= ymax;
        }
        void Add(const Box& o);
        void Add(const gp_Pnt2d& p);
    };
    // What Locate found.
    enum Result { resultFound = 1, resultOpen = 0, resultCancelled = -1, resultTimeOut = -2 };
    // Called once per curve while the arrangement is built: 1 to go on, or the result to stop with.
    typedef std::function<int()> StepFunction;

    RgnArrangement() = default;
    RgnArrangement(const RgnArrangement&) = delete;
    RgnArrangement& operator=(const RgnArrangement&) = delete;

    // Splits the curves at their meeting points and builds the faces. Curves running to infinity are cut
    // to the clip box. Returns resultFound, or the step function's answer when it asked to stop.
    int Build(const std::vector<Handle(Geom2d_Curve)>& curves, const Box& clip, const StepFunction& step);
    // The boundary of the face around the point, counter-clockwise, made of pieces of the curves, with its
    // box; resultOpen when the point lies in no bounded face.
    int Locate(const gp_Pnt2d& pick, Handle(TColGeom2d_HSequenceOfCurve)& loop, Box& loopBox) const;

    // Sources from this index on give way: where one of their edges coincides with an edge of an earlier
    // source, theirs is the one dropped (the borders of a tile yield to the drawn curves lying on them).
    void SetYieldingSources(int nFirst) { m_nFirstYielding = nFirst; }
    // Only faces inside this box will be asked for (a tile closed by its borders): curves whose boxes
    // overlap only outside it are not intersected, so the faces outside it are left rough.
    void SetFocus(const Box& focus) { m_focus = focus; }
    // The cycle bounding the face around the point from outside, or -1 when the point lies in no bounded face.
    int LocateCycle(const gp_Pnt2d& pick) const;
    // The darts of a cycle in order (each with its face on the left).
    void GetCycleDarts(int cycle, std::vector<int>& darts) const;
    int GetDartSource(int dart) const { return m_edges[static_cast<size_t>(dart / 2)].source; }
    gp_Pnt2d GetDartMiddle(int dart) const;
    // The cycle on the left of the forward dart of the source's edge through the point (within the point
    // tolerance), or -1.
    int GetCycleLeftOf(int source, const gp_Pnt2d& point) const;

    int GetEdgeCount() const;
    int GetFaceCount() const { return static_cast<int>(m_cycleArea.size()); }

    // A piece of a line or of a circle, read off the kernel's curve. Most curves are such pieces; their
    // boxes, feet and crossings are worked out directly instead of by the kernel's general tools.
    struct Simple {
        enum Kind { kindOther, kindLine, kindCircle };
        Kind kind = kindOther;
        gp_Pnt2d origin;  // a line's point at parameter 0, a circle's centre
        gp_Vec2d x, y;    // a line's unit direction (x); a circle's axes, parameter u at r (cos u x + sin u y)
        double radius = 0.0;
        double u0 = 0.0, u1 = 0.0;  // the piece's parameters (infinite ones as the kernel gives them)
        gp_Pnt2d Value(double u) const;
        // The parameter of the point nearest to p on the whole line or circle; for a circle, taken within
        // [u0, u0 + 2 pi).
        double Parameter(const gp_Pnt2d& p) const;
        // The distance from p to the piece, its ends included, and the parameter of the nearest point.
        double Distance(const gp_Pnt2d& p, double& u) const;
    };
    static bool ReadSimple(const Handle(Geom2d_Curve)& curve, Simple& simple);

    // Curve helpers shared with the search.
    // The curve's box widened by kBoxGap on every side, so that curves touching within the point
    // tolerance have overlapping boxes.
    static constexpr double kBoxGap = 2e-7;
    static Box CurveBox(const Handle(Geom2d_Curve)& curve);
    // Twice the signed area swept by the curve about the origin point (counter-clockwise positive).
    static double SweptArea(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& origin);

private:
    struct Edge {
        Handle(Geom2d_Curve) curve;  // forward along its source curve
        int v0 = -1;
        int v1 = -1;
        int source = -1;
        bool alive = true;
        Box box;
    };
    // One direction of an edge leaving a vertex: dart 2e runs v0 to v1, dart 2e+1 back.
    struct Leaving {
        int dart;
        double angle;
        double curvature;
    };

    int VertexAt(const gp_Pnt2d& p);
    void MakeEdges(int source, const Handle(Geom2d_Curve)& curve, std::vector<std::pair<double, int>>& cuts);
    void AddEdge(int source, const Handle(Geom2d_Curve)& piece, int v0, int v1);
    void RemoveDuplicateEdges();
    void PruneDanglingEdges();
    void OrderVertices();
    void WalkFaces();
    int NextDart(int dart) const;
    int Origin(int dart) const;
    Handle(Geom2d_Curve) DartCurve(int dart) const;

    std::vector<gp_Pnt2d> m_vertices;
    struct CellHash {
        size_t operator()(const std::pair<long long, long long>& k) const
        {
            return std::hash<long long>()(k.first * 1000003LL ^ k.second);
        }
    };
    // Vertices by grid cell of the point tolerance, so that near points meet in one vertex.
    std::unordered_map<std::pair<long long, long long>, std::vector<int>, CellHash> m_cells;
    std::vector<Edge> m_edges;
    std::vector<std::vector<Leaving>> m_around;  // per vertex, counter-clockwise
    std::vector<int> m_position;                 // per dart, its index in m_around of its origin
    std::vector<int> m_cycle;                    // per dart, its face cycle or -1
    std::vector<double> m_cycleArea;             // per cycle, signed area
    std::vector<int> m_cycleStart;               // per cycle, one of its darts
    int m_nFirstYielding = -1;
    Box m_focus;  // void: everywhere
};
