// The rows of texts, leaders, balloons, hatches, images, embedded objects, groups, components and tolerance
// frames: which rows each kind offers, which values are taken (and whether that is an undo step), the
// read-only rows, the choosers that are no change of the document, and the style rows.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/ImageSettingParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/SettingParameterItem.h"
#include "command/TextParameterItem.h"
#include "command/ToleranceParameterItem.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/Tolerance2dFeature.h"
#include "libs/vevure/UserDefinedHatchFormat.h"
#include "property/Lead2dFeatureProperty.h"
#include "property/ShapeFeaturePropertyBase.h"
#include "tests/property/PropertyTestDocument.h"

using QZ2Command::FeaturePropertyBase;
using QZ2Command::ParameterItemBase;
using QZ2Command::ShapeFeaturePropertyBase;

namespace {

std::unique_ptr<ParameterItemBase> Number(int nType, double v)
{
    std::unique_ptr<ParameterItemBase> p(ParameterItemBase::CreateItem(nType));
    static_cast<QZ2Command::DoubleParameterItem*>(p.get())->SetValue(v);
    return p;
}
std::unique_ptr<ParameterItemBase> Point(double x, double y)
{
    auto* p = new QZ2Command::PointParameterItem;
    p->SetValue(RuVaPnt2d(x, y));
    return std::unique_ptr<ParameterItemBase>(p);
}
std::unique_ptr<ParameterItemBase> Choice(int n)
{
    auto* p = new QZ2Command::ListParameterItem;
    p->SetValue(n);
    return std::unique_ptr<ParameterItemBase>(p);
}
std::unique_ptr<ParameterItemBase> Text(const char16_t* text)
{
    auto* p = new QZ2Command::TextParameterItem;
    p->SetValue(CString(text));
    return std::unique_ptr<ParameterItemBase>(p);
}
std::unique_ptr<ParameterItemBase> Scale(double x, double y)
{
    auto* p = new QZ2Command::ScaleParameterItem;
    p->SetValue(x, y);
    return std::unique_ptr<ParameterItemBase>(p);
}
std::unique_ptr<ParameterItemBase> Frame(const char16_t* text)
{
    auto* p = new QZ2Command::ToleranceParameterItem;
    p->SetValue(CString(text));
    return std::unique_ptr<ParameterItemBase>(p);
}

Region2dFeature Square(double x, double y, double size)
{
    Region2dFeature region;
    KcArrayOfGePnt2d pts{RuVaPnt2d(x, y), RuVaPnt2d(x + size, y), RuVaPnt2d(x + size, y + size),
                         RuVaPnt2d(x, y + size), RuVaPnt2d(x, y)};
    Polyline2dFeature outline(pts);
    region.AddFeature(&outline);
    return region;
}

class AnnotationPropertyTest : public kctest::PropertyTestDocument
{
protected:
    std::unique_ptr<FeaturePropertyBase> Object(long id)
    {
        std::unique_ptr<FeaturePropertyBase> p(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, id, -1));
        if (p)
            p->ResetDescriptors();
        return p;
    }
    // Applies in one bracket; whether it was taken and how many steps it recorded.
    std::pair<bool, int> Apply(FeaturePropertyBase& object, WORD wId, ParameterItemBase* pItem)
    {
        const int nUndo = doc.GetUndoCount();
        doc.BeginUndoOperation(nullptr);
        const BOOL bTaken = object.ApplyPropertyItem(wId, pItem);
        doc.EndUndoOperation();
        return {bTaken != FALSE, doc.GetUndoCount() - nUndo};
    }
    bool Editable(FeaturePropertyBase& object, WORD wId)
    {
        std::unique_ptr<ParameterItemBase> p = Read(object, wId);
        return p && p->m_bRequired;
    }

    long AddText(const char16_t* text, double height)
    {
        Text2dFeature shape;
        shape.SetText(CString(text));
        shape.SetPoint(RuVaPnt2d(1, 2));
        shape.SetHeight(height);
        return Add(shape);
    }
    long AddLead()
    {
        Lead2dFeature lead;
        lead.SetText(CString(u"See note"));
        KcArrayOfGePnt2d points{RuVaPnt2d(0, 0), RuVaPnt2d(5, 5), RuVaPnt2d(9, 5)};
        lead.SetPointArray(points);
        lead.SetTextPoint(RuVaPnt2d(10, 6));
        return Add(lead);
    }
    long AddHatch(int nType)
    {
        Hatch2dFeature hatch;
        hatch.SetOuterRegion(Square(0, 0, 20));
        hatch.SetHatchType(nType);
        hatch.SetPoint(RuVaPnt2d(1, 1));
        if (nType == Hatch2dFeature::UserDefined)
            hatch.GetUserDefinedHatchFormat().SetPatternScale(0.5);
        return Add(hatch);
    }
    long AddImage()
    {
        Image2dFeature image;
        image.SetPoint(RuVaPnt2d(3, 4));
        image.SetWidth(40.0);
        image.SetHeight(30.0);
        return Add(image);
    }
};

}  // namespace

