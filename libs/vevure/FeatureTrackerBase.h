#pragma once
// Grips of the selected shapes: the points by which a shape is reshaped or moved with the mouse (the ends
// and middle of a line, the corners of a polyline, the centre and quadrant points of a circle, the centre
// and ends of an arc, the anchor of a text, the place of a point marker, picture or construction line, the
// centre of an ellipse). A drag moves the grips held (the one under the cursor, or all
// selected grips) and commits the changed shapes as one undo step.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CPoint.h"
#include "libs/ruva/RuVaPnt2d.h"

class CDWordArray;
class Draw2dDocument;
class Draw2dView;
class Feature2dBase;

class FeatureTrackerBase
{
public:
    // Hit codes besides grip indexes.
    static constexpr int kHitNone = -1;
    static constexpr int kHitBody = -2;  // on a selected shape, not on a grip

    explicit FeatureTrackerBase(Draw2dDocument* pDocument);
    FeatureTrackerBase(const FeatureTrackerBase&) = delete;
    FeatureTrackerBase& operator=(const FeatureTrackerBase&) = delete;
    virtual ~FeatureTrackerBase();

    // Rebuilds the grips from the document's selection as the view shows it.
    void UpdateHandles(const Draw2dView* pView);
    int GetHandleCount() const { return (int)m_handles.size(); }
    // World position of a grip; FALSE out of range.
    BOOL GetHandlePoint(int nGrip, RuVaPnt2d& world) const;
    BOOL IsHandleSelected(int nGrip) const;

    // The grip within nBoxSize pixels of the client point (nearest), kHitBody on a selected shape, else
    // kHitNone. nFlag 1 rebuilds the grips first.
    int HitTest(const Draw2dView* pView, const CPoint& client, int nBoxSize, int nFlag);
    // Toggles a grip's selection (Shift-click); FALSE for a bad index.
    BOOL SelectHandle(const Draw2dView* pView, int nGrip);
    // Starts dragging the grip under the point (and the other selected grips with it). FALSE when no grip
    // is there.
    BOOL BeginTrack(const Draw2dView* pView, const CPoint& client, int nBoxSize);
    BOOL IsTracking() const { return m_bTracking; }
    // Moved at least once since BeginTrack.
    BOOL IsDragging() const { return m_bDragging; }
    // Draws the shapes as they would be with the held grips at the world point (between the view's
    // temporary-shape brackets).
    void Tracking(Draw2dView* pView, float x, float y, const RuVaPnt2d& world, COLORREF color);
    // Applies the drag to the document as one undo step; FALSE when nothing changed. The ids of the
    // changed records are handed to OnCommitTrack.
    BOOL EndTrack(const Draw2dView* pView, const RuVaPnt2d& world);
    virtual BOOL OnCommitTrack(CDWordArray& recordIDs);
    void CancelTrack(const Draw2dView* pView);
    // TRUE when the cursor is over a grip (the caller shows the grip cursor).
    BOOL SetCursor(const Draw2dView* pView, int nBoxSize, int nFlag);
    void SetCursorPoint(const CPoint& client) { m_cursor = client; }
    // Arrow keys (37-40) move the selected shapes: by nSteps pixels in mode 0, else by dSteps drawing units.
    virtual BOOL Nudge(Draw2dView* pView, UINT nKey, UINT nRepeat, int nMode, double dSteps);
    // The point the drag started from (the snap origin) with the angle of its layout.
    virtual BOOL GetBasePoint(const Draw2dView* pView, RuVaPnt2d& point, double& dAngle) const;

    // A copy (the caller's) of the shape with its grip nGrip (in its own numbering) moved to the local
    // point; NULL when the shape has no such grip.
    static Feature2dBase* MoveGrip(const Feature2dBase* pFeature, int nGrip, const RuVaPnt2d& local);
    // The shape's grips in local coordinates.
    static void GetGrips(const Feature2dBase* pFeature, std::vector<RuVaPnt2d>& points);

private:
    struct Handle {
        long nRecordID;
        long nLayoutID;
        int nGrip;  // index among the shape's grips
        RuVaPnt2d world;
        bool bSelected;
    };
    // The changed shapes (new, in local coordinates) for the held grips moved by the world offset.
    void BuildMoved(const Draw2dView* pView, const RuVaPnt2d& world, std::vector<std::pair<long, Feature2dBase*>>& out) const;

    Draw2dDocument* m_pDocument;
    std::vector<Handle> m_handles;
    int m_nActive = -1;
    RuVaPnt2d m_start;
    CPoint m_cursor;
    bool m_bTracking = false;
    bool m_bDragging = false;
};
