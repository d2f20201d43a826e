// Delete, group and ungroup through the manager: one step each, undone exactly; groups of one drawing
// only; a lone group refused; the context-menu tests of the three entries for each kind of selection.

#include <gtest/gtest.h>

#include "EditFixture.h"
#include "command/LoadResourceString.h"
#include "commands/edit/Delete2dCommand.h"
#include "commands/edit/DrawGroup2dCommand.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/Line2dFeature.h"

using namespace QZ2Command;

namespace {

class DeleteGroupTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        red = doc.AddLayer(_T("Red"), -1);
        blue = doc.AddLayer(_T("Blue"), -1);
        Line2dFeature l1(P(0, 0), P(1, 0));
        l1.SetLayerID(red);
        Line2dFeature l2(P(0, 1), P(1, 1));
        l2.SetLayerID(blue);
        a = Add(l1);
        b = Add(l2);
        c = Add(Line2dFeature(P(0, 2), P(1, 2)));
        doc.ClearUndoRedoHistory();
    }
    long GroupOf(const std::vector<long>& ids)
    {
        CArray<FeatureLayout> shapes;
        for (long id : ids)
            shapes.Add(FeatureLayout(id, -1, -1));
        long group = -1;
        EXPECT_TRUE(DrawGroup2dCommand::GroupFeatures(&doc, shapes, DrawGroup2dCommand::kKeepMemberLayers, &group));
        return group;
    }
    long red = -1, blue = -1, a = -1, b = -1, c = -1;
};

}  // namespace

TEST_F(DeleteGroupTest, DeleteTakesThePickedShapesAwayInOneStep)
{
    const auto before = Snapshot();
    Preselect({a, c});
    Start(_T("Korvan.Edit.Delete"));
    EXPECT_EQ(LiveIDs(), std::vector<long>({b}));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_FALSE(manager.HasActiveCommand());
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));

    // Without a pre-selection it stays for the next shapes.
    CommandBase* pDelete = Start(_T("Korvan.Edit.Delete"));
    ASSERT_TRUE(GiveShapes(Delete2dCommand::itemShapes, {b}));
    EXPECT_EQ(Running(), pDelete);
    EXPECT_EQ(doc.GetFeatureCount(), 2);
}

TEST_F(DeleteGroupTest, GroupJoinsTheShapesAndUngroupGivesThemBackOnTheirLayers)
{
    const auto before = Snapshot();
    Preselect({a, b});
    Start(_T("Korvan.Edit.Group"));
    ASSERT_EQ(boxes.texts.size(), 1u);
    CString expected;
    expected.Format(LoadResourceString(10995), 2);
    EXPECT_EQ(boxes.texts[0], expected);
    EXPECT_EQ(boxes.types[0], 0x30u);
    std::vector<long> ids = LiveIDs();
    ASSERT_EQ(ids.size(), 2u);
    const long group = ids.back();
    const auto* pGroup = dynamic_cast<const DrawGroup2dFeature*>(doc.GetFeature(group));
    ASSERT_NE(pGroup, nullptr);
    EXPECT_EQ(pGroup->GetFeatureCount(), 2);
    EXPECT_EQ(pGroup->GetLayerID(), 0);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    const auto grouped = Snapshot();

    Preselect({group});
    Start(_T("Korvan.Edit.UnGroup"));
    ids = LiveIDs();
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(doc.GetFeature(group), nullptr);
    EXPECT_EQ(doc.GetFeatureLayerID(ids[1]), red);
    EXPECT_EQ(doc.GetFeatureLayerID(ids[2]), blue);
    EXPECT_EQ(doc.GetUndoCount(), 2);

    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*grouped, "ungroup undone"));
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "group undone"));
}

