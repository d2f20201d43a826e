#pragma once
// The snap record of the cursor: what the last snap found (kind, angular ray, snapped point, construction
// curves to show with it) and the entities met recently, which the tracking kinds work from.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class RuVaEntity2d;

namespace QZ2Command {

class SnapInfo
{
public:
    // A history keeps this many distinct entities, the oldest dropped first.
    static constexpr INT_PTR kHistorySize = 5;

    SnapInfo();
    SnapInfo(const SnapInfo&) = delete;
    SnapInfo& operator=(const SnapInfo&) = delete;
    virtual ~SnapInfo();

    // Forgets the result (the construction curves deleted); the histories stay.
    void Reset();
    // Forgets the entities met recently (the three histories).
    void ClearHistories();
    // The result of another record: its fields and clones of its construction curves.
    void CopyResult(const SnapInfo& source);
    // Appends a clone of the entity unless an equal one is there already; FALSE for NULL or a repeat.
    BOOL PushRecentHorzVert(const RuVaEntity2d* pEntity) { return Push(m_horzVert, pEntity); }
    BOOL PushRecentExtension(const RuVaEntity2d* pEntity) { return Push(m_extension, pEntity); }
    BOOL PushRecentPerpendicular(const RuVaEntity2d* pEntity) { return Push(m_perpendicular, pEntity); }
    int GetHistoryCount() const
    {
        return int(m_horzVert.GetSize() + m_extension.GetSize() + m_perpendicular.GetSize());
    }

    DWORD m_dwKind = 0;        // the snap kind found; 0 none (a grid point or the angular ray alone)
    int m_nAngular = 0;        // non-zero: the point lies on an angular ray through the origin
    RuVaPnt2d m_origin;
    double m_dAngle = 0.0;     // the ray's angle from the base angle, degrees
    double m_dBaseAngle = 0.0;
    RuVaPnt2d m_point;         // world coordinates
    KcArrayOfGeEntity2d m_virtualCurves;  // owned
    KcArrayOfGeEntity2d m_horzVert;       // owned, oldest first
    KcArrayOfGeEntity2d m_extension;
    KcArrayOfGeEntity2d m_perpendicular;

private:
    static BOOL Push(KcArrayOfGeEntity2d& history, const RuVaEntity2d* pEntity);
};

}  // namespace QZ2Command
