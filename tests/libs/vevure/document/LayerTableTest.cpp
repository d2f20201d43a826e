#include <gtest/gtest.h>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CMemFile.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "ThrowCheck.h"

namespace {

// Root
//   Group A (1): Layer a1 (2), Group B (3): Layer b1 (4), Layer b2 (5)
//   Layer top (6)
class LayerTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(t.AddLayerFeature(LayerFeature(1, -1, TRUE, _T("A"))));
        ASSERT_TRUE(t.AddLayerFeature(LayerFeature(2, 1, FALSE, _T("a1"))));
        ASSERT_TRUE(t.AddLayerFeature(LayerFeature(3, 1, TRUE, _T("B"))));
        ASSERT_TRUE(t.AddLayerFeature(LayerFeature(4, 3, FALSE, _T("b1"))));
        ASSERT_TRUE(t.AddLayerFeature(LayerFeature(5, 3, FALSE, _T("b2"))));
        ASSERT_TRUE(t.AddLayerFeature(LayerFeature(6, -1, FALSE, _T("top"))));
    }
    static std::vector<long> Ids(const CArray<long, long>& a)
    {
        std::vector<long> v;
        for (INT_PTR i = 0; i < a.GetSize(); ++i)
            v.push_back(a[i]);
        return v;
    }
    LayerFeatureTable t;
};

