#pragma once
// A paper showing one part drawing through two layouts: one at 1:2 with unequal scales, one turned. Two
// copies of one line lie in the part drawing, one to be picked through each layout.

#include "EditFixture.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"

class PartLayoutFixture : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        const long paper = doc.GetPaperFeature(0)->GetDrawingID();
        part = doc.AddPartDrawingFeature(_T("Part"));
        ASSERT_NE(part, -1);
        PartDrawingLayout a;
        a.SetPaperID(paper);
        a.SetDrawingID(part);
        a.SetOrigin(RuVaPnt2d(10, 10));
        ASSERT_TRUE(a.SetScale(1, 2, TRUE, 1, 4));
        layoutA = doc.AddPartLayout(a, -1, 0);
        PartDrawingLayout b;
        b.SetPaperID(paper);
        b.SetDrawingID(part);
        b.SetOrigin(RuVaPnt2d(100, 50));
        b.SetAngle(30);
        ASSERT_TRUE(b.SetScale(2, 1, FALSE, 2, 1));
        layoutB = doc.AddPartLayout(b, -1, 0);
        ASSERT_NE(layoutA, -1);
        ASSERT_NE(layoutB, -1);
        doc.BeginUndoOperation(nullptr);
        Line2dFeature l(RuVaPnt2d(0, 0), RuVaPnt2d(4, 0));
        // On the current layer, as a user's shapes are: trimming, for one, cuts only by editable shapes.
        l.SetLayerID(doc.GetCurrentLayerID());
        lineA = doc.AddFeature(&l, doc.ChangeDrawingFeature(part), 1);
        lineB = doc.AddFeature(&l, doc.ChangeDrawingFeature(part), 1);
        doc.EndUndoOperation();
        doc.ClearUndoRedoHistory();
    }
    long part = -1, layoutA = -1, layoutB = -1, lineA = -1, lineB = -1;
};

