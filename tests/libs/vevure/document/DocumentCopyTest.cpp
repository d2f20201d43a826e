#include <gtest/gtest.h>

#include <memory>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/ResolvedFeature2dList.h"

namespace {

long AddDefinition(Draw2dDocument& doc, LPCTSTR name, long layer, long usesComponent = -1)
{
    DrawComponent2dFeatureDefine def;
    def.SetComponentName(name);
    const long id = doc.AddDrawComponentDefine(def);
    DrawingFeatureBase* drawing = doc.GetComponentDefineTable()->GetComponentDefine(id);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1));
    line.SetLayerID(layer);
    doc.AddFeature(&line, drawing, 0);
    if (usesComponent != -1) {
        DrawComponent2dFeature inner;
        inner.SetComponentDefineID(usesComponent);
        inner.SetLayerID(layer);
        doc.AddFeature(&inner, drawing, 0);
    }
    return id;
}

TEST(DocumentCopyTest, ShapesFromAnotherDocumentBringTheirLayersAndComponents)
{
    Draw2dDocument source;
    const long group = source.AddLayerGroup(_T("Site"), -1);
    const long layer = source.AddLayer(_T("Doors"), group);
    source.SetLayerColorNo(layer, 33, 0);
    const long hinge = AddDefinition(source, _T("Hinge"), layer);
    const long door = AddDefinition(source, _T("Door"), layer, hinge);
    DrawGroup2dFeature grouped;
    DrawComponent2dFeature instance;
    instance.SetComponentDefineID(door);
    instance.SetLayerID(layer);
    grouped.AddFeature(&instance, 1);
    grouped.SetLayerID(layer);

    Draw2dDocument target;
    const long existing = target.AddLayerGroup(_T("SITE"), -1);  // found whatever the letter case
    target.ClearUndoRedoHistory();
    const long id = target.AddFeature(&grouped, nullptr, &source, 1);
    ASSERT_GT(id, 0);
    EXPECT_EQ(target.GetUndoCount(), 1);  // one step for everything
    const LayerFeatureTable& layers = *target.GetLayerTable();
    const long mapped = target.GetFeatureLayerID(id);
    EXPECT_EQ(layers.GetParentLayerID(mapped), existing);
    EXPECT_EQ(layers.GetLayerName(mapped), CString(_T("Doors")));
    EXPECT_EQ(layers.GetLayerColorNo(mapped), 33);
    const DrawComponent2dFeatureDefineTable& defs = *target.GetComponentDefineTable();
    ASSERT_EQ(defs.GetComponentDefineCount(), 2);  // the door and the hinge it uses
    const auto* member = static_cast<const DrawComponent2dFeature*>(
        static_cast<const DrawGroup2dFeature*>(target.GetFeature(id))->GetFeature(0));
    EXPECT_EQ(defs.GetComponentDefineName(member->GetComponentDefineID()), CString(_T("Door")));
    EXPECT_EQ(defs.GetComponentDefine(member->GetComponentDefineID())->GetFeatureCount(), 2);

    // A second copy reuses what the first brought.
    target.AddFeature(&grouped, nullptr, &source, 1);
    EXPECT_EQ(defs.GetComponentDefineCount(), 2);
    EXPECT_EQ(layers.GetSize(), 2);

    target.Undo(2);
    EXPECT_EQ(target.GetComponentDefineTable()->GetComponentDefineCount(), 0);
    EXPECT_EQ(target.GetLayerTable()->GetSize(), 1);
    EXPECT_EQ(target.GetFeatureCount(), 0);
}

TEST(DocumentCopyTest, ComponentsCannotContainThemselves)
{
    Draw2dDocument doc;
    const long layer = doc.AddLayer(-1, nullptr, 0);
    const long a = AddDefinition(doc, _T("A"), layer);
    const long b = AddDefinition(doc, _T("B"), layer, a);
    const long c = AddDefinition(doc, _T("C"), layer, b);
    EXPECT_TRUE(doc.IsIncludeComponentId(a, a));
    EXPECT_TRUE(doc.IsIncludeComponentId(a, b));  // B uses A
    EXPECT_TRUE(doc.IsIncludeComponentId(a, c));  // through B
    EXPECT_FALSE(doc.IsIncludeComponentId(c, a));
    EXPECT_FALSE(doc.IsIncludeComponentId(b, a));
    EXPECT_TRUE(doc.IsDrawComponentIdUsed(a));
    EXPECT_FALSE(doc.IsDrawComponentIdUsed(c));
}

