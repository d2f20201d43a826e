// Copies: the flags of Copy and CopyObject, deep copies of owned attributes, lists and record information.

#include <gtest/gtest.h>

#include "FeatureTestSupport.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/FeatureRecordInfo.h"
#include "libs/vevure/Line2dFeature.h"

using namespace feature_test;

namespace {

FeatureAttribute MakeAttribute(const char16_t* value)
{
    FeatureAttribute attr;
    attr.AddAttribute(CString(u"Key"), CString(value));
    return attr;
}

Circle2dFeature MakeCircle()
{
    Circle2dFeature c(RuVaPnt2d(1, 2), 3.0);
    c.SetFeatureNo(9);
    c.SetRecordID(77);
    c.SetColorNo(-1);
    c.SetColor(0x0000FF00);
    c.SetLineTypeNo(4);
    c.SetLineWidthNo(-1);
    c.SetLineWidth(0.7);
    c.SetLayerID(12);
    c.SetAttribute(MakeAttribute(u"original"));
    return c;
}

}  // namespace

TEST(FeatureCopy, FlagsChooseCommonFieldsGeometryAndAttributes)
{
    const Circle2dFeature source = MakeCircle();
    struct Case {
        WORD flags;
        bool base, geometry, attributes;
    } cases[] = {{0, false, false, false}, {1, true, false, false}, {2, false, true, false},
                 {4, false, false, true},  {3, true, true, false},  {0xFFFF, true, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        Circle2dFeature target(RuVaPnt2d(-5, -5), 0.5);
        target.Copy(&source, c.flags);
        EXPECT_EQ(target.GetRecordID() == 77 && target.GetFeatureNo() == 9 && target.GetColor() == 0x0000FF00 &&
                      target.GetColorNo() == -1 && target.GetLineTypeNo() == 4 && target.GetLineWidthNo() == -1 &&
                      target.GetLineWidth() == 0.7 && target.GetLayerID() == 12,
                  c.base);
        EXPECT_EQ(target.GetRadius() == 3.0 && target.GetCenterPoint() == RuVaPnt2d(1, 2), c.geometry);
        EXPECT_EQ(target.GetAttribute() != nullptr, c.attributes);
        EXPECT_EQ(target.GetFeatureType(), FeatureTypeCircle);

        const FeaturePtr copy(source.CopyObject(c.flags));
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->GetFeatureType(), FeatureTypeCircle);
        EXPECT_EQ(copy->GetRecordID() == 77, c.base);
        EXPECT_EQ(copy->GetAttribute() != nullptr, c.attributes);
    }
}

TEST(FeatureCopy, CopyBaseLeavesTypeAndAttributes)
{
    const Circle2dFeature source = MakeCircle();
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    line.SetAttribute(MakeAttribute(u"line's own"));
    line.CopyBase(&source);
    EXPECT_EQ(line.GetFeatureType(), FeatureTypeLine);
    EXPECT_EQ(line.GetLayerID(), 12);
    EXPECT_EQ(line.GetAttribute()->GetAttributeValue(0), CString(u"line's own"));
    // Geometry of another kind is not taken.
    line.Copy(&source, Feature2dBase::copyGeometry);
    EXPECT_EQ(line.GetEndPoint(), RuVaPnt2d(1, 0));
}

TEST(FeatureCopy, CopiesNeverShareAttributes)
{
    const Circle2dFeature source = MakeCircle();
    const FeaturePtr byCopyObject(source.CopyObject());
    Circle2dFeature byConstructor(source);
    Circle2dFeature byAssignment;
    byAssignment = source;
    for (Feature2dBase* copy : {byCopyObject.get(), static_cast<Feature2dBase*>(&byConstructor),
                                static_cast<Feature2dBase*>(&byAssignment)}) {
        ASSERT_NE(copy->GetAttribute(), nullptr);
        EXPECT_NE(copy->GetAttribute(), source.GetAttribute());
        copy->GetAttribute()->SetAttributeValue(CString(u"Key"), CString(u"changed"));
        EXPECT_EQ(source.GetAttribute()->GetAttributeValue(0), CString(u"original"));
    }
    // Assigning a shape without attributes drops them; self-assignment keeps them.
    Circle2dFeature plain(RuVaPnt2d(0, 0), 1.0);
    byAssignment = plain;
    EXPECT_EQ(byAssignment.GetAttribute(), nullptr);
    byConstructor = *&byConstructor;
    EXPECT_NE(byConstructor.GetAttribute(), nullptr);
    // Copying attributes from itself is harmless.
    byConstructor.CopyAttribute(&byConstructor);
    byConstructor.SetAttribute(*byConstructor.GetAttribute());
    EXPECT_EQ(byConstructor.GetAttribute()->GetAttributeCount(), 1);
}

