// What each modifier kind computes from its inputs, on its own: the input items it asks for, the
// results written into a target item and the codes returned.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "command/AngleParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ParameterModifierBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"

using namespace QZ2Command;

namespace {

std::unique_ptr<ParameterModifierBase> Make(int nKind)
{
    std::unique_ptr<ParameterModifierBase> p(ParameterModifierBase::CreateModifier(nKind, nullptr, 0));
    if (p != nullptr)
        p->Start();
    return p;
}

void GivePoint(ParameterModifierBase& modifier, int nInput, double x, double y)
{
    PointParameterItem value;
    value.SetValue(RuVaPnt2d(x, y));
    ASSERT_TRUE(modifier.GetInputItem(nInput)->SetValueFrom(value));
}

void GiveLength(ParameterModifierBase& modifier, int nInput, double v)
{
    LengthParameterItem value;
    value.SetValue(v);
    ASSERT_TRUE(modifier.GetInputItem(nInput)->SetValueFrom(value));
}

double ValueOf(const DoubleParameterItem& item)
{
    double v = -1;
    EXPECT_TRUE(item.GetValue(v));
    return v;
}

}  // namespace

TEST(ModifierKindsTest, EachKindHasItsCodeAndInputs)
{
    struct Case {
        int kind;
        std::vector<int> inputTypes;
    };
    const Case cases[] = {
        {1, {8, 8}}, {2, {10}}, {10, {8, 8}}, {11, {8, 8, 8}}, {12, {10}}, {13, {10, 3}}, {20, {8, 2, 2}}, {21, {8, 8}},
    };
    for (const Case& c : cases) {
        auto p = Make(c.kind);
        ASSERT_NE(p, nullptr) << c.kind;
        EXPECT_EQ(p->GetKind(), c.kind);
        ASSERT_EQ(p->GetInputCount(), static_cast<int>(c.inputTypes.size())) << c.kind;
        for (int i = 0; i < p->GetInputCount(); ++i) {
            EXPECT_EQ(p->GetInputItem(i)->GetTypeCode(), c.inputTypes[i]) << c.kind << " input " << i;
            EXPECT_EQ(p->GetInputItem(i)->GetId(), i);
        }
        EXPECT_EQ(p->FindFirstMissingInput(), 0);
    }
    for (int kind : {0, 3, 9, 14, 19, 22, 29, -1})
        EXPECT_EQ(Make(kind), nullptr) << kind;
}

TEST(ModifierKindsTest, TwoPointLengthAndAngleRoundTinyResultsToZero)
{
    struct Case {
        int kind;
        double x1, y1, x2, y2;
        double expected;
    };
    const Case cases[] = {
        {1, 0, 0, 3, 0, 3.0}, {1, 1, 1, 4, 5, 5.0}, {1, 0, 0, 5e-8, 0, 0.0},
        {10, 0, 0, 0, 2, 90.0}, {10, 0, 0, -1, 0, 180.0}, {10, 0, 0, 1, 1, 45.0},
    };
    for (const Case& c : cases) {
        auto p = Make(c.kind);
        ASSERT_NE(p, nullptr);
        LengthParameterItem target;
        EXPECT_EQ(p->Compute(0, target), ParameterModifierBase::resultMissing);
        GivePoint(*p, 0, c.x1, c.y1);
        EXPECT_EQ(p->Compute(0, target), ParameterModifierBase::resultMissing) << "one point only";
        EXPECT_TRUE(target.IsEmpty());
        GivePoint(*p, 1, c.x2, c.y2);
        ASSERT_EQ(p->Compute(1, target), ParameterModifierBase::resultDone);
        EXPECT_FALSE(target.IsEmpty());
        EXPECT_NEAR(ValueOf(target), c.expected, 1e-9) << c.kind;
        if (c.expected == 0.0) {
            EXPECT_EQ(ValueOf(target), 0.0) << "exactly zero";
        }
    }
}

TEST(ModifierKindsTest, TwoPointAngleRefusesCoincidingPoints)
{
    auto p = Make(10);
    ASSERT_NE(p, nullptr);
    GivePoint(*p, 0, 3, 4);
    GivePoint(*p, 1, 3, 4);
    AngleParameterItem target;
    EXPECT_EQ(p->Compute(1, target), ParameterModifierBase::resultUnusable);
    EXPECT_TRUE(target.IsEmpty()) << "nothing written";
}

