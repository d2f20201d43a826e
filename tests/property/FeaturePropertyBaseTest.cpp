// Text typed into a property row: which value types take it, what an empty text does, points in
// Cartesian and polar form, scale bounds, and numbers the model cannot hold.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "command/DoubleParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/ParameterItemBase.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "property/FeaturePropertyBase.h"
#include "property/LayerFeatureProperty.h"

using QZ2Command::FeaturePropertyBase;
using QZ2Command::LayerFeatureProperty;
using QZ2Command::ParameterItemBase;

namespace {

struct ParseCase {
    int nType;
    const char16_t* pszText;
    bool bParsed;
    bool bEmptyAfter;
};

}  // namespace

TEST(ParseValueText, TakesNumbersPointsAndScalesOnly)
{
    const ParseCase cases[] = {
        {ParameterItemBase::typeLength, u"12.5", true, false},
        {ParameterItemBase::typeLength, u"", true, true},
        {ParameterItemBase::typeLength, u"abc", false, false},
        {ParameterItemBase::typeLength, u"1e999", false, false},
        {ParameterItemBase::typeLength, u"nan", false, false},
        {ParameterItemBase::typeDouble, u"3", true, false},
        {ParameterItemBase::typeAngle, u"45", true, false},
        {ParameterItemBase::typeInteger, u"7", true, false},
        {ParameterItemBase::typeInteger, u"x", false, false},
        {ParameterItemBase::typeScale, u"1:50", true, false},
        {ParameterItemBase::typeScale, u"0", false, false},
        {ParameterItemBase::typeScale, u"1e16", false, false},
        {ParameterItemBase::typePoint, u"10,30", true, false},
        {ParameterItemBase::typeText, u"hello", false, false},
        {ParameterItemBase::typeList, u"1", false, false},
        {ParameterItemBase::typeColor, u"3", false, false},
    };
    for (const ParseCase& c : cases) {
        std::unique_ptr<ParameterItemBase> pItem(ParameterItemBase::CreateItem(c.nType));
        ASSERT_TRUE(pItem) << c.nType;
        // Every item starts from a value, so that a refusal can be seen to keep it.
        if (auto* pDouble = dynamic_cast<QZ2Command::DoubleParameterItem*>(pItem.get()))
            pDouble->SetValue(99.0);
        EXPECT_EQ(FeaturePropertyBase::ParseValueText(pItem.get(), CString(c.pszText)) != FALSE, c.bParsed)
            << c.nType << " '" << CString(c.pszText).ToQString().toStdString() << "'";
        if (c.bParsed)
            EXPECT_EQ(pItem->IsEmpty() != FALSE, c.bEmptyAfter) << c.nType;
        if (!c.bParsed && dynamic_cast<QZ2Command::DoubleParameterItem*>(pItem.get()) != nullptr) {
            double value = 0.0;
            ASSERT_TRUE(static_cast<QZ2Command::DoubleParameterItem*>(pItem.get())->GetValue(value));
            EXPECT_EQ(value, 99.0) << "a refused text keeps the value";
        }
    }
}

TEST(ParseValueText, PolarPointsTurnTheRadiusByTheAngle)
{
    QZ2Command::PointParameterItem cartesian;
    ASSERT_TRUE(FeaturePropertyBase::ParseValueText(&cartesian, u"10,30"));
    RuVaPnt2d p;
    ASSERT_TRUE(cartesian.GetValue(p));
    EXPECT_DOUBLE_EQ(p.X(), 10.0);
    EXPECT_DOUBLE_EQ(p.Y(), 30.0);

    QZ2Command::PointParameterItem polar;
    ASSERT_TRUE(FeaturePropertyBase::ParseValueText(&polar, u"10<30"));
    ASSERT_TRUE(polar.GetValue(p));
    EXPECT_NEAR(p.X(), 10.0 * std::cos(30.0 * M_PI / 180.0), 1e-9);
    EXPECT_NEAR(p.Y(), 10.0 * std::sin(30.0 * M_PI / 180.0), 1e-9);

    QZ2Command::ScaleParameterItem scale;
    ASSERT_TRUE(FeaturePropertyBase::ParseValueText(&scale, u"1:2,1:3"));
    double x = 0.0;
    double y = 0.0;
    ASSERT_TRUE(scale.GetValue(x, y));
    EXPECT_DOUBLE_EQ(x, 0.5);
    EXPECT_NEAR(y, 1.0 / 3.0, 1e-12);
}

TEST(FeaturePropertyBase, CloneCopiesTheRunTimeClassDescriptorsAndTarget)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long nLayer = doc.AddLayer(u"L", -1);
    QZ2Command::LayerFeatureProperty layer(&doc, nLayer);
    layer.ResetDescriptors();
    ASSERT_GT(layer.GetDescriptorCount(), 0);
    std::unique_ptr<FeaturePropertyBase> pClone(layer.Clone());
    ASSERT_TRUE(pClone);
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(LayerFeatureProperty)));
    EXPECT_EQ(pClone->GetDescriptorCount(), layer.GetDescriptorCount());
    EXPECT_TRUE(pClone->IsSameTarget(&layer));
    EXPECT_EQ(pClone->FindDescriptor(4000), -1);
    EXPECT_EQ(pClone->FindDescriptor(89), 0);
    pClone->ClearDescriptors();
    EXPECT_EQ(pClone->GetDescriptorCount(), 0);
}
