#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CMemFile.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/QZ2ProductVersion.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/ViewControlSetting.h"
#include "DocumentCompare.h"
#include "ThrowCheck.h"

namespace {

const int kAllTypes[] = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 30, 31, 32,
                         50, 51, 52, 53, 54, 55, 59, 70, 71, 80, 90};

// A shape of the kind with enough geometry to be valid.
std::unique_ptr<Feature2dBase> MakeShape(int type, long componentID)
{
    std::unique_ptr<Feature2dBase> f(Feature2dBase::CreateFeature(type));
    if (!f)
        return f;
    KcArrayOfGePnt2d points{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 5), RuVaPnt2d(3, 8)};
    switch (type) {
    case 3: static_cast<Polyline2dFeature*>(f.get())->SetPointArray(points); break;
    case 9: static_cast<BSplineCurve2dFeature*>(f.get())->SetPoints(points, 0, 3, FALSE); break;
    case 10: static_cast<Text2dFeature*>(f.get())->SetText(_T("Note \x00E9")); break;
    case 70: {
        Line2dFeature member(RuVaPnt2d(1, 1), RuVaPnt2d(2, 3));
        static_cast<DrawGroup2dFeature*>(f.get())->AddFeature(&member, 1);
        break;
    }
    case 71: static_cast<DrawComponent2dFeature*>(f.get())->SetComponentDefineID(componentID); break;
    default: break;
    }
    return f;
}

