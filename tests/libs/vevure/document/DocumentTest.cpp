#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/CDWordArray.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/VeVureEnums.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/ViewControlSetting.h"
#include "ThrowCheck.h"

namespace {

struct Report {
    int kind, code;
    long record, layer;
    bool operator==(const Report& o) const
    {
        return kind == o.kind && code == o.code && record == o.record && layer == o.layer;
    }
};

std::ostream& operator<<(std::ostream& os, const Report& r)
{
    return os << "{" << r.kind << "," << r.code << "," << r.record << "," << r.layer << "}";
}

class DocumentTest : public ::testing::Test
{
protected:
    static int OnNotify(NotifyInfoBase* info, void* user)
    {
        auto* self = static_cast<DocumentTest*>(user);
        EXPECT_EQ(info->GetDocument(), &self->doc);
        self->reports.push_back({info->GetKind(), info->GetCode(), info->GetRecordID(), info->GetLayerID()});
        return 1;
    }
    void Listen() { doc.SetNotifyFunction(&OnNotify, this); }
    long AddLine(double x, long layer = -1)
    {
        Line2dFeature line(RuVaPnt2d(x, 0), RuVaPnt2d(x, 10));
        line.SetLayerID(layer);
        return doc.AddFeature(&line, nullptr, 1);
    }

    Draw2dDocument doc;
    std::vector<Report> reports;
};

TEST_F(DocumentTest, NewDocumentHasOneActivePaper)
{
    EXPECT_EQ(doc.GetDrawingFeatureCount(), 1);
    EXPECT_EQ(doc.GetPaperFeatureCount(), 1);
    Paper2dFeature* paper = doc.GetPaperFeature(0);
    ASSERT_NE(paper, nullptr);
    EXPECT_EQ(paper->GetDrawingID(), 0);
    EXPECT_EQ(doc.GetActiveDrawingFeature(), paper);
    EXPECT_EQ(doc.GetActiveDrawingLayout(), paper->GetSelfPartLayout());
    EXPECT_EQ(doc.GetCurrentLayerID(), -1);
    EXPECT_EQ(doc.GetLayerTable()->GetSize(), 0);
    EXPECT_EQ(doc.GetFeatureCount(), 0);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(doc.GetViewControlSettingCount(), 8);
    EXPECT_EQ(doc.GetViewControlSettingActiveCount(), 0);
    EXPECT_EQ(doc.GetPaperFeature(1), nullptr);
}

TEST_F(DocumentTest, RecordsKeepTheirIdsAndCopies)
{
    const long layer = doc.AddLayer(-1, nullptr, 0);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(3, 4));
    line.SetLayerID(layer);
    const long id = doc.AddFeature(&line, nullptr, 1);
    ASSERT_GT(id, 0);
    Feature2dBase* stored = doc.GetFeature(id);
    ASSERT_NE(stored, nullptr);
    EXPECT_NE(stored, &line);  // the document keeps its own copy
    EXPECT_EQ(stored->GetRecordID(), id);
    EXPECT_EQ(doc.GetFeatureType(id), 2);
    EXPECT_EQ(doc.GetFeatureLayerID(id), layer);
    EXPECT_EQ(doc.GetParentDrawingFeature(id), doc.GetActiveDrawingFeature());
    EXPECT_EQ(doc.GetActiveDrawingFeature()->GetFeature(id), stored);
    EXPECT_EQ(doc.GetActiveDrawingFeature()->GetFeatureCount(), 1);
    EXPECT_EQ(doc.GetFeatureBox(id).XMax(), 3);
    EXPECT_TRUE(doc.IsFeatureEditable(id));

    Circle2dFeature circle(RuVaPnt2d(1, 1), 2);
    EXPECT_TRUE(doc.UpdateFeature(id, &circle, 1, Feature2dBase::copyAll));
    EXPECT_EQ(doc.GetFeatureType(id), 4);  // another kind replaces the shape whole
    EXPECT_EQ(doc.GetFeature(id)->GetRecordID(), id);

