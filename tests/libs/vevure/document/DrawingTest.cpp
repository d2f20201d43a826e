#include <gtest/gtest.h>

#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/GraphicManager.h"
#include "libs/vevure/Paper2dFeature.h"
#include "ThrowCheck.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"
#include "libs/vevure/GridSetting.h"

#include "platform/afx/CInvalidArgException.h"

namespace {

TEST(DrawingTest, StatesAndFlags)
{
    DrawingFeatureBase d;
    struct Case {
        int state;
        BOOL display, editable;
    } cases[] = {{0, TRUE, TRUE}, {1, TRUE, FALSE}, {2, FALSE, FALSE}};
    for (const Case& c : cases) {
        ASSERT_TRUE(d.SetDrawingState(c.state));
        EXPECT_EQ(d.GetDrawingState(), c.state);
        EXPECT_EQ(d.IsDisplayDrawing(), c.display);
        EXPECT_EQ(d.IsEditableDrawing(), c.editable);
        EXPECT_TRUE(d.IsPrintable());  // the printable bit is its own
    }
    EXPECT_FALSE(d.SetDrawingState(3));
    d.SetPrintable(FALSE);
    EXPECT_FALSE(d.IsPrintable());
    EXPECT_EQ(d.GetDrawingState(), 2);
}

TEST(DrawingTest, UserOriginCountsBeyondTolerance)
{
    DrawingFeatureBase d;
    EXPECT_FALSE(d.IsUserOrigin());
    d.SetUserOrigin(RuVaPnt2d(5e-8, 0));
    EXPECT_FALSE(d.IsUserOrigin());
    d.SetUserOrigin(RuVaPnt2d(0, 2e-7));
    EXPECT_TRUE(d.IsUserOrigin());
}

TEST(DrawingTest, LayoutsByIndexAreGuarded)
{
    Paper2dFeature p;
    p.SetDrawingID(0);
    p.SetSelfPartLayoutID(1);
    PartDrawingLayout l(_T("a"));
    l.SetLayoutID(2);
    l.SetDrawingID(7);
    p.InsertPartLayout(l, -1);
    l.SetLayoutID(3);
    p.InsertPartLayout(l, 0);
    EXPECT_EQ(p.GetPartLayoutCount(), 2);
    EXPECT_EQ(p.PartLayoutIndexToID(0), 3);
    EXPECT_EQ(p.GetPartLayoutByID(1), p.GetSelfPartLayout());  // found, but not counted
    EXPECT_EQ(p.GetPartLayoutByID(9), nullptr);
    EXPECT_EQ(p.FindPartLayoutByDrawingID(7)->GetLayoutID(), 3);
    for (int bad : {-1, 2}) {
        EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { p.GetPartLayout(bad); }));
        EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { p.PartLayoutIndexToID(bad); }));
        EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { p.GetPartLayoutDrawingID(bad); }));
    }
    EXPECT_TRUE(p.MovePartLayout(3, 1));
    EXPECT_EQ(p.PartLayoutIndexToID(1), 3);
    std::unique_ptr<DrawingFeatureBase> copy(p.Clone());
    EXPECT_TRUE(copy->IsSame(p));
    EXPECT_NE(copy->GetPartLayout(0), p.GetPartLayout(0));  // deep
}

TEST(DrawingTest, PaperSizes)
{
    Paper2dFeature p;
    double w = 0, h = 0;
    p.GetPaperSize(w, h);
    EXPECT_EQ(p.GetPaperSizeType(), Paper2dFeature::sizeA3);
    EXPECT_EQ(w, 420);
    EXPECT_EQ(h, 297);
    ASSERT_TRUE(p.SetPaperOrientType(Paper2dFeature::orientPortrait));
    p.GetPaperSize(w, h);
    EXPECT_EQ(w, 297);
    EXPECT_EQ(h, 420);
    ASSERT_TRUE(p.SetPaperSizeType(Paper2dFeature::sizeA4));
    p.GetPaperSize(w, h);
    EXPECT_EQ(w, 210);
    EXPECT_EQ(h, 297);
    ASSERT_TRUE(p.SetPaperSize(100, 50));
    EXPECT_EQ(p.GetPaperSizeType(), Paper2dFeature::sizeUser);
    ASSERT_TRUE(p.SetPaperOrientType(Paper2dFeature::orientLandscape));
    p.GetPaperSize(w, h);
    EXPECT_EQ(w, 100);  // a user size keeps its sides
    EXPECT_FALSE(p.SetPaperSize(0, 10));
    EXPECT_FALSE(p.SetPaperSize(10, NAN));
    EXPECT_FALSE(p.SetPaperSizeType(6));
    EXPECT_FALSE(p.SetPaperOrientType(2));
    EXPECT_FALSE(p.SetPrintScale(0));
    EXPECT_FALSE(Paper2dFeature::GetPaperSize(Paper2dFeature::sizeUser, 0, w, h));
    ASSERT_TRUE(Paper2dFeature::GetPaperSize(Paper2dFeature::sizeA0, Paper2dFeature::orientLandscape, w, h));
    EXPECT_EQ(w, 1189);
}

