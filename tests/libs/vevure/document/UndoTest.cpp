#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/ViewControlSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "DocumentCompare.h"

namespace {

// A loaded copy of the document, to compare with later.
std::unique_ptr<Draw2dDocument> CopyOf(const Draw2dDocument& doc)
{
    CMemFile file;
    DrawViewInfo views;
    {
        CArchive ar(&file, CArchive::store);
        doc.SaveToArchive(ar, views, 0);
    }
    file.SeekToBegin();
    auto copy = std::make_unique<Draw2dDocument>();
    CArchive ar(&file, CArchive::load);
    CString msg;
    copy->LoadFromArchive(ar, views, msg);
    return copy;
}

long AddLine(Draw2dDocument& doc, double x)
{
    Line2dFeature line(RuVaPnt2d(x, 0), RuVaPnt2d(x, 5));
    return doc.AddFeature(&line, nullptr, 1);
}

TEST(UndoTest, OneStepPerOutermostBracket)
{
    Draw2dDocument doc;
    doc.BeginUndoOperation(_T("outer"));
    AddLine(doc, 1);
    doc.BeginUndoOperation(nullptr);  // joins the outer step
    AddLine(doc, 2);
    doc.EndUndoOperation();
    EXPECT_FALSE(doc.CanUndo());  // still open
    EXPECT_FALSE(doc.Undo(1));
    AddLine(doc, 3);
    doc.EndUndoOperation();
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(doc.GetFeatureCount(), 3);
    EXPECT_TRUE(doc.Undo(1));
    EXPECT_EQ(doc.GetFeatureCount(), 0);
    EXPECT_TRUE(doc.CanRedo());
    EXPECT_TRUE(doc.Redo(1));
    EXPECT_EQ(doc.GetFeatureCount(), 3);
    EXPECT_FALSE(doc.Redo(1));
    doc.EndUndoOperation();  // an extra close is harmless
    EXPECT_EQ(doc.GetUndoCount(), 1);
}

TEST(UndoTest, EmptyBracketsLeaveNoStep)
{
    Draw2dDocument doc;
    doc.BeginUndoOperation(nullptr);
    doc.EndUndoOperation();
    doc.BeginUndoOperation(nullptr);
    EXPECT_EQ(AddLine(doc, 1) > 0, true);
    doc.EndUndoOperation();
    doc.BeginUndoOperation(nullptr);
    doc.DeleteFeature(12345, 1);  // a failed change is no change
    doc.SetCurrentColorNo(999);
    doc.EndUndoOperation();
    EXPECT_EQ(doc.GetUndoCount(), 1);
}

TEST(UndoTest, ChangesOutsideBracketsAreStepsOfTheirOwn)
{
    Draw2dDocument doc;
    AddLine(doc, 1);
    const long layer = doc.AddLayer(-1, nullptr, 1);
    doc.SetCurrentLayerID(layer, 1);
    EXPECT_EQ(doc.GetUndoCount(), 3);
    doc.Undo(1);
    EXPECT_EQ(doc.GetCurrentLayerID(), -1);
    EXPECT_TRUE(doc.GetLayerTable()->IsExistLayerID(layer));
}

TEST(UndoTest, CancelledRunLeavesNoTrace)
{
    Draw2dDocument doc;
    AddLine(doc, 0);
    doc.BeginUndoOperation(nullptr);
    AddLine(doc, 1);
    AddLine(doc, 2);
    doc.EndUndoOperation();
    doc.Undo(1);
    doc.ClearRedoHistory();
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.GetFeatureCount(), 1);
    EXPECT_TRUE(doc.CanUndo());
    doc.ClearUndoRedoHistory();
    EXPECT_FALSE(doc.CanUndo());
}

TEST(UndoTest, DepthBoundsTheHistory)
{
    Draw2dDocument doc;
    doc.SetUndoDepth(3);
    for (int i = 0; i < 10; ++i)
        AddLine(doc, i);
    EXPECT_EQ(doc.GetUndoCount(), 3);
    EXPECT_TRUE(doc.Undo(5));  // as many as there are
    EXPECT_EQ(doc.GetFeatureCount(), 7);
    EXPECT_FALSE(doc.CanUndo());
    doc.SetUndoDepth(0);
    EXPECT_EQ(doc.GetUndoDepth(), 1);
}

