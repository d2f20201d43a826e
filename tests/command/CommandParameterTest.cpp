// One input step: its alternatives and which one is current.

#include <gtest/gtest.h>

#include "command/CommandParameter.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"

using namespace QZ2Command;

TEST(CommandParameter, Alternatives)
{
    CommandParameter parameter;
    EXPECT_EQ(parameter.GetCurrentItem(), nullptr);
    PointParameterItem point;
    point.SetId(1);
    point.SetValue(RuVaPnt2d(1, 2));
    EXPECT_EQ(parameter.AddItem(point), 0);
    EXPECT_EQ(parameter.GetCurrentItem(), nullptr);
    // The parameter holds its own copy.
    EXPECT_NE(parameter.GetItem(0), &point);
    EXPECT_TRUE(parameter.GetItem(0)->IsEqual(point));

    LengthParameterItem sameId;
    sameId.SetId(1);
    EXPECT_EQ(parameter.AddItem(sameId), -1);
    EXPECT_EQ(parameter.GetItemCount(), 1);

    ListParameterItem list;
    list.SetId(2);
    list.SetValue(1);
    EXPECT_EQ(parameter.AddItem(list), 1);
    EXPECT_FALSE(parameter.SetCurrentIndex(2));
    EXPECT_FALSE(parameter.SetCurrentIndex(-1));
    EXPECT_TRUE(parameter.SetCurrentIndex(0));
    EXPECT_FALSE(parameter.SetCurrentByID(7));
    EXPECT_EQ(parameter.GetCurrentIndex(), 0);
    EXPECT_TRUE(parameter.SetCurrentByID(2));
    EXPECT_EQ(parameter.GetCurrentItem()->GetId(), 2);
    EXPECT_EQ(parameter.FindItem(1)->GetTypeCode(), 8);

    parameter.ClearAllItems();
    EXPECT_EQ(parameter.GetItemCount(), 2);
    EXPECT_TRUE(parameter.GetItem(0)->IsEmpty());
    EXPECT_FALSE(parameter.GetItem(1)->IsEmpty());  // a list cannot be emptied
    EXPECT_EQ(parameter.GetItem(1)->GetId(), 2);

    parameter.DeleteAllItems();
    EXPECT_EQ(parameter.GetItemCount(), 0);
    EXPECT_EQ(parameter.GetCurrentIndex(), -1);
}