TEST(ModifierKindsTest, ThreePointAngleRefusesCoincidingPoints)
{
    auto p = Make(11);
    ASSERT_NE(p, nullptr);
    GivePoint(*p, 0, 0, 0);
    GivePoint(*p, 1, 0, 0);
    GivePoint(*p, 2, 5, 5);
    AngleParameterItem target;
    EXPECT_EQ(p->Compute(2, target), ParameterModifierBase::resultUnusable);
    EXPECT_TRUE(target.IsEmpty()) << "nothing written";
    GivePoint(*p, 1, 10, 0);
    GivePoint(*p, 2, 0, 7);
    ASSERT_EQ(p->Compute(2, target), ParameterModifierBase::resultDone);
    EXPECT_NEAR(ValueOf(target), 90.0, 1e-9);
}

TEST(ModifierKindsTest, RelativeAndMiddlePointsFillPointsAndOpenListsOnly)
{
    auto relative = Make(20);
    ASSERT_NE(relative, nullptr);
    GivePoint(*relative, 0, 1, 2);
    GiveLength(*relative, 1, 10);
    PointParameterItem point;
    EXPECT_EQ(relative->Compute(1, point), ParameterModifierBase::resultMissing);
    GiveLength(*relative, 2, -2);
    ASSERT_EQ(relative->Compute(2, point), ParameterModifierBase::resultDone);
    RuVaPnt2d p;
    ASSERT_TRUE(point.GetValue(p));
    EXPECT_DOUBLE_EQ(p.X(), 11.0);
    EXPECT_DOUBLE_EQ(p.Y(), 0.0);

    auto middle = Make(21);
    ASSERT_NE(middle, nullptr);
    GivePoint(*middle, 0, 0, 0);
    GivePoint(*middle, 1, 4, 6);
    PointArrayParameterItem open;
    open.AddPoint(RuVaPnt2d(-1, -1));
    ASSERT_EQ(middle->Compute(1, open), ParameterModifierBase::resultDone);
    ASSERT_EQ(open.GetCount(), 2);
    ASSERT_TRUE(open.GetLastPoint(p));
    EXPECT_DOUBLE_EQ(p.X(), 2.0);
    EXPECT_DOUBLE_EQ(p.Y(), 3.0);

    // The same middle point again would repeat the list's last point: refused, the list unchanged.
    EXPECT_EQ(middle->Compute(1, open), ParameterModifierBase::resultUnusable);
    EXPECT_EQ(open.GetCount(), 2);

    PointArrayParameterItem finished;
    finished.AddPoint(RuVaPnt2d(-1, -1));
    finished.m_bFinished = TRUE;
    EXPECT_EQ(middle->Compute(1, finished), ParameterModifierBase::resultDone);
    EXPECT_EQ(finished.GetCount(), 1) << "a finished list stays as it is";
}

TEST(ModifierKindsTest, BasePointsAndTheCurrentInput)
{
    auto p = Make(1);
    ASSERT_NE(p, nullptr);
    RuVaPnt2d base;
    EXPECT_FALSE(p->GetBasePoint(0, base)) << "its base input is empty";
    GivePoint(*p, 1, 7, 8);
    ASSERT_TRUE(p->GetBasePoint(0, base));
    EXPECT_DOUBLE_EQ(base.X(), 7.0);
    EXPECT_FALSE(p->GetBasePoint(5, base));
    EXPECT_EQ(p->FindFirstMissingInput(), 0);
    EXPECT_EQ(p->GetNextPickItemIndex(), 0);

    p->SetCurrentInput(1);
    EXPECT_EQ(p->GetInputIndex(), 1);
    p->SetCurrentInput(2);
    EXPECT_EQ(p->GetInputIndex(), 1) << "beyond the inputs: unchanged";
    p->SetCurrentInput(-1);
    EXPECT_EQ(p->GetInputIndex(), -1);

    auto three = Make(11);
    ASSERT_NE(three, nullptr);
    EXPECT_FALSE(three->GetBasePoint(0, base)) << "the vertex has no base";
    GivePoint(*three, 0, 1, 1);
    ASSERT_TRUE(three->GetBasePoint(2, base));
    EXPECT_DOUBLE_EQ(base.X(), 1.0);

    auto copy = Make(1);
    copy->Copy(*p);
    ASSERT_EQ(copy->GetInputCount(), 2);
    EXPECT_TRUE(copy->GetInputItem(1)->IsEqual(*p->GetInputItem(1)));
    EXPECT_NE(copy->GetInputItem(1), p->GetInputItem(1)) << "inputs are cloned";
}
