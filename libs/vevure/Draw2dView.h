#pragma once
// A view of a document: the drawing it shows (a paper with the part drawings laid out on it, or one
// drawing on its own), its zoom and centre, the conversions between client pixels, world coordinates and
// the local coordinates of a part layout, the walk over the shapes a user can pick in it, the rendered
// picture of the drawing (DrawingManager renders it) and the overlays drawn over that picture. Picking
// is FeaturePicker's, snapping Snap's; both take the view.
//
// World coordinates are those of the drawing shown; shapes of a part drawing laid out on a paper are
// stored in the part's local coordinates and reach the world through their layout. Client coordinates
// run in pixels from the top left corner of the client area, y downwards.

#include <memory>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CPoint.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/win/WinTypes.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class CWnd;
class Draw2dDocument;
class DrawingFeatureBase;
class Feature2dBase;
class FeatureTrackerBase;
class GraphicManager;
class KcArrayOfGeEntity2d;
class KcArrayOfGePnt2d;
class PartDrawingLayout;
class QImage;
class QPainter;
class QPolygonF;

class Draw2dView
{
public:
    explicit Draw2dView(Draw2dDocument* pDocument = nullptr);
    // A view painting into the owner window (not owned).
    explicit Draw2dView(CWnd* pOwner);
    // Copies share nothing: the copy takes the settings and zoom, not the rendered picture.
    Draw2dView(const Draw2dView& other);
    Draw2dView& operator=(const Draw2dView& other);
    virtual ~Draw2dView();

    // ---- Window and document
    CWnd* GetView() const { return m_pOwner; }
    // The owner's window handle, which the owner hands over once its window exists (NULL before).
    HWND GetHWnd() const;
    void SetHWnd(HWND hWnd) { m_hWnd = hWnd; }
    void SetDrawDocument(Draw2dDocument* pDocument);
    Draw2dDocument* GetDrawDocument() const { return m_pDocument; }
    void SetDrawingFeature(DrawingFeatureBase* pDrawing);
    DrawingFeatureBase* GetActiveDrawingFeature() const { return GetDrawingFeature(); }
    // The layout through which the shown drawing is edited; until one is set, that of the document.
    void SetActiveLayout(PartDrawingLayout* pLayout);
    PartDrawingLayout* GetActiveLayout() const;
    BOOL IsPaperView() const;
    BOOL IsPartView() const;
    BOOL IsDrawComponentView() const;
    // The program's graphics manager has static members only: callers use the class; NULL.
    GraphicManager* GetGraphicManager() const { return nullptr; }

    // ---- Display settings. Graphics modes 0-2 and line smoothing 0-1 (1: antialiased lines).
    BOOL SetGraphicsMode(int nMode);
    int GetGraphicsMode() const { return m_nGraphicsMode; }
    void InitializeView(int nGraphicsMode);
    void SetLineSmoothMode(int nMode);
    int GetLineSmoothMode() const { return m_nLineSmoothMode; }
    void SetPaperColor(COLORREF color);
    COLORREF GetPaperColor() const { return m_paperColor; }
    void SetPaperBackColor(COLORREF color1, COLORREF color2);
    COLORREF GetPaperBackColor1() const { return m_paperBack1; }
    COLORREF GetPaperBackColor2() const { return m_paperBack2; }
    void SetPartBackColor(COLORREF color);
    COLORREF GetPartBackColor() const { return m_partBack; }
    void SetComponentEditerBackColor(COLORREF color);
    COLORREF GetComponentEditerBackColor() const { return m_componentBack; }
    void SetSelectedFeatureColor(COLORREF color);
    COLORREF GetSelectedFeatureColor() const { return m_selectedColor; }
    void SetLayoutRegionVisible(BOOL bVisible);
    BOOL GetLayoutRegionVisible() const { return m_bLayoutRegionVisible; }
    // Texts smaller than this many pixels are drawn as boxes.
    void SetGreekTextSize(int nPixels);
    int GetGreekTextSize() const { return m_nGreekTextSize; }
    void SetGridVisible(BOOL bVisible);
    BOOL GetGridVisible() const { return m_bGridVisible; }
    void SetPrintRangeVisible(BOOL bVisible);
    BOOL GetPrintRangeVisible() const { return m_bPrintRangeVisible; }

