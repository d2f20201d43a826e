#pragma once
// A document with one part drawing shown in a 200 x 100 view at one pixel per unit (world (x, y) near
// client (x, 100 - y)), holding:
//   h       line (0, 50)-(100, 50)          v      line (50, 0)-(50, 100), drawn after h
//   circle  centre (150, 50), radius 20     text   "ABC" at (120, 80), height 10
//   locked  line (0, 10)-(100, 10) on a locked layer
//   marked  line (0, 90)-(40, 90) on the layer "Marked" (the one the filter tests let through)

#include <QImage>

#include "platform/gdi/CDC.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/SelectionFilter.h"
#include "libs/vevure/SelectionLayerFilter.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Text2dFeature.h"

struct SelectionFixture {
    Draw2dDocument doc;
    Draw2dView view;
    DrawingFeatureBase* drawing = nullptr;
    long part = -1;
    long h = -1, v = -1, circle = -1, text = -1, locked = -1, marked = -1;
    long lockedLayer = -1, markedLayer = -1;
    int selectionNotices = 0;
    int otherNotices = 0;

    SelectionFixture()
        : view(&doc)
    {
        doc.InitDocument();
        part = doc.AddPartDrawingFeature(u"P");
        drawing = doc.GetDrawingFeatureByID(part);
        doc.ActivateDrawingFeature(part, -1, FALSE);
        view.SetDrawingID(part);
        view.SetGridVisible(FALSE);
        view.ResizeView(200, 100);
        view.SetScale(1.0);
        view.SetCenterPoint(RuVaPnt2d(100, 50));

        Line2dFeature hl(RuVaPnt2d(0, 50), RuVaPnt2d(100, 50));
        Line2dFeature vl(RuVaPnt2d(50, 0), RuVaPnt2d(50, 100));
        Circle2dFeature c(RuVaPnt2d(150, 50), 20);
        Text2dFeature t(CString(u"ABC"), RuVaPnt2d(120, 80));
        t.SetHeight(10);
        h = Add(hl);
        v = Add(vl);
        circle = Add(c);
        text = Add(t);

        lockedLayer = doc.AddLayer(-1, u"Locked", 0);
        Line2dFeature ll(RuVaPnt2d(0, 10), RuVaPnt2d(100, 10));
        ll.SetLayerID(lockedLayer);
        locked = Add(ll);
        doc.SetLayerState(lockedLayer, 1, 0);

        markedLayer = doc.AddLayer(-1, u"Marked", 0);
        Line2dFeature ml(RuVaPnt2d(0, 90), RuVaPnt2d(40, 90));
        ml.SetLayerID(markedLayer);
        marked = Add(ml);

        doc.SetNotifyFunction(&SelectionFixture::OnNotify, this);
    }

    long Add(Feature2dBase& f) { return doc.AddFeature(&f, drawing, 0); }
    SelectionManager& Sel() { return *doc.GetSelectionManager(); }

    // A filter that lets only the shapes of the layer "Marked" through.
    SelectionFilter MarkedOnly() const
    {
        SelectionFilter filter;
        filter.SetSelectionFilterMode(1);
        filter.GetLayerFilter().AddLayerFilter(markedLayer);
        return filter;
    }

    // Renders through a device context, as a window's paint does.
    QImage Render()
    {
        QImage image(view.GetClientWidth(), view.GetClientHeight(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        CDC dc;
        dc.CreateFromPaintDevice(&image);
        view.DrawView(dc.GetSafeHdc());
        dc.DeleteDC();
        return image;
    }

    static int OnNotify(NotifyInfoBase* pInfo, void* pUser)
    {
        auto* self = static_cast<SelectionFixture*>(pUser);
        if (pInfo->GetKind() == NotifyInfoBase::kindView && pInfo->GetCode() == 1)
            ++self->selectionNotices;
        else
            ++self->otherNotices;
        return 0;
    }
};
