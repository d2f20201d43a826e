// The property bar's list of property objects: its own deep copies, one kind at a time, and what adding,
// replacing and clearing keep.
#include <gtest/gtest.h>

#include <memory>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "property/CPropertyBar.h"
#include "property/FeaturePropertyBase.h"
#include "property/ShapeFeaturePropertyBase.h"

using QZ2Command::FeaturePropertyBase;
using QZ2Command::ShapeFeaturePropertyBase;

namespace {

class LayerProperty : public FeaturePropertyBase
{
public:
    LayerProperty(Draw2dDocument* pDoc, long nLayerID) : FeaturePropertyBase(kindLayer, pDoc, nLayerID) {}
    FeaturePropertyBase* Clone() const override { return new LayerProperty(*this); }
};

class PropertyBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.InitDocument();
        for (int i = 0; i < 3; ++i) {
            Line2dFeature line(RuVaPnt2d(0, i), RuVaPnt2d(10, i));
            ids[i] = doc.AddFeature(&line, doc.GetActiveDrawingFeature(), 1);
        }
    }
    FeaturePropertyBase* Shape(int i) { return ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, ids[i], -1); }
    std::vector<long> Shown() const
    {
        std::vector<long> shown;
        for (int i = 0; i < bar.GetFeaturePropertyCount(); ++i)
            shown.push_back(bar.GetFeatureProperty(i)->GetTargetID());
        return shown;
    }

    Draw2dDocument doc;
    long ids[3] = {};
    CPropertyBar bar;
};

}  // namespace

TEST_F(PropertyBarTest, ShapePropertiesExistOnlyForStoredShapes)
{
    std::unique_ptr<FeaturePropertyBase> pShape(Shape(0));
    ASSERT_NE(pShape, nullptr);
    EXPECT_EQ(pShape->GetKind(), 1u);
    EXPECT_EQ(pShape->GetTargetID(), ids[0]);
    EXPECT_EQ(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, 0, -1), nullptr);
    EXPECT_EQ(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, -5, -1), nullptr);
    EXPECT_EQ(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, ids[2] + 100, -1), nullptr);
    EXPECT_EQ(ShapeFeaturePropertyBase::CreateFeatureProperty(nullptr, ids[0], -1), nullptr);
    ASSERT_TRUE(doc.DeleteFeature(ids[1], 1));
    EXPECT_EQ(Shape(1), nullptr);
    // A clone is a copy of its own.
    std::unique_ptr<FeaturePropertyBase> pCopy(pShape->Clone());
    EXPECT_NE(pCopy.get(), pShape.get());
    EXPECT_TRUE(pCopy->IsSameTarget(*pShape));
    EXPECT_TRUE(pCopy->IsKindOf(RUNTIME_CLASS(ShapeFeaturePropertyBase)));
}

TEST_F(PropertyBarTest, TheBarKeepsCopiesOfOneKind)
{
    CArray<FeaturePropertyBase*> objects;
    EXPECT_FALSE(bar.SetFeatureProperties(objects, FALSE, TRUE));
    objects.Add(Shape(0));
    objects.Add(Shape(1));
    ASSERT_TRUE(bar.SetFeatureProperties(objects, FALSE, TRUE));
    // The caller's objects go; the bar's copies stay.
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        EXPECT_NE(bar.GetFeatureProperty(static_cast<int>(i)), objects[i]);
        delete objects[i];
    }
    objects.RemoveAll();
    EXPECT_EQ(bar.GetShownKind(), 1u);
    EXPECT_EQ(Shown(), (std::vector<long>{ids[0], ids[1]}));

    // Mixed kinds are refused and change nothing.
    LayerProperty layer(&doc, 7);
    std::unique_ptr<FeaturePropertyBase> pShape(Shape(2));
    objects.Add(pShape.get());
    objects.Add(&layer);
    EXPECT_FALSE(bar.SetFeatureProperties(objects, TRUE, TRUE));
    EXPECT_EQ(Shown(), (std::vector<long>{ids[0], ids[1]}));

    // Added to the same kind; another kind replaces.
    objects.RemoveAll();
    objects.Add(pShape.get());
    ASSERT_TRUE(bar.SetFeatureProperties(objects, TRUE, TRUE));
    EXPECT_EQ(Shown(), (std::vector<long>{ids[0], ids[1], ids[2]}));
    objects.RemoveAll();
    objects.Add(&layer);
    ASSERT_TRUE(bar.SetFeatureProperties(objects, TRUE, TRUE));
    EXPECT_EQ(bar.GetShownKind(), 2u);
    EXPECT_EQ(Shown(), (std::vector<long>{7}));

    // Clearing another kind keeps them; their own kind goes.
    EXPECT_FALSE(bar.ClearFeatureProperties(1));
    EXPECT_EQ(bar.GetFeaturePropertyCount(), 1);
    EXPECT_TRUE(bar.ClearFeatureProperties(2));
    EXPECT_EQ(bar.GetShownKind(), 0u);
    EXPECT_EQ(bar.GetFeaturePropertyCount(), 0);
}