TEST(DocumentCopyTest, LayoutRegionsAndShapeConversion)
{
    PartDrawingLayout l;
    EXPECT_FALSE(l.SetRectangleRegion(RuVaPnt2d(0, 0), RuVaPnt2d(0, 5)));
    EXPECT_FALSE(l.SetPolygonRegion(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 0)}));
    EXPECT_FALSE(l.SetCircleRegion(RuVaPnt2d(0, 0), 0));
    EXPECT_EQ(l.GetRegion(), nullptr);
    ASSERT_TRUE(l.SetRectangleRegion(RuVaPnt2d(0, 0), RuVaPnt2d(10, 5)));
    ASSERT_NE(l.GetRegion(), nullptr);
    EXPECT_EQ(l.GetRegion()->GetFeatureCount(), 4);
    PartDrawingLayout copy(l);
    EXPECT_NE(copy.GetRegion(), l.GetRegion());  // deep
    EXPECT_TRUE(copy.IsSame(l));
    ASSERT_TRUE(l.SetCircleRegion(RuVaPnt2d(1, 1), 3));
    EXPECT_EQ(l.GetRegion()->GetFeatureCount(), 1);
    EXPECT_FALSE(copy.IsSame(l));
    l.SetRegion(nullptr);
    EXPECT_FALSE(l.IsRegionEnabled());

    PartDrawingLayout placed;
    placed.SetOrigin(RuVaPnt2d(100, 0));
    placed.SetScale(1, 2, FALSE, 1, 2);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    std::unique_ptr<Feature2dBase> world(placed.ConvertFeatureLocalToWorld(&line));
    ASSERT_TRUE(world);
    EXPECT_EQ(static_cast<Line2dFeature*>(world.get())->GetEndPoint(), RuVaPnt2d(105, 0));
    std::unique_ptr<Feature2dBase> back(placed.ConvertFeatureWorldToLocal(world.get()));
    EXPECT_EQ(static_cast<Line2dFeature*>(back.get())->GetEndPoint(), RuVaPnt2d(10, 0));
    PartDrawingLayout squashed;
    squashed.SetScale(1, 1, TRUE, 1, 2);
    Circle2dFeature circle(RuVaPnt2d(0, 0), 1);
    EXPECT_EQ(squashed.ConvertFeatureLocalToWorld(&circle), nullptr);
}

TEST(DocumentCopyTest, OrdersUsedNumbersAndCurrentValues)
{
    Draw2dDocument doc;
    const long p2 = doc.AddPaperFeature(nullptr);
    const long d = doc.AddPartDrawingFeature(nullptr);
    const long p1 = doc.GetPaperFeature(0)->GetDrawingID();
    EXPECT_FALSE(doc.SetDrawingOrderList({d, p1}));         // one missing
    EXPECT_FALSE(doc.SetDrawingOrderList({d, p1, p1}));     // one twice
    EXPECT_TRUE(doc.SetDrawingOrderList({d, p2, p1}));
    EXPECT_EQ(doc.GetDrawingFeatureByIndex(0)->GetDrawingID(), d);
    EXPECT_EQ(doc.GetPaperFeature(0)->GetDrawingID(), p2);
    const long l1 = doc.AddPartLayout(p1, d, nullptr, -1, 1);
    const long l2 = doc.AddPartLayout(p1, d, nullptr, -1, 1);
    EXPECT_TRUE(doc.SetPartLayoutOrderList(p1, {l2, l1}, 1));
    EXPECT_EQ(doc.GetDrawingFeatureByID(p1)->PartLayoutIndexToID(0), l2);
    EXPECT_FALSE(doc.SetPartLayoutOrderList(p1, {l2}, 1));

    const long layer = doc.AddLayer(-1, nullptr, 0);
    doc.SetLayerColorNo(layer, 5, 0);
    doc.SetLayerLineWidthNo(layer, 3, 0);
    doc.SetCurrentLayerID(layer, 0);
    short no = -9;
    COLORREF rgb = 0;
    doc.GetCurrentColor(no, rgb);
    EXPECT_EQ(no, 0);
    EXPECT_EQ(rgb, doc.GetColorFeatureTable()->GetColorRef(5));  // the layer's colour
    double width = 0;
    doc.GetCurrentLineWidth(no, width);
    EXPECT_EQ(width, doc.GetLineWidthFeatureTable()->GetLineWidth(3));

    Line2dFeature a(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    a.SetColorNo(7);
    a.SetLineTypeNo(4);
    doc.AddFeature(&a, nullptr, 0);
    a.SetColorNo(2);
    doc.AddFeature(&a, nullptr, 0);
    EXPECT_EQ(doc.GetUsedFeatureColorNoMap(), (std::vector<short>{2, 7}));
    EXPECT_EQ(doc.GetUsedFeatureLineTypeNoMap(), (std::vector<short>{4}));
    EXPECT_TRUE(doc.IsUsedLineTypeNo(4));
    EXPECT_FALSE(doc.IsUsedLineTypeNo(9));
}

}  // namespace