TEST(FeatureCopy, ComponentAttributesAreOwnedToo)
{
    DrawComponent2dFeature source;
    source.SetDrawComponentAttribute(MakeAttribute(u"a"));
    DrawComponent2dFeature copy(source);
    DrawComponent2dFeature assigned;
    assigned = source;
    const FeaturePtr copied(source.CopyObject());
    auto* c3 = static_cast<DrawComponent2dFeature*>(copied.get());
    for (DrawComponent2dFeature* c : {&copy, &assigned, c3}) {
        ASSERT_NE(c->GetDrawComponentAttribute(), nullptr);
        EXPECT_NE(c->GetDrawComponentAttribute(), source.GetDrawComponentAttribute());
        EXPECT_TRUE(c->IsEqual(&source));
    }
}

TEST(FeatureCopy, EllipsesTakeCirclesAndArcsButNothingElse)
{
    Circle2dFeature circle(RuVaPnt2d(1, 1), 4.0);
    Arc2dFeature arc(RuVaPnt2d(2, 2), 3.0, 10.0, 100.0, 1);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));

    Ellipse2dFeature ellipse(RuVaPnt2d(9, 9), 5.0, 2.0, 30.0);
    ellipse.Copy(&circle, Feature2dBase::copyGeometry);
    EXPECT_EQ(ellipse.GetCenterPoint(), RuVaPnt2d(1, 1));
    EXPECT_EQ(ellipse.GetMajorRadius(), 4.0);
    EXPECT_EQ(ellipse.GetMinorRadius(), 4.0);
    EXPECT_EQ(ellipse.GetAngle(), 0.0);
    ellipse.Copy(&line, Feature2dBase::copyGeometry);
    EXPECT_EQ(ellipse.GetMajorRadius(), 4.0);

    EllipseArc2dFeature earc(RuVaPnt2d(9, 9), 5.0, 2.0, 30.0, 0.0, 45.0, 0);
    earc.Copy(&circle, Feature2dBase::copyGeometry);  // a circle gives nothing
    EXPECT_EQ(earc.GetCenterPoint(), RuVaPnt2d(9, 9));
    EXPECT_EQ(earc.GetMajorRadius(), 5.0);
    earc.Copy(&arc, Feature2dBase::copyGeometry);
    EXPECT_EQ(earc.GetCenterPoint(), RuVaPnt2d(2, 2));
    EXPECT_EQ(earc.GetMajorRadius(), 3.0);
    EXPECT_EQ(earc.GetMinorRadius(), 3.0);
    EXPECT_EQ(earc.GetAngle(), 0.0);
    EXPECT_EQ(earc.GetDirection(), 1);
    EXPECT_EQ(earc.GetStartAngle(), 10.0);
    EXPECT_EQ(earc.GetEndAngle(), 100.0);
}

TEST(FeatureCopy, ListsOwnTheirShapes)
{
    Feature2dList list;
    EXPECT_EQ(list.AddFeature(static_cast<Feature2dBase*>(nullptr), 0), -1);
    EXPECT_EQ(list.AddFeature(static_cast<const Feature2dBase*>(nullptr)), -1);
    auto* owned = new Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    EXPECT_EQ(list.AddFeature(owned, 0), 0);
    EXPECT_EQ(list.GetFeature(0), owned);  // taken over
    Circle2dFeature circle = MakeCircle();
    EXPECT_EQ(list.AddFeature(&circle, 1), 1);
    EXPECT_NE(list.GetFeature(1), &circle);  // a copy
    EXPECT_TRUE(list.GetFeature(1)->IsEqual(&circle));

    Feature2dList copy(list);
    ASSERT_EQ(copy.GetFeatureSize(), 2);
    EXPECT_NE(copy.GetFeature(0), list.GetFeature(0));
    EXPECT_NE(copy.GetFeature(1)->GetAttribute(), list.GetFeature(1)->GetAttribute());

    copy.SetFeature(0, &circle);
    EXPECT_EQ(copy.GetFeature(0)->GetFeatureType(), FeatureTypeCircle);
    copy.SetFeature(0, copy.GetFeature(0));  // itself: unchanged, not freed
    EXPECT_EQ(copy.GetFeature(0)->GetFeatureType(), FeatureTypeCircle);
    copy.RemoveFeature(0);
    EXPECT_EQ(copy.GetFeatureSize(), 1);
    FeaturePtr detached(copy.DetachFeature(0));
    EXPECT_EQ(copy.GetFeatureSize(), 0);

    Feature2dList other;
    other.AddFeature(&circle, 1);
    list.Append(other);
    EXPECT_EQ(list.GetFeatureSize(), 3);
    EXPECT_EQ(other.GetFeatureSize(), 0);
    list = list;
    EXPECT_EQ(list.GetFeatureSize(), 3);
}

