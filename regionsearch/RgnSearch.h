#pragma once
// The worker of the region search. It turns the shapes of a view into curves of the kernel (candidates,
// each with its box) and finds the face around the picked point in the arrangement of those candidates
// whose boxes meet a window round the point (RgnArrangement); the window doubles until the face lies
// inside it. The face's outer boundary, made of pieces of the shapes, becomes the region.
//
// The search over the candidates does not need a view: AddFeatureCurves and AddCurve fill the candidate
// list directly and SearchCurves takes the flattening tolerance of the inside test as a plain length.

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <Geom2d_Curve.hxx>
#include <TColGeom2d_HSequenceOfCurve.hxx>
#include <TColgp_SequenceOfPnt2d.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Vec2d.hxx>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/FeatureSpatialIndex.h"
#include "regionsearch/RgnArrangement.h"
#include "regionsearch/NotifyProgressInfo.h"

class Draw2dDocument;
class Draw2dView;
class Feature2dBase;
class Region2dFeature;

class RgnSearch
{
public:
    // Distances between points, parameters, angles (radians).
    static constexpr double kPointTolerance = 1e-7;
    static constexpr double kParameterTolerance = 1e-9;
    static constexpr double kAngleTolerance = 1e-12;
    static constexpr double kIntersectionTolerance = 1e-9;
    static constexpr DWORD kTimeLimit = 15000;  // ms of searching, a safety net only
    static constexpr int kMaxStartCurves = 5;
    static constexpr UINT kProgressTextID = 11467;

    // One candidate curve.
    struct CurveInfo {
        int nPosition = -1;  // index in the candidate list
        long nRecordID = -1;
        long nLayoutID = -1;
        Handle(Geom2d_Curve) curve;
        RuVaBndBox2d box;
    };
    // One hit of an axis ray.
    struct NearCurveInfo {
        int nCandidate;
        double dDistance;
        gp_Pnt2d point;
    };
    // One way to go on at a junction of the current curve.
    struct NextCurveInfo {
        int nCandidate = -1;
        Handle(Geom2d_Curve) next;     // starts at the junction and runs along the candidate
        Handle(Geom2d_Curve) current;  // the curve being walked
        gp_Pnt2d junction;
        double uCurrent = 0.0;
        double uNext = 0.0;
        gp_Vec2d tangentCurrent;
        gp_Vec2d tangentNext;
        gp_Vec2d secondCurrent;
        gp_Vec2d secondNext;
    };
    typedef DWORD (*TickCountFunction)(void* pUserData);

    explicit RgnSearch(const Draw2dDocument* pDocument);
    virtual ~RgnSearch();
    RgnSearch(const RgnSearch&) = delete;
    RgnSearch& operator=(const RgnSearch&) = delete;

    // The whole search on a view: 1 a region was found and is kept, -1 cancelled, 0 nothing found. A null
    // view gives 0 and changes nothing.
    int Search(const gp_Pnt2d& pick, const Draw2dView* pView, int nFlag);
    // The search over the candidates already collected. The deflection is kept for callers of the old
    // flattened inside test; the answer no longer depends on it (nor on the view's zoom).
    int SearchCurves(const gp_Pnt2d& pick, double dDeflection);

    const Region2dFeature* GetRegion() const { return m_pRegion.get(); }
    void SetNotifyProgressFunction(NotifyProgressFunction pfn, void* pUserData);
    void SetTickCountFunction(TickCountFunction pfn, void* pUserData);

    // Candidates.
    void ClearCurves();
    void CollectCurves(const Draw2dView* pView, int nFlag);
    // The candidates of one shape given in world coordinates; returns how many were added.
    int AddFeatureCurves(const Feature2dBase* pWorldFeature, long nRecordID, long nLayoutID);
    // One kernel curve as it is (closed curves are cut in halves); returns how many candidates were added.
    int AddCurve(const Handle(Geom2d_Curve)& curve, long nRecordID, long nLayoutID);
    int GetCurveCount() const { return static_cast<int>(m_curves.size()); }
    const CurveInfo& GetCurveInfo(int nIndex) const { return *m_curves.at(static_cast<size_t>(nIndex)); }

    // Tools of the earlier traced search, kept for callers that walk a boundary themselves.
    int FindNearCurves(std::vector<NearCurveInfo>& near, const gp_Pnt2d& pick) const;
    int GetPickSide(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& hit, const gp_Pnt2d& pick) const;
    int FindNextCurves(const Handle(Geom2d_Curve)& current, int nCurrent, std::vector<NextCurveInfo>& out) const;
    static int CompareNextCurves(const NextCurveInfo& a, const NextCurveInfo& b);
    static int CompareNearCurves(const NearCurveInfo& a, const NearCurveInfo& b);
    static int IsPointInsideLoop(const gp_Pnt2d& pick, const Handle(TColGeom2d_HSequenceOfCurve)& loop,
                                 double dDeflection);
    // A new region of the loop's curves (the caller's), or NULL.
    static Region2dFeature* BuildRegion(const Handle(TColGeom2d_HSequenceOfCurve)& loop);
    // A new shape covering two adjacent pieces of one circle or ellipse, or NULL.
    static Feature2dBase* MergeFeatures(const Feature2dBase* pLater, const Feature2dBase* pEarlier);

