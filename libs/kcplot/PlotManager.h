#pragma once
// Prints a drawing as one page, as the document's plot setting says (libs/vevure/PlotSetting.h gives the
// values). The same call draws the printed page and the print preview, so both show one picture.
//
// What the values mean here:
//   - The range (PlotSetting::GetPlotRange): 0 the paper's sheet (0, 0)-(width, height) as the view draws
//     it, 1 the extents of the printable shapes, 2 the drawing's print range. Ranges 0 and 2 are clipped:
//     nothing outside them prints.
//   - Scale mode 0 fits the range into the printable area keeping its proportions, centred in it; scale
//     mode 1 prints one drawing unit as (scale x the paper's print scale) millimetres (1 for a part
//     drawing), the range centred on the sheet. A range of no extent prints at scale 1.
//   - The offset then moves the image: X to the right, Y up, in millimetres.
//   - Line widths and dash lengths are sheet millimetres whatever the scale; with line widths off every
//     line is the thinnest the device draws. Colour mode 1 prints every colour black and pictures grey.
//     Point markers off leaves them out.
//   - Circles, arcs, ellipses and elliptic arcs go out as curves, dashed ones as pieces of the curve.

#include "platform/gdi/GdiTypes.h"

class Draw2dDocument;
class DrawingFeatureBase;
class PlotSetting;
class QTransform;

namespace Gdiplus {
class Graphics;
}

class PlotManager
{
public:
    // The sheet and its printable area in millimetres, the sheet's top-left corner at (0, 0).
    struct Sheet {
        double width = 210.0, height = 297.0;
        double left = 0.0, top = 0.0, right = 210.0, bottom = 297.0;  // the printable area
    };

    // Draws the whole printed image of the drawing into g, whose world units must be millimetres on the
    // sheet with the origin at the sheet's top-left corner. The sheet and its printable area come from the
    // printer context hAttribDC (NULL: the plot setting's paper, all of it printable). FALSE when nothing
    // could be drawn on (no document, drawing or painter); an empty drawing draws nothing and succeeds.
    static BOOL PlotOut(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing, Gdiplus::Graphics* pGraphics,
                        HDC hAttribDC);

    // The sheet of a printer context (NULL: the paper and orientation of the setting, all printable).
    static Sheet GetSheet(HDC hAttribDC, const PlotSetting& setting);
    // Where the drawing lies on the sheet: drawing coordinates to sheet millimetres (y down). FALSE when
    // the range is empty (the transform is then the identity).
    static BOOL GetPlotTransform(const Draw2dDocument& doc, const DrawingFeatureBase& drawing,
                                 const PlotSetting& setting, const Sheet& sheet, QTransform& toSheet);
};
