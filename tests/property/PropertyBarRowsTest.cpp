// The property bar's rows over several objects: which rows appear and in whose order, values that
// differ, the editable rule, refusing mixed kinds without losing what is shown, dropping objects of
// unselected shapes and the deferred refresh of document changes.
#include <gtest/gtest.h>

#include <memory>

#include "command/ColorParameterItem.h"
#include "command/PropertyListItem.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Text2dFeature.h"
#include "property/CPropertyBar.h"
#include "property/LayerFeatureProperty.h"
#include "property/ShapeFeaturePropertyBase.h"
#include "tests/property/PropertyTestDocument.h"

using QZ2Command::FeaturePropertyBase;
using QZ2Command::ShapeFeaturePropertyBase;

namespace {

class PropertyBarRowsTest : public kctest::PropertyTestDocument
{
protected:
    BOOL Show(const std::vector<long>& ids)
    {
        CArray<FeaturePropertyBase*> objects;
        for (long id : ids)
            objects.Add(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, id, -1));
        const BOOL bTaken = bar.SetFeatureProperties(objects, FALSE, FALSE);
        if (!bTaken)
            for (INT_PTR i = 0; i < objects.GetSize(); ++i)
                delete objects[i];
        return bTaken;
    }
    std::vector<int> RowIds() const
    {
        std::vector<int> ids;
        for (int i = 0; i < bar.GetRowCount(); ++i)
            ids.push_back(bar.GetRow(i)->GetValueItem()->GetId());
        return ids;
    }
    const QZ2Command::ParameterItemBase* RowItem(int nId) const
    {
        const int n = bar.FindRowByPropertyId(nId);
        return n >= 0 ? bar.GetRow(n)->GetValueItem() : nullptr;
    }
    long Colored(const Feature2dBase& shape, short nColor)
    {
        const long id = Add(shape);
        std::unique_ptr<Feature2dBase> pCopy(doc.GetFeature(id)->CopyObject());
        pCopy->SetColorNo(nColor);
        doc.UpdateFeature(id, pCopy.get(), 1, 3);
        return id;
    }

    CPropertyBar bar;
};

}  // namespace

TEST_F(PropertyBarRowsTest, TheFirstObjectDecidesTheRowsAndDifferingValuesShowEmpty)
{
    const long red = Colored(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)), 1);
    const long blue = Colored(Line2dFeature(RuVaPnt2d(0, 5), RuVaPnt2d(10, 5)), 5);
    const long circle = Colored(Circle2dFeature(RuVaPnt2d(0, 0), 5), 1);
    const long text = Add(Text2dFeature(u"t", RuVaPnt2d(0, 0)));

    ASSERT_TRUE(Show({red, circle}));
    EXPECT_EQ(RowIds(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(RowItem(1)->IsEmpty()) << "kinds differ";
    EXPECT_FALSE(RowItem(5)->IsEmpty()) << "both red";

    ASSERT_TRUE(Show({red, blue}));
    EXPECT_TRUE(RowItem(5)->IsEmpty()) << "red and blue";

    // A text first: no line-type or width row for anyone.
    ASSERT_TRUE(Show({text, red}));
    EXPECT_EQ(RowIds(), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(bar.GetFeaturePropertyCount(), 2);
}

TEST_F(PropertyBarRowsTest, MixedKindsAreRefusedAndTheRowsStay)
{
    const long line = Add(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)));
    ASSERT_TRUE(Show({line}));
    const std::vector<int> before = RowIds();
    std::unique_ptr<FeaturePropertyBase> pShape(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, line, -1));
    QZ2Command::LayerFeatureProperty layer(&doc, doc.AddLayer(u"L", -1));
    CArray<FeaturePropertyBase*> mixed;
    mixed.Add(pShape.get());
    mixed.Add(&layer);
    EXPECT_FALSE(bar.SetFeatureProperties(mixed, FALSE, TRUE));
    EXPECT_EQ(RowIds(), before);
    EXPECT_EQ(bar.GetFeaturePropertyCount(), 1);
}

