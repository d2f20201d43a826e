#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/CInvalidArgException.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionFilter.h"
#include "libs/vevure/SelectionManager.h"
#include "ThrowCheck.h"

namespace {

TEST(SelectionFilterTest, FeatureKindBits)
{
    struct Case {
        int type;
        DWORD bit;
    } cases[] = {{1, 0x1},          {2, 0x2},          {9, 0x100},        {12, 0x800},     {30, 0x2000},
                 {31, 0x4000},      {32, 0x8000},      {50, 0x20000},     {51, 0x40000},   {52, 0x80000},
                 {53, 0x100000},    {54, 0x200000},    {55, 0x400000},    {70, 0x800000},  {71, 0x1000000},
                 {80, 0x2000000},   {90, 0x4000000},   {59, 0x8000000},   {-1, 0},         {0, 0},
                 {100, 0},          {56, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(SelectionFeatureFilter::GetFeatureBit(c.type), c.bit) << c.type;
        EXPECT_EQ(SelectionFeatureFilter::FilterFeature(c.type, 0xFFFFFFFF), c.bit != 0) << c.type;
        EXPECT_FALSE(SelectionFeatureFilter::FilterFeature(c.type, ~c.bit)) << c.type;
    }
    // The masks the commands use.
    EXPECT_TRUE(SelectionFeatureFilter::FilterFeature(2, 0x01800DFE));
    EXPECT_FALSE(SelectionFeatureFilter::FilterFeature(10, 0x01800DFE));
    EXPECT_TRUE(SelectionFeatureFilter::FilterFeature(59, 0x097EE000));
    EXPECT_FALSE(SelectionFeatureFilter::FilterFeature(70, 0x097EE000));

    SelectionFeatureFilter empty;
    EXPECT_TRUE(empty.IsFilterEmpty());
    EXPECT_TRUE(empty.IsFeatureSelectable(-1));  // an empty filter admits everything
    SelectionFeatureFilter lines(0x2);
    EXPECT_TRUE(lines.IsFeatureSelectable(2));
    EXPECT_FALSE(lines.IsFeatureSelectable(4));
}

TEST(SelectionFilterTest, PartFilters)
{
    SelectionColorFilter color;
    EXPECT_TRUE(color.IsColorSelectable(7));
    EXPECT_TRUE(color.SetColorFilter(-1, TRUE));
    EXPECT_TRUE(color.SetColorFilter(256, TRUE));
    EXPECT_FALSE(color.SetColorFilter(257, TRUE));
    EXPECT_FALSE(color.SetColorFilter(-2, TRUE));
    EXPECT_EQ(color.GetColorFilter(256), 1);
    EXPECT_EQ(color.GetColorFilter(300), 0);
    EXPECT_FALSE(color.IsColorSelectable(7));
    EXPECT_TRUE(color.IsColorSelectable(-1));

    SelectionLineWidthFilter width;
    EXPECT_TRUE(width.SetLineWidthFilter(15, TRUE));
    EXPECT_TRUE(width.SetLineWidthFilter(0xFFFF, TRUE));
    EXPECT_FALSE(width.SetLineWidthFilter(16, TRUE));
    EXPECT_EQ(width.GetLineWidthFilter(-1), 1);  // the explicit width, either spelling
    EXPECT_EQ(width.GetLineWidthFilter(3), 0);

    SelectionLayerFilter layer;
    layer.AddLayerFilter(4);
    layer.AddLayerFilter(4);
    EXPECT_EQ(layer.GetLayerFilterCount(), 1);
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { layer.GetLayerFilter(1); }));

    SelectionAttributeFilter attr;
    attr.AddAttribute(_T("Part"), _T(""));
    FeatureAttribute a;
    EXPECT_FALSE(attr.IsAttributeSelectable(nullptr));
    a.AddAttribute(_T("part"), _T("A-1"));
    EXPECT_TRUE(attr.IsAttributeSelectable(&a));
    CString name, value;
    EXPECT_FALSE(attr.GetAttribute(1, name, value));
}

class SelectionDocumentTest : public ::testing::Test
{
protected:
    static int OnNotify(NotifyInfoBase* info, void* user)
    {
        static_cast<SelectionDocumentTest*>(user)->kinds.push_back({info->GetKind(), info->GetCode()});
        return 1;
    }
    void SetUp() override
    {
        layer = doc.AddLayer(-1, _T("L"), 0);
        Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
        line.SetLayerID(layer);
        a = doc.AddFeature(&line, nullptr, 0);
        Circle2dFeature circle(RuVaPnt2d(0, 0), 5);
        circle.SetLayerID(layer);
        circle.SetColorNo(3);
        b = doc.AddFeature(&circle, nullptr, 0);
        ASSERT_GT(a, 0);
        ASSERT_GT(b, 0);
        doc.SetNotifyFunction(&OnNotify, this);
    }
    Draw2dDocument doc;
    long layer = -1, a = -1, b = -1;
    std::vector<std::pair<int, int>> kinds;
};