namespace {

TEST(DocumentCopyTest, DefinitionsRefuseShapesThatWouldContainThemselves)
{
    Draw2dDocument doc;
    const long layer = doc.AddLayer(-1, nullptr, 0);
    const long a = AddDefinition(doc, _T("A"), layer);
    const long b = AddDefinition(doc, _T("B"), layer, a);
    const DrawComponent2dFeatureDefineTable* table = doc.GetComponentDefineTable();
    DrawComponent2dFeatureDefine* defA = table->GetComponentDefine(a);
    DrawComponent2dFeature usesB;
    usesB.SetComponentDefineID(b);
    EXPECT_FALSE(DrawComponent2dFeatureDefine::IsPossibleAddFeatureInDrawComponent(&usesB, defA, table));
    DrawGroup2dFeature group;
    group.AddFeature(&usesB, 1);
    EXPECT_FALSE(DrawComponent2dFeatureDefine::IsPossibleAddFeatureInDrawComponent(&group, defA, table));
    EXPECT_TRUE(DrawComponent2dFeatureDefine::IsPossibleAddFeatureInDrawComponent(&group, doc.GetPaperFeature(0), table));
    EXPECT_TRUE(DrawComponent2dFeatureDefine::IsIncludeComponentId(a, b, table));
    EXPECT_FALSE(DrawComponent2dFeatureDefine::IsIncludeComponentId(b, a, table));
    // A definition's shapes are walked through its own record set.
    std::vector<long> walked;
    for (long id = doc.GetNextFeatureRecordID(table->GetComponentDefine(b), -1, 0); id != -1;
         id = doc.GetNextFeatureRecordID(table->GetComponentDefine(b), id, 0))
        walked.push_back(id);
    EXPECT_EQ(walked.size(), 2u);
}

}  // namespace