    Circle2dFeature moved(RuVaPnt2d(5, 5), 2);
    moved.SetLayerID(999);
    moved.SetColorNo(7);
    EXPECT_TRUE(doc.UpdateFeature(id, &moved, 1, Feature2dBase::copyGeometry));
    EXPECT_EQ(static_cast<Circle2dFeature*>(doc.GetFeature(id))->GetCenterPoint(), RuVaPnt2d(5, 5));
    EXPECT_EQ(doc.GetFeatureLayerID(id), -1);  // the base fields were not asked for

    EXPECT_TRUE(doc.DeleteFeature(id, 1));
    EXPECT_EQ(doc.GetFeature(id), nullptr);
    EXPECT_TRUE(doc.IsDeletedFeature(id));
    EXPECT_EQ(doc.GetFeatureType(id), -1);
    EXPECT_FALSE(doc.DeleteFeature(id, 1));
    EXPECT_FALSE(doc.UpdateFeature(id, &moved, 1, 3));
    EXPECT_EQ(doc.GetActiveDrawingFeature()->GetFeatureCount(), 0);
}

TEST_F(DocumentTest, RecordIdGuards)
{
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { doc.GetFeature(0L); }));
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { doc.DeleteFeature(0, 1); }));
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { doc.GetParentDrawingFeature(0); }));
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { doc.IsDeletedFeature(0); }));
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { doc.GetFeatureLayerID(0); }));
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { doc.GetPaperFeature(0)->GetFeature(0L); }));
    EXPECT_EQ(doc.GetPaperFeature(0)->GetFeature(-1L), nullptr);
    EXPECT_EQ(doc.GetFeature(-1), nullptr);
    EXPECT_EQ(doc.GetFeature(12345), nullptr);
    EXPECT_EQ(doc.GetParentDrawingFeature(12345), nullptr);
    EXPECT_EQ(doc.AddFeature(nullptr, nullptr, 1), -1);
    Line2dFeature degenerate(RuVaPnt2d(1, 1), RuVaPnt2d(1, 1));
    if (!degenerate.IsValid()) {
        EXPECT_EQ(doc.AddFeature(&degenerate, nullptr, 1), -1);
    }
    DrawingFeatureBase stranger;
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    EXPECT_EQ(doc.AddFeature(&line, &stranger, 1), -1);  // not a drawing of this document
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { doc.GetDrawingFeatureByIndex(1); }));
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { doc.GetViewControlSetting(8); }));
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { doc.SetViewControlSetting(-1, ViewControlSetting()); }));
}

TEST_F(DocumentTest, NotificationsArriveInOrderWithTheirKinds)
{
    Listen();
    doc.BeginUndoOperation(nullptr);
    const long layer = doc.AddLayer(-1, _T("A"), 1);
    doc.SetCurrentLayerID(layer, 1);
    const long id = AddLine(0, layer);
    Line2dFeature other(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1));
    doc.UpdateFeature(id, &other, 1, 3);
    doc.DeleteFeature(id, 1);
    doc.SetCurrentColorNo(5);
    doc.SetLayerName(layer, _T("B"));
    doc.AddFeature(&other, nullptr, 0);  // flag 0 reports nothing
    doc.EndUndoOperation();
    const std::vector<Report> expected = {
        {4, 1, -1, layer}, {4, 8, -1, layer}, {5, 1, id, -1}, {5, 4, id, -1},
        {5, 2, id, -1},    {11, 1, -1, -1},   {4, 9, -1, layer},
    };
    EXPECT_EQ(reports, expected);

    reports.clear();
    doc.Undo(1);
    // Undo reports what it restored, then a redraw.
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), (Report{2, 0, -1, -1}));
    bool sawLayers = false;
    for (const Report& r : reports)
        sawLayers |= r.kind == 4 && r.code == 16;
    EXPECT_TRUE(sawLayers);
}

TEST_F(DocumentTest, ShowFeaturesCarriesTheIds)
{
    std::vector<long> seen;
    struct Catch {
        static int Fn(NotifyInfoBase* info, void* user)
        {
            if (info->GetKind() == 13)
                *static_cast<std::vector<long>*>(user) = info->GetFeatureIDs();
            return 1;
        }
    };
    doc.SetNotifyFunction(&Catch::Fn, &seen);
    doc.ShowFeatures({4, 9});
    EXPECT_EQ(seen, (std::vector<long>{4, 9}));
}