    // ---- Painting. The view keeps the last rendered picture of the drawing; overlays are drawn over a
    // copy of it and wiped by putting the picture back, so they never re-render the drawing.
    // Polled during long redraws: 0 stops the redraw, 1 goes on.
    typedef int (*BreakProc)(Draw2dView*);
    void SetBreakProc(BreakProc pfn) { m_pfnBreak = pfn; }
    BreakProc GetBreakProc() const { return m_pfnBreak; }
    // Called when the view wants its window repainted: after an overlay drawn without a device context, a
    // restore, or a change that needs a new picture (IsPictureValid then answers FALSE). The window's paint
    // calls DrawView and draws its overlay again, or shows the frame as it is with PresentView.
    typedef void (*RepaintProc)(Draw2dView*, void*);
    void SetRepaintProc(RepaintProc pfn, void* pUser)
    {
        m_pfnRepaint = pfn;
        m_pRepaintUser = pUser;
    }
    // Renders the drawing when it changed (else reuses the picture), wipes the overlay and copies the
    // picture into the device context. 0 when interrupted by the break procedure or impossible (no
    // document, empty client area); the picture then stays out of date and the next call redraws.
    int DrawView(HDC hDC);
    // Copies what the view shows now (picture and overlay) into the device context.
    BOOL PresentView(HDC hDC) const;
    // Puts back the last rendered picture, wiping every overlay.
    void RestoreView();
    // Marks the picture out of date (nHint 0 or 1; the second word is accepted for the callers) and asks for
    // a repaint.
    void UpdateView(int nHint = 0, int nFlag = 0);
    void UpdateSelection(BOOL bAll = FALSE);
    void InvalidateView();
    BOOL IsPictureValid() const;
    // The picture last rendered, NULL before the first complete redraw (for tests and thumbnails).
    const QImage* GetPicture() const;
    const QImage* GetFrame() const;
    // Takes the client size from the owner window (kept when there is none) and sizes the pictures.
    void ResizeView();
    void ResizeView(int cx, int cy);

    // ---- Zoom and pan. FALSE (view unchanged) when there is nothing to fit or the result is unusable.
    BOOL ZoomAll();
    BOOL ZoomPaper();
    BOOL ZoomLayout();
    // About a client point (the client centre without one) by the factor: ZoomIn enlarges by 1 + factor.
    BOOL ZoomIn(const CPoint& point, double dFactor = 0.2);
    BOOL ZoomIn(double dFactor = 0.2);
    BOOL ZoomOut(const CPoint& point, double dFactor = 0.2);
    BOOL ZoomOut(double dFactor = 0.2);
    // Moves the picture by pixels (dx right, dy up).
    BOOL MoveView(int dx, int dy);
    // Zooms by a vertical drag: up enlarges, 1 % per pixel.
    BOOL ZoomRealtime(int dx, int dy);
    BOOL ZoomWindow(const CPoint& p1, const CPoint& p2);
    // Brings the box into view (bZoom: fits it, else only centres it when it lies outside).
    BOOL EnsureVisible(const RuVaBndBox2d& box, BOOL bZoom);
    BOOL FitBox(const RuVaBndBox2d& box, double dMargin = 0.05);
    void GetWorldSpace(RuVaPnt2d& corner1, RuVaPnt2d& corner2) const;
    BOOL SetWorldSpace(const RuVaPnt2d& corner1, const RuVaPnt2d& corner2);
    double GetViewScale() const { return m_dScale; }
    BOOL SetViewControlSetting(const RuVaPnt2d& centre, double dScale, long nDrawingID, long nLayoutID);

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
    // Ignores a centre that is not finite or lies beyond 1e15.
    void SetCenterPoint(const RuVaPnt2d& center);
    void SetClientSize(int cx, int cy);
    int GetClientWidth() const { return m_cx; }
    int GetClientHeight() const { return m_cy; }

