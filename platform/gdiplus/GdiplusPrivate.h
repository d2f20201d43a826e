#pragma once
// Helpers shared by the GDI+ layer's sources. Internal: only .cpp files include this.

#include <QtGui/QBrush>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>
#include <QtGui/QImage>
#include <QtGui/QPainterPath>

#include "platform/gdiplus/GdiplusTypes.h"

namespace Gdiplus {
class Font;
}

namespace gdip {

inline QColor ToQColor(const Gdiplus::Color& c) { return QColor(c.GetR(), c.GetG(), c.GetB(), c.GetA()); }

// Qt's start angle and sweep (counter-clockwise, parametric on the ellipse) of an arc given
// as GDI+ gives it (clockwise degrees, measured to the point on the ellipse).
void QtArcAngles(const QRectF& box, double startAngle, double sweepAngle, double& qtStart, double& qtSweep);

// Appends a cardinal spline through points (the path already stands at points[0]).
void AppendCardinal(QPainterPath& path, const Gdiplus::PointF* points, int count, double tension, bool closed);

// The Qt font of a GDI+ font with the em size given in the units it is drawn in.
QFont MakeQFont(const Gdiplus::Font& font, double emSize);

// The 8x8 pattern of a hatch style (bit 7 of row 0 is the top-left pixel).
const unsigned char* HatchRows(int style);

}  // namespace gdip