// Several drawings, layouts, layers, groups, a component definition and shapes of every kind, with changed
// tables, settings, styles, patterns, modes and saved views.
void BuildRichDocument(Draw2dDocument& doc, DrawViewInfo& views)
{
    const long group = doc.AddLayerGroup(_T("Walls"), -1);
    const long inner = doc.AddLayer(_T("Inner"), group);
    const long outer = doc.AddLayer(_T("Outer"), group);
    const long text = doc.AddLayer(-1, _T("Text"), 0);
    doc.AddLayerGroup(_T("Empty"), group);
    doc.SetLayerColorNo(outer, 12, 1);
    doc.SetLayerState(text, 1, 1);
    doc.SetLayerHide(inner, TRUE, 1);
    doc.SetCurrentLayerID(outer, 1);

    const long paper2 = doc.AddPaperFeature(_T("Second sheet"));
    const long partA = doc.AddPartDrawingFeature(_T("Plan"));
    const long partB = doc.AddPartDrawingFeature(nullptr);
    const long paper1 = doc.GetPaperFeature(0)->GetDrawingID();
    const long la = doc.AddPartLayout(paper1, partA, nullptr, -1, 1);
    doc.AddPartLayout(paper1, partB, _T("B on 1"), 0, 1);
    const long lc = doc.AddPartLayout(paper2, partA, _T("A again"), -1, 1);
    doc.SetPartLayoutScale(la, 1, 50, TRUE, 1, 25, 1);
    doc.SetPartLayoutAngle(la, 15, 1);
    doc.SetPartLayoutOrigin(la, RuVaPnt2d(120, 80), 1);
    Region2dFeature region;
    const Line2dFeature edges[] = {Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)),
                                   Line2dFeature(RuVaPnt2d(10, 0), RuVaPnt2d(0, 10)),
                                   Line2dFeature(RuVaPnt2d(0, 10), RuVaPnt2d(0, 0))};
    for (const Line2dFeature& e : edges)
        region.AddFeature(&e);
    doc.SetPartLayoutRegion(lc, &region, 1);
    doc.SetPaperSizeType(_T("Second sheet"), Paper2dFeature::sizeA1, 1);
    doc.SetPaperPrintScale(_T("Second sheet"), 0.5, 1);
    doc.SetDrawingState(_T("Plan"), 1, 1);
    doc.SetDrawingUserOrigin(partA, RuVaPnt2d(5, -5), 1);
    doc.SetDrawingPrintRange(paper1, RuVaBndBox2d(RuVaPnt2d(0, 0), RuVaPnt2d(400, 280)), 1);
    GridSetting grid;
    grid.SetStep(2.5, 5);
    grid.ShowGrid(TRUE);
    doc.SetDrawingGridSetting(partB, grid, 1);
    doc.ActivateDrawingFeature(paper1, la, TRUE);

    DrawComponent2dFeatureDefine def;
    def.SetComponentName(_T("Door"));
    def.SetAttributePrompt(TRUE);
    def.GetAttribute().AddAttribute(_T("width"), _T("900"));
    const long component = doc.AddDrawComponentDefine(def);
    DrawingFeatureBase* defDrawing = doc.GetComponentDefineTable()->GetComponentDefine(component);
    Line2dFeature leaf(RuVaPnt2d(0, 0), RuVaPnt2d(0, 900));
    leaf.SetLayerID(inner);
    doc.AddFeature(&leaf, defDrawing, 1);

    DrawingFeatureBase* drawings[] = {doc.GetDrawingFeatureByID(paper1), doc.GetDrawingFeatureByID(partA),
                                      doc.GetDrawingFeatureByID(partB), doc.GetDrawingFeatureByID(paper2)};
    int n = 0;
    for (int type : kAllTypes) {
        std::unique_ptr<Feature2dBase> f = MakeShape(type, component);
        ASSERT_TRUE(f) << type;
        f->SetLayerID(n % 2 ? outer : text);
        f->SetColorNo(static_cast<short>(n % 7));
        if (n % 3 == 0) {
            FeatureAttribute attr;
            CString value;
            value.Format(_T("%d"), n);
            attr.AddAttribute(_T("index"), value);
            f->SetAttribute(attr);
        }
        ASSERT_GT(doc.AddFeature(f.get(), drawings[n % 4], 1), 0) << "type " << type;
        ++n;
    }
    // A gap in the record ids.
    Line2dFeature extra(RuVaPnt2d(3, 3), RuVaPnt2d(4, 4));
    doc.DeleteFeature(doc.AddFeature(&extra, nullptr, 1), 1);
    Line2dFeature last(RuVaPnt2d(5, 3), RuVaPnt2d(4, 4));
    doc.AddFeature(&last, nullptr, 1);

    ColorFeatureTable colors(*doc.GetColorFeatureTable());
    colors.SetColor(200, RGB(1, 2, 3));
    doc.SetColorFeatureTable(colors, 1);
    doc.SetLineTypeFeatureTable(*doc.GetLineTypeFeatureTable(), 1, 2.5, 1);
    doc.SetCurrentColorNo(9);
    doc.SetCurrentLineTypeNo(3);
    doc.SetCurrentLineWidthNo(4);
    GeneralFeatureSetting general(*doc.GetGeneralFeatureSetting());
    general.SetColorNo(44);
    doc.SetGeneralFeatureSetting(general);
    GeneralFeatureSettingStyles styles(*doc.GetGeneralFeatureSettingStyles());
    styles.SetSettingStyle(_T("thin"), &general);
    styles.SetCurrentSettingStyleName(_T("thin"));
    doc.UpdateFeatureSettingStyles(styles);
    LineHatchPattern pattern;
    pattern.SetPatternName(_T("Bricks"));
    pattern.AddLineItem(LineHatchPatternLineItem());
    doc.AddHatchPattern(&pattern);
    doc.SetLengthUnitFormatType(2);
    doc.SetDistPrecision(5);
    doc.SetAngleUnitFormatType(1);
    // The triangle cap, the fourth, survives the round trip.
    doc.SetLineCapMode(3);
    doc.SetPartLinePitchDisplayMode(0);
    ViewControlSetting v;
    v.SetScale(3);
    v.SetDrawingID(partA);
    v.SetLayoutID(la);
    v.SetCenterPoint(RuVaPnt2d(4, 5));
    doc.SetViewControlSetting(3, v);
    doc.SetViewControlSettingCurrentIndex(3);

    views.AddViewInfo(0, paper1);
    views.AddViewInfo(1, partA);
    views.AddViewInfo(2, -1);
    views.SetActiveIndex(1);
}