TEST_F(PropertyBarRowsTest, AReadOnlyAndAnEditableObjectMakeAnEditableRow)
{
    const long locked = doc.AddLayer(u"Locked", -1);
    ASSERT_GT(locked, 0);
    Line2dFeature onLocked(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    onLocked.SetLayerID(locked);
    const long a = Add(onLocked);
    const long b = Add(Line2dFeature(RuVaPnt2d(0, 5), RuVaPnt2d(10, 5)));
    ASSERT_TRUE(doc.SetLayerState(locked, 1, 1));
    ASSERT_FALSE(doc.IsFeatureEditable(a));
    ASSERT_TRUE(Show({a}));
    EXPECT_FALSE(RowItem(5)->m_bRequired);
    ASSERT_TRUE(Show({a, b}));
    EXPECT_TRUE(RowItem(5)->m_bRequired);
}

TEST_F(PropertyBarRowsTest, UnselectedShapesLeaveTheBar)
{
    const long a = Add(Circle2dFeature(RuVaPnt2d(0, 0), 5));
    const long b = Add(Circle2dFeature(RuVaPnt2d(20, 0), 5));
    const long c = Add(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)));
    ASSERT_TRUE(Show({a, b, c}));
    CArray<long> gone;
    gone.Add(c);
    gone.Add(9999);
    EXPECT_TRUE(bar.RemoveFeatureProperties(gone));
    EXPECT_EQ(bar.GetFeaturePropertyCount(), 2);
    EXPECT_FALSE(bar.RemoveFeatureProperties(gone));
    // Layers are not dropped by record ids.
    QZ2Command::LayerFeatureProperty layer(&doc, doc.AddLayer(u"L", -1));
    ASSERT_TRUE(bar.SetFeatureProperty(&layer, FALSE));
    EXPECT_FALSE(bar.RemoveFeatureProperties(gone));
    EXPECT_EQ(bar.GetLastPropertyId(), 89) << "the first row was selected";
}

TEST_F(PropertyBarRowsTest, DocumentChangesRefreshAtIdleAndOnlyTheNotifiedShapeIsAsked)
{
    const long a = Colored(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)), 1);
    const long b = Colored(Line2dFeature(RuVaPnt2d(0, 5), RuVaPnt2d(10, 5)), 1);
    ASSERT_TRUE(Show({a, b}));
    std::unique_ptr<Feature2dBase> pCopy(doc.GetFeature(b)->CopyObject());
    pCopy->SetColorNo(5);
    ASSERT_TRUE(doc.UpdateFeature(b, pCopy.get(), 1, 3));

    NotifyInfoBase unrelated(&doc, NotifyInfoBase::kindFeature, NotifyInfoBase::featureChanged);
    unrelated.SetRecordID(12345);
    bar.OnDocumentNotify(&unrelated);
    EXPECT_EQ(bar.GetList().GetPendingRefresh(), 0);
    NotifyInfoBase changed(&doc, NotifyInfoBase::kindFeature, NotifyInfoBase::featureChanged);
    changed.SetRecordID(b);
    bar.OnDocumentNotify(&changed);
    EXPECT_EQ(bar.GetList().GetPendingRefresh(), 1);
    EXPECT_FALSE(RowItem(5)->IsEmpty()) << "not before the idle update";
    bar.GetList().RunPendingRefresh();
    EXPECT_TRUE(RowItem(5)->IsEmpty());

    // Document settings re-read at once; a new current document empties the bar.
    NotifyInfoBase settings(&doc, NotifyInfoBase::kindDocumentSetting, 0);
    bar.OnDocumentNotify(&settings);
    Draw2dDocument other;
    other.InitDocument();
    NotifyInfoBase current(&other, NotifyInfoBase::kindDocument, 1);
    EXPECT_EQ(bar.OnDocumentNotify(&current), 1);
    EXPECT_EQ(bar.GetFeaturePropertyCount(), 0);
    EXPECT_EQ(bar.GetShownKind(), 0u);
    EXPECT_EQ(bar.GetDocument(), &other);
}