TEST_F(AnnotationPropertyTest, EachKindOffersItsRowsAfterTheCommonOnes)
{
    const long text = AddText(u"Note", 3.5);
    const long lead = AddLead();
    const long hatch = AddHatch(Hatch2dFeature::Solid);
    const long image = AddImage();
    const long tolerance = Add(Tolerance2dFeature(CString(u"A\\|0.05"), RuVaPnt2d(3, 3)));
    DrawGroup2dFeature group;
    Line2dFeature member(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1));
    Circle2dFeature member2(RuVaPnt2d(2, 2), 1.0);
    group.AddFeature(&member, 1);
    group.AddFeature(&member2, 1);
    const long groupId = Add(group);

    const struct {
        long id;
        std::vector<WORD> ids;
        const char* what;
    } cases[] = {
        {text, {1, 2, 3, 4, 5, 30, 31, 32, 33}, "text"},
        {lead, {1, 2, 3, 4, 5, 7, 34, 35, 36, 37, 38, 39, 40}, "leader"},
        {hatch, {1, 2, 3, 4, 46, 47, 48, 49}, "hatch"},
        {image, {1, 2, 3, 4, 73, 74, 75, 76, 77, 78}, "image"},
        {tolerance, {1, 2, 3, 4, 5, 6, 7, 117, 118, 119}, "tolerance"},
        {groupId, {1, 2, 3, 4, 84}, "a group shows only the common rows and its shape count"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<FeaturePropertyBase> p = Object(c.id);
        ASSERT_TRUE(p) << c.what;
        EXPECT_EQ(Ids(*p), c.ids) << c.what;
    }
    std::unique_ptr<FeaturePropertyBase> p = Object(groupId);
    auto count = Read(*p, 84);
    ASSERT_TRUE(count);
    EXPECT_EQ(static_cast<QZ2Command::IntegerParameterItem*>(count.get())->m_nValue, 2);
    EXPECT_FALSE(count->m_bRequired);
    EXPECT_EQ(Apply(*p, 84, count.get()), std::make_pair(false, 0));
}