std::vector<BYTE> Save(const Draw2dDocument& doc, const DrawViewInfo& views)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        doc.SaveToArchive(ar, views, 0x3000A);
    }
    return std::vector<BYTE>(file.GetBuffer(), file.GetBuffer() + file.GetLength());
}

// Loads bytes into doc; true when it loaded, false when it threw the archive exception.
bool Load(Draw2dDocument& doc, DrawViewInfo& views, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CString msg;
    return !ThrowsAndFrees<CArchiveException>([&] { doc.LoadFromArchive(ar, views, msg); });
}

class ArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override { BuildRichDocument(doc, views); }
    Draw2dDocument doc;
    DrawViewInfo views;
};

TEST_F(ArchiveTest, RoundTripKeepsEveryField)
{
    ASSERT_GE(doc.GetFeatureCount(), 26);
    const std::vector<BYTE> bytes = Save(doc, views);
    Draw2dDocument loaded;
    DrawViewInfo loadedViews;
    ASSERT_TRUE(Load(loaded, loadedViews, bytes));
    EXPECT_TRUE(DocumentCompare::ExpectSame(doc, loaded, "loaded"));
    EXPECT_TRUE(loadedViews == views);
    EXPECT_FALSE(loaded.CanUndo());
    // Every kind came back as its own class.
    std::vector<int> types;
    for (long id = loaded.GetNextFeatureRecordID(-1); id != -1; id = loaded.GetNextFeatureRecordID(id))
        types.push_back(loaded.GetFeatureType(id));
    for (int type : kAllTypes)
        EXPECT_NE(std::count(types.begin(), types.end(), type), 0) << type;
    // The component definition knows its shapes again, and the document keeps working.
    const DrawComponent2dFeatureDefine* def = loaded.GetComponentDefineTable()->GetComponentDefineByIndex(0);
    EXPECT_EQ(def->GetRecordIdData().size(), 1u);
    EXPECT_EQ(loaded.GetDrawingFeatureByID(def->GetDrawingID())->GetFeatureCount(), 1);
    // A placed component spans its definition's shapes again, not only its origin.
    for (long rid = doc.GetNextFeatureRecordID(-1); rid != -1; rid = doc.GetNextFeatureRecordID(rid)) {
        if (doc.GetFeatureType(rid) != 71)
            continue;
        const RuVaBndBox2d before = doc.GetFeature(rid)->GetBndBox(), after = loaded.GetFeature(rid)->GetBndBox();
        EXPECT_GT(before.Height(), 0.0);
        EXPECT_EQ(after.MinPoint(), before.MinPoint()) << "record " << rid;
        EXPECT_EQ(after.MaxPoint(), before.MaxPoint()) << "record " << rid;
    }
    Line2dFeature more(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1));
    const long id = loaded.AddFeature(&more, nullptr, 1);
    EXPECT_GT(id, doc.GetNextFeatureRecordID(-1));
    EXPECT_EQ(loaded.GetPartLayoutByID(loaded.GetActiveLayoutID())->GetScaleNumeratorY(), 1);
    // Saving again writes the same bytes.
    Draw2dDocument again;
    DrawViewInfo againViews;
    ASSERT_TRUE(Load(again, againViews, bytes));
    EXPECT_EQ(Save(again, againViews), bytes);
}

TEST_F(ArchiveTest, RoundTripThroughAFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = CString(reinterpret_cast<const char16_t*>(dir.filePath("drawing.kvd").utf16()));
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        doc.SaveToArchive(ar, views, 0);
        ar.Close();
        file.Close();
    }
    Draw2dDocument loaded;
    DrawViewInfo loadedViews;
    CFile file(path, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CString msg;
    loaded.LoadFromArchive(ar, loadedViews, msg);
    EXPECT_TRUE(msg.IsEmpty());
    EXPECT_TRUE(DocumentCompare::ExpectSame(doc, loaded, "from file"));
}

