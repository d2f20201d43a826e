// Every kind of shape, as made by default and with odd sizes, goes through rendering, picking, snapping,
// grips and drag images without harm.

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "ViewFixture.h"

#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Drag.h"
#include "libs/vevure/FeaturePicker.h"
#include "libs/vevure/FeatureTrackerBase.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Snap.h"

TEST(ViewEveryKind, DefaultAndScaledShapesOfEveryKind)
{
    ViewFixture f;
    const int kinds[] = {FeatureTypePointMarker, FeatureTypeLine, FeatureTypePolyline, FeatureTypeCircle,
                         FeatureTypeArc, FeatureTypeEllipse, FeatureTypeEllipseArc, FeatureTypeRegion,
                         FeatureTypeBSplineCurve, FeatureTypeText, FeatureTypeInfiniteLine,
                         FeatureTypeSemiInfiniteLine, FeatureTypeArrow, FeatureTypeLead, FeatureTypeBalloon,
                         FeatureTypeHatch, FeatureTypeLinearDimension, FeatureTypeRadiusDimension,
                         FeatureTypeDiameterDimension, FeatureTypeAngularDimension, FeatureTypeArcDimension,
                         FeatureTypeParallelDimension, FeatureTypeTolerance, FeatureTypeDrawGroup,
                         FeatureTypeDrawComponent, FeatureTypeImage, FeatureTypeOleObject};
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> pos(-50, 250), scale(1e-6, 50);
    int added = 0;
    for (int kind : kinds)
        for (int copy = 0; copy < 3; ++copy) {
            std::unique_ptr<Feature2dBase> shape(Feature2dBase::CreateFeature(kind));
            if (!shape)
                continue;
            const double s = copy == 0 ? 1.0 : scale(rng);
            RuVaGTrsf2d t(s, 0, pos(rng), 0, s, pos(rng) / 2);
            shape->TransformGeometry(t, s);
            shape->SetColorNo(short(copy + 1));
            if (f.Add(*shape) != -1)
                ++added;
        }
    ASSERT_GT(added, 20);

    FeatureTrackerBase tracker(&f.doc);
    f.view.SetFeatureTracker(&tracker);
    for (long id = f.doc.GetNextFeatureRecordID(-1); id != -1; id = f.doc.GetNextFeatureRecordID(id))
        f.doc.GetSelectionManager()->SelectFeature(FeatureRecord(id, -1), FALSE);
    for (double zoom : {0.01, 1.0, 40.0}) {
        f.view.SetScale(zoom);
        f.Render();
        EXPECT_EQ(f.last, 1);
    }
    f.view.SetScale(1.0);
    f.Render();
    Drag drag;
    for (int y = 0; y < 100; y += 7)
        for (int x = 0; x < 200; x += 9) {
            const RuVaPnt2d p = f.view.ConvertPointClientToWorld(CPoint(x, y));
            FeatureLayout hit;
            FeaturePicker::PickByPoint(&f.view, p, 3.0, 1, 0, 0xFFFFFFFF, nullptr, hit);
            Snap snap;
            snap.AddFeaturesNear(&f.view, p, 3.0, 1);
            snap.SetSnapOrigin(RuVaPnt2d(1, 1), 0.0);
            snap.UpdateSnapPoint(p, 3.0);
            tracker.HitTest(&f.view, CPoint(x, y), 4, 0);
            if (hit.GetRecordID() > 0)
                drag.AddFeature(f.drawing, nullptr, hit.GetRecordID());
        }
    FeaturePicker::Options o;
    o.nPartMode = 2;
    CArray<FeatureLayout> found;
    EXPECT_GT(FeaturePicker::PickByRectangle(&f.view, RuVaPnt2d(-100, -100), RuVaPnt2d(300, 200), o, found), 0);
    drag.DrawDrag(&f.doc, &f.view, RuVaPnt2d(10, 10), 30.0);
    f.view.RestoreView();
}