TEST(DrawingTest, DrawingsRoundTripAtTheirSmallestAndRefuseDamage)
{
    // Many layouts of the smallest stored size right before the end: the size checks must not refuse them.
    Paper2dFeature p;
    p.SetDrawingID(3);
    p.SetSelfPartLayoutID(1);
    p.SetDrawingName(_T("S"));
    p.SetPaperSizeType(Paper2dFeature::sizeA0);
    for (int i = 0; i < 100; ++i) {
        PartDrawingLayout l;
        l.SetLayoutID(10 + i);
        l.SetPaperID(3);
        l.SetDrawingID(5);
        p.InsertPartLayout(l, -1);
    }
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        p.Store(ar);
    }
    std::vector<BYTE> bytes(file.GetBuffer(), file.GetBuffer() + file.GetLength());
    {
        CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&in, CArchive::load);
        std::unique_ptr<DrawingFeatureBase> loaded(DrawingFeatureBase::LoadNew(ar));
        ASSERT_TRUE(loaded->IsPaperFeature());
        EXPECT_TRUE(loaded->IsSame(p));
    }
    for (size_t cut = 0; cut < bytes.size(); cut += 13) {
        CMemFile in(bytes.data(), static_cast<UINT>(cut));
        CArchive ar(&in, CArchive::load);
        EXPECT_TRUE(ThrowsAndFrees<CArchiveException>([&] { delete DrawingFeatureBase::LoadNew(ar); })) << cut;
    }
    bytes[0] = 7;  // no drawing type 7
    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&in, CArchive::load);
    EXPECT_TRUE(ThrowsAndFrees<CArchiveException>([&] { delete DrawingFeatureBase::LoadNew(ar); }));
}

TEST(DrawingTest, NewLayoutNamesSkipTakenOnes)
{
    Paper2dFeature p;
    EXPECT_EQ(p.GetNewPartLayoutName(_T("Part")), CString(_T("Part-1")));
    PartDrawingLayout l(_T("Part-1"));
    p.InsertPartLayout(l, -1);
    EXPECT_EQ(p.GetNewPartLayoutName(_T("Part")), CString(_T("Part-2")));
}

TEST(DrawingTest, ComponentNameLength)
{
    DrawComponent2dFeatureDefine d;
    struct Case {
        int length;
        BOOL ok;
    } cases[] = {{0, FALSE}, {1, TRUE}, {256, TRUE}, {257, FALSE}};
    for (const Case& c : cases) {
        CString name;
        for (int i = 0; i < c.length; ++i)
            name += _T('x');
        EXPECT_EQ(d.SetComponentName(name), c.ok) << c.length;
    }
    EXPECT_EQ(d.GetComponentName().GetLength(), 256);
    d.AddFeatureRecordID(5);
    EXPECT_TRUE(d.DeleteFeatureRecordID(5));
    EXPECT_FALSE(d.DeleteFeatureRecordID(5));
    d.SetAttributePrompt(7);
    EXPECT_EQ(d.IsAttributePrompt(), TRUE);
}

TEST(DrawingTest, ComponentTableLookups)
{
    DrawComponent2dFeatureDefineTable t;
    auto* d = new DrawComponent2dFeatureDefine;
    d->SetComponentId(4);
    d->SetDrawingID(9);
    d->SetComponentName(_T("Bolt"));
    t.Add(d);
    EXPECT_TRUE(t.IsComponentNameExists(_T("BOLT")));
    EXPECT_EQ(t.GetComponentDefine(4), d);
    EXPECT_EQ(t.GetComponentDefineByDrawingID(9), d);
    EXPECT_EQ(t.GetComponentDefine(5), nullptr);
    EXPECT_TRUE(t.GetComponentDefineName(5).IsEmpty());
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { t.GetComponentDefineByIndex(1); }));
    DrawComponent2dFeatureDefineTable copy(t);
    EXPECT_TRUE(copy.IsSame(t));
    EXPECT_NE(copy.GetComponentDefine(4), d);
    EXPECT_TRUE(copy.IsComponentNameExists(_T("bolt")));
    // The name check follows renames and removals, in the table and in its copies alike.
    EXPECT_TRUE(t.SetComponentName(4, _T("Nut")));
    EXPECT_FALSE(t.SetComponentName(4, CString()));
    EXPECT_FALSE(t.SetComponentName(5, _T("Washer")));
    EXPECT_FALSE(t.IsComponentNameExists(_T("Bolt")));
    EXPECT_TRUE(t.IsComponentNameExists(_T("nUT")));
    EXPECT_TRUE(copy.IsComponentNameExists(_T("Bolt")));
    EXPECT_TRUE(t.Remove(4));
    EXPECT_FALSE(t.Remove(4));
    EXPECT_FALSE(t.IsComponentNameExists(_T("Nut")));
    copy.RemoveAll();
    EXPECT_FALSE(copy.IsComponentNameExists(_T("Bolt")));
}

TEST(DrawingTest, ViewInfoIndexGuards)
{
    DrawViewInfo v;
    EXPECT_EQ(v.AddViewInfo(0, 3), 0);
    EXPECT_EQ(v.AddViewInfo(2, -1), 1);
    EXPECT_EQ(v.GetViewID(0), 3);
    EXPECT_EQ(v.GetViewType(1), 2);
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { v.GetViewID(2); }));
    v.DeleteAllViewInfo();
    EXPECT_EQ(v.GetViewInfoCount(), 0);
    EXPECT_EQ(v.GetActiveIndex(), -1);
}

TEST(DrawingTest, GraphicManagerLifecycle)
{
    EXPECT_FALSE(GraphicManager::OnIdle(1));
    EXPECT_TRUE(GraphicManager::Init());
    EXPECT_TRUE(GraphicManager::Init());
    GraphicManager::OnIdle(2);
    EXPECT_EQ(GraphicManager::GetGraphicsMode(), 2);
    GraphicManager::Dispose();
    EXPECT_FALSE(GraphicManager::IsInitialized());
    EXPECT_EQ(GraphicManager::GetGraphicsMode(), -1);
}

}  // namespace