TEST(FeatureCopy, RecordInfoCopiesItsOwnData)
{
    FeatureRecordInfo info(3, 4, 5, 6);
    EXPECT_EQ(info.GetDrawingFeatureID(), 3);
    EXPECT_TRUE(info.GetBox().IsVoid());
    EXPECT_EQ(info.GetPoints(), nullptr);
    info.SetPoints(KcArrayOfGePnt2d{RuVaPnt2d(1, 1), RuVaPnt2d(2, 2)});
    auto* pieces = new Feature2dList;
    pieces->AddFeature(new Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)), 0);
    info.SetResolveData(pieces, new std::vector<RuVaBndBox2d>(1, RuVaBndBox2d(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1))),
                        new std::vector<KcArrayOfGePnt2d>(1));
    info.SetDelete(5);
    EXPECT_TRUE(info.IsDeleted());
    EXPECT_EQ(info.IsDeleted(), 1);

    FeatureRecordInfo copy(info);
    FeatureRecordInfo assigned;
    assigned = info;
    for (FeatureRecordInfo* c : {&copy, &assigned}) {
        EXPECT_TRUE(*c == info);
        EXPECT_NE(c->GetPoints(), info.GetPoints());
        EXPECT_NE(c->GetResolveFeatureList(), info.GetResolveFeatureList());
        EXPECT_NE(c->GetResolveBoxList(), info.GetResolveBoxList());
        EXPECT_NE(c->GetResolvePointsList(), info.GetResolvePointsList());
    }
    copy.ClearResolveData();
    copy.SetPoints(KcArrayOfGePnt2d());
    EXPECT_EQ(copy.GetPoints(), nullptr);
    EXPECT_FALSE(copy == info);
    KcArrayOfGePnt2d out{RuVaPnt2d(9, 9)};
    copy.GetPoints(out);
    EXPECT_TRUE(out.IsEmpty());
    info = info;
    EXPECT_NE(info.GetResolveFeatureList(), nullptr);
}

TEST(FeatureCopy, RecordsCompareOrderAndHash)
{
    EXPECT_EQ(FeatureRecord().GetRecordID(), -1);
    EXPECT_EQ(FeatureRecord().GetLayoutID(), -1);
    EXPECT_TRUE(FeatureRecord(5, 2) == FeatureRecord(5, 2));
    EXPECT_TRUE(FeatureRecord(5, 2) != FeatureRecord(5, 3));
    EXPECT_TRUE(FeatureRecord(4, 9) < FeatureRecord(5, 0));
    EXPECT_EQ(FeatureRecord(32, 48).Hash(), 2u + 3u);

    const FeatureLayout none;
    EXPECT_EQ(none.GetRecordID(), -1);
    EXPECT_EQ(none.GetField(), -1);
    EXPECT_EQ(none.GetLayoutID(), -1);
    const FeatureLayout a(7, 3, 11);  // record, layout, then the int field
    EXPECT_EQ(a.GetLayoutID(), 3);
    EXPECT_EQ(a.GetField(), 11);
    EXPECT_FALSE(a == FeatureLayout(7, 3, 12));
    EXPECT_TRUE(a == FeatureLayout(7, 3, 11));
    // The int field takes no part in the order.
    EXPECT_FALSE(a < FeatureLayout(7, 3, 99));
    EXPECT_FALSE(FeatureLayout(7, 3, 99) < a);
    EXPECT_TRUE(a < FeatureLayout(7, 4, 0));
}