TEST_F(SelectionDocumentTest, GroupsFollowSelections)
{
    SelectionManager& sel = *doc.GetSelectionManager();
    EXPECT_TRUE(sel.SelectFeature(FeatureRecord(a, 1), TRUE));
    EXPECT_FALSE(sel.SelectFeature(FeatureRecord(a, 1), TRUE));  // already selected
    EXPECT_FALSE(sel.SelectFeature(FeatureRecord(99, 1), TRUE));  // no such record
    CArray<FeatureLayout> list;
    list.Add(FeatureLayout(a, 1, -1));
    list.Add(FeatureLayout(b, 1, -1));
    KcArrayOfGePnt2d pts{RuVaPnt2d(0, 0), RuVaPnt2d(5, 5)};
    EXPECT_EQ(sel.SelectFeatures(list, 1, &pts), 1);
    EXPECT_EQ(sel.GetSelectionGroupCount(), 2);
    EXPECT_EQ(sel.GetSelectionGroupSelectShapeMode(0), 4);
    EXPECT_EQ(sel.GetSelectionGroupSelectShapeMode(1), 1);
    EXPECT_EQ(sel.GetSelectionGroupPointList(1).GetSize(), 2);
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { sel.GetSelectionGroupSelectShapeMode(2); }));
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { sel.GetSelectionGroupPointList(-1); }));
    EXPECT_TRUE(sel.IsFeatureSelected(FeatureRecord(b, -1)));  // any layout
    EXPECT_FALSE(sel.IsFeatureSelected(FeatureRecord(b, 2)));
    EXPECT_TRUE(doc.IsSelectedFeature(FeatureRecord(a, 1)));

    // Deleting a shape drops it from the selection and its group.
    doc.DeleteFeature(a, 1);
    EXPECT_EQ(sel.GetSelectedFeatureCount(), 1);
    EXPECT_EQ(sel.GetSelectionGroupCount(), 1);
    // Undo brings the shape back but not its selection.
    doc.Undo(1);
    EXPECT_EQ(sel.GetSelectedFeatureCount(), 1);
    sel.UnselectAll(TRUE);
    EXPECT_TRUE(sel.IsSelectionEmpty());
    EXPECT_EQ(sel.GetSelectionGroupCount(), 0);
    EXPECT_FALSE(sel.GetSelectionGroup(0, list));
    EXPECT_EQ(kinds.back(), std::make_pair(2, 1));
}

TEST_F(SelectionDocumentTest, FilterDecidesByEveryPart)
{
    SelectionFilter f;
    f.GetFeatureFilter().SetFeatureFilter(0x2);  // lines only
    EXPECT_TRUE(f.IsFeatureSelectable(&doc, b));  // mode 0: everything passes
    f.SetSelectionFilterMode(5);
    EXPECT_EQ(f.GetSelectionFilterMode(), 1);
    EXPECT_TRUE(f.IsFeatureSelectable(&doc, a));
    EXPECT_FALSE(f.IsFeatureSelectable(&doc, b));
    f.GetFeatureFilter().SetFeatureFilter(0);
    // Colour 1 comes from the layer for the line (colour number 0), 3 is the circle's own.
    f.GetColorFilter().SetColorFilter(1, TRUE);
    EXPECT_TRUE(f.IsFeatureSelectable(&doc, a));
    EXPECT_FALSE(f.IsFeatureSelectable(&doc, b));
    f.GetColorFilter().ClearAllColorFilters();
    f.GetLayerFilter().AddLayerFilter(layer + 1);
    EXPECT_FALSE(f.IsFeatureSelectable(&doc, a));
    f.GetLayerFilter().AddLayerFilter(layer);
    EXPECT_TRUE(f.IsFeatureSelectable(&doc, a));
    f.GetDrawingFilter().AddDrawingFilter(77);
    EXPECT_FALSE(f.IsFeatureSelectable(&doc, a));
    EXPECT_FALSE(f.IsFeatureSelectable(&doc, 12345));

    doc.SetSelectionFilter(f);
    EXPECT_TRUE(*doc.GetSelectionFilter() == f);
    doc.SetSelectionFilterMode(0);
    EXPECT_EQ(doc.GetSelectionFilterMode(), 0);
}

}  // namespace
