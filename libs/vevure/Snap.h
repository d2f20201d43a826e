#pragma once
// The snap engine of the cursor: given the shapes near the cursor (in world coordinates), extra points, an
// origin with its base angle and the recently used entities, finds the point the cursor snaps to.
//
// Kinds (bits of the snap-type mask, and the kind reported):
//   0x0001 nearest point on a shape      0x0002 end point (and polyline corners, outline corners)
//   0x0004 middle point                  0x0008 centre of a circle or arc
//   0x0010 intersection of two shapes    0x0020 quadrant point of a circle or arc
//   0x0040 a given point                 0x0080 division points (the division count splits each shape)
//   0x0100 perpendicular foot from the origin   0x0200 tangent point from the origin
//   0x0400 horizontal/vertical alignment with a point of a recently used entity
//   0x0800 extension of a recently used line    0x1000 perpendicular through an end of a recent line
// A point kind (0x0002-0x0200) within the aperture wins over the tracking kinds, which win over the nearest
// point; among equals the point nearest the cursor wins, and at the same place the kind first in the order
// end, intersection, middle, centre, quadrant, given point, perpendicular, tangent, division. Angular snap (from the origin) constrains the
// cursor to the nearest ray at a multiple of the angle from the base angle when no point kind was found.

#include <memory>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class Draw2dView;
class Feature2dBase;
class RuVaEntity2d;

class Snap
{
public:
    enum SnapKind : DWORD {
        kNearest = 0x0001,
        kEnd = 0x0002,
        kMiddle = 0x0004,
        kCentre = 0x0008,
        kIntersection = 0x0010,
        kQuadrant = 0x0020,
        kPoint = 0x0040,
        kDivision = 0x0080,
        kPerpendicular = 0x0100,
        kTangent = 0x0200,
        kHorzVert = 0x0400,
        kExtension = 0x0800,
        kPerpendicularTrack = 0x1000,
        kAll = 0xFFFF
    };
    typedef BOOL (*KeepGoingProc)();

    Snap();
    Snap(const Snap&) = delete;
    Snap& operator=(const Snap&) = delete;
    ~Snap();

    // Candidates, copied. Shapes in world coordinates; outlines of texts and pictures (corners as end
    // points, side middles as middle points).
    void AddFeature(const Feature2dBase* pWorldFeature);
    void AddTextFeature(const KcArrayOfGePnt2d& outline);
    void AddImageFeature(const KcArrayOfGePnt2d& outline);
    void AddPoint(const RuVaPnt2d& point, int nType = 2);
    int GetFeatureCount() const { return (int)m_features.size(); }
    // Adds the shapes the view shows within the aperture of the cursor, carried into world coordinates
    // through their layouts (texts and pictures as outlines, parts of groups and components one by one,
    // hatches not at all). Returns the number of records taken, -1 when the keep-going test stopped.
    int AddFeaturesNear(const Draw2dView* pView, const RuVaPnt2d& cursor, double dAperture, int nDisplayStateMode,
                        KeepGoingProc pfnKeepGoing = nullptr);

    void SetDivisionCount(int nCount) { m_nDivision = nCount < 2 ? 2 : (nCount > 1000 ? 1000 : nCount); }
    int GetDivisionCount() const { return m_nDivision; }
    // Angular snap: the angle step in degrees and the mode (0 off, 1 always constrain, 2 only within the
    // aperture of a ray).
    void SetAngularSnap(double dAngleDeg, int nMode);
    void SetSnapType(DWORD dwMask) { m_dwMask = dwMask; }
    DWORD GetSnapType() const { return m_dwMask; }
    // Recently used entities (the caller's; read during UpdateSnapPoint only).
    void SetHorzVertCurves(const KcArrayOfGeEntity2d& curves) { m_pHorzVert = &curves; }
    void SetExtendedCurves(const KcArrayOfGeEntity2d& curves) { m_pExtended = &curves; }
    void SetPerpendicularCurves(const KcArrayOfGeEntity2d& curves) { m_pPerpendicular = &curves; }
    void SetSnapOrigin(const RuVaPnt2d& origin, double dBaseAngleDeg);
    const RuVaPnt2d& GetSnapOrigin() const { return m_origin; }
    BOOL HasSnapOrigin() const { return m_bOrigin ? TRUE : FALSE; }

    // Computes the snap for the cursor within the aperture (world units). FALSE when nothing snapped or the
    // keep-going test stopped it (polled every 10 candidates).
    BOOL UpdateSnapPoint(const RuVaPnt2d& cursor, double dAperture, KeepGoingProc pfnKeepGoing = nullptr);

    DWORD GetSnapKind() const { return m_dwKind; }
    int GetAngularFlag() const { return m_nAngular; }
    // The angle of the angular ray from the base angle (degrees).
    double GetAngle() const { return m_dAngle; }
    const RuVaPnt2d& GetSnapPoint() const { return m_point; }
    // The entities the snap used (owned by the snap object): for the horizontal/vertical history, and, for
    // end points, for the extension and perpendicular histories.
    const KcArrayOfGeEntity2d& GetUsedHorzVertCurves() const { return m_usedHorzVert; }
    const KcArrayOfGeEntity2d& GetUsedExtendedCurves() const { return m_usedExtended; }
    const KcArrayOfGeEntity2d& GetUsedPerpendicularCurves() const { return m_usedPerpendicular; }
    // Construction curves to show with a tracking snap (owned by the snap object).
    const KcArrayOfGeEntity2d& GetVirtualCurves() const { return m_virtual; }

private:
    void ClearResult();
    void Consider(DWORD dwKind, const RuVaPnt2d& p, int nSource, double dAperture);

    std::vector<std::unique_ptr<Feature2dBase>> m_features;
    std::vector<RuVaPnt2d> m_points;
    struct Outline {
        KcArrayOfGePnt2d points;
    };
    std::vector<Outline> m_outlines;
    int m_nDivision = 2;
    double m_dAngularStep = 0.0;
    int m_nAngularMode = 0;
    DWORD m_dwMask = kAll;
    const KcArrayOfGeEntity2d* m_pHorzVert = nullptr;
    const KcArrayOfGeEntity2d* m_pExtended = nullptr;
    const KcArrayOfGeEntity2d* m_pPerpendicular = nullptr;
    RuVaPnt2d m_origin;
    double m_dBaseAngle = 0.0;
    bool m_bOrigin = false;

    // Result.
    DWORD m_dwKind = 0;
    int m_nAngular = 0;
    double m_dAngle = 0.0;
    RuVaPnt2d m_point;
    KcArrayOfGeEntity2d m_usedHorzVert;
    KcArrayOfGeEntity2d m_usedExtended;
    KcArrayOfGeEntity2d m_usedPerpendicular;
    KcArrayOfGeEntity2d m_virtual;

    // Search state.
    RuVaPnt2d m_cursor;
    double m_dBest = 0.0;
    int m_nBestRank = 0;
    int m_nBestSource = -1;
};