TEST_F(LayerTableTest, CountsAndTreeOrder)
{
    EXPECT_EQ(t.GetLayerCount(), 4);
    EXPECT_EQ(t.GetLayerGroupCount(), 2);
    CArray<long, long> ids;
    t.GetDisplayOrderList(ids);
    EXPECT_EQ(Ids(ids), (std::vector<long>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(t.GetChildLayerCount(1, TRUE), 3);
    EXPECT_EQ(t.GetChildLayerCount(1, FALSE), 1);
    t.GetChildLayerList(1, ids, TRUE, FALSE);
    EXPECT_EQ(Ids(ids), (std::vector<long>{2, 4, 5}));
    EXPECT_EQ(t.GetChildLayerFeatureCount(-1), 2);
    EXPECT_EQ(t.GetChildLayerID(1, 1), 3);
    EXPECT_EQ(t.GetChildLayerID(1, 2), -1);
    EXPECT_EQ(t.GetLayerFeature(5)->GetDisplayOrder(), 4);
}

TEST_F(LayerTableTest, UnknownIdsAndGroupsAnswerFailureValues)
{
    struct Case {
        long id;
        short expected;
    } cases[] = {{2, 1}, {1, -1}, {-1, -1}, {0, -1}, {99, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(t.GetLayerColorNo(c.id), c.expected) << c.id;
        EXPECT_EQ(t.GetLayerLineTypeNo(c.id), c.expected) << c.id;
        EXPECT_EQ(t.GetLayerLineWidthNo(c.id), c.expected) << c.id;
    }
    EXPECT_EQ(t.GetLayerFeature(99), nullptr);
    EXPECT_TRUE(t.GetLayerName(99).IsEmpty());
    EXPECT_EQ(t.GetLayerState(99), -1);
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { t.GetLayerID(6); }));
    EXPECT_TRUE(ThrowsAndFrees<CInvalidArgException>([&] { t.GetLayerID(-1); }));
}

TEST_F(LayerTableTest, PathAndNameLookup)
{
    EXPECT_EQ(t.GetLayerPath(4, _T('\\')), CString(_T("A\\B\\b1")));
    EXPECT_EQ(t.GetLayerPath(6, _T('/')), CString(_T("top")));
    EXPECT_TRUE(t.GetLayerPath(-1, _T('/')).IsEmpty());
    EXPECT_EQ(t.GetLayerIDFromName(3, _T("B2")), 5);  // letter case ignored
    EXPECT_EQ(t.GetLayerIDFromName(1, _T("b")), -1);  // a group is never found
    EXPECT_EQ(t.GetLayerIDFromName(1, _T("b1")), -1);  // direct children only
}

TEST_F(LayerTableTest, GroupAggregatesReportMixedValues)
{
    EXPECT_EQ(t.GetLayerGroupColorNo(1), 1);
    t.GetLayerFeature(4)->SetColorNo(5);
    EXPECT_EQ(t.GetLayerGroupColorNo(1), 0xFFFF);
    EXPECT_EQ(t.GetLayerGroupColorNo(3), 0xFFFF);
    EXPECT_EQ(t.GetLayerGroupColorNo(4), 5);
    EXPECT_EQ(t.GetLayerGroupState(1), 0);
    t.GetLayerFeature(2)->SetLayerState(1);
    EXPECT_EQ(t.GetLayerGroupState(1), 3);
    EXPECT_EQ(t.GetLayerGroupHide(1), 0);
    t.GetLayerFeature(5)->SetHide(TRUE);
    EXPECT_EQ(t.GetLayerGroupHide(1), -1);
    EXPECT_EQ(t.GetLayerGroupHide(5), 1);
}

TEST_F(LayerTableTest, StateBits)
{
    LayerFeature l(7, -1, FALSE, _T("x"));
    struct Case {
        int state;
        BOOL display, editable;
    } cases[] = {{0, TRUE, TRUE}, {1, TRUE, FALSE}, {2, FALSE, FALSE}};
    for (const Case& c : cases) {
        ASSERT_TRUE(l.SetLayerState(c.state));
        EXPECT_EQ(l.GetLayerState(), c.state);
        EXPECT_EQ(l.IsDisplay(), c.display);
        EXPECT_EQ(l.IsEditable(), c.editable);
    }
    EXPECT_FALSE(l.SetLayerState(3));
    EXPECT_FALSE(l.SetLayerState(-1));
    EXPECT_EQ(l.GetLayerState(), 2);
    l.SetLayerState(0);
    l.SetHide(TRUE);
    EXPECT_FALSE(l.IsDisplay());  // hidden wins over the displayed bit
    EXPECT_FALSE(l.IsEditable());
    EXPECT_TRUE(l.IsHide());
}

TEST_F(LayerTableTest, MovesRefuseCycles)
{
    EXPECT_FALSE(t.MoveLayerFeature(1, 3, -1));  // a group into its own descendant
    EXPECT_FALSE(t.MoveLayerFeature(3, 3, -1));
    EXPECT_FALSE(t.MoveLayerFeature(6, 2, -1));  // a layer is no group
    EXPECT_FALSE(t.MoveLayerFeature(99, -1, -1));
    ASSERT_TRUE(t.MoveLayerFeature(4, -1, 0));
    CArray<long, long> ids;
    t.GetDisplayOrderList(ids);
    EXPECT_EQ(Ids(ids), (std::vector<long>{4, 1, 2, 3, 5, 6}));
    EXPECT_EQ(t.GetParentLayerID(4), -1);
    EXPECT_TRUE(t.IsParentLayerFeature(1, 5));
    EXPECT_FALSE(t.IsParentLayerFeature(1, 4));
}

TEST_F(LayerTableTest, RemovingAGroupRemovesEverythingBelow)
{
    std::vector<long> removed;
    ASSERT_TRUE(t.RemoveLayerFeature(1, &removed));
    EXPECT_EQ(removed, (std::vector<long>{1, 2, 3, 4, 5}));
    EXPECT_EQ(t.GetSize(), 1);
    EXPECT_EQ(t.GetLayerCount(), 1);
    EXPECT_EQ(t.GetLayerGroupCount(), 0);
    EXPECT_FALSE(t.AddLayerFeature(LayerFeature(8, 3, FALSE, _T("orphan"))));
    EXPECT_FALSE(t.AddLayerFeature(LayerFeature(6, -1, FALSE, _T("dup"))));
}

TEST_F(LayerTableTest, ArchiveRoundTripAndDamage)
{
    t.GetLayerFeature(5)->SetHide(TRUE);
    t.GetLayerFeature(2)->SetLineWidthNo(7);
    t.MoveLayerFeature(6, 1, 0);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        t.Serialize(ar);
    }
    const ULONGLONG length = file.GetLength();
    std::vector<BYTE> bytes(file.GetBuffer(), file.GetBuffer() + length);
    {
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        LayerFeatureTable loaded;
        loaded.Serialize(ar);
        EXPECT_TRUE(loaded == t);
    }
    // Every truncation fails cleanly and leaves the target untouched.
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CMemFile part(bytes.data(), static_cast<UINT>(cut));
        CArchive ar(&part, CArchive::load);
        LayerFeatureTable target;
        target.AddLayerFeature(LayerFeature(1, -1, FALSE, _T("keep")));
        const LayerFeatureTable before = target;
        try {
            target.Serialize(ar);
            ADD_FAILURE() << "cut at " << cut << " loaded";
        } catch (CArchiveException* e) {
            e->Delete();
        }
        EXPECT_TRUE(target == before);
    }
    // A layer whose parent comes later (or not at all) is refused.
    LayerFeatureTable bad;
    bad.AddLayerFeature(LayerFeature(1, -1, FALSE, _T("a")));
    CMemFile badFile;
    {
        CArchive ar(&badFile, CArchive::store);
        ar.WriteCount(1);
        LayerFeature orphan(2, 7, FALSE, _T("orphan"));
        orphan.Serialize(ar);
    }
    badFile.SeekToBegin();
    CArchive ar(&badFile, CArchive::load);
    EXPECT_TRUE(ThrowsAndFrees<CArchiveException>([&] { bad.Serialize(ar); }));
    EXPECT_EQ(bad.GetSize(), 1);
}

}  // namespace

namespace {

TEST(LayerTableDepthTest, DeepTreesLoadAndWalkWithoutRecursion)
{
    // A chain of nested groups as deep as a hostile file could make it, ending in one layer.
    const long depth = 100000;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(static_cast<DWORD_PTR>(depth));
        for (long id = 1; id <= depth; ++id) {
            LayerFeature l(id, id == 1 ? -1 : id - 1, id < depth, _T("g"));
            l.Serialize(ar);
        }
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    LayerFeatureTable t;
    t.Serialize(ar);
    EXPECT_EQ(t.GetLayerGroupCount(), depth - 1);
    EXPECT_EQ(t.GetChildLayerCount(-1, TRUE), 1);
    EXPECT_TRUE(t.IsParentLayerFeature(1, depth));
    EXPECT_EQ(t.GetLayerFeature(depth)->GetDisplayOrder(), depth - 1);
    EXPECT_EQ(t.GetLayerGroupColorNo(1), 1);
}

}  // namespace