    double ConvertLengthClientToWorld(double dPixels) const { return dPixels / m_dScale; }
    double ConvertLengthWorldToClient(double dLength) const { return dLength * m_dScale; }
    void ConvertPointClientToWorld(double x, double y, RuVaPnt2d& world) const;
    void ConvertPointWorldToClient(const RuVaPnt2d& world, double& x, double& y) const;
    RuVaPnt2d ConvertPointClientToWorld(const CPoint& point, BOOL bFlag = TRUE) const;
    CPoint ConvertPointWorldToClient(const RuVaPnt2d& world) const;
    void ConvertBoxWorldToClient(const RuVaBndBox2d& world, double& x1, double& y1, double& x2, double& y2) const;
    // The pick aperture in world units for an aperture given in pixels.
    double GetPickAperture(int nPixels) const { return ConvertLengthClientToWorld(nPixels); }

    // Between world coordinates and the local coordinates of a layout (NULL: they are the same).
    static void ConvertPointLocalToWorld(const PartDrawingLayout* pLayout, const RuVaPnt2d& local, RuVaPnt2d& world);
    static void ConvertPointWorldToLocal(const PartDrawingLayout* pLayout, const RuVaPnt2d& world, RuVaPnt2d& local);
    // The same with the drawing first (a layout NULL: the view's active layout when it shows that drawing).
    void ConvertPointWorldToLocal(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout,
                                  const RuVaPnt2d& world, RuVaPnt2d& local) const;
    void ConvertPointLocalToWorld(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout,
                                  const RuVaPnt2d& local, RuVaPnt2d& world) const;
    double ConvertLengthWorldToLocal(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout,
                                     double dLength) const;
    double ConvertLengthLocalToWorld(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout,
                                     double dLength) const;
    static void ConvertBoxLocalToWorld(const PartDrawingLayout* pLayout, const RuVaBndBox2d& local, RuVaBndBox2d& world);
    static void ConvertBoxWorldToLocal(const PartDrawingLayout* pLayout, const RuVaBndBox2d& world, RuVaBndBox2d& local);
    // Through the active layout.
    void ConvertBoxLocalToWorld(const RuVaBndBox2d& local, RuVaBndBox2d& world) const;
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
    long GetNextSelectableFeatureRecordID(int& nLayoutID, long nPrevID, int nFlag) const;
    BOOL IsFeatureSelectable(long nRecordID, const DrawingFeatureBase* pDrawing, int nFlag) const;

    // The grid point of the shown drawing's grid nearest to the world point when it lies within the
    // aperture; bForce snaps even while the grid is hidden.
    BOOL HitGrid(const RuVaPnt2d& world, RuVaPnt2d& gridPoint, double dAperture, BOOL bForce) const;