TEST_F(ArchiveTest, TruncatedArchivesFailAndLeaveTheDocument)
{
    const std::vector<BYTE> bytes = Save(doc, views);
    Draw2dDocument target;
    DrawViewInfo targetViews;
    BuildRichDocument(target, targetViews);
    Line2dFeature marker(RuVaPnt2d(7, 7), RuVaPnt2d(8, 8));
    target.AddFeature(&marker, nullptr, 1);
    const std::vector<BYTE> before = Save(target, targetViews);
    // Every cut in the header and tables, then a spread of cuts through the records.
    std::vector<size_t> cuts;
    for (size_t cut = 0; cut < std::min<size_t>(bytes.size(), 2000); ++cut)
        cuts.push_back(cut);
    for (size_t cut = 2000; cut < bytes.size(); cut += 11)
        cuts.push_back(cut);
    for (size_t cut : cuts) {
        std::vector<BYTE> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        ASSERT_FALSE(Load(target, targetViews, part)) << "cut at " << cut;
    }
    EXPECT_EQ(Save(target, targetViews), before);
    EXPECT_TRUE(target.CanUndo());  // nothing was replaced, not even the history
}

TEST_F(ArchiveTest, CorruptedArchivesNeverCrash)
{
    const std::vector<BYTE> bytes = Save(doc, views);
    std::mt19937 rng(7);
    int loadedCount = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<BYTE> damaged = bytes;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < flips; ++i)
            damaged[rng() % damaged.size()] ^= static_cast<BYTE>(1u << (rng() % 8));
        // A document with a shape and a history of its own, to see that a refused load keeps it.
        Draw2dDocument target;
        DrawViewInfo targetViews;
        Line2dFeature marker(RuVaPnt2d(7, 7), RuVaPnt2d(8, 8));
        ASSERT_GT(target.AddFeature(&marker, nullptr, 1), 0);
        const std::vector<BYTE> before = Save(target, targetViews);
        if (Load(target, targetViews, damaged)) {
            ++loadedCount;
            // Whatever loaded is a working document.
            Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
            EXPECT_GT(target.AddFeature(&line, nullptr, 1), 0);
            EXPECT_TRUE(target.Undo(1));
        } else {
            ASSERT_EQ(Save(target, targetViews), before) << "round " << round;
            EXPECT_TRUE(target.CanUndo()) << "round " << round;
        }
    }
    SUCCEED() << loadedCount << " damaged archives still loaded";
}

TEST(ArchiveRejectTest, ForgedCountsAreRefusedBeforeAllocating)
{
    Draw2dDocument doc;
    DrawViewInfo views;
    std::vector<BYTE> bytes = Save(doc, views);
    // The record slot count and live count sit just before the view tabs, the plot setting and the end
    // mark: views = count(2) + active(4), plot setting 56, end mark 4 -> slots at size - 74, live at size - 70.
    ASSERT_GE(bytes.size(), 74u);
    auto put = [](std::vector<BYTE>& v, size_t at, int32_t value) { std::memcpy(&v[at], &value, 4); };
    const size_t slotAt = bytes.size() - 74, liveAt = bytes.size() - 70;
    std::vector<BYTE> forged = bytes;
    put(forged, slotAt, 0x7FFFFFFF);
    Draw2dDocument target;
    EXPECT_FALSE(Load(target, views, forged));
    forged = bytes;
    put(forged, liveAt, 0x10000000);
    put(forged, slotAt, 0x20000000);
    EXPECT_FALSE(Load(target, views, forged));
    // A wrong magic number or format.
    forged = bytes;
    forged[0] ^= 0xFF;
    EXPECT_FALSE(Load(target, views, forged));
    forged = bytes;
    forged[4] = 9;
    EXPECT_FALSE(Load(target, views, forged));
    EXPECT_TRUE(Load(target, views, bytes));
}

}  // namespace
