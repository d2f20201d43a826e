#include "libs/kcplot/PlotManager.h"

#include <QtGui/QPaintDevice>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QTransform>

#include <algorithm>
#include <cmath>

#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PlotSetting.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/win/AfxPrinterData.h"

PlotManager::Sheet PlotManager::GetSheet(HDC hAttribDC, const PlotSetting& setting)
{
    Sheet sheet;
    const int dpiX = hAttribDC != nullptr ? ::GetDeviceCaps(hAttribDC, LOGPIXELSX) : 0;
    const int dpiY = hAttribDC != nullptr ? ::GetDeviceCaps(hAttribDC, LOGPIXELSY) : 0;
    const int physW = hAttribDC != nullptr ? ::GetDeviceCaps(hAttribDC, PHYSICALWIDTH) : 0;
    const int physH = hAttribDC != nullptr ? ::GetDeviceCaps(hAttribDC, PHYSICALHEIGHT) : 0;
    if (dpiX > 0 && dpiY > 0 && physW > 0 && physH > 0) {
        sheet.width = physW * 25.4 / dpiX;
        sheet.height = physH * 25.4 / dpiY;
        sheet.left = ::GetDeviceCaps(hAttribDC, PHYSICALOFFSETX) * 25.4 / dpiX;
        sheet.top = ::GetDeviceCaps(hAttribDC, PHYSICALOFFSETY) * 25.4 / dpiY;
        sheet.right = std::min(sheet.width, sheet.left + ::GetDeviceCaps(hAttribDC, HORZRES) * 25.4 / dpiX);
        sheet.bottom = std::min(sheet.height, sheet.top + ::GetDeviceCaps(hAttribDC, VERTRES) * 25.4 / dpiY);
        return sheet;
    }
    short w = 2100, l = 2970;
    if (!AfxPrinterData::GetPaperSize(setting.GetPaperType(), w, l))
        w = 2100, l = 2970;
    sheet.width = w / 10.0;
    sheet.height = l / 10.0;
    if (setting.GetOrientType() == PlotSetting::orientLandscape)
        std::swap(sheet.width, sheet.height);
    sheet.left = sheet.top = 0.0;
    sheet.right = sheet.width;
    sheet.bottom = sheet.height;
    return sheet;
}

BOOL PlotManager::GetPlotTransform(const Draw2dDocument& doc, const DrawingFeatureBase& drawing,
                                   const PlotSetting& setting, const Sheet& sheet, QTransform& toSheet)
{
    toSheet = QTransform();
    RuVaBndBox2d range;
    if (!setting.GetPlotRange(doc, drawing, range))
        return FALSE;
    const double rw = range.Width(), rh = range.Height();
    double k = 1.0;  // sheet millimetres per drawing unit
    double cx = sheet.width / 2, cy = sheet.height / 2;
    if (setting.GetScaleMode() == PlotSetting::scaleFit) {
        const double aw = std::max(0.0, sheet.right - sheet.left), ah = std::max(0.0, sheet.bottom - sheet.top);
        cx = (sheet.left + sheet.right) / 2;
        cy = (sheet.top + sheet.bottom) / 2;
        // A range of no width or height fits by its other side; a point prints at 1.
        const double kx = rw > 0.0 ? aw / rw : 0.0, ky = rh > 0.0 ? ah / rh : 0.0;
        if (kx > 0.0 && ky > 0.0)
            k = std::min(kx, ky);
        else if (kx > 0.0 || ky > 0.0)
            k = std::max(kx, ky);
    } else {
        k = setting.GetScale();
        if (drawing.IsPaperFeature()) {
            const double s = static_cast<const Paper2dFeature&>(drawing).GetPrintScale();
            if (std::isfinite(s) && s > 0.0)
                k *= s;
        }
    }
    if (!std::isfinite(k) || k <= 0.0)
        k = 1.0;
    const RuVaPnt2d c = range.Center();
    // x' = cx + (x - c.x) k + offsetX, y' = cy - (y - c.y) k - offsetY
    toSheet = QTransform(k, 0, 0, -k, cx - c.X() * k + setting.GetOffsetX(), cy + c.Y() * k - setting.GetOffsetY());
    return TRUE;
}

BOOL PlotManager::PlotOut(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing, Gdiplus::Graphics* pGraphics,
                          HDC hAttribDC)
{
    if (pDocument == nullptr || pDrawing == nullptr || pGraphics == nullptr)
        return FALSE;
    QTransform mmToDevice;
    QPainter* painter = pGraphics->GetNativePainter(&mmToDevice);
    if (painter == nullptr || painter->device() == nullptr || !mmToDevice.isInvertible())
        return FALSE;
    const PlotSetting& setting = pDocument->GetPlotSetting();
    const Sheet sheet = GetSheet(hAttribDC, setting);
    QTransform toSheet;
    if (!GetPlotTransform(*pDocument, *pDrawing, setting, sheet, toSheet))
        return TRUE;  // nothing to print: an empty page
    const QTransform toDevice = toSheet * mmToDevice;
    const double pxPerMM = std::sqrt(std::fabs(mmToDevice.m11() * mmToDevice.m22() - mmToDevice.m12() * mmToDevice.m21()));
    DrawingManager::PlotStyle style;
    style.bBlack = setting.GetConvertColorMode() == PlotSetting::colorBlack;
    style.bThinLines = !setting.IsLineWidthPrintable();
    style.bPointMarkers = setting.IsPointMarkerPrintable() != FALSE;
    painter->save();
    const int mode = setting.GetEffectiveRangeMode(*pDrawing);
    if (mode != PlotSetting::rangeExtents) {
        RuVaBndBox2d range;
        setting.GetPlotRange(*pDocument, *pDrawing, range);
        QPainterPath clip;
        clip.addRect(QRectF(QPointF(range.XMin(), range.YMin()), QPointF(range.XMax(), range.YMax())));
        painter->setWorldTransform(QTransform());
        painter->setClipPath(toDevice.map(clip), painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    const BOOL ok = DrawingManager::PlotDrawing(*pDocument, *pDrawing, *painter, toDevice, pxPerMM,
                                                painter->device()->width(), painter->device()->height(), style);
    painter->restore();
    return ok;
}
