#pragma once
// The drag image of a command: shapes held in world coordinates (flattened once, when added) and drawn
// moved, turned and scaled as the cursor goes, without touching the document: the origin goes to the
// cursor, the shapes turn about it by the set angle plus the angle given and scale by the set scales.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class Draw2dDocument;
class Draw2dView;
class DrawingFeatureBase;
class Feature2dBase;
class PartDrawingLayout;

class Drag
{
public:
    Drag() = default;
    Drag(const Drag&) = delete;
    Drag& operator=(const Drag&) = delete;
    ~Drag();

    // Forgets the shapes and the placement.
    void ClearDragData();
    // Forgets the shapes only.
    void ClearFeature();
    BOOL IsEmptyDragData() const { return m_items.empty() ? TRUE : FALSE; }
    int GetFeatureCount() const { return (int)m_items.size(); }

    void SetOrigin(const RuVaPnt2d& world) { m_origin = world; }
    const RuVaPnt2d& GetOrigin() const { return m_origin; }
    // Scales must be finite and non-zero; others are ignored.
    void SetScale(double x, double y);
    void SetAngle(double dDegrees);

    // The record's shape as the layout shows it (NULL layout: the drawing's own coordinates).
    BOOL AddFeature(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout, long nRecordID);
    // A shape in the drawing's local coordinates; bCopy FALSE hands it over (deleted here).
    BOOL AddFeature(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout, Feature2dBase* pFeature,
                    BOOL bCopy);

    // Draws the shapes placed at the world point, turned by dAngleDeg more, in the view's temporary-shape
    // bracket (opened when nobody has). FALSE without shapes or picture.
    BOOL DrawDrag(Draw2dDocument* pDocument, Draw2dView* pView, const RuVaPnt2d& world, double dAngleDeg = 0.0,
                  COLORREF color = (COLORREF)-1);

private:
    struct Item {
        std::vector<KcArrayOfGePnt2d> chains;  // world
        COLORREF color;
    };
    BOOL AddWorld(const Feature2dBase* pWorld, const Draw2dDocument* pDocument);

    std::vector<Item> m_items;
    RuVaPnt2d m_origin;
    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    double m_dAngle = 0.0;
};