namespace {

TEST(DocumentCopyTest, PlacedComponentsTakeTheBoxOfTheirDefinition)
{
    Draw2dDocument doc;
    DrawComponent2dFeatureDefine def;
    def.SetComponentName(_T("Bar"));
    const long id = doc.AddDrawComponentDefine(def);
    Line2dFeature bar(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    doc.AddFeature(&bar, doc.GetComponentDefineTable()->GetComponentDefine(id), 0);
    DrawComponent2dFeature placed;
    placed.SetComponentDefineID(id);
    placed.SetOrigin(RuVaPnt2d(100, 100));
    placed.SetAngle(90);
    placed.SetScale(2, 2);
    DrawGroup2dFeature group;
    group.AddFeature(&placed, 1);
    const long gid = doc.AddFeature(&group, nullptr, 0);
    const RuVaBndBox2d& box = doc.GetFeatureBox(gid);
    EXPECT_NEAR(box.XMin(), 100, 1e-9);
    EXPECT_NEAR(box.XMax(), 100, 1e-9);
    EXPECT_NEAR(box.YMin(), 100, 1e-9);
    EXPECT_NEAR(box.YMax(), 120, 1e-9);
    const long pid = doc.AddFeature(&placed, nullptr, 0);
    EXPECT_NEAR(static_cast<DrawComponent2dFeature*>(doc.GetFeature(pid))->GetCachedBox().YMax(), 120, 1e-9);
    std::vector<long> ids;
    doc.GetFeaturesInBox(doc.GetPaperFeature(0), RuVaBndBox2d(RuVaPnt2d(99, 110), RuVaPnt2d(101, 111)), ids);
    EXPECT_EQ(ids.size(), 2u);
}

}  // namespace

namespace {

TEST(DocumentCopyTest, GroupsAndComponentsResolveIntoPlacedShapes)
{
    Draw2dDocument doc;
    DrawComponent2dFeatureDefine def;
    def.SetComponentName(_T("Bar"));
    const long id = doc.AddDrawComponentDefine(def);
    Line2dFeature bar(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    doc.AddFeature(&bar, doc.GetComponentDefineTable()->GetComponentDefine(id), 0);
    DrawComponent2dFeature placed;
    placed.SetComponentDefineID(id);
    placed.SetOrigin(RuVaPnt2d(100, 100));
    placed.SetAngle(90);
    DrawGroup2dFeature group;
    Line2dFeature own(RuVaPnt2d(-1, -1), RuVaPnt2d(-2, -2));
    group.AddFeature(&own, 1);
    group.AddFeature(&placed, 1);
    const long gid = doc.AddFeature(&group, nullptr, 0);
    std::vector<RuVaBndBox2d> boxes;
    const ResolvedFeature2dList* list = doc.GetResolveData(gid, &boxes, nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetFeatureSize(), 2);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(list->GetParentFeatureType(1), 70);
    const auto* turned = static_cast<const Line2dFeature*>(list->GetFeature(1));
    EXPECT_NEAR(turned->GetEndPoint().X(), 100, 1e-9);
    EXPECT_NEAR(turned->GetEndPoint().Y(), 110, 1e-9);
    EXPECT_NEAR(boxes[1].YMax(), 110, 1e-9);
    // Simple shapes resolve to nothing.
    const long lid = doc.AddFeature(&bar, nullptr, 0);
    EXPECT_EQ(doc.GetResolveData(lid, &boxes, nullptr), nullptr);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace

namespace {

TEST(DocumentCopyTest, DisplayOrderListsGoByLayerThroughLayouts)
{
    Draw2dDocument doc;
    const long l1 = doc.AddLayer(-1, _T("first"), 0);
    const long l2 = doc.AddLayer(-1, _T("second"), 0);
    const long part = doc.AddPartDrawingFeature(nullptr);
    const long paper = doc.GetPaperFeature(0)->GetDrawingID();
    const long layout = doc.AddPartLayout(paper, part, nullptr, -1, 0);
    auto add = [&](long layer, long drawing) {
        Line2dFeature l(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1));
        l.SetLayerID(layer);
        return doc.AddFeature(&l, doc.GetDrawingFeatureByID(drawing), 0);
    };
    const long a = add(l2, paper), b = add(l1, part), c = add(l1, paper), d = add(l2, part);
    doc.SetLayerState(l2, 2, 0);  // not displayed
    std::vector<Draw2dDocument::DisplayOrderList> lists;
    EXPECT_EQ(doc.GetFeatureRecordListInDisplayOrder(paper, lists, nullptr, 1, 0, 0), 4);
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].nLayerID, l1);
    EXPECT_EQ(lists[0].recordIDs, (std::vector<long>{c, b}));
    EXPECT_EQ(lists[0].layoutIDs,
              (std::vector<long>{doc.GetPaperFeature(0)->GetSelfPartLayoutID(), layout}));
    EXPECT_EQ(lists[1].recordIDs, (std::vector<long>{a, d}));
    EXPECT_EQ(doc.GetFeatureRecordListInDisplayOrder(paper, lists, nullptr, 1, 1, 0), 2);
    EXPECT_EQ(doc.GetFeatureRecordListInDisplayOrder(paper, lists, nullptr, 0, 0, 0), 2);
    EXPECT_EQ(doc.GetFeatureRecordListInDisplayOrder(part, lists, nullptr, 1, 0, 0), 2);
}

}  // namespace
