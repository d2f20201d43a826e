// What the shape commands share: the attribute rule with the setters' refusals, shapes added as one
// undo step (also when the document refuses them), and the builder's two actions.

#include <gtest/gtest.h>

#include <memory>

#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "commands/shape/Line2dCommand.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/Line2dFeature.h"

using namespace QZ2Command;

namespace {

Line2dFeature* NewLine(double x1, double y1, double x2, double y2)
{
    return new Line2dFeature(RuVaPnt2d(x1, y1), RuVaPnt2d(x2, y2));
}

}  // namespace

TEST(ShapeCommandHelperTest, AttributeRuleKeepsTheShapesOwnNumbersWhereTheSetterRefuses)
{
    struct Case {
        short color, lineType, lineWidth;
        short expectColor, expectLineType, expectLineWidth;
    };
    // The shape starts as colour 7, line type 2, width 4.
    const Case cases[] = {
        {1, 1, 1, 1, 1, 1},
        {300, 32767, 16, 7, 2, 4},
        {257, 32766, 15, 7, 32766, 15},
        {256, 0, 0, 256, 0, 0},
        {0, -1, -1, 0, -1, -1},
        {-1, 5, 3, -1, 5, 3},  // -1: a user colour
        {32767, 32767, 32767, 7, 2, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.color << "/" << c.lineType << "/" << c.lineWidth);
        Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
        ASSERT_TRUE(line.SetColorNo(7));
        ASSERT_TRUE(line.SetLineTypeNo(2));
        ASSERT_TRUE(line.SetLineWidthNo(4));
        ShapeCommandHelper::ApplyAttributes(&line, c.color, c.lineType, c.lineWidth, 42);
        EXPECT_EQ(line.GetColorNo(), c.expectColor);
        EXPECT_EQ(line.GetLineTypeNo(), c.expectLineType);
        EXPECT_EQ(line.GetLineWidthNo(), c.expectLineWidth);
        EXPECT_EQ(line.GetLayerID(), 42);
    }
    ShapeCommandHelper::ApplyAttributes(nullptr, 1, 1, 1, 1);
}

TEST(ShapeCommandHelperTest, CurrentAttributesComeFromTheDocument)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long layer = doc.AddLayer(_T("Hidden lines"), -1);
    ASSERT_TRUE(doc.SetCurrentLayerID(layer, 0));
    ASSERT_TRUE(doc.SetCurrentColorNo(256, 0));
    ASSERT_TRUE(doc.SetCurrentLineTypeNo(32766, 0));
    ASSERT_TRUE(doc.SetCurrentLineWidthNo(15, 0));
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    ShapeCommandHelper::ApplyCurrentAttributes(&line, &doc);
    EXPECT_EQ(line.GetColorNo(), 256);
    EXPECT_EQ(line.GetLineTypeNo(), 32766);
    EXPECT_EQ(line.GetLineWidthNo(), 15);
    EXPECT_EQ(line.GetLayerID(), layer);
}

TEST(ShapeCommandHelperTest, OneShapeIsOneUndoStepAndARefusedShapeStillClosesTheBracket)
{
    Draw2dDocument doc;
    doc.InitDocument();
    Draw2dDocument other;
    other.InitDocument();

    ASSERT_TRUE(ShapeCommandHelper::AddFeatureInUndo(&doc, doc.GetActiveDrawingFeature(), NewLine(0, 0, 5, 0)));
    EXPECT_EQ(doc.GetFeatureCount(), 1);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_FALSE(doc.IsInUndoOperation());

    // A drawing the document does not hold: refused, no step left open or recorded, the shape freed.
    EXPECT_FALSE(ShapeCommandHelper::AddFeatureInUndo(&doc, other.GetActiveDrawingFeature(), NewLine(0, 0, 0, 5)));
    EXPECT_EQ(doc.GetFeatureCount(), 1);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_FALSE(doc.IsInUndoOperation());

    EXPECT_FALSE(ShapeCommandHelper::AddFeatureInUndo(&doc, nullptr, nullptr));
    EXPECT_FALSE(ShapeCommandHelper::AddFeatureInUndo(nullptr, nullptr, NewLine(0, 0, 1, 1)));
    EXPECT_FALSE(doc.IsInUndoOperation());

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetFeatureCount(), 0);
}

TEST(ShapeCommandHelperTest, ShapesMadeTogetherAreOneUndoStep)
{
    Draw2dDocument doc;
    doc.InitDocument();
    Feature2dList empty;
    EXPECT_FALSE(ShapeCommandHelper::AddFeatureListInUndo(&doc, nullptr, empty));
    EXPECT_EQ(doc.GetUndoCount(), 0);

    Feature2dList features;
    features.AddFeature(NewLine(0, 0, 1, 0), 0);
    features.AddFeature(NewLine(1, 0, 1, 1), 0);
    features.AddFeature(NewLine(1, 1, 0, 0), 0);
    ASSERT_TRUE(ShapeCommandHelper::AddFeatureListInUndo(&doc, nullptr, features));
    EXPECT_EQ(features.GetFeatureSize(), 3);
    EXPECT_EQ(doc.GetFeatureCount(), 3);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_FALSE(doc.IsInUndoOperation());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetFeatureCount(), 0);
}

