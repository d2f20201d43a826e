#pragma once
// The preview drawer of commands: shapes and lines drawn over the view's picture between BeginDraw and
// EndDraw (inside the view's temporary-shape bracket, which it opens when nobody has), wiped by the view's
// RestoreView. Shapes are given in the local coordinates of a drawing and carried to the world through
// their layout.

#include "platform/afx/AfxTypes.h"

class Draw2dDocument;
class Draw2dView;
class DrawingFeatureBase;
class Feature2dBase;
class KcArrayOfGePnt2d;
class PartDrawingLayout;
class RuVaPnt2d;

class Rubberband
{
public:
    Rubberband() = default;
    Rubberband(const Rubberband&) = delete;
    Rubberband& operator=(const Rubberband&) = delete;
    ~Rubberband();

    // FALSE when the view has no picture to draw over.
    BOOL BeginDraw(Draw2dView* pView, Draw2dDocument* pDocument);
    void EndDraw();
    BOOL IsDrawing() const { return m_pView != nullptr; }

    // The shape (local coordinates of the drawing; NULL drawing: the world) in its colour, or in the colour
    // given (not -1). A layout NULL for a drawing: the view's active layout when it shows that drawing.
    BOOL DrawFeature(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout, const Feature2dBase* pFeature,
                     double dOffset = 0.0, COLORREF color = (COLORREF)-1);
    // World lines.
    BOOL DrawLine(const RuVaPnt2d& p1, const RuVaPnt2d& p2, COLORREF color);
    BOOL DrawPolyline(const KcArrayOfGePnt2d& points, COLORREF color);
    BOOL DrawRectangle(const RuVaPnt2d& p1, const RuVaPnt2d& p2, COLORREF color);

private:
    Draw2dView* m_pView = nullptr;
    Draw2dDocument* m_pDocument = nullptr;
};