    // ---- Overlays: marks drawn between BeginDraw and EndDraw, temporary shapes between
    // BeginDrawTemporaryFeature and EndDrawTemporaryFeature, over the picture (a device context given:
    // also into it). FALSE when the view has no picture.
    BOOL BeginDraw(HDC hDC = nullptr);
    void EndDraw();
    BOOL BeginDrawTemporaryFeature(HDC hDC = nullptr);
    void EndDrawTemporaryFeature();
    BOOL IsDrawingOverlay() const;
    // Cross-hair (full window) and pick box of nBoxSize pixels about the client point.
    void DrawMouseCursor(const CPoint& point, BOOL bPickBox, int nBoxSize, BOOL bCrossHair, COLORREF color,
                         DWORD dwSnapKind = 0);
    // A mark of nSize pixels at the world point, its shape by the snap kind.
    void DrawSnapMark(const RuVaPnt2d& world, int nSize, COLORREF color, DWORD dwSnapKind);
    void DrawAngularSnapLine(const RuVaPnt2d& origin, double dAngleDeg, double dBaseAngleDeg, COLORREF color);
    void DrawVirtualSnapCurve(const KcArrayOfGeEntity2d& curves, COLORREF color);
    void DrawSnapText(const CPoint& point, int nBoxSize, DWORD dwSnapKind, int nAngular, double dAngleDeg,
                      int nAngleFormat, int nAnglePrecision);
    // A grip of the document's tracker (its handle index), or a client point.
    void DrawFeatureTrackerHitMark(int nGrip, COLORREF color);
    void DrawHitMark(const CPoint& point, COLORREF color);
    // Part mode 1 (window): solid outline; 2 (crossing): dashed.
    void DrawRectangleMarquee(const CPoint& p1, const CPoint& p2, int nPartMode = 1);
    void DrawPolygonMarquee(const std::vector<CPoint>& points, int nPartMode = 1);
    void DrawPolylineMarquee(const std::vector<CPoint>& points);
    void DrawLineMarquee(const CPoint& p1, const CPoint& p2);
    // Temporary shapes: a shape in world coordinates in its own colours (or the colour given, not -1), and
    // world polylines.
    void DrawOverlayFeature(const Feature2dBase* pWorldFeature, COLORREF color = (COLORREF)-1);
    // A shape in the local coordinates of the part layout (NULL: the world) drawn as the render of the view
    // draws a record, line type, width, marker and text alike: a preview shows what the document would.
    void DrawOverlayRenderedFeature(const PartDrawingLayout* pLayout, const Feature2dBase* pLocalFeature);
    void DrawOverlayPolyline(const KcArrayOfGePnt2d& world, COLORREF color, BOOL bClosed = FALSE);
    void DrawOverlayClientLines(const std::vector<CPoint>& points, COLORREF color, BOOL bClosed, BOOL bDashed);
    // The document's grip tracker (not owned): its grips are drawn on the picture (up to kMaxGripsShown),
    // and HitMark marks one of them.
    static constexpr int kMaxGripsShown = 20000;
    void SetFeatureTracker(FeatureTrackerBase* pTracker) { m_pTracker = pTracker; }
    FeatureTrackerBase* GetFeatureTracker() const { return m_pTracker; }

    // The painter drawing the overlay now (between the brackets), NULL otherwise.
    QPainter* GetOverlayPainter() const;

private:
    struct Canvas;
    BOOL IsDrawingSelectable(const DrawingFeatureBase* pDrawing, int nFlag) const;
    BOOL BeginOverlay(HDC hDC, int nLayer);
    void EndOverlay(int nLayer);
    void MarkOverlay(double x1, double y1, double x2, double y2);
    void MarkLine(double x1, double y1, double x2, double y2);
    void MarkPolyline(const QPolygonF& poly, bool bClosed);
    void DrawGrips(QImage& picture);
    void RequestRepaint();
    Canvas& C() const;
    void CopySettings(const Draw2dView& other);

    Draw2dDocument* m_pDocument;
    CWnd* m_pOwner = nullptr;
    HWND m_hWnd = nullptr;
    long m_nActiveLayoutID = -1;
    int m_nGraphicsMode = 2;
    int m_nLineSmoothMode = 0;
    COLORREF m_paperColor = 0x00FFFFFF;
    COLORREF m_paperBack1 = 0x00A0A0A0;
    COLORREF m_paperBack2 = 0x00A0A0A0;
    COLORREF m_partBack = 0x00FFFFFF;
    COLORREF m_componentBack = 0x00F0F0F0;
    COLORREF m_selectedColor = 0x000000FF;
    BOOL m_bLayoutRegionVisible = TRUE;
    int m_nGreekTextSize = 3;
    BOOL m_bGridVisible = TRUE;
    BOOL m_bPrintRangeVisible = FALSE;
    BreakProc m_pfnBreak = nullptr;
    RepaintProc m_pfnRepaint = nullptr;
    void* m_pRepaintUser = nullptr;
    FeatureTrackerBase* m_pTracker = nullptr;
    mutable std::unique_ptr<Canvas> m_pCanvas;
    long m_nDrawingID = -1;
    double m_dScale = 1.0;
    RuVaPnt2d m_center;
    int m_cx = 0;
    int m_cy = 0;
};