TEST_F(PropertyBarTest, OneObjectAtATime)
{
    std::unique_ptr<FeaturePropertyBase> a(Shape(0)), b(Shape(1));
    ASSERT_TRUE(bar.SetFeatureProperty(a.get(), FALSE));
    // The same target again without adding: left as it is.
    std::unique_ptr<FeaturePropertyBase> again(Shape(0));
    EXPECT_FALSE(bar.SetFeatureProperty(again.get(), FALSE));
    EXPECT_EQ(Shown(), (std::vector<long>{ids[0]}));
    ASSERT_TRUE(bar.SetFeatureProperty(b.get(), TRUE));
    EXPECT_EQ(Shown(), (std::vector<long>{ids[0], ids[1]}));
    ASSERT_TRUE(bar.SetFeatureProperty(a.get(), FALSE));
    EXPECT_EQ(Shown(), (std::vector<long>{ids[0]}));
    EXPECT_TRUE(bar.SetFeatureProperty(nullptr, FALSE));
    EXPECT_EQ(bar.GetShownKind(), 0u);
    EXPECT_EQ(bar.GetFeatureProperty(0), nullptr);
}

TEST_F(PropertyBarTest, ObjectsThatWentAwayLeaveTheBar)
{
    const long nLayer = doc.AddLayer(u"Gone", -1);
    ASSERT_GT(nLayer, 0);
    LayerProperty layer(&doc, nLayer);
    ASSERT_TRUE(bar.SetFeatureProperty(&layer, FALSE));

    // A record of another document, or of a layer that is still there, changes nothing.
    Draw2dDocument other;
    other.InitDocument();
    NotifyInfoBase elsewhere(&other, NotifyInfoBase::kindLayer, 3);
    bar.OnDocumentNotify(&elsewhere);
    NotifyInfoBase renamed(&doc, NotifyInfoBase::kindLayer, 9);
    bar.OnDocumentNotify(&renamed);
    EXPECT_EQ(Shown(), (std::vector<long>{nLayer}));

    ASSERT_TRUE(doc.DeleteLayer(nLayer, 1));
    NotifyInfoBase removed(&doc, NotifyInfoBase::kindLayer, 3);
    bar.OnDocumentNotify(&removed);
    EXPECT_EQ(bar.GetShownKind(), 0u);
    EXPECT_EQ(bar.GetFeaturePropertyCount(), 0);

    // A new current document empties the bar.
    std::unique_ptr<FeaturePropertyBase> pShape(Shape(0));
    ASSERT_TRUE(bar.SetFeatureProperty(pShape.get(), FALSE));
    NotifyInfoBase current(&other, NotifyInfoBase::kindDocument, 1);
    bar.OnDocumentNotify(&current);
    EXPECT_EQ(bar.GetFeaturePropertyCount(), 0);
}
