// Stretch through the manager: a line with one end in the window has that end moved, enclosed shapes move
// whole, a crossed circle stays; the window's corners in either order; a shape caught by two fences is
// stretched once; one undo step that gives the document back exactly; the preview leaves it untouched.

#include <gtest/gtest.h>

#include <QImage>

#include "EditFixture.h"
#include "commands/edit/Stretch2dCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/gdi/CDC.h"

using namespace QZ2Command;

namespace {

class StretchTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        line = Add(Line2dFeature(P(-3, 0), P(1, 0)));
        crossed = Add(Circle2dFeature(P(1, 2), u));
        enclosed = Add(Circle2dFeature(P(2, -1), u / 4));
        doc.ClearUndoRedoHistory();
    }
    // One more fence selection: a window through the two corners catching the shapes.
    BOOL AddWindow(const std::vector<long>& ids, const RuVaPnt2d& c1, const RuVaPnt2d& c2)
    {
        const int index = IndexOf(Stretch2dCommand::itemShapes);
        if (index < 0)
            return FALSE;
        FeatureGroupParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        CArray<FeatureLayout> records;
        for (long id : ids)
            records.Add(FeatureLayout(id, -1, -1));
        KcArrayOfGePnt2d corners;
        corners.Add(c1);
        corners.Add(c2);
        value.AddGroup(records, 1, &corners, value.GetGroupCount() > 0 ? 1 : 0);
        return manager.SetFeatureGroupParameter(index, value, TRUE, TRUE);
    }
    const Line2dFeature* Line() const { return dynamic_cast<const Line2dFeature*>(doc.GetFeature(line)); }
    const Circle2dFeature* Circle(long id) const { return dynamic_cast<const Circle2dFeature*>(doc.GetFeature(id)); }

    long line = -1;
    long crossed = -1;
    long enclosed = -1;
};

}  // namespace

TEST_F(StretchTest, InsideEndsMoveEnclosedShapesMoveCrossedCirclesStay)
{
    const RuVaPnt2d corners[][2] = {{P(0, -2), P(3, 1)}, {P(3, 1), P(0, -2)}};
    for (const auto& c : corners) {
        SCOPED_TRACE(c[0].X());
        const auto before = Snapshot();
        Start(_T("Korvan.Edit.Stretch"));
        ASSERT_TRUE(AddWindow({line, crossed, enclosed}, c[0], c[1]));
        ASSERT_TRUE(GivePoint(Stretch2dCommand::itemBase, P(0, 0)));
        ASSERT_TRUE(GivePoint(Stretch2dCommand::itemDestination, P(1, 1)));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        ASSERT_NE(Line(), nullptr);
        EXPECT_LT(Line()->GetStartPoint().Distance(P(-3, 0)), 1e-7) << "the end outside stays";
        EXPECT_LT(Line()->GetEndPoint().Distance(P(2, 1)), 1e-7) << "the end inside moves";
        EXPECT_LT(Circle(crossed)->GetCenterPoint().Distance(P(1, 2)), 1e-7);
        EXPECT_LT(Circle(enclosed)->GetCenterPoint().Distance(P(3, 0)), 1e-7);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
}

TEST_F(StretchTest, AShapeCaughtByTwoFencesIsStretchedOnce)
{
    Start(_T("Korvan.Edit.Stretch"));
    ASSERT_TRUE(AddWindow({line}, P(0, -2), P(3, 1)));
    ASSERT_TRUE(AddWindow({line}, P(0.5, -1), P(1.5, 1)));
    ASSERT_TRUE(GivePoint(Stretch2dCommand::itemBase, P(0, 0)));
    ASSERT_TRUE(GivePoint(Stretch2dCommand::itemDestination, P(1, 0)));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_LT(Line()->GetEndPoint().Distance(P(2, 0)), 1e-7);
}

TEST_F(StretchTest, PreviewDrawsWithoutTouchingTheDocument)
{
    view.SetGridVisible(FALSE);
    const auto before = Snapshot();
    Start(_T("Korvan.Edit.Stretch"));
    ASSERT_TRUE(AddWindow({line}, P(0, -2), P(3, 1)));
    ASSERT_TRUE(GivePoint(Stretch2dCommand::itemBase, P(0, 0)));
    view.UpdateView(0, 1);
    QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
    CDC dc;
    dc.CreateFromPaintDevice(&image);
    view.DrawView(dc.GetSafeHdc());
    dc.DeleteDC();
    const QImage* pFrame = view.GetFrame();
    ASSERT_NE(pFrame, nullptr);
    const QImage plain = pFrame->copy();
    manager.SetCursorPoints(P(1, 1), P(1, 1));
    Running()->DrawPreview(view.ConvertPointWorldToClient(P(1, 1)), P(1, 1), P(1, 1), 0);
    EXPECT_NE(view.GetFrame()->copy(), plain);
    EXPECT_TRUE(SameAs(*before, "while previewing"));
    EXPECT_EQ(doc.GetUndoCount(), 0);
}
