// The rows of the curve kinds: for each class a value, whether it is taken, what the shape then holds
// and whether an undo step was recorded; the vertex chooser, which is no change of the document and
// follows a shape that lost points.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "command/DoubleParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "property/Polyline2dFeatureProperty.h"
#include "property/ShapeFeaturePropertyBase.h"
#include "tests/property/PropertyTestDocument.h"

using QZ2Command::FeaturePropertyBase;
using QZ2Command::ParameterItemBase;
using QZ2Command::ShapeFeaturePropertyBase;

namespace {

std::unique_ptr<ParameterItemBase> Number(int nType, double v)
{
    std::unique_ptr<ParameterItemBase> p(ParameterItemBase::CreateItem(nType));
    static_cast<QZ2Command::DoubleParameterItem*>(p.get())->SetValue(v);
    return p;
}
std::unique_ptr<ParameterItemBase> Point(double x, double y)
{
    auto* p = new QZ2Command::PointParameterItem;
    p->SetValue(RuVaPnt2d(x, y));
    return std::unique_ptr<ParameterItemBase>(p);
}
std::unique_ptr<ParameterItemBase> Choice(int n)
{
    auto* p = new QZ2Command::ListParameterItem;
    p->SetValue(n);
    return std::unique_ptr<ParameterItemBase>(p);
}

class CurvePropertyTest : public kctest::PropertyTestDocument
{
protected:
    std::unique_ptr<FeaturePropertyBase> Object(long id)
    {
        std::unique_ptr<FeaturePropertyBase> p(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, id, -1));
        if (p)
            p->ResetDescriptors();
        return p;
    }
    // Applies in one bracket; whether it was taken and how many steps it recorded.
    std::pair<bool, int> Apply(FeaturePropertyBase& object, WORD wId, ParameterItemBase* pItem)
    {
        const int nUndo = doc.GetUndoCount();
        doc.BeginUndoOperation(nullptr);
        const BOOL bTaken = object.ApplyPropertyItem(wId, pItem);
        doc.EndUndoOperation();
        return {bTaken != FALSE, doc.GetUndoCount() - nUndo};
    }
};

}  // namespace

TEST_F(CurvePropertyTest, EachKindTakesItsValues)
{
    const long line = Add(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)));
    const long circle = Add(Circle2dFeature(RuVaPnt2d(0, 0), 5));
    const long arc = Add(Arc2dFeature(RuVaPnt2d(0, 0), 5, 0, 90));
    const long ellipse = Add(Ellipse2dFeature(RuVaPnt2d(0, 0), 8, 4, 0));
    const long infinite = Add(InfiniteLine2dFeature(RuVaPnt2d(0, 0), RuVaDir2d(1, 0)));
    auto circleRadius = [&] { return static_cast<Circle2dFeature*>(doc.GetFeature(circle))->GetRadius(); };
    auto arcRadius = [&] { return static_cast<Arc2dFeature*>(doc.GetFeature(arc))->GetRadius(); };
    auto arcStart = [&] { return static_cast<Arc2dFeature*>(doc.GetFeature(arc))->GetStartAngle(); };
    auto minor = [&] { return static_cast<Ellipse2dFeature*>(doc.GetFeature(ellipse))->GetMinorRadius(); };
    auto major = [&] { return static_cast<Ellipse2dFeature*>(doc.GetFeature(ellipse))->GetMajorRadius(); };
    auto direction = [&] { return static_cast<InfiniteLine2dFeature*>(doc.GetFeature(infinite))->GetDirection(); };
    const struct {
        long id;
        WORD wId;
        std::unique_ptr<ParameterItemBase> pItem;
        bool bTaken;
        int nSteps;
        std::function<bool()> holds;
        const char* what;
    } cases[] = {
        {line, 11, Point(0, 0), true, 0, [] { return true; }, "the same start point"},
        {line, 12, Point(20, 5), true, 1,
         [&] { return static_cast<Line2dFeature*>(doc.GetFeature(line))->GetEndPoint().IsEqual(RuVaPnt2d(20, 5), 0.0); },
         "a new end point"},
        {circle, 17, Number(2, 0.0), false, 0, [&] { return circleRadius() == 5.0; }, "circle radius 0"},
        {circle, 17, Number(2, 1e15), false, 0, [&] { return circleRadius() == 5.0; }, "circle radius 1e15"},
        {circle, 17, Number(2, 7.0), true, 1, [&] { return circleRadius() == 7.0; }, "circle radius 7"},
        {arc, 17, Number(2, 0.0), false, 0, [&] { return arcRadius() == 5.0; }, "arc radius 0: no empty step"},
        {arc, 18, Number(3, 370.0), true, 1, [&] { return std::fabs(arcStart() - 10.0) < 1e-9; }, "arc start 370"},
        {arc, 20, Choice(2), false, 0, [] { return true; }, "arc direction 2"},
        {ellipse, 22, Number(2, 3.0), true, 1, [&] { return major() == 8.0 && minor() == 3.0; },
         "the second radius keeps the first"},
        {infinite, 29, Point(0, 0), false, 0, [] { return true; }, "direction (0, 0)"},
        {infinite, 29, Point(3, 4), true, 1,
         [&] { return std::fabs(direction().X() - 0.6) < 1e-12 && std::fabs(direction().Y() - 0.8) < 1e-12; },
         "direction (3, 4)"},
        {infinite, 28, Point(0, 0), false, 0, [] { return true; }, "the same base point reports failure"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<FeaturePropertyBase> p = Object(c.id);
        ASSERT_TRUE(p) << c.what;
        ASSERT_GE(p->FindDescriptor(c.wId), 0) << c.what;
        const auto [bTaken, nSteps] = Apply(*p, c.wId, c.pItem.get());
        EXPECT_EQ(bTaken, c.bTaken) << c.what;
        EXPECT_EQ(nSteps, c.nSteps) << c.what;
        EXPECT_TRUE(c.holds()) << c.what;
    }
}

