#pragma once
// A view of a document: the drawing it shows (a paper with the part drawings laid out on it, or one
// drawing on its own), its zoom and centre, the conversions between client pixels, world coordinates and
// the local coordinates of a part layout, and the walk over the shapes a user can pick in it.
//
// World coordinates are those of the drawing shown; shapes of a part drawing laid out on a paper are
// stored in the part's local coordinates and reach the world through their layout. Client coordinates
// run in pixels from the top left corner of the client area, y downwards.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class Draw2dDocument;
class DrawingFeatureBase;
class Feature2dBase;
class PartDrawingLayout;

class Draw2dView
{
public:
    explicit Draw2dView(Draw2dDocument* pDocument = nullptr);
    Draw2dView(const Draw2dView&) = default;
    Draw2dView& operator=(const Draw2dView&) = default;
    virtual ~Draw2dView() = default;

    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(Draw2dDocument* pDocument) { m_pDocument = pDocument; }

    // The drawing shown. Until one is set, the view follows the document's active drawing; a part drawing
    // that is active through a layout on a paper is shown on that paper.
    DrawingFeatureBase* GetDrawingFeature() const;
    // FALSE, unchanged, for an id that names no paper or part drawing of the document; -1 follows the
    // active drawing again.
    BOOL SetDrawingID(long nDrawingID);
    // The part layout through which the active drawing is edited; NULL without a document.
    PartDrawingLayout* GetActivePartLayout() const;
    PartDrawingLayout* GetPartLayoutByID(long nLayoutID) const;

    // Zoom: client pixels per world unit. Refuses (FALSE, unchanged) a value that is not finite and positive.
    double GetScale() const { return m_dScale; }
    BOOL SetScale(double dPixelsPerUnit);
    const RuVaPnt2d& GetCenterPoint() const { return m_center; }
    void SetCenterPoint(const RuVaPnt2d& center) { m_center = center; }
    void SetClientSize(int cx, int cy);
    int GetClientWidth() const { return m_cx; }
    int GetClientHeight() const { return m_cy; }

    double ConvertLengthClientToWorld(double dPixels) const { return dPixels / m_dScale; }
    double ConvertLengthWorldToClient(double dLength) const { return dLength * m_dScale; }
    void ConvertPointClientToWorld(double x, double y, RuVaPnt2d& world) const;
    void ConvertPointWorldToClient(const RuVaPnt2d& world, double& x, double& y) const;
    // The pick aperture in world units for an aperture given in pixels.
    double GetPickAperture(int nPixels) const { return ConvertLengthClientToWorld(nPixels); }

    // Between world coordinates and the local coordinates of a layout (NULL: they are the same).
    static void ConvertPointLocalToWorld(const PartDrawingLayout* pLayout, const RuVaPnt2d& local, RuVaPnt2d& world);
    static void ConvertPointWorldToLocal(const PartDrawingLayout* pLayout, const RuVaPnt2d& world, RuVaPnt2d& local);
    // A new copy of the shape (the caller's) in world coordinates as the layout shows it (NULL layout: a
    // plain copy); NULL when the shape cannot take the layout's transform. The drawing and the flag are
    // accepted for the callers' sake and not needed here.
    Feature2dBase* ConvertFeatureLocalToWorld(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout,
                                              const Feature2dBase* pFeature, int nFlag) const;
    Feature2dBase* ConvertFeatureWorldToLocal(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout,
                                              const Feature2dBase* pFeature, int nFlag) const;

    // The shapes a user can pick in the view, one after the other: start with nPrevID -1 and nLayoutID -1;
    // each call gives the next record id (-1 at the end) and writes into nLayoutID the part layout through
    // which the shape is seen (-1 for the shown drawing's own shapes). The shown drawing's shapes come
    // first, then those of each part layout on it in layout order.
    // A shape is selectable when its drawing and its layer are displayed and, with nFlag 0, also editable;
    // nFlag 1 makes every displayed shape selectable. Shapes on a layer the table does not know count as
    // displayed and editable.
    long GetNextSelectableFeatureRecordID(long& nLayoutID, long nPrevID, int nFlag) const;
    BOOL IsFeatureSelectable(long nRecordID, const DrawingFeatureBase* pDrawing, int nFlag) const;

private:
    BOOL IsDrawingSelectable(const DrawingFeatureBase* pDrawing, int nFlag) const;

    Draw2dDocument* m_pDocument;
    long m_nDrawingID = -1;
    double m_dScale = 1.0;
    RuVaPnt2d m_center;
    int m_cx = 0;
    int m_cy = 0;
};
