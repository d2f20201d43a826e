#pragma once
// A document with one part drawing shown in a 200 x 100 view at one pixel per unit, the world origin at the
// lower left corner of the client area, so that world (x, y) is pixel (x, 99.5 - y).

#include <QImage>

#include <memory>

#include "platform/gdi/CDC.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"

struct ViewFixture {
    Draw2dDocument doc;
    long part = -1;
    DrawingFeatureBase* drawing = nullptr;
    Draw2dView view;

    ViewFixture(int cx = 200, int cy = 100)
        : view(&doc)
    {
        doc.InitDocument();
        part = doc.AddPartDrawingFeature(u"P");
        drawing = doc.GetDrawingFeatureByID(part);
        doc.ActivateDrawingFeature(part, -1, FALSE);
        view.SetDrawingID(part);
        view.SetGridVisible(FALSE);
        view.ResizeView(cx, cy);
        view.SetScale(1.0);
        view.SetCenterPoint(RuVaPnt2d(cx / 2.0, cy / 2.0));
    }

    long Add(Feature2dBase& f, DrawingFeatureBase* d = nullptr) { return doc.AddFeature(&f, d ? d : drawing, 0); }

    // Renders into a fresh image through a device context, as a window's paint does.
    QImage Render()
    {
        QImage image(view.GetClientWidth(), view.GetClientHeight(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        CDC dc;
        dc.CreateFromPaintDevice(&image);
        last = view.DrawView(dc.GetSafeHdc());
        dc.DeleteDC();
        return image;
    }
    int last = 0;
};

inline QRgb Px(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0x00FFFFFF;
}