namespace {

// A line the document turns away when it is added, although it is a valid line: the data model's own
// refusal, which only shows once earlier shapes of the same run are in.
class TurnedAwayLine : public Line2dFeature
{
public:
    using Line2dFeature::Line2dFeature;
    Feature2dBase* CopyObject(WORD) const override { return new TurnedAwayLine(GetStartPoint(), GetEndPoint()); }
    BOOL OnBeforeAddRecord(Draw2dDocument*) override { return FALSE; }
};

}  // namespace

TEST(ShapeCommandHelperTest, ShapesMadeTogetherAreAddedAllOrNothing)
{
    struct Case {
        const char* name;
        int refused;     // index of the refused shape in a list of three
        bool turnedAway; // refused by the document while adding
        bool inBracket;  // run inside a caller's undo bracket
    };
    const Case cases[] = {
        {"turned away first", 0, true, false},
        {"turned away last", 2, true, false},
        {"turned away in the middle inside a caller's bracket", 1, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Draw2dDocument doc;
        doc.InitDocument();
        // An earlier step, and a step undone that redo could bring back: neither may be touched.
        ASSERT_TRUE(ShapeCommandHelper::AddFeatureInUndo(&doc, nullptr, NewLine(0, 5, 5, 5)));
        ASSERT_TRUE(ShapeCommandHelper::AddFeatureInUndo(&doc, nullptr, NewLine(0, 6, 5, 6)));
        ASSERT_TRUE(doc.Undo());
        Feature2dList features;
        for (int i = 0; i < 3; ++i) {
            if (i != c.refused)
                features.AddFeature(NewLine(i, 0, i, 1), 0);
            else if (c.turnedAway)
                features.AddFeature(new TurnedAwayLine(RuVaPnt2d(i, 0), RuVaPnt2d(i, 1)), 0);
            else
                features.AddFeature(new Line2dFeature(), 0);  // no length
        }
        if (c.inBracket)
            doc.BeginUndoOperation(nullptr);
        EXPECT_FALSE(ShapeCommandHelper::AddFeatureListInUndo(&doc, nullptr, features));
        EXPECT_EQ(doc.GetFeatureCount(), 1);
        if (c.inBracket) {
            EXPECT_TRUE(doc.IsInUndoOperation());
            doc.EndUndoOperation();
        } else {
            EXPECT_EQ(doc.GetUndoCount(), 1);
            EXPECT_EQ(doc.GetRedoCount(), c.turnedAway && c.refused > 0 ? 0 : 1);
        }
        EXPECT_FALSE(doc.IsInUndoOperation());
        EXPECT_EQ(features.GetFeatureSize(), 3);
        // The step before is still the one undo takes back.
        while (doc.CanUndo())
            ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(doc.GetFeatureCount(), 0);
    }
}

TEST(ShapeCommandHelperTest, BuilderAddsWithTheCurrentAttributesOrPreviews)
{
    Draw2dDocument doc;
    doc.InitDocument();
    ASSERT_TRUE(doc.SetCurrentColorNo(9, 0));
    doc.ClearUndoRedoHistory();
    int slot = 0;
    CommandManager manager;
    manager.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    ASSERT_TRUE(manager.StartCommand(_T("Korvan.Shape.Line")));
    CommandBase* pCommand = manager.GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);

    EXPECT_FALSE(ShapeCommandHelper::BuildFeature(pCommand, nullptr, ShapeCommandHelper::actionAdd));
    ASSERT_TRUE(ShapeCommandHelper::BuildFeature(pCommand, NewLine(0, 0, 2, 2), ShapeCommandHelper::actionAdd));
    ASSERT_EQ(doc.GetFeatureCount(), 1);
    const long id = doc.GetNextFeatureRecordID(-1);
    ASSERT_NE(doc.GetFeature(id), nullptr);
    EXPECT_EQ(doc.GetFeature(id)->GetColorNo(), 9);
    EXPECT_EQ(doc.GetUndoCount(), 1);

    // Without a view there is nothing to draw over: reported, nothing added, the shape freed.
    EXPECT_FALSE(ShapeCommandHelper::BuildFeature(pCommand, NewLine(0, 0, 3, 3), ShapeCommandHelper::actionPreview));
    EXPECT_FALSE(ShapeCommandHelper::BuildFeature(pCommand, NewLine(0, 0, 3, 3), 7));
    Feature2dList features;
    features.AddFeature(NewLine(0, 0, 4, 0), 0);
    features.AddFeature(NewLine(4, 0, 4, 4), 0);
    ASSERT_TRUE(ShapeCommandHelper::BuildFeatureList(pCommand, features, ShapeCommandHelper::actionAdd));
    EXPECT_EQ(doc.GetFeatureCount(), 3);
    EXPECT_EQ(doc.GetUndoCount(), 2);
    EXPECT_EQ(features[1]->GetColorNo(), 9);
    manager.Shutdown();
}