TEST(UndoTest, ANewStepForgetsTheRedoHistory)
{
    Draw2dDocument doc;
    AddLine(doc, 1);
    doc.Undo(1);
    AddLine(doc, 2);
    EXPECT_FALSE(doc.CanRedo());
}

TEST(UndoTest, RecordChangedTwiceInOneStepGoesBackToItsFirstVersion)
{
    Draw2dDocument doc;
    const long id = AddLine(doc, 1);
    auto before = CopyOf(doc);
    doc.BeginUndoOperation(nullptr);
    Line2dFeature l2(RuVaPnt2d(0, 0), RuVaPnt2d(2, 2));
    doc.UpdateFeature(id, &l2, 1, 0xFFFF);
    Circle2dFeature c(RuVaPnt2d(0, 0), 3);
    doc.UpdateFeature(id, &c, 1, 0xFFFF);
    doc.DeleteFeature(id, 1);
    doc.EndUndoOperation();
    doc.Undo(1);
    DocumentCompare::ExpectSame(doc, *before, "after undo");
}

// A random run of shape, layer, drawing, table and setting changes; undoing all of it gives back the start,
// redoing all of it gives back the end.
TEST(UndoTest, RandomRunUndoesAndRedoesExactly)
{
    Draw2dDocument doc;
    doc.SetUndoDepth(5000);
    // Some content before the run.
    const long baseLayer = doc.AddLayer(-1, _T("base"), 0);
    doc.SetCurrentLayerID(baseLayer, 0);
    const long part = doc.AddPartDrawingFeature(nullptr);
    doc.AddPartLayout(doc.GetPaperFeature(0)->GetDrawingID(), part, nullptr, -1, 0);
    for (int i = 0; i < 20; ++i)
        AddLine(doc, i);
    doc.ClearUndoRedoHistory();
    auto start = CopyOf(doc);
    ASSERT_TRUE(DocumentCompare::ExpectSame(doc, *start, "copy of the start"));

    std::mt19937 rng(20261210);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto liveIDs = [&] {
        std::vector<long> ids;
        for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id))
            ids.push_back(id);
        return ids;
    };
    auto layerIDs = [&](bool groups) {
        std::vector<long> ids;
        const LayerFeatureTable& t = *doc.GetLayerTable();
        for (int i = 0; i < t.GetSize(); ++i)
            if (groups || !t.GetLayerFeatureByIndex(i)->IsGroup())
                ids.push_back(t.GetLayerID(i));
        return ids;
    };
    auto anyDrawing = [&]() -> DrawingFeatureBase* {
        return doc.GetDrawingFeatureByIndex(pick(doc.GetDrawingFeatureCount()));
    };
    auto oneOperation = [&] {
        const std::vector<long> ids = liveIDs();
        const std::vector<long> layers = layerIDs(false);
        switch (pick(20)) {
        case 0:
        case 1:
        case 2: {
            std::unique_ptr<Feature2dBase> f;
            const double x = pick(1000) * 0.5;
            switch (pick(3)) {
            case 0: f = std::make_unique<Line2dFeature>(RuVaPnt2d(x, 1), RuVaPnt2d(x + 3, 7)); break;
            case 1: f = std::make_unique<Circle2dFeature>(RuVaPnt2d(x, x), 1 + pick(9)); break;
            default: f = std::make_unique<Arc2dFeature>(RuVaPnt2d(x, 0), 2.0, pick(360), pick(360), 1); break;
            }
            if (!layers.empty())
                f->SetLayerID(layers[static_cast<size_t>(pick(static_cast<int>(layers.size())))]);
            f->SetColorNo(static_cast<short>(pick(257)));
            doc.AddFeature(f.get(), anyDrawing(), pick(2));
            break;
        }
        case 3:
            if (!ids.empty())
                doc.DeleteFeature(ids[static_cast<size_t>(pick(static_cast<int>(ids.size())))], 1);
            break;
        case 4:
        case 5:
            if (!ids.empty()) {
                Line2dFeature l(RuVaPnt2d(pick(50), 0), RuVaPnt2d(60, pick(50) + 1));
                l.SetColorNo(static_cast<short>(pick(20)));
                doc.UpdateFeature(ids[static_cast<size_t>(pick(static_cast<int>(ids.size())))], &l, 1,
                                  pick(2) ? 3 : 0xFFFF);
            }
            break;
        case 6: {
            const std::vector<long> all = layerIDs(true);
            long parent = -1;
            for (long id : all)
                if (doc.GetLayerTable()->IsGroup(id) && pick(2))
                    parent = id;
            if (pick(3) == 0)
                doc.AddLayerGroup(nullptr, parent);
            else
                doc.AddLayer(parent, nullptr, 1);
            break;
        }
        case 7:
            if (!layers.empty()) {
                const long id = layers[static_cast<size_t>(pick(static_cast<int>(layers.size())))];
                switch (pick(5)) {
                case 0: doc.SetLayerColorNo(id, static_cast<short>(1 + pick(256)), 1); break;
                case 1: doc.SetLayerState(id, pick(3), 1); break;
                case 2: doc.SetLayerHide(id, pick(2), 1); break;
                case 3: doc.SetLayerName(id, pick(2) ? _T("x") : _T("y")); break;
                default: doc.SetCurrentLayerID(id, 1); break;
                }
            }
            break;
        case 8: {
            const std::vector<long> all = layerIDs(true);
            if (all.size() >= 2) {
                const long a = all[static_cast<size_t>(pick(static_cast<int>(all.size())))];
                const long b = all[static_cast<size_t>(pick(static_cast<int>(all.size())))];
                if (pick(2))
                    doc.MoveAfterLayer(a, b, 1);
                else
                    doc.MoveInLayer(a, b, pick(3) - 1, 1);
            }
            break;
        }
        case 9: {
            const std::vector<long> all = layerIDs(true);
            if (all.size() > 3 && pick(3) == 0)
                doc.DeleteLayer(all[static_cast<size_t>(pick(static_cast<int>(all.size())))], 1);
            break;
        }
        case 10: {
            ColorFeatureTable colors(*doc.GetColorFeatureTable());
            colors.SetColor(static_cast<short>(1 + pick(256)), RGB(pick(256), pick(256), pick(256)));
            doc.SetColorFeatureTable(colors, 1);
            break;
        }
        case 11: {
            LineWidthFeatureTable widths(*doc.GetLineWidthFeatureTable());
            widths.SetLineWidth(static_cast<short>(10 + pick(6)), 0.1 * (1 + pick(20)));
            doc.SetLineWidthFeatureTable(widths, 1);
            break;
        }
        case 12:
            doc.SetCurrentColorNo(static_cast<short>(pick(257)));
            doc.SetCurrentLineWidthNo(static_cast<short>(pick(16)));
            break;
        case 13: {
            GeneralFeatureSetting s(*doc.GetGeneralFeatureSetting());
            s.SetColorNo(static_cast<short>(1 + pick(200)));
            doc.SetGeneralFeatureSetting(s);
            break;
        }
        case 14:
            switch (pick(4)) {
            case 0: {
                const long d = doc.AddPartDrawingFeature(nullptr);
                if (d != -1)
                    doc.AddPartLayout(doc.GetPaperFeature(0)->GetDrawingID(), d, nullptr, 0, 1);
                break;
            }
            case 1: doc.SetDrawingState(anyDrawing()->GetDrawingID(), pick(3), 1); break;
            case 2: doc.ActivateDrawingFeature(anyDrawing(), TRUE); break;
            default:
                if (doc.GetDrawingFeatureCount() > 3)
                    doc.DeleteDrawingFeature(anyDrawing()->GetDrawingID(), 1);
                break;
            }
            break;
        case 16: {
            // Component definitions: add (with a shape), rename, change attributes, place, delete.
            const DrawComponent2dFeatureDefineTable& defs = *doc.GetComponentDefineTable();
            const int n = defs.GetComponentDefineCount();
            const int what = pick(5);
            if (what == 0 || n == 0) {
                DrawComponent2dFeatureDefine def;
                CString name;
                name.Format(_T("C%d"), pick(1000));
                def.SetComponentName(name);
                const long id = doc.AddDrawComponentDefine(def);
                if (id != -1) {
                    Line2dFeature l(RuVaPnt2d(0, 0), RuVaPnt2d(pick(9) + 1, 1));
                    doc.AddFeature(&l, doc.GetComponentDefineTable()->GetComponentDefine(id), 1);
                }
            } else {
                const long id = defs.GetComponentDefineByIndex(pick(n))->GetComponentId();
                if (what == 1) {
                    doc.SetDrawComponentDefineName(id, pick(2) ? _T("Renamed") : _T("Other"));
                } else if (what == 2) {
                    FeatureAttribute a;
                    a.AddAttribute(_T("k"), pick(2) ? _T("v1") : _T("v2"));
                    doc.SetDrawComponentDefineAttribute(id, a, 1);
                } else if (what == 3) {
                    DrawComponent2dFeature placed;
                    placed.SetComponentDefineID(id);
                    placed.SetOrigin(RuVaPnt2d(pick(100), pick(100)));
                    doc.AddFeature(&placed, anyDrawing(), 1);
                } else if (!doc.IsDrawComponentIdUsed(id)) {
                    doc.DeleteDrawComponentDefine(id);
                }
            }
            break;
        }
        case 17: {
            // Part layouts: scale, angle, region, removal.
            Paper2dFeature* paper = doc.GetPaperFeature(0);
            if (paper->GetPartLayoutCount() == 0)
                break;
            const long id = paper->PartLayoutIndexToID(pick(paper->GetPartLayoutCount()));
            switch (pick(4)) {
            case 0: doc.SetPartLayoutScale(id, 1 + pick(3), 1 + pick(100), pick(2), 1, 1 + pick(50), 1); break;
            case 1: doc.SetPartLayoutAngle(id, pick(360), 1); break;
            case 2: {
                PartDrawingLayout l(*doc.GetPartLayoutByID(id));
                l.SetRectangleRegion(RuVaPnt2d(0, 0), RuVaPnt2d(1 + pick(50), 1 + pick(50)));
                doc.SetPartLayout(id, l, 1);
                break;
            }
            default:
                if (paper->GetPartLayoutCount() > 1)
                    doc.DeletePartLayout(id, 1);
                break;
            }
            break;
        }
        case 18: {
            // Hatch patterns, named styles and saved views.
            switch (pick(3)) {
            case 0: {
                LineHatchPattern p;
                CString name;
                name.Format(_T("P%d"), pick(50));
                p.SetPatternName(name);
                p.AddLineItem(LineHatchPatternLineItem());
                if (doc.AddHatchPattern(&p) == -1 && doc.GetHatchPatternTable()->GetHatchPatternCount() > 0)
                    doc.DeleteHatchPattern(doc.GetHatchPatternTable()->GetHatchPatternByIndex(0)->GetPatternID());
                break;
            }
            case 1: {
                GeneralFeatureSettingStyles styles(*doc.GetGeneralFeatureSettingStyles());
                GeneralFeatureSetting s(*doc.GetGeneralFeatureSetting());
                s.SetColorNo(static_cast<short>(1 + pick(100)));
                styles.SetSettingStyle(pick(2) ? _T("a") : _T("b"), &s);
                doc.UpdateFeatureSettingStyles(styles);
                if (pick(2))
                    doc.SetCurrentGeneralFeatureSettingStyleName(_T("a"));
                break;
            }
            default: {
                ViewControlSetting v;
                v.SetScale(1 + pick(5));
                v.SetDrawingID(doc.GetActiveDrawingID());
                v.SetCenterPoint(RuVaPnt2d(pick(100), pick(100)));
                doc.SetViewControlSetting(pick(8), v);
                break;
            }
            }
            break;
        }
        case 19:
            doc.SetPaperSize(doc.GetPaperFeature(0)->GetDrawingName(), 100 + pick(500), 100 + pick(500), 1);
            break;
        default:
            doc.SetDistPrecision(pick(9));
            break;
        }
    };

    for (int op = 0; op < 1000;) {
        // Now and then several operations in one step, with a nested bracket inside.
        if (pick(4) == 0) {
            doc.BeginUndoOperation(nullptr);
            oneOperation();
            doc.BeginUndoOperation(nullptr);
            oneOperation();
            doc.EndUndoOperation();
            oneOperation();
            doc.EndUndoOperation();
            op += 3;
        } else {
            oneOperation();
            ++op;
        }
    }
    auto end = CopyOf(doc);
    ASSERT_TRUE(DocumentCompare::ExpectSame(doc, *end, "copy of the end"));
    ASSERT_GT(doc.GetUndoCount(), 100);

    const int steps = doc.GetUndoCount();
    while (doc.CanUndo())
        ASSERT_TRUE(doc.Undo(1));
    EXPECT_TRUE(DocumentCompare::ExpectSame(doc, *start, "after undoing everything"));
    EXPECT_EQ(doc.GetRedoCount(), steps);
    while (doc.CanRedo())
        ASSERT_TRUE(doc.Redo(1));
    EXPECT_TRUE(DocumentCompare::ExpectSame(doc, *end, "after redoing everything"));
}

}  // namespace
