// The manager's services to commands that need no running program: points of items made relative to the
// user origin, the current layer in one undo step, and the shell services answering "nothing" while no
// main frame has handed in its hooks.
#include <gtest/gtest.h>

#include "command/CommandManager.h"
#include "command/DoubleParameterItem.h"
#include "command/MultiParameterItem.h"
#include "command/PointParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "tests/support/command/ManagerFixture.h"

using namespace QZ2Command;

namespace {

class CommandServicesTest : public kctest::ManagerFixture
{
protected:
    void SetUp() override
    {
        ManagerFixture::SetUp();
        doc.GetActiveDrawingFeature()->SetUserOrigin(RuVaPnt2d(10, 20));
    }
};

}  // namespace

TEST_F(CommandServicesTest, PointItemsAreShownFromTheUserOrigin)
{
    PointParameterItem point;
    point.SetValue(RuVaPnt2d(15, 25));
    ASSERT_TRUE(manager.ConvertPointItemToUser(&point));
    EXPECT_DOUBLE_EQ(point.m_point.X(), 5);
    EXPECT_DOUBLE_EQ(point.m_point.Y(), 5);

    // A multi item that takes points converts its point.
    MultiParameterItem multi;
    multi.m_wKindMask = MultiParameterItem::acceptPoint | MultiParameterItem::acceptLength;
    ASSERT_TRUE(multi.SetPointFrom(point));
    ASSERT_TRUE(manager.ConvertPointItemToUser(&multi));
    EXPECT_DOUBLE_EQ(multi.m_pointItem.m_point.X(), -5);
    EXPECT_DOUBLE_EQ(multi.m_pointItem.m_point.Y(), -15);

    // Items left as they are: empty, a multi item without points, other types, none.
    PointParameterItem empty;
    EXPECT_FALSE(manager.ConvertPointItemToUser(&empty));
    EXPECT_TRUE(empty.IsEmpty());
    MultiParameterItem numbers;
    numbers.m_wKindMask = MultiParameterItem::acceptNumber;
    DoubleParameterItem number;
    number.SetValue(4.0);
    ASSERT_TRUE(numbers.SetNumberFrom(number));
    EXPECT_FALSE(manager.ConvertPointItemToUser(&numbers));
    EXPECT_FALSE(manager.ConvertPointItemToUser(&number));
    EXPECT_FALSE(manager.ConvertPointItemToUser(nullptr));

    // Without a view the point stays in drawing coordinates.
    manager.SetActiveDraw2dView(nullptr);
    point.SetValue(RuVaPnt2d(15, 25));
    EXPECT_TRUE(manager.ConvertPointItemToUser(&point));
    EXPECT_DOUBLE_EQ(point.m_point.X(), 15);
}

TEST_F(CommandServicesTest, TheCurrentLayerChangesInOneUndoStep)
{
    const long nOther = doc.AddLayer(u"Other", -1);
    ASSERT_GT(nOther, 0);
    const long nBefore = doc.GetCurrentLayerID();
    const LayerFeature* pLayer = doc.GetLayerTable()->GetLayerFeature(nOther);
    ASSERT_NE(pLayer, nullptr);
    const int nSteps = doc.GetUndoCount();
    EXPECT_TRUE(manager.SetCurrentLayer(pLayer));
    EXPECT_EQ(doc.GetCurrentLayerID(), nOther);
    EXPECT_EQ(doc.GetUndoCount(), nSteps + 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetCurrentLayerID(), nBefore);

    EXPECT_FALSE(manager.SetCurrentLayer(nullptr));
    manager.SetDocument(nullptr, nullptr);
    EXPECT_FALSE(manager.SetCurrentLayer(pLayer));
}

TEST_F(CommandServicesTest, WithoutTheShellTheServicesDoNothing)
{
    EXPECT_FALSE(manager.BeginProgress(u"x", 0, 10, TRUE, 0));
    EXPECT_FALSE(manager.StepProgress(TRUE, nullptr));
    EXPECT_FALSE(manager.EndProgress());
    EXPECT_FALSE(manager.IsProgressCancelled());
    EXPECT_EQ(manager.GetActiveDrawingViewWnd(), nullptr);
    EXPECT_FALSE(manager.IsInPlaceItemActive());
    EXPECT_FALSE(manager.ShowSelectionProperties());
    EXPECT_EQ(manager.ShowMessageBox(nullptr, 0), 0);
    EXPECT_EQ(manager.GetActiveCommandItemType(), 0);
    EXPECT_EQ(manager.GetView(), &view);

    // Setting the tab view it already has (none) changes nothing, the view command included.
    manager.SetViewCommandMode(2);
    manager.SetActiveView(nullptr);
    EXPECT_EQ(manager.GetViewCommandMode(), 2);
    EXPECT_EQ(manager.GetView(), &view);
}
