#pragma once
// The overview: the current drawing in small through a view of its own, with a red frame round what the
// main drawing view shows. Dragging the frame scrolls the main view, a corner zooms it (proportions kept),
// a click beside it centres the main view there and a drag beside it shows the dragged area. The overview
// pans (middle button, Shift+right, arrow keys) and zooms (wheel, Page Up/Down) on its own.
// A pan of the main view only repaints the kept picture with the new frame; the drawing is rendered
// again on document changes and on the overview's own pan and zoom.

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dView.h"
#include "platform/win/CWnd.h"

class Draw2dDocument;

class CSkyViewBarWnd : public CWnd
{
    DECLARE_DYNAMIC(CSkyViewBarWnd)
public:
    enum { dragMove = 0, dragTopLeft = 1, dragTopRight = 2, dragBottomLeft = 3, dragBottomRight = 4 };
    static constexpr double kMinimumWidth = 10.0;

    CSkyViewBarWnd();
    ~CSkyViewBarWnd() override;

    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetDocument(Draw2dDocument* pDocument);
    void SetDrawing(DrawingFeatureBase* pDrawing, PartDrawingLayout* pLayout);
    void UpdateView(int nHint, int nFlag);
    void UpdateSelection(int nFlag);
    // The main view moved: the kept picture is shown again with the frame where the main view is now.
    void InvalidateView();
    void SetGraphicsMode(int nMode);
    void InitializeView(int nMode);
    void FitToMainView();
    BOOL GetFrameRect(CRect& rect) const;
    BOOL ConvertToMainClient(CPoint in, CPoint& out) const;
    Draw2dView& GetOwnView() { return m_view; }
    // The main drawing view (the command manager's), or a view set for tests.
    Draw2dView* GetMainView() const;
    void SetMainViewForTest(Draw2dView* pView) { m_pTestMainView = pView; }
    int GetRenderCount() const { return m_nRenderCount; }

    // The main view's new world rectangle when a corner of its frame is dragged to the cursor: the opposite
    // corner stays, the proportions are kept and the width never falls below kMinimumWidth. World y grows up.
    static void ResizeFrame(int nKind, const RuVaPnt2d& corner1, const RuVaPnt2d& corner2, RuVaPnt2d cursor,
                            RuVaPnt2d& out1, RuVaPnt2d& out2);
    // The rectangle of a new-frame drag from anchor to cursor, widened or heightened to the proportions
    // (height / width); FALSE for a (near) zero width or height or proportions that cannot be had.
    static BOOL MakeNewFrame(const RuVaPnt2d& anchor, const RuVaPnt2d& cursor, double dAspect, RuVaPnt2d& out1,
                             RuVaPnt2d& out2);

    // Mouse steps, also driven by tests.
    void PressLeft(CPoint point);
    void MoveMouse(UINT nFlags, CPoint point);
    void ReleaseLeft(CPoint point);
    BOOL IsFrameDragging() const { return m_bFrameDrag; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    int HitHandle(CPoint point, int nGrow) const;
    void FitWhole();
    void StopPanning();
    void FrameDragStep(CPoint point);
    void NewFrameStep(CPoint point);
    BOOL OnKey(UINT nChar);

    Draw2dView m_view;
    Draw2dView* m_pTestMainView = nullptr;
    BOOL m_bPanning = FALSE;
    CPoint m_panLast;
    BOOL m_bFrameDrag = FALSE;
    CPoint m_dragLast;
    int m_nDragKind = dragMove;
    BOOL m_bPressedBeside = FALSE;
    CPoint m_pressPoint;
    BOOL m_bNewFrame = FALSE;
    int m_nRenderCount = 0;
};