TEST_F(CurvePropertyTest, TheVertexChooserIsNoStepAndFollowsAShapeThatLostPoints)
{
    KcArrayOfGePnt2d points;
    for (int i = 0; i < 4; ++i)
        points.Add(RuVaPnt2d(i * 10.0, 0));
    const long id = Add(Polyline2dFeature(points));
    std::unique_ptr<FeaturePropertyBase> p = Object(id);
    ASSERT_TRUE(p);
    auto pPolyline = dynamic_cast<QZ2Command::Polyline2dFeatureProperty*>(p.get());
    ASSERT_NE(pPolyline, nullptr);
    EXPECT_EQ(Apply(*p, 14, Choice(2).get()), std::make_pair(true, 0));
    EXPECT_EQ(Apply(*p, 14, Choice(9).get()), std::make_pair(false, 0));
    EXPECT_EQ(Apply(*p, 15, Point(20, 7).get()), std::make_pair(true, 1));
    const auto* pShape = static_cast<Polyline2dFeature*>(doc.GetFeature(id));
    EXPECT_TRUE(pShape->GetPoint(2).IsEqual(RuVaPnt2d(20, 7), 0.0));
    EXPECT_TRUE(pShape->GetPoint(1).IsEqual(RuVaPnt2d(10, 0), 0.0));

    // The clone keeps the chosen vertex.
    std::unique_ptr<FeaturePropertyBase> pClone(p->Clone());
    EXPECT_EQ(dynamic_cast<QZ2Command::Polyline2dFeatureProperty*>(pClone.get())->GetCurrentIndex(), 2);

    // The shape loses points: the chosen vertex is clamped at every read.
    EXPECT_EQ(Apply(*p, 14, Choice(3).get()), std::make_pair(true, 0));
    KcArrayOfGePnt2d two;
    two.Add(RuVaPnt2d(0, 0));
    two.Add(RuVaPnt2d(5, 5));
    std::unique_ptr<Feature2dBase> pCopy(doc.GetFeature(id)->CopyObject());
    static_cast<Polyline2dFeature*>(pCopy.get())->SetPointArray(two);
    ASSERT_TRUE(doc.UpdateFeature(id, pCopy.get(), 1, 3));
    EXPECT_EQ(pPolyline->GetCurrentIndex(), 1);
    auto pPoint = Read(*p, 15);
    ASSERT_TRUE(pPoint);
    RuVaPnt2d shown;
    ASSERT_TRUE(static_cast<QZ2Command::PointParameterItem*>(pPoint.get())->GetValue(shown));
    EXPECT_TRUE(shown.IsEqual(RuVaPnt2d(5, 5), 0.0));
}