TEST_F(AnnotationPropertyTest, ValuesTakenAndRefused)
{
    const long text = AddText(u"Note", 3.5);
    const long image = AddImage();
    const long tolerance = Add(Tolerance2dFeature(CString(u"A\\|0.05"), RuVaPnt2d(3, 3)));
    Balloon2dFeature balloon;
    balloon.SetText(CString(u"12"));
    KcArrayOfGePnt2d balloonPoints{RuVaPnt2d(1, 1), RuVaPnt2d(4, 4)};
    balloon.SetLeadPointArray(balloonPoints);
    const long balloonId = Add(balloon);
    OleObject2dFeature object;
    object.SetPoint(RuVaPnt2d(0, 0));
    object.SetWidth(10.0);
    object.SetHeight(10.0);
    const long objectId = Add(object);

    auto textOf = [&] { return static_cast<Text2dFeature*>(doc.GetFeature(text)); };
    auto imageOf = [&] { return static_cast<Image2dFeature*>(doc.GetFeature(image)); };
    auto frameOf = [&] { return static_cast<Tolerance2dFeature*>(doc.GetFeature(tolerance)); };
    const struct {
        long id;
        WORD wId;
        std::unique_ptr<ParameterItemBase> pItem;
        bool bTaken;
        int nSteps;
        std::function<bool()> holds;
        const char* what;
    } cases[] = {
        {text, 30, Text(u""), false, 0, [&] { return textOf()->GetText() == CString(u"Note"); }, "empty text"},
        {text, 30, Text(u"Note"), true, 0, [] { return true; }, "the same text"},
        {text, 30, Text(u"Longer note"), true, 1, [&] { return textOf()->GetText() == CString(u"Longer note"); },
         "a new text"},
        {text, 31, Point(5, 6), true, 1, [&] { return textOf()->GetPoint().IsEqual(RuVaPnt2d(5, 6), 0.0); },
         "text position"},
        {text, 32, Number(ParameterItemBase::typeAngle, 30.0), true, 1, [&] { return textOf()->GetAngle() == 30.0; },
         "text angle"},
        {image, 75, Number(ParameterItemBase::typeLength, 0.0), false, 0, [&] { return imageOf()->GetWidth() == 40.0; },
         "image width 0"},
        {image, 76, Number(ParameterItemBase::typeLength, 12.0), true, 1,
         [&] { return imageOf()->GetHeight() == 12.0; }, "image height 12"},
        {image, 77, Number(ParameterItemBase::typeAngle, -90.0), true, 1,
         [&] { return imageOf()->GetAngle() == RuVa::CorrectAngle(-90.0); }, "image angle -90 normalised"},
        {image, 74, Choice(9), false, 0, [&] { return imageOf()->GetAlignment() == 0; }, "placement 9"},
        {image, 74, Choice(8), true, 1, [&] { return imageOf()->GetAlignment() == 8; }, "placement 8"},
        {objectId, 80, Number(ParameterItemBase::typeLength, -1.0), false, 0, [] { return true; }, "object width -1"},
        {objectId, 81, Number(ParameterItemBase::typeLength, 25.0), true, 1,
         [&] { return static_cast<OleObject2dFeature*>(doc.GetFeature(objectId))->GetHeight() == 25.0; },
         "object height 25"},
        {balloonId, 42, std::make_unique<QZ2Command::IntegerParameterItem>(), false, 0, [] { return true; },
         "the lead-point count is read-only"},
        {balloonId, 41, Text(u"7"), true, 1,
         [&] { return static_cast<Balloon2dFeature*>(doc.GetFeature(balloonId))->GetText() == CString(u"7"); },
         "balloon text"},
        {tolerance, 117, Frame(u""), false, 0, [&] { return frameOf()->GetText() == CString(u"A\\|0.05"); },
         "an empty frame text"},
        {tolerance, 117, Frame(u"B\\|0.1"), true, 1, [&] { return frameOf()->GetText() == CString(u"B\\|0.1"); },
         "a new frame text"},
        {tolerance, 118, Point(8, 9), true, 1,
         [&] { return frameOf()->GetToleranceLocatePoint().IsEqual(RuVaPnt2d(8, 9), 0.0); }, "locate point"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<FeaturePropertyBase> p = Object(c.id);
        ASSERT_TRUE(p) << c.what;
        ASSERT_GE(p->FindDescriptor(c.wId), 0) << c.what;
        if (c.wId == 42)
            static_cast<QZ2Command::IntegerParameterItem*>(c.pItem.get())->SetValue(5);
        const auto [bTaken, nSteps] = Apply(*p, c.wId, c.pItem.get());
        EXPECT_EQ(bTaken, c.bTaken) << c.what;
        EXPECT_EQ(nSteps, c.nSteps) << c.what;
        EXPECT_TRUE(c.holds()) << c.what;
    }
    // The text row opens the text dialog; the frame row carries the document for the tolerance dialog.
    std::unique_ptr<FeaturePropertyBase> p = Object(text);
    auto row = Read(*p, 30);
    ASSERT_TRUE(row);
    EXPECT_TRUE(static_cast<QZ2Command::TextParameterItem*>(row.get())->m_bEditInDialog);
    EXPECT_FALSE(static_cast<QZ2Command::TextParameterItem*>(row.get())->m_bAcceptEmptyText);
    std::unique_ptr<FeaturePropertyBase> frame = Object(tolerance);
    auto frameRow = Read(*frame, 117);
    ASSERT_TRUE(frameRow);
    EXPECT_EQ(static_cast<QZ2Command::ToleranceParameterItem*>(frameRow.get())->m_pDocument, &doc);
}

TEST_F(AnnotationPropertyTest, TheLeaderRebuildsAfterEachChangeAndItsChooserIsNoStep)
{
    const long id = AddLead();
    std::unique_ptr<FeaturePropertyBase> p = Object(id);
    ASSERT_TRUE(p);
    auto lead = [&] { return static_cast<Lead2dFeature*>(doc.GetFeature(id)); };

    // The dialog may hand back an empty text; the leader keeps its own.
    auto textRow = Read(*p, 34);
    ASSERT_TRUE(textRow);
    EXPECT_TRUE(static_cast<QZ2Command::TextParameterItem*>(textRow.get())->m_bAcceptEmptyText);
    EXPECT_EQ(Apply(*p, 34, Text(u"").get()), std::make_pair(false, 0));
    EXPECT_EQ(lead()->GetText(), CString(u"See note"));

    EXPECT_EQ(Apply(*p, 36, Choice(2).get()), std::make_pair(true, 0));
    EXPECT_EQ(Apply(*p, 36, Choice(3).get()), std::make_pair(false, 0));
    EXPECT_EQ(Apply(*p, 37, Point(12, 8).get()), std::make_pair(true, 1));
    EXPECT_TRUE(lead()->GetPoint(2).IsEqual(RuVaPnt2d(12, 8), 0.0));
    EXPECT_TRUE(lead()->GetPoint(1).IsEqual(RuVaPnt2d(5, 5), 0.0));

    // The text point is fixed to the end until the mode makes it free.
    EXPECT_FALSE(Editable(*p, 39));
    EXPECT_EQ(Apply(*p, 39, Point(20, 20).get()), std::make_pair(false, 0));
    EXPECT_EQ(Apply(*p, 38, Choice(1).get()), std::make_pair(true, 1));
    EXPECT_TRUE(lead()->IsTextPointFree());
    EXPECT_TRUE(Editable(*p, 39));
    EXPECT_EQ(Apply(*p, 39, Point(20, 20).get()), std::make_pair(true, 1));
    EXPECT_TRUE(lead()->GetTextPoint().IsEqual(RuVaPnt2d(20, 20), 0.0));

    // A leader that lost points after the choice shows its last one; the clone keeps the choice.
    std::unique_ptr<FeaturePropertyBase> clone(p->Clone());
    ASSERT_TRUE(clone);
    EXPECT_EQ(static_cast<QZ2Command::Lead2dFeatureProperty*>(clone.get())->GetCurrentIndex(), 2);
    Lead2dFeature shorter(*lead());
    KcArrayOfGePnt2d two{RuVaPnt2d(0, 0), RuVaPnt2d(5, 5)};
    shorter.SetPointArray(two);
    doc.BeginUndoOperation(nullptr);
    doc.UpdateFeature(id, &shorter, 1, 3);
    doc.EndUndoOperation();
    EXPECT_EQ(static_cast<QZ2Command::Lead2dFeatureProperty*>(p.get())->GetCurrentIndex(), 1);
}

TEST_F(AnnotationPropertyTest, OnlyAUserDefinedPatternHasItsOwnBasePointScaleAndAngle)
{
    const long solid = AddHatch(Hatch2dFeature::Solid);
    const long user = AddHatch(Hatch2dFeature::UserDefined);

    std::unique_ptr<FeaturePropertyBase> p = Object(solid);
    ASSERT_TRUE(p);
    for (WORD wId : {46, 47, 48})
        EXPECT_FALSE(Editable(*p, wId)) << wId;
    auto scale = Read(*p, 47);
    auto angle = Read(*p, 48);
    double v = -1;
    ASSERT_TRUE(scale && angle);
    static_cast<QZ2Command::DoubleParameterItem*>(scale.get())->GetValue(v);
    EXPECT_EQ(v, 1.0);
    static_cast<QZ2Command::DoubleParameterItem*>(angle.get())->GetValue(v);
    EXPECT_EQ(v, 0.0);
    EXPECT_EQ(Apply(*p, 47, Number(ParameterItemBase::typeDouble, 3.0).get()), std::make_pair(false, 0));
    EXPECT_EQ(Apply(*p, 46, Point(4, 4).get()), std::make_pair(false, 0));

    std::unique_ptr<FeaturePropertyBase> q = Object(user);
    ASSERT_TRUE(q);
    EXPECT_TRUE(Editable(*q, 47));
    auto userScale = Read(*q, 47);
    static_cast<QZ2Command::DoubleParameterItem*>(userScale.get())->GetValue(v);
    EXPECT_EQ(v, 0.5);
    EXPECT_EQ(Apply(*q, 47, Number(ParameterItemBase::typeDouble, 3.0).get()), std::make_pair(true, 1));
    EXPECT_EQ(static_cast<Hatch2dFeature*>(doc.GetFeature(user))->GetUserDefinedHatchFormat().GetPatternScale(), 3.0);
    EXPECT_EQ(Apply(*q, 47, Number(ParameterItemBase::typeDouble, 0.0).get()), std::make_pair(false, 0));
    EXPECT_EQ(Apply(*q, 48, Number(ParameterItemBase::typeAngle, 30.0).get()), std::make_pair(true, 1));
    EXPECT_EQ(static_cast<Hatch2dFeature*>(doc.GetFeature(user))->GetUserDefinedHatchFormat().GetPatternAngle(), 30.0);
}

TEST_F(AnnotationPropertyTest, AComponentShowsItsDefinitionAndTakesOriginScaleAndAngle)
{
    DrawComponent2dFeatureDefine definition;
    definition.SetComponentName(CString(u"Bolt M6"));
    const long defId = doc.AddDrawComponentDefine(definition);
    ASSERT_NE(defId, -1);
    Line2dFeature stroke(RuVaPnt2d(0, 0), RuVaPnt2d(5, 0));
    doc.AddFeature(&stroke, doc.GetComponentDefineTable()->GetComponentDefine(defId), 1);
    DrawComponent2dFeature placed;
    placed.SetComponentDefineID(defId);
    placed.SetOrigin(RuVaPnt2d(7, 8));
    const long id = Add(placed);

    std::unique_ptr<FeaturePropertyBase> p = Object(id);
    ASSERT_TRUE(p);
    EXPECT_EQ(Ids(*p), (std::vector<WORD>{1, 2, 3, 4, 85, 86, 87, 88}));
    auto name = Read(*p, 85);
    ASSERT_TRUE(name);
    EXPECT_EQ(static_cast<QZ2Command::TextParameterItem*>(name.get())->m_strText, CString(u"Bolt M6"));
    EXPECT_FALSE(name->m_bRequired);
    EXPECT_EQ(Apply(*p, 85, Text(u"Other").get()), std::make_pair(false, 0));

    auto component = [&] { return static_cast<DrawComponent2dFeature*>(doc.GetFeature(id)); };
    EXPECT_EQ(Apply(*p, 87, Scale(1, 1).get()), std::make_pair(true, 0));
    EXPECT_EQ(Apply(*p, 87, Scale(1, 2).get()), std::make_pair(true, 1));
    double x = 0;
    double y = 0;
    component()->GetScale(x, y);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 2.0);
    EXPECT_EQ(Apply(*p, 86, Point(1, 1).get()), std::make_pair(true, 1));
    EXPECT_TRUE(component()->GetOrigin().IsEqual(RuVaPnt2d(1, 1), 0.0));
    // The data model keeps angles in one turn: 400 degrees is stored as 40.
    EXPECT_EQ(Apply(*p, 88, Number(ParameterItemBase::typeAngle, 400.0).get()), std::make_pair(true, 1));
    EXPECT_NEAR(component()->GetAngle(), 40.0, 1e-9);
}

