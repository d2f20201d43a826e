// The drag image of the transform family over a real offscreen view: picked shapes follow the cursor
// rotated by a typed angle, the drag is drawn without touching the document, Scale shows none, and the
// image goes when the run is done.

#include <gtest/gtest.h>

#include <QImage>

#include "EditFixture.h"
#include "commands/edit/Move2dCommand.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/gdi/CDC.h"

using namespace QZ2Command;

namespace {

class MovePreviewTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        view.SetGridVisible(FALSE);
        Add(Line2dFeature(P(-2, 0), P(0, 0)));
        Add(Circle2dFeature(P(-1, 1), u / 2));
        doc.ClearUndoRedoHistory();
    }
    // A fresh picture of the document, without overlays.
    QImage Render()
    {
        view.UpdateView(0, 1);
        QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
        CDC dc;
        dc.CreateFromPaintDevice(&image);
        view.DrawView(dc.GetSafeHdc());
        dc.DeleteDC();
        return Frame();
    }
    QImage Frame() const
    {
        const QImage* pFrame = view.GetFrame();
        return pFrame != nullptr ? pFrame->copy() : QImage();
    }
    void MoveCursor(const RuVaPnt2d& world)
    {
        manager.SetCursorPoints(world, world);
        Running()->DrawPreview(view.ConvertPointWorldToClient(world), world, world, 0);
    }
};

}  // namespace

TEST_F(MovePreviewTest, PickedShapesFollowTheCursorTurnedByTheTypedAngle)
{
    const auto before = Snapshot();
    Preselect({LiveIDs()[0], LiveIDs()[1]});
    Start(_T("Korvan.Edit.MoveRotate"));
    ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, P(0, 0)));
    ASSERT_TRUE(GiveAngle(Move2dCommand::itemAngle, 30));
    // The window as it is repainted after the input, the taken-over shapes shown selected.
    const QImage empty = Render();
    ASSERT_FALSE(empty.isNull());
    MoveCursor(P(2, -1));
    const QImage dragged = Frame();
    EXPECT_NE(dragged, empty);
    if (const char* path = std::getenv("KC_EDIT_PREVIEW_PNG"))
        dragged.save(QString::fromUtf8(path));
    // Another angle draws another image; the document is untouched by either.
    view.RestoreView();
    ASSERT_TRUE(GiveAngle(Move2dCommand::itemAngle, 90));
    MoveCursor(P(2, -1));
    EXPECT_NE(Frame(), dragged);
    EXPECT_TRUE(SameAs(*before, "while dragging"));
    EXPECT_EQ(doc.GetUndoCount(), 0);
}

TEST_F(MovePreviewTest, ScaleShowsNoDragImage)
{
    Preselect({LiveIDs()[0]});
    Start(_T("Korvan.Edit.Scale"));
    ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, P(0, 0)));
    const QImage empty = Render();
    ASSERT_FALSE(empty.isNull());
    MoveCursor(P(2, -1));
    EXPECT_EQ(Frame(), empty);
}