TEST_F(DeleteGroupTest, AGroupOnTheCurrentLayerPutsItsMembersThere)
{
    ListParameterItem rule;
    Start(_T("Korvan.Edit.Group"));
    const int index = IndexOf(DrawGroup2dCommand::itemLayerRule);
    rule.Copy(*Running()->GetParameterItem(index));
    rule.SetValue(0);
    ASSERT_TRUE(manager.SetListParameter(index, rule, TRUE));
    const long current = doc.AddLayer(_T("Current"), -1);
    ASSERT_TRUE(doc.SetCurrentLayerID(current, 0));
    ASSERT_TRUE(GiveShapes(DrawGroup2dCommand::itemShapes, {a, b}));
    const long group = LiveIDs().back();
    EXPECT_EQ(doc.GetFeatureLayerID(group), current);
    manager.CancelAllCommands();
    Preselect({group});
    Start(_T("Korvan.Edit.UnGroup"));
    for (long id : LiveIDs())
        EXPECT_EQ(doc.GetFeatureLayerID(id), id == c ? baseLayer : current) << id;
}

TEST_F(DeleteGroupTest, GroupsOfSeveralDrawingsAndLoneGroupsAreRefused)
{
    const long part = doc.AddPartDrawingFeature(_T("Part"));
    doc.BeginUndoOperation(nullptr);
    Line2dFeature l(P(0, 0), P(1, 1));
    const long other = doc.AddFeature(&l, doc.ChangeDrawingFeature(part), 1);
    doc.EndUndoOperation();
    const long group = GroupOf({b, c});
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();

    struct Case {
        const char* name;
        std::vector<long> shapes;
        size_t boxes;
    };
    const Case cases[] = {{"two drawings", {a, other}, 1}, {"one group alone", {group}, 0}};
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.name);
        boxes.texts.clear();
        CommandBase* pGroup = Start(_T("Korvan.Edit.Group"));
        EXPECT_FALSE(GiveShapes(DrawGroup2dCommand::itemShapes, cs.shapes));
        ASSERT_EQ(boxes.texts.size(), cs.boxes);
        if (cs.boxes != 0) {
            EXPECT_EQ(boxes.texts[0], LoadResourceString(10994));
        }
        EXPECT_EQ(doc.GetUndoCount(), 0);
        EXPECT_TRUE(SameAs(*before, "refused"));
        EXPECT_EQ(Running(), pGroup);
        manager.CancelAllCommands();
    }
}

TEST_F(DeleteGroupTest, ContextMenuEnablesEachEntryForTheSelectionsItCanTake)
{
    const long group = GroupOf({b, c});
    const long group2 = GroupOf({a});
    struct Case {
        const char* name;
        std::vector<long> selection;
        bool group, ungroup, del;
    };
    const Case cases[] = {
        {"nothing", {}, false, false, false},
        {"the other group alone", {group2}, false, true, true},
        {"one group", {group}, false, true, true},
        {"two groups", {group, group2}, true, true, true},
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.name);
        Preselect(cs.selection);
        EXPECT_EQ(CommandBase::IsCommandEnabled(_T("Korvan.Edit.Group"), &doc) != FALSE, cs.group);
        EXPECT_EQ(CommandBase::IsCommandEnabled(_T("Korvan.Edit.UnGroup"), &doc) != FALSE, cs.ungroup);
        EXPECT_EQ(CommandBase::IsCommandEnabled(_T("Korvan.Edit.Delete"), &doc) != FALSE, cs.del);
    }
    // A group mixed with a plain shape: grouping yes, ungrouping no.
    const long plain = Add(Line2dFeature(P(3, 3), P(4, 4)));
    Preselect({group, plain});
    EXPECT_TRUE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.Group"), &doc));
    EXPECT_FALSE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.UnGroup"), &doc));
    Preselect({plain});
    EXPECT_TRUE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.Group"), &doc));
    EXPECT_FALSE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.UnGroup"), &doc));
    EXPECT_FALSE(DrawGroup2dCommand::IsCommandEnabled(_T("Korvan.Edit.Move"), &doc));
}
