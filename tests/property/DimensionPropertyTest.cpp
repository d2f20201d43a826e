// The rows of the five dimension kinds: the kinds' own geometry first, then the shared value-text and style
// rows; every change lays the dimension out again in one undo step.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "command/DoubleParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/SettingParameterItem.h"
#include "command/TextParameterItem.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/ParallelDimension2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "property/ShapeFeaturePropertyBase.h"
#include "tests/property/PropertyTestDocument.h"

using QZ2Command::FeaturePropertyBase;
using QZ2Command::ParameterItemBase;
using QZ2Command::ShapeFeaturePropertyBase;

namespace {

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
std::unique_ptr<ParameterItemBase> Text(const char16_t* text)
{
    auto* p = new QZ2Command::TextParameterItem;
    p->SetValue(CString(text));
    return std::unique_ptr<ParameterItemBase>(p);
}
std::unique_ptr<ParameterItemBase> Number(int nType, double v)
{
    std::unique_ptr<ParameterItemBase> p(ParameterItemBase::CreateItem(nType));
    static_cast<QZ2Command::DoubleParameterItem*>(p.get())->SetValue(v);
    return p;
}

class DimensionPropertyTest : public kctest::PropertyTestDocument
{
protected:
    std::unique_ptr<FeaturePropertyBase> Object(long id)
    {
        std::unique_ptr<FeaturePropertyBase> p(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, id, -1));
        if (p)
            p->ResetDescriptors();
        return p;
    }
    std::pair<bool, int> Apply(FeaturePropertyBase& object, WORD wId, ParameterItemBase* pItem)
    {
        const int nUndo = doc.GetUndoCount();
        doc.BeginUndoOperation(nullptr);
        const BOOL bTaken = object.ApplyPropertyItem(wId, pItem);
        doc.EndUndoOperation();
        return {bTaken != FALSE, doc.GetUndoCount() - nUndo};
    }
    bool Editable(FeaturePropertyBase& object, WORD wId)
    {
        std::unique_ptr<ParameterItemBase> p = Read(object, wId);
        return p && p->m_bRequired;
    }
    template <class T>
    T* Shape(long id)
    {
        return static_cast<T*>(doc.GetFeature(id));
    }
};

}  // namespace

TEST_F(DimensionPropertyTest, EachKindShowsItsGeometryThenTheDimensionRows)
{
    const long linear = Add(LinearDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(30, 10), 5.0, 0.0, 0.0));
    const long parallel = Add(ParallelDimension2dFeature(RuVaPnt2d(1, 1), RuVaPnt2d(4, 5), 2.0));
    const long radius = Add(RadiusDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(3, 4)));
    const long diameter = Add(DiameterDimension2dFeature(RuVaPnt2d(-5, 0), RuVaPnt2d(5, 0)));
    const long angular = Add(AngularDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(0, 10), 7.0));
    const long arc = Add(ArcDimension2dFeature(RuVaPnt2d(0, -3), 12.0, 40.0, 140.0));
    const struct {
        long id;
        std::vector<WORD> ids;
        const char* what;
    } cases[] = {
        {linear, {1, 2, 3, 4, 5, 6, 7, 55, 56, 57, 58, 59, 50, 51, 52, 53, 54}, "linear"},
        {parallel, {1, 2, 3, 4, 5, 6, 7, 55, 56, 57, 58, 59, 50, 51, 52, 53, 54}, "parallel"},
        {radius, {1, 2, 3, 4, 5, 6, 7, 60, 61, 50, 51, 52, 53, 54}, "radius"},
        {diameter, {1, 2, 3, 4, 5, 6, 7, 62, 63, 50, 51, 52, 53, 54}, "diameter"},
        {angular, {1, 2, 3, 4, 5, 6, 7, 64, 65, 66, 67, 50, 51, 52, 53, 54}, "angular"},
        {arc, {1, 2, 3, 4, 5, 6, 7, 68, 69, 70, 71, 72, 50, 51, 52, 53, 54}, "arc"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<FeaturePropertyBase> p = Object(c.id);
        ASSERT_TRUE(p) << c.what;
        std::vector<WORD> ids = Ids(*p);
        // Line type and width rows follow the kind's common-row table.
        std::erase_if(ids, [](WORD w) { return w == 6 || w == 7; });
        std::vector<WORD> expected = c.ids;
        std::erase_if(expected, [](WORD w) { return w == 6 || w == 7; });
        EXPECT_EQ(ids, expected) << c.what;
        for (WORD wId : c.ids)
            if (wId >= 50 && !(wId == 6 || wId == 7))
                EXPECT_TRUE(Read(*p, wId)) << c.what << " row " << wId;
    }
}

TEST_F(DimensionPropertyTest, TheValueTextIsTypedOnlyWhenEnteredByHand)
{
    const long id = Add(LinearDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(30, 0), 5.0, 0.0, 0.0));
    std::unique_ptr<FeaturePropertyBase> p = Object(id);
    ASSERT_TRUE(p);
    EXPECT_FALSE(Editable(*p, 51));
    EXPECT_EQ(Apply(*p, 51, Text(u"").get()), std::make_pair(false, 0));

    EXPECT_EQ(Apply(*p, 50, Choice(1).get()), std::make_pair(true, 1));
    EXPECT_TRUE(Shape<LinearDimension2dFeature>(id)->GetValueTextManualMode());
    EXPECT_TRUE(Editable(*p, 51));
    EXPECT_EQ(Apply(*p, 51, Text(u"30 typed").get()), std::make_pair(true, 1));
    EXPECT_EQ(Shape<LinearDimension2dFeature>(id)->GetValueText(), CString(u"30 typed"));
    // In the entered mode an empty text clears it.
    EXPECT_EQ(Apply(*p, 51, Text(u"").get()).first, true);
    EXPECT_TRUE(Shape<LinearDimension2dFeature>(id)->GetValueTextRaw().IsEmpty());

    // The value point follows only when its mode frees it.
    EXPECT_FALSE(Editable(*p, 53));
    EXPECT_EQ(Apply(*p, 52, Choice(1).get()), std::make_pair(true, 1));
    EXPECT_TRUE(Editable(*p, 53));
    EXPECT_EQ(Apply(*p, 53, Point(15, 20).get()), std::make_pair(true, 1));
    EXPECT_TRUE(Shape<LinearDimension2dFeature>(id)->GetValueTextPoint().IsEqual(RuVaPnt2d(15, 20), 1e-9));
}