    // Curve tools.
    static void GetCurveBox(RuVaBndBox2d& box, const Handle(Geom2d_Curve)& curve);
    static int GetPointParameter(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& point, double& u);
    static int IntersectCurves(const Handle(Geom2d_Curve)& a, const Handle(Geom2d_Curve)& b,
                               TColgp_SequenceOfPnt2d& points, std::vector<double>* paramsA,
                               std::vector<double>* paramsB, double dTolerance);
    static double GetIntersectionTolerance(const Handle(Geom2d_Curve)& a, const Handle(Geom2d_Curve)& b);
    static int ClassifyPointSide(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& point);
    static int IsPointOnCurve(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& point);
    static int IsClosedCurve(const Handle(Geom2d_Curve)& curve);
    static int IsArcOfConic(const Handle(Geom2d_Curve)& curve);
    static int ArePointsWithin(const gp_Pnt2d& a, const gp_Pnt2d& b, double dTolerance);
    static int IsPointInSequence(const gp_Pnt2d& point, const TColgp_SequenceOfPnt2d& points);

private:
    // One step of the search: progress report and time limit (RgnArrangement's results).
    int StepSearch();
    int SearchArrangement(const gp_Pnt2d& pick);
    int NotifyProgress(int nKind);
    DWORD TickCount() const;
    void AppendCandidate(const Handle(Geom2d_Curve)& curve, long nRecordID, long nLayoutID);
    int AddSplitCurve(const Handle(Geom2d_Curve)& curve, long nRecordID, long nLayoutID);

    // What every search needs of the candidate list as a whole: the index of their boxes, where bounded
    // faces can lie, the curves running to infinity, a typical size. Made again after the list changed.
    void PrepareCandidates();
    // Candidates whose boxes meet the box, in list order.
    void QueryCandidates(const RgnArrangement::Box& box, std::vector<int>& out) const;
    // Follows the face around the point tile by tile, crossing from a tile to its neighbour where the face
    // runs over their shared border. 1: the face is bounded and lies in faceBox; 0: it reaches beyond every
    // bounded face (open); 2: too many tiles, not decided; or the step's stop (cancel, time out).
    // The curves of that face's boundary (candidate indices) come in boundary.
    int FloodFace(const gp_Pnt2d& pick, RgnArrangement::Box& faceBox, std::vector<int>& boundary);
    // One tile of the flood: the arrangement of the candidates meeting it and of its four borders. Tiles are
    // kept for later searches until the candidates change.
    struct FloodTile;
    FloodTile& GetFloodTile(long long i, long long j);
    RgnArrangement::Box GetTileBox(long long i, long long j) const;

    // Shapes converted by earlier searches, by record and layout; the record's stamp and the layout's
    // placement tell whether a conversion still holds.
    struct ShapeKey {
        long nRecordID;
        long nLayoutID;
        bool operator==(const ShapeKey& o) const { return nRecordID == o.nRecordID && nLayoutID == o.nLayoutID; }
    };
    struct ShapeKeyHash {
        size_t operator()(const ShapeKey& k) const
        {
            return std::hash<long long>()((static_cast<long long>(k.nRecordID) << 20) ^ k.nLayoutID);
        }
    };
    struct CachedShape {
        unsigned long long nStamp = 0;
        const Feature2dBase* pFeature = nullptr;
        double placement[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
        unsigned long long nWalk = 0;
        std::vector<CurveInfo> curves;
    };
    std::deque<CachedShape> m_ownShapes;  // by record id (a deque: growing keeps the others in place)
    std::unordered_map<ShapeKey, CachedShape, ShapeKeyHash> m_shapes;  // shapes seen through part layouts
    std::vector<CachedShape*> m_order;  // the shapes m_curves was made of, in order
    unsigned long long m_nWalk = 0;
    bool m_bFromView = false;  // m_curves holds exactly the shapes of m_order
    bool m_bPrepared = false;
    FeatureSpatialIndex m_index;
    RgnArrangement::Box m_extent;
    std::vector<int> m_endless;
    std::vector<RgnArrangement::Box> m_boxes;  // per candidate, void when it has none
    std::vector<char> m_finite;                // per candidate: both ends finite
    double m_dTypicalSize = 0.0;
    double m_dTile = 0.0;
    double m_tileOrigin[2] = {0.0, 0.0};
    std::map<std::pair<long long, long long>, std::unique_ptr<FloodTile>> m_tiles;

    const Draw2dDocument* m_pDocument;
    gp_Pnt2d m_pick;
    // The candidates: the curves of the cached shapes (from a view), or those added one by one, kept in
    // m_addedCurves (a deque: growing keeps the others in place).
    std::vector<CurveInfo*> m_curves;
    std::deque<CurveInfo> m_addedCurves;
    std::unique_ptr<Region2dFeature> m_pRegion;
    NotifyProgressFunction m_pfnProgress = nullptr;
    void* m_pProgressData = nullptr;
    TickCountFunction m_pfnTick = nullptr;
    void* m_pTickData = nullptr;
    DWORD m_dwStartTime = 0;
    double m_dDeflection = 0.0;
    std::u16string m_strProgressText;
};
