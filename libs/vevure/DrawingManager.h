#pragma once
// Renders drawings: the shown drawing of a view with its paper, grid and part layouts (each clipped to its
// region and carried by its transform), every shape in its colour, line type and line width, hidden layers
// and drawings left out; the same code draws thumbnails and pictures of shapes.
//
// Off-screen shapes are culled through each drawing's spatial index; curves are flattened to a quarter
// pixel; shapes smaller than a pixel become a dot; lines of one look are drawn in one batch.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class Draw2dDocument;
class Draw2dView;
class Feature2dBase;
class Feature2dList;
class HatchPatternBase;
class PartDrawingLayout;
class QImage;
class QPainter;
class QRectF;
class QTransform;
class DrawingFeatureBase;

class DrawingManager
{
public:
    // Counts of the last render (for the benchmark and tests).
    struct RenderStats {
        long nCandidates = 0;  // records the index handed out
        long nDrawn = 0;       // shapes drawn
        long nDots = 0;        // shapes drawn as a dot
    };

    // Renders the view's drawing into the image (whose size is the client size). FALSE when the view's break
    // procedure stopped it or there is nothing to draw with; the image is then incomplete.
    static BOOL RenderView(const Draw2dView& view, QImage& image, RenderStats* pStats = nullptr);
    // The same through any painter (a printer's, a PDF writer's) over cx x cy device units; line width and
    // pitch display modes -1 take the document's.
    // bPrintableOnly leaves out drawings and layers that are not to be printed, with the grid, the desk and
    // the layout outlines.
    static BOOL RenderViewTo(const Draw2dView& view, QPainter& painter, int cx, int cy, int nLineWidthMode = -1,
                             int nLinePitchMode = -1, RenderStats* pStats = nullptr, BOOL bPrintableOnly = FALSE);
    // One shape that is no record of the document (a command's preview) drawn over the painter exactly as
    // the render of the view draws its records: in the shape's own look, through the part layout (NULL: in
    // the view's world) and clipped to its region. drawn receives the device area touched.
    static BOOL DrawLooseFeature(const Draw2dView& view, QPainter& painter, const PartDrawingLayout* pLayout,
                                 const Feature2dBase& feature, QRectF& drawn);
    // How shapes come out on paper.
    struct PlotStyle {
        bool bBlack = false;         // every colour black, pictures grey
        bool bThinLines = false;     // every line at the thinnest width the device has
        bool bPointMarkers = true;   // point markers printed
        bool bCurves = true;         // circles, arcs and ellipses (dashed too) as curves, not chains of lines
    };
    // Draws the printable shapes of a drawing (and, for a paper, of its part layouts) through the painter,
    // without background, selection or grid: toDevice maps the drawing's coordinates to the painter's
    // device units (the painter's own transform is set aside); line widths and dash lengths are sheet
    // millimetres of dPixelsPerMM device units; shapes outside cx x cy device units are culled. Honours a
    // clip the caller set.
    static BOOL PlotDrawing(const Draw2dDocument& doc, const DrawingFeatureBase& drawing, QPainter& painter,
                            const QTransform& toDevice, double dPixelsPerMM, int cx, int cy, const PlotStyle& style,
                            RenderStats* pStats = nullptr);
    // The region of the drawing scaled into w x h device units of the context (at its origin), drawn as
    // vectors: for embedded copies of the document and for printing.
    static BOOL DrawOleServerDocument(HDC hDC, Draw2dDocument* pDocument, long nDrawingID, const RuVaPnt2d& lowerLeft,
                                      const RuVaPnt2d& upperRight, int nWidth, int nHeight, int nFlag = 0);

    // Thumbnail: the region of the drawing from lowerLeft to upperRight fitted into a w x h picture drawn
    // into the device context at (0, 0) on white. frame receives the corners of the region in pixels
    // (closed: five points). Line widths drawn real (mode 1) or thin (0), line types scaled (1) or not (0).
    static BOOL DrawDrawingFeature(HDC hDC, Draw2dDocument* pDocument, long nDrawingID, const RuVaPnt2d& lowerLeft,
                                   const RuVaPnt2d& upperRight, int nWidth, int nHeight, int nLineWidthMode,
                                   int nLinePitchMode, RuVaPnt2d* pFrame);

    // A picture of shapes (in the coordinates of one drawing) fitted into w x h with a margin (a fraction of
    // the size) on the background colour; the caller owns it; NULL for no shapes or a bad size. (Pictures are
// QImages: a Gdiplus::Bitmap wraps one by its bits.)
    static QImage* CreateFeatureListImage(const Draw2dDocument* pDocument, const Feature2dList* pList, int nWidth,
                                          int nHeight, COLORREF background, double dMargin = 0.1);
    // A picture of a whole drawing fitted into w x h.
    static QImage* CreateDrawingFeatureImage(Draw2dDocument* pDocument, long nDrawingID, int nWidth, int nHeight,
                                             COLORREF background);
    // The shapes of the layers in a drawing (-1: the active one) fitted into w x h: option 0 those shapes
    // alone, option 2 the whole drawing with the other layers' shapes greyed. Thumbnails (1) draw thin lines.
    // An empty picture when there is nothing to show.
    static QImage* CreateLayerFeatureImage(Draw2dDocument* pDocument, const std::vector<long>& layerIDs, int nOption,
                                           long nDrawingID, int nWidth, int nHeight, COLORREF background,
                                           int nThumbnail);
    // A sample of a hatch pattern (a few repeats) in the colour of the layer (black when it has none).
    static QImage* CreateHatchPatternImage(const Draw2dDocument* pDocument, const HatchPatternBase* pPattern,
                                           long nLayerID, int nWidth, int nHeight, COLORREF background);
};