TEST_F(DocumentTest, NoReportsWithoutCallback)
{
    Listen();
    doc.SetNotifyFunction(nullptr, this);
    AddLine(1);
    EXPECT_TRUE(reports.empty());
    Listen();
    doc.InitDocument();
    EXPECT_TRUE(reports.empty());  // initialising reports nothing
}

TEST_F(DocumentTest, DrawingsAndPartLayouts)
{
    Listen();
    const long part = doc.AddPartDrawingFeature(nullptr);
    ASSERT_GT(part, 0);
    EXPECT_EQ(doc.AddPartDrawingFeature(doc.GetDrawingFeatureByID(part)->GetDrawingName()), -1);  // name in use
    Paper2dFeature* paper = doc.GetPaperFeature(0);
    PartDrawingLayout l(_T(""));
    l.SetPaperID(paper->GetDrawingID());
    l.SetDrawingID(part);
    const long layout = doc.AddPartLayout(l, 0, 1);
    ASSERT_GT(layout, 0);
    EXPECT_EQ(paper->GetPartLayoutCount(), 1);
    EXPECT_EQ(doc.GetPartLayoutByID(layout)->GetLayoutName(),
              doc.GetDrawingFeatureByID(part)->GetDrawingName() + _T("-1"));
    EXPECT_EQ(reports.back(), (Report{3, 7, -1, -1}));
    // A layout of a paper on a paper, or of a missing drawing, is refused.
    l.SetDrawingID(paper->GetDrawingID());
    EXPECT_EQ(doc.AddPartLayout(l, 0, 1), -1);
    l.SetDrawingID(777);
    EXPECT_EQ(doc.AddPartLayout(l, 0, 1), -1);

    EXPECT_TRUE(doc.ActivateDrawingFeature(paper->GetDrawingID(), layout, TRUE));
    EXPECT_EQ(doc.GetActiveDrawingLayout()->GetLayoutID(), layout);
    EXPECT_EQ(reports.back().kind, 3);
    EXPECT_EQ(reports.back().code, 4);
    EXPECT_TRUE(doc.ActivateDrawingFeature(part, layout, TRUE));  // a part through a layout that shows it
    EXPECT_FALSE(doc.ActivateDrawingFeature(part, paper->GetSelfPartLayoutID(), TRUE));
    EXPECT_FALSE(doc.ActivateDrawingFeature(555, -1, TRUE));

    EXPECT_TRUE(doc.SetPartLayoutScale(layout, 1, 2, FALSE, 0, 0, 1));
    EXPECT_FALSE(doc.SetPartLayoutScale(layout, 1, 0, FALSE, 0, 0, 1));
    EXPECT_DOUBLE_EQ(doc.GetPartLayoutByID(layout)->GetScaleX(), 0.5);
    EXPECT_TRUE(doc.SetPartLayoutAngle(layout, 370, 1));
    EXPECT_DOUBLE_EQ(doc.GetPartLayoutByID(layout)->GetAngle(), 10);
    EXPECT_TRUE(doc.SetPartLayoutName(layout, _T("front")));
    EXPECT_FALSE(doc.SetPartLayoutName(layout, _T("")));

    // Names address drawings.
    const CString name = doc.GetDrawingFeatureByID(part)->GetDrawingName();
    EXPECT_TRUE(doc.SetDrawingState(name, 1, 1));
    EXPECT_EQ(doc.GetDrawingFeatureByID(part)->GetDrawingState(), 1);
    EXPECT_FALSE(doc.SetDrawingState(name, 5, 1));
    EXPECT_TRUE(doc.SetDrawingPrintable(name, FALSE));
    EXPECT_FALSE(doc.GetDrawingFeatureByID(part)->IsPrintable());
    EXPECT_FALSE(doc.SetDrawingName(name, paper->GetDrawingName(), 1));
    EXPECT_TRUE(doc.SetDrawingName(name, _T("Detail"), 1));
    EXPECT_EQ(doc.GetDrawingFeatureByName(_T("Detail"))->GetDrawingID(), part);
    double w = 0, h = 0;
    EXPECT_TRUE(doc.SetPaperSize(paper->GetDrawingName(), 500, 400, 1));
    EXPECT_TRUE(doc.GetPaperSize(paper->GetDrawingName(), w, h));
    EXPECT_EQ(w, 500);
    EXPECT_FALSE(doc.SetPaperSize(_T("Detail"), 500, 400, 1));  // not a paper
    EXPECT_FALSE(doc.GetPaperSize(_T("nothing"), w, h));
    EXPECT_EQ(w, 0);
    GridSetting grid;
    grid.SetStep(5, 5);
    EXPECT_TRUE(doc.SetDrawingGridSetting(part, grid, 1));
    EXPECT_TRUE(*doc.GetDrawingFeatureByID(part)->GetGridSetting() == grid);

    // Deleting the part drawing takes its shapes and the layouts that show it.
    Line2dFeature onPart(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    const long shape = doc.AddFeature(&onPart, doc.GetDrawingFeatureByID(part), 1);
    ASSERT_GT(shape, 0);
    EXPECT_TRUE(doc.DeleteDrawingFeature(_T("Detail"), 1));
    EXPECT_EQ(doc.GetFeature(shape), nullptr);
    EXPECT_EQ(doc.GetPartLayoutByID(layout), nullptr);
    EXPECT_EQ(paper->GetPartLayoutCount(), 0);
    EXPECT_EQ(doc.GetActiveDrawingFeature(), paper);
    EXPECT_FALSE(doc.DeleteDrawingFeature(paper->GetDrawingID(), 1));  // the last paper stays
}

TEST_F(DocumentTest, DeletedLayoutIsReportedAsTheObjectViewsHold)
{
    const long part = doc.AddPartDrawingFeature(nullptr);
    const long layout = doc.AddPartLayout(doc.GetPaperFeature(0)->GetDrawingID(), part, nullptr, -1, 1);
    PartDrawingLayout* held = doc.GetPartLayoutByID(layout);
    const PartDrawingLayout* reported = nullptr;
    struct Catch {
        static int Fn(NotifyInfoBase* info, void* user)
        {
            if (info->GetKind() == 3 && info->GetCode() == 8)
                *static_cast<const PartDrawingLayout**>(user) = info->GetPartLayout();
            return 1;
        }
    };
    doc.SetNotifyFunction(&Catch::Fn, &reported);
    EXPECT_TRUE(doc.DeletePartLayout(layout, 1));
    EXPECT_EQ(reported, held);
    EXPECT_FALSE(doc.DeletePartLayout(doc.GetPaperFeature(0)->GetSelfPartLayoutID(), 1));
}

TEST_F(DocumentTest, LayerOperations)
{
    const long group = doc.AddLayerGroup(_T("G"), -1);
    const long a = doc.AddLayer(_T("a"), group);
    const long b = doc.AddLayer(-1, _T("b"), 1);
    EXPECT_EQ(doc.AddLayer(_T("x"), a), -1);  // a layer is no parent
    EXPECT_FALSE(doc.SetCurrentLayerID(group, 1));  // a group cannot be current
    EXPECT_TRUE(doc.SetCurrentLayerID(a, 1));

    // Setters on a group change every layer below it; refused values change nothing.
    EXPECT_TRUE(doc.SetLayerColorNo(group, 9, 1));
    EXPECT_EQ(doc.GetLayerTable()->GetLayerColorNo(a), 9);
    EXPECT_FALSE(doc.SetLayerColorNo(a, 257, 1));
    EXPECT_FALSE(doc.SetLayerLineWidthNo(a, 16, 1));
    EXPECT_FALSE(doc.SetLayerState(a, 3, 1));
    EXPECT_EQ(doc.GetLayerTable()->GetLayerColorNo(a), 9);
    EXPECT_TRUE(doc.SetLayerState(a, 2, 1));

    // The current layer is always shown and editable; layer 0 is never shown otherwise.
    EXPECT_TRUE(doc.IsDisplayLayerID(a));
    EXPECT_TRUE(doc.IsEditableLayerID(a));
    EXPECT_FALSE(doc.IsDisplayLayerID(0));
    EXPECT_FALSE(doc.IsEditableLayerID(0));
    doc.SetCurrentLayerID(b, 1);
    EXPECT_FALSE(doc.IsDisplayLayerID(a));

    EXPECT_TRUE(doc.MoveBeforeLayer(b, group, 1));
    EXPECT_EQ(doc.GetLayerTable()->GetChildLayerID(-1, 0), b);
    EXPECT_TRUE(doc.MoveInLayer(b, group, 0, 1));
    EXPECT_EQ(doc.GetLayerTable()->GetParentLayerID(b), group);
    EXPECT_FALSE(doc.MoveInLayer(group, group, -1, 1));
    EXPECT_TRUE(doc.MoveAfterLayer(b, a, 1));
    EXPECT_EQ(doc.GetLayerTable()->GetChildLayerID(group, 1), b);

    // Removing a group takes its layers and their shapes.
    const long onA = AddLine(1, a);
    const long onB = AddLine(2, b);
    EXPECT_EQ(doc.GetFeatureCountByLayer(a), 1);
    EXPECT_TRUE(doc.IsExistFeatureInLayer(b));
    EXPECT_TRUE(doc.DeleteLayer(group, 1));
    EXPECT_EQ(doc.GetFeature(onA), nullptr);
    EXPECT_EQ(doc.GetFeature(onB), nullptr);
    EXPECT_EQ(doc.GetCurrentLayerID(), -1);
    EXPECT_EQ(doc.GetLayerTable()->GetSize(), 0);
}

TEST_F(DocumentTest, ComponentDefinitions)
{
    DrawComponent2dFeatureDefine def;
    def.SetComponentName(_T("Bolt"));
    const long id = doc.AddDrawComponentDefine(def);
    ASSERT_GT(id, 0);
    EXPECT_EQ(doc.AddDrawComponentDefine(def), -1);  // the name is taken
    DrawComponent2dFeatureDefine* stored = doc.GetComponentDefineTable()->GetComponentDefine(id);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(doc.GetDrawingFeatureByID(stored->GetDrawingID()), stored);
    EXPECT_EQ(doc.GetDrawingFeatureCount(), 1);  // definitions are not listed among the drawings

    const long layer = doc.AddLayer(-1, nullptr, 1);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    line.SetLayerID(layer);
    const long shape = doc.AddFeature(&line, stored, 1);
    ASSERT_GT(shape, 0);
    EXPECT_EQ(stored->GetRecordIdData().count(shape), 1u);
    CDWordArray users;
    EXPECT_EQ(doc.FindComponentDefineIDUsingLayer(layer, users), 1);
    EXPECT_FALSE(doc.DeleteLayer(layer, 1));  // in use by the definition

    FeatureAttribute attr;
    attr.AddAttribute(_T("size"), _T("M6"));
    EXPECT_TRUE(doc.SetDrawComponentDefineAttribute(id, attr, 1));
    EXPECT_TRUE(doc.SetDrawComponentDefineName(id, _T("Screw")));
    EXPECT_EQ(doc.GetComponentDefineTable()->GetComponentDefineName(id), CString(_T("Screw")));

    EXPECT_TRUE(doc.BeginEditDrawComponentDefine(id, TRUE));
    EXPECT_TRUE(doc.IsEditingDrawComponent(id));
    EXPECT_EQ(doc.GetActiveDrawingID(), stored->GetDrawingID());
    EXPECT_FALSE(doc.DeleteDrawComponentDefine(id));  // open for editing
    EXPECT_TRUE(doc.EndEditDrawComponentDefine(id));
    EXPECT_EQ(doc.GetActiveDrawingFeature(), doc.GetPaperFeature(0));
    EXPECT_TRUE(doc.DeleteDrawComponentDefine(id));
    EXPECT_EQ(doc.GetFeature(shape), nullptr);
    EXPECT_TRUE(doc.DeleteLayer(layer, 1));
}

TEST_F(DocumentTest, CurrentAttributesAndModesKeepTheirRanges)
{
    struct Case {
        short value;
        BOOL color, lineType, width;
    } cases[] = {{0, TRUE, TRUE, TRUE},     {15, TRUE, TRUE, TRUE},  {16, TRUE, TRUE, FALSE},
                 {256, TRUE, TRUE, FALSE},  {257, FALSE, TRUE, FALSE}, {32766, FALSE, TRUE, FALSE},
                 {32767, FALSE, FALSE, FALSE}, {-1, TRUE, FALSE, TRUE}, {-2, FALSE, FALSE, FALSE}};
    for (const Case& c : cases) {
        Draw2dDocument d;
        EXPECT_EQ(d.SetCurrentColorNo(c.value), c.color) << c.value;
        EXPECT_EQ(d.SetCurrentLineTypeNo(c.value), c.lineType) << c.value;
        EXPECT_EQ(d.SetCurrentLineWidthNo(c.value), c.width) << c.value;
        EXPECT_EQ(d.GetCurrentColorNo(), c.color ? c.value : 0);
    }
    EXPECT_FALSE(doc.SetLengthUnitFormatType(5));
    EXPECT_TRUE(doc.SetLengthUnitFormatType(4));
    EXPECT_FALSE(doc.SetDistPrecision(9));
    EXPECT_TRUE(doc.SetAnglePrecision(8));
    EXPECT_TRUE(doc.SetAngleUnitFormatType(1));
    EXPECT_EQ(doc.GetAnglePrecision(), 6);  // degrees, minutes and seconds keep at most six
    EXPECT_FALSE(doc.SetAnglePrecision(7));
    EXPECT_FALSE(doc.SetLineJoinMode(3));
    // Four caps: flat, square, round and triangle.
    EXPECT_TRUE(doc.SetLineCapMode(LineCapTriangle));
    EXPECT_EQ(doc.GetLineCapMode(), 3);
    EXPECT_FALSE(doc.SetLineCapMode(4));
    EXPECT_FALSE(doc.SetLineCapMode(-1));
    EXPECT_EQ(doc.GetLineCapMode(), 3);
    EXPECT_TRUE(doc.SetPaperLineWidthDisplayMode(2));
    EXPECT_FALSE(doc.SetPaperLineWidthDisplayMode(3));
}

TEST_F(DocumentTest, SavedViews)
{
    ViewControlSetting v;
    v.SetScale(2.0);
    v.SetDrawingID(0);
    doc.SetViewControlSetting(2, v);
    v.SetDrawingID(-1);
    doc.SetViewControlSetting(5, v);  // no drawing: not in use
    v.SetDrawingID(0);
    v.SetScale(0.0);
    doc.SetViewControlSetting(6, v);  // no scale: not in use
    EXPECT_EQ(doc.GetViewControlSettingActiveCount(), 1);
    EXPECT_EQ(doc.GetViewControlSettingNextIndex(0, 1), 2);
    EXPECT_EQ(doc.GetViewControlSettingNextIndex(2, 1), 2);  // wraps to itself
    EXPECT_EQ(doc.GetViewControlSettingNextIndex(3, 0), 2);
    doc.SetViewControlSettingCurrentIndex(42);  // stored as given
    EXPECT_EQ(doc.GetViewControlSettingCurrentIndex(), 42);
    EXPECT_TRUE(doc.Undo(1));
    EXPECT_TRUE(doc.Undo(1));
    EXPECT_TRUE(doc.Undo(1));
    EXPECT_EQ(doc.GetViewControlSettingActiveCount(), 0);
}

TEST_F(DocumentTest, WalkingRecordsInOrder)
{
    const long part = doc.AddPartDrawingFeature(nullptr);
    std::vector<long> onPaper, onPart;
    for (int i = 0; i < 6; ++i) {
        Line2dFeature line(RuVaPnt2d(i, 0), RuVaPnt2d(i, 1));
        DrawingFeatureBase* d = (i % 2) ? doc.GetDrawingFeatureByID(part) : doc.GetPaperFeature(0);
        (i % 2 ? onPart : onPaper).push_back(doc.AddFeature(&line, d, 1));
    }
    doc.DeleteFeature(onPaper[1], 1);
    onPaper.erase(onPaper.begin() + 1);
    std::vector<long> walked;
    const DrawingFeatureBase* paper = doc.GetPaperFeature(0);
    for (long pos = paper->GetNextFeaturePosition(-1); pos != -1; pos = paper->GetNextFeaturePosition(pos))
        walked.push_back(pos);
    EXPECT_EQ(walked, onPaper);
    walked.clear();
    for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id))
        walked.push_back(id);
    EXPECT_EQ(walked.size(), 5u);
    RuVaBndBox2d box;
    EXPECT_TRUE(doc.GetAllFeatureBox(doc.GetDrawingFeatureByID(part), box));
    EXPECT_DOUBLE_EQ(box.XMin(), 1);
    EXPECT_DOUBLE_EQ(box.XMax(), 5);
}

}  // namespace