TEST_F(AnnotationPropertyTest, StyleRowsReadAndWriteTheStyleInOneStep)
{
    const long a = AddText(u"A", 3.5);
    const long b = AddText(u"B", 5.0);
    std::unique_ptr<FeaturePropertyBase> pa = Object(a);
    std::unique_ptr<FeaturePropertyBase> pb = Object(b);
    ASSERT_TRUE(pa && pb);
    auto rowA = Read(*pa, 33);
    auto rowB = Read(*pb, 33);
    ASSERT_TRUE(rowA && rowB);
    auto* settingA = static_cast<QZ2Command::SettingParameterItem*>(rowA.get());
    EXPECT_EQ(settingA->GetContext(), &doc);
    FeatureSettingBase* pStyle = nullptr;
    ASSERT_TRUE(settingA->GetValue(pStyle));
    EXPECT_EQ(static_cast<TextSetting*>(pStyle)->GetHeight(), 3.5);

    // Two texts of different heights: the merged style leaves the height undefined.
    std::unique_ptr<ParameterItemBase> merged(rowA->Clone());
    merged->MergeValue(*rowB);
    FeatureSettingBase* pMerged = nullptr;
    ASSERT_TRUE(static_cast<QZ2Command::SettingParameterItem*>(merged.get())->GetValue(pMerged));
    EXPECT_TRUE(pMerged->HasUndefinedValue());

    // The same style is no step; B's style applied to A is one step and A takes B's height.
    EXPECT_EQ(Apply(*pa, 33, rowA.get()), std::make_pair(true, 0));
    EXPECT_EQ(Apply(*pa, 33, rowB.get()), std::make_pair(true, 1));
    EXPECT_EQ(static_cast<Text2dFeature*>(doc.GetFeature(a))->GetTextSetting().GetHeight(), 5.0);
    doc.Undo(1);
    EXPECT_EQ(static_cast<Text2dFeature*>(doc.GetFeature(a))->GetTextSetting().GetHeight(), 3.5);

    // The image style carries the picture for the colour dialog and is read as stored.
    const long image = AddImage();
    std::unique_ptr<FeaturePropertyBase> pi = Object(image);
    auto imageRow = Read(*pi, 78);
    ASSERT_TRUE(imageRow);
    EXPECT_EQ(static_cast<QZ2Command::ImageSettingParameterItem*>(imageRow.get())->m_pPreviewImage,
              doc.GetFeature(image));
}