TEST_F(DimensionPropertyTest, MovingTheSecondPointKeepsWhatTheKindKeeps)
{
    const long linear = Add(LinearDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(30, 10), 5.0, 0.0, 0.0));
    const long parallel = Add(ParallelDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 2.0));

    std::unique_ptr<FeaturePropertyBase> pl = Object(linear);
    const double angleBefore = Shape<LinearDimension2dFeature>(linear)->GetProjectionAngle();
    EXPECT_EQ(Apply(*pl, 56, Point(40, 25).get()), std::make_pair(true, 1));
    EXPECT_TRUE(Shape<LinearDimension2dFeature>(linear)->GetPoint(1).IsEqual(RuVaPnt2d(40, 25), 1e-9));
    EXPECT_EQ(Shape<LinearDimension2dFeature>(linear)->GetProjectionAngle(), angleBefore);
    EXPECT_NEAR(Shape<LinearDimension2dFeature>(linear)->GetMeasuredValue(), 40.0, 1e-9);

    std::unique_ptr<FeaturePropertyBase> pp = Object(parallel);
    EXPECT_EQ(Apply(*pp, 56, Point(0, 10).get()), std::make_pair(true, 1));
    const auto* pDim = Shape<LinearDimension2dFeature>(parallel);
    EXPECT_TRUE(pDim->GetPoint(1).IsEqual(RuVaPnt2d(0, 10), 1e-9));
    EXPECT_NEAR(pDim->GetMeasuredValue(), 10.0, 1e-9);
    EXPECT_NEAR(std::fmod(pDim->GetProjectionAngle() + 360.0, 180.0), 90.0, 1e-9)
        << "a parallel dimension measures along its points";

    // The same point again is no step; a point that is not finite is refused.
    EXPECT_EQ(Apply(*pp, 56, Point(0, 10).get()), std::make_pair(true, 0));
    EXPECT_EQ(Apply(*pp, 56, Point(NAN, 0).get()), std::make_pair(false, 0));
}

TEST_F(DimensionPropertyTest, AngularEndPointArcAnglesAndRadii)
{
    const long angular = Add(AngularDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(0, 10), 7.0));
    const long arc = Add(ArcDimension2dFeature(RuVaPnt2d(0, 0), 12.0, 40.0, 140.0));
    std::unique_ptr<FeaturePropertyBase> pa = Object(angular);
    EXPECT_EQ(Apply(*pa, 67, Point(-10, 0).get()), std::make_pair(true, 1));
    EXPECT_TRUE(Shape<AngularDimension2dFeature>(angular)->GetEndPoint().IsEqual(RuVaPnt2d(-10, 0), 1e-9));
    EXPECT_NEAR(Shape<AngularDimension2dFeature>(angular)->GetMeasuredValue(), 180.0, 1e-6);
    EXPECT_EQ(Apply(*pa, 65, Number(ParameterItemBase::typeLength, 0.0).get()), std::make_pair(false, 0));
    EXPECT_EQ(Apply(*pa, 65, Number(ParameterItemBase::typeLength, 9.0).get()), std::make_pair(true, 1));
    EXPECT_EQ(Shape<AngularDimension2dFeature>(angular)->GetRadius(), 9.0);

    std::unique_ptr<FeaturePropertyBase> pr = Object(arc);
    EXPECT_EQ(Apply(*pr, 71, Number(ParameterItemBase::typeAngle, 100.0).get()), std::make_pair(true, 1));
    EXPECT_EQ(Shape<ArcDimension2dFeature>(arc)->GetEndAngle(), 100.0);
    EXPECT_EQ(Apply(*pr, 69, Number(ParameterItemBase::typeLength, -1.0).get()), std::make_pair(false, 0));
}

TEST_F(DimensionPropertyTest, TheStyleIsAppliedByLayingTheDimensionOutInOneStep)
{
    const long id = Add(RadiusDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(3, 4)));
    std::unique_ptr<FeaturePropertyBase> p = Object(id);
    auto row = Read(*p, 54);
    ASSERT_TRUE(row);
    FeatureSettingBase* pStyle = nullptr;
    ASSERT_TRUE(static_cast<QZ2Command::SettingParameterItem*>(row.get())->GetValue(pStyle));
    auto* pDimStyle = static_cast<DimensionSetting*>(pStyle);
    const double before = pDimStyle->GetDimTextHight();
    EXPECT_EQ(Apply(*p, 54, row.get()), std::make_pair(true, 0)) << "the same style is no step";
    TextSetting font(pDimStyle->GetDimTextFont());
    font.SetHeight(before * 2);
    pDimStyle->SetDimTextFont(font);
    EXPECT_EQ(Apply(*p, 54, row.get()), std::make_pair(true, 1));
    EXPECT_EQ(Shape<RadiusDimension2dFeature>(id)->GetDimensionSetting().GetDimTextHight(), before * 2);
    doc.Undo(1);
    EXPECT_EQ(Shape<RadiusDimension2dFeature>(id)->GetDimensionSetting().GetDimTextHight(), before);
}
