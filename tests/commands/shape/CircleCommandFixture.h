#pragma once
// The circle and arc commands' fixture: the drawing commands' fixture with the choice of a row's
// alternative, the check of a refused run, and the preview check for commands that hold picked shapes.

#include <gtest/gtest.h>

#include <QImage>

#include "command/CommandParameter.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

namespace kctest {

class CircleCommandFixture : public DrawingCommandFixture
{
protected:
    void Choose(int index, int alternative)
    {
        if (Running()->GetParameter(index)->GetCurrentIndex() != alternative) {
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, index, alternative));
        }
    }
    // The run refused with the reason: nothing added, no undo step.
    void ExpectRefused(UINT nReason, int undo, long count)
    {
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(nReason));
        EXPECT_EQ(doc.GetUndoCount(), undo);
        EXPECT_EQ(doc.GetFeatureCount(), count);
        Messages().clear();
    }
    // What the preview adds is what the click adds, pixel for pixel, away from the picked shapes (drawn
    // highlighted until the click).
    void ExpectPreviewAwayFromPicks(const RuVaPnt2d& w, int nMinAdded = 50)
    {
        const QImage before = Render();
        const QImage preview = PreviewAt(w);
        const long count = doc.GetFeatureCount();
        Click(w);
        ASSERT_EQ(doc.GetFeatureCount(), count + 1);
        const QImage made = Render();
        ASSERT_TRUE(doc.Undo());
        const QImage plain = Render();
        ASSERT_TRUE(doc.Redo());
        int added = 0, mismatched = 0;
        for (int y = 0; y < made.height(); ++y)
            for (int x = 0; x < made.width(); ++x) {
                if (before.pixel(x, y) != plain.pixel(x, y))
                    continue;
                const bool inPreview = preview.pixel(x, y) != before.pixel(x, y);
                const bool inMade = made.pixel(x, y) != plain.pixel(x, y);
                added += inMade ? 1 : 0;
                mismatched += inPreview != inMade || (inMade && preview.pixel(x, y) != made.pixel(x, y)) ? 1 : 0;
            }
        EXPECT_GT(added, nMinAdded);
        EXPECT_EQ(mismatched, 0) << "the preview differs from the dimension made";
    }
    // For commands holding picked shapes (drawn highlighted until the click clears them): what the preview
    // adds to the picture is, pixel for pixel, what the click adds to the plain picture.
    void ExpectTangentPreviewIsTheClickedShape(const RuVaPnt2d& w)
    {
        const QImage before = Render();
        const QImage preview = PreviewAt(w);
        const long count = doc.GetFeatureCount();
        Click(w);
        ASSERT_EQ(doc.GetFeatureCount(), count + 1);
        const QImage made = Render();
        ASSERT_TRUE(doc.Undo());
        const QImage plain = Render();
        ASSERT_TRUE(doc.Redo());
        ASSERT_FALSE(preview.isNull());
        ASSERT_EQ(preview.size(), made.size());
        int added = 0;
        int mismatched = 0;
        for (int y = 0; y < made.height(); ++y) {
            for (int x = 0; x < made.width(); ++x) {
                const bool inPreview = preview.pixel(x, y) != before.pixel(x, y);
                const bool inMade = made.pixel(x, y) != plain.pixel(x, y);
                added += inMade ? 1 : 0;
                if (inPreview != inMade || (inMade && preview.pixel(x, y) != made.pixel(x, y)))
                    ++mismatched;
            }
        }
        EXPECT_GT(added, 0);
        EXPECT_EQ(mismatched, 0) << "the preview differs from the shape made";
    }
};

}  // namespace kctest
