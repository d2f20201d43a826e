// Parameter items: the factory, clone/compare/merge per type code, and each class's own rules.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/ColorParameterItem.h"
#include "command/DoubleParameterItem.h"
#include "command/DrawComponentParameterItem.h"
#include "command/DrawingParameterItem.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureListParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/FilePathParameterItem.h"
#include "command/ImageSettingParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LayerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/LineTypeParameterItem.h"
#include "command/LineWidthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/MultiParameterItem.h"
#include "command/NumericFormat.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/SettingParameterItem.h"
#include "command/TextParameterItem.h"
#include "command/ToleranceParameterItem.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/TextSetting.h"
#include "platform/afx/CDWordArray.h"
#include "tests/command/InvalidArgCheck.h"

using namespace QZ2Command;

namespace {

std::unique_ptr<ParameterItemBase> Make(int code)
{
    return std::unique_ptr<ParameterItemBase>(ParameterItemBase::CreateItem(code));
}

// Gives an item of any type code a value; a second call with other = true gives a different one.
void Fill(ParameterItemBase& item, bool other)
{
    const double d = other ? 2.5 : 1.5;
    switch (item.GetTypeCode()) {
    case 1: case 2: case 3: static_cast<DoubleParameterItem&>(item).SetValue(d); break;
    case 4: static_cast<IntegerParameterItem&>(item).SetValue(other ? 9 : 7); break;
    case 5: static_cast<TextParameterItem&>(item).SetValue(other ? _T("b") : _T("a")); break;
    case 6: static_cast<ListParameterItem&>(item).SetItemsFromText(_T("x|y|z"));
            static_cast<ListParameterItem&>(item).SetValue(other ? 2 : 1); break;
    case 7: static_cast<ScaleParameterItem&>(item).SetValue(d, 2.0); break;
    case 8: static_cast<PointParameterItem&>(item).SetValue(RuVaPnt2d(d, 1)); break;
    case 9: static_cast<PointArrayParameterItem&>(item).AddPoint(RuVaPnt2d(0, 0));
            static_cast<PointArrayParameterItem&>(item).AddPoint(RuVaPnt2d(d, 1)); break;
    case 10: static_cast<FeatureParameterItem&>(item).SetValue(FeatureLayout(other ? 6 : 5, 0, -1), RuVaPnt2d(1, 1)); break;
    case 11: static_cast<FeatureListParameterItem&>(item).ToggleFeature(0, other ? 6 : 5, RuVaPnt2d(1, 1)); break;
    case 12: static_cast<FeatureSequenceListParameterItem&>(item).AddFeature(0, other ? 6 : 5, RuVaPnt2d(1, 1)); break;
    case 13: static_cast<FeatureSequenceParameterItem&>(item).AddFeature(0, other ? 6 : 5, RuVaPnt2d(1, 1)); break;
    case 14: {
        CArray<FeatureLayout> f;
        f.Add(FeatureLayout(other ? 6 : 5, 0, -1));
        static_cast<FeatureGroupParameterItem&>(item).AddGroup(f, 4, nullptr, 0);
        break;
    }
    case 15: static_cast<ColorParameterItem&>(item).m_wNumber = other ? 3 : 2; item.m_bEmpty = FALSE; break;
    case 16: static_cast<LineTypeParameterItem&>(item).m_wNumber = other ? 3 : 2; item.m_bEmpty = FALSE; break;
    case 17: static_cast<LineWidthParameterItem&>(item).SetValue(other ? 3 : 2, 0.25); break;
    case 18: static_cast<LayerParameterItem&>(item).m_nLayerID = other ? 3 : 2; item.m_bEmpty = FALSE; break;
    case 19: {
        static int drawings[2];
        static_cast<DrawingParameterItem&>(item).SetValue(reinterpret_cast<DrawingFeatureBase*>(&drawings[other ? 1 : 0]), nullptr);
        break;
    }
    case 20: case 21: {
        GeneralFeatureSetting s;
        s.SetColorNo(other ? 3 : 2);
        static_cast<SettingParameterItem&>(item).SetValue(&s);
        break;
    }
    case 22: static_cast<DrawComponentParameterItem&>(item).SetValue(other ? 3 : 2); break;
    case 23: static_cast<FilePathParameterItem&>(item).m_strPath = other ? _T("/b") : _T("/a"); item.m_bEmpty = FALSE; break;
    case 24: {
        auto& m = static_cast<MultiParameterItem&>(item);
        m.m_wKindMask = MultiParameterItem::acceptPoint;
        PointParameterItem p;
        p.SetValue(RuVaPnt2d(d, 0));
        m.SetPointFrom(p);
        break;
    }
    case 25: static_cast<ToleranceParameterItem&>(item).SetValue(other ? _T("b") : _T("a")); break;
    default: FAIL() << "no filler for " << item.GetTypeCode();
    }
}

}  // namespace

TEST(ParameterItemFactory, MakesExactlyTheCodes1To25)
{
    EXPECT_EQ(ParameterItemBase::CreateItem(0), nullptr);
    EXPECT_EQ(ParameterItemBase::CreateItem(26), nullptr);
    EXPECT_EQ(ParameterItemBase::CreateItem(-1), nullptr);
    for (int code = 1; code <= 25; ++code) {
        auto item = Make(code);
        ASSERT_NE(item, nullptr) << code;
        EXPECT_EQ(item->GetTypeCode(), code);
        EXPECT_TRUE(item->IsEmpty()) << code;
        EXPECT_TRUE(item->GetRuntimeClass()->IsDerivedFrom(RUNTIME_CLASS(ParameterItemBase)));
    }
    // Length and angle derive from the number item, the image setting from the setting item.
    EXPECT_EQ(Make(2)->GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(DoubleParameterItem));
    EXPECT_EQ(Make(3)->GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(DoubleParameterItem));
    EXPECT_EQ(Make(21)->GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(SettingParameterItem));
    EXPECT_EQ(Make(8)->GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(ParameterItemBase));
}

TEST(ParameterItemFactory, FreshBaseFields)
{
    ParameterItemBase item;
    EXPECT_TRUE(item.IsEmpty());
    EXPECT_TRUE(item.m_bRequired);
    EXPECT_FALSE(item.m_bOptional);
    EXPECT_TRUE(item.m_bAcceptModifier);
    EXPECT_TRUE(item.m_bClearable);
    EXPECT_EQ(item.m_nRetentionMode, 0);
    EXPECT_FALSE(item.m_bHistory);
    EXPECT_TRUE(item.m_bNoDefault);
    EXPECT_EQ(item.m_wBaseItemId, 0xFFFF);
    EXPECT_EQ(item.GetTypeCode(), 0);
    EXPECT_EQ(item.Clone(), nullptr);
    EXPECT_FALSE(item.SetValueFrom(item));
    EXPECT_TRUE(Make(2)->m_bHistory);
    EXPECT_TRUE(Make(3)->m_bHistory);
    EXPECT_TRUE(Make(7)->m_bHistory);
    EXPECT_FALSE(Make(6)->m_bClearable);
}

TEST(ParameterItemFactory, SetIdRefusesNegativeAndKeepsLow16Bits)
{
    TextParameterItem item;
    EXPECT_TRUE(item.SetId(12));
    EXPECT_FALSE(item.SetId(-1));
    EXPECT_EQ(item.GetId(), 12);
    EXPECT_TRUE(item.SetId(65541));
    EXPECT_EQ(item.GetId(), 5);
}

// Every type code: a clone equals its source and carries its id, texts and flags; merging equal
// values keeps them, merging different ones empties a clearable item, emptiness decides first.
TEST(ParameterItemFactory, CloneCompareMergePerTypeCode)
{
    for (int code = 1; code <= 25; ++code) {
        SCOPED_TRACE(code);
        auto a = Make(code);
        Fill(*a, false);
        ASSERT_FALSE(a->IsEmpty());
        a->SetId(77);
        a->m_strCaption = _T("cap");
        a->m_strPrompt = _T("prompt");
        a->m_strGuidance = _T("guide");
        a->m_bOptional = TRUE;
        a->m_nRetentionMode = 2;
        a->m_wBaseItemId = 3;

        std::unique_ptr<ParameterItemBase> clone(a->Clone());
        ASSERT_NE(clone, nullptr);
        EXPECT_EQ(clone->GetRuntimeClass(), a->GetRuntimeClass());
        EXPECT_TRUE(clone->IsEqual(*a));
        EXPECT_TRUE(a->IsEqual(*clone));
        EXPECT_EQ(clone->GetId(), 77);
        EXPECT_EQ(clone->m_strCaption, CString(_T("cap")));
        EXPECT_EQ(clone->m_strPrompt, CString(_T("prompt")));
        EXPECT_EQ(clone->m_strGuidance, CString(_T("guide")));
        EXPECT_TRUE(clone->m_bOptional);
        EXPECT_EQ(clone->m_nRetentionMode, 2);
        EXPECT_EQ(clone->m_wBaseItemId, 3);

        auto empty = Make(code);
        EXPECT_FALSE(a->IsEqual(*empty));
        EXPECT_FALSE(empty->IsEqual(*a));
        EXPECT_TRUE(empty->IsEqual(*Make(code)));

        // Copying an item onto itself changes nothing.
        a->Copy(*a);
        EXPECT_TRUE(a->IsEqual(*clone));

        auto b = Make(code);
        Fill(*b, true);
        const bool settingRow = code == 20 || code == 21;
        if (!settingRow) {
            EXPECT_FALSE(a->IsEqual(*b));
        }

        EXPECT_TRUE(clone->MergeValue(*a));
        EXPECT_FALSE(clone->IsEmpty());
        EXPECT_TRUE(clone->MergeValue(*b));
        if (settingRow) {
            EXPECT_FALSE(clone->IsEmpty());  // settings combine instead
        } else {
            EXPECT_EQ(clone->IsEmpty(), clone->m_bClearable) << "merge of different values";
        }

        // SetValueFrom takes the value (or clears from an empty source).
        auto c = Make(code);
        if (code == 24)
            static_cast<MultiParameterItem&>(*c).m_wKindMask = MultiParameterItem::acceptPoint;
        if (!settingRow) {
            EXPECT_TRUE(c->SetValueFrom(*a));
            EXPECT_TRUE(c->IsEqual(*a));
            if (c->m_bClearable) {
                EXPECT_TRUE(c->SetValueFrom(*Make(code)));
                EXPECT_TRUE(c->IsEmpty());
            }
        } else {
            EXPECT_FALSE(c->SetValueFrom(*a));
        }
    }
}

TEST(NumberItems, DoubleEqualityIsExactButSignless)
{
    LengthParameterItem a, b;
    a.SetValue(1.0);
    b.SetValue(1.0 + 1e-12);
    EXPECT_FALSE(a.IsEqual(b));
    a.SetValue(0.0);
    b.SetValue(-0.0);
    EXPECT_TRUE(a.IsEqual(b));
    a.SetValue(std::numeric_limits<double>::quiet_NaN());
    b.SetValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(a.IsEqual(b));
}

TEST(NumberItems, DefaultsApplyOnlyWhenSet)
{
    DoubleParameterItem d;
    d.ApplyDefault();
    EXPECT_TRUE(d.IsEmpty());
    EXPECT_TRUE(d.SetDefaultValue(4.0));
    EXPECT_FALSE(d.m_bNoDefault);
    EXPECT_TRUE(d.IsEmpty());
    d.ApplyDefault();
    double v = 0;
    ASSERT_TRUE(d.GetValue(v));
    EXPECT_EQ(v, 4.0);
    d.ClearDefault();
    d.Clear();
    d.ApplyDefault();
    EXPECT_TRUE(d.IsEmpty());
    EXPECT_EQ(d.m_dDefault, 4.0);

    IntegerParameterItem i;
    EXPECT_EQ(i.FormatValue(), CString());
    i.SetValue(-7);
    EXPECT_EQ(i.FormatValue(), CString(_T("-7")));
}

TEST(NumberItems, ScaleRange)
{
    struct Case { double x, y; bool ok; } cases[] = {
        {1e-10, 1e-10, true}, {9.9e-11, 1, false}, {1, 1e15, false}, {-2, 0.5, true},
        {0, 1, false}, {1, std::numeric_limits<double>::infinity(), false},
        {std::numeric_limits<double>::quiet_NaN(), 1, false}, {9.99e14, -9.99e14, true},
    };
    for (const Case& c : cases) {
        ScaleParameterItem s;
        s.SetValue(3, 4);
        EXPECT_EQ(s.SetValue(c.x, c.y), c.ok ? TRUE : FALSE) << c.x << " " << c.y;
        double x = 0, y = 0;
        ASSERT_TRUE(s.GetValue(x, y));
        if (!c.ok) {
            EXPECT_EQ(x, 3);
            EXPECT_EQ(y, 4);
        }
        EXPECT_EQ(s.SetDefaultValue(c.x, c.y), c.ok ? TRUE : FALSE);
    }
    ScaleParameterItem fresh;
    EXPECT_FALSE(fresh.SetValue(0, 1));
    EXPECT_TRUE(fresh.IsEmpty());

    ScaleParameterItem target, bad;
    target.SetValue(2, 2);
    bad.m_dValueX = 0;
    bad.m_dValueY = 1;
    bad.m_bEmpty = FALSE;
    EXPECT_FALSE(target.SetValueFrom(bad));
    double x = 0, y = 0;
    target.GetValue(x, y);
    EXPECT_EQ(x, 2);
}

TEST(NumberItems, FormatOverrideAppliesToFormatValueNotDisplayText)
{
    NumericFormat::ResetState();
    LengthParameterItem len;
    len.m_nFormatOverride = 3;
    len.SetValue(12.5);
    CString expo, current;
    NumericFormat::DoubleToString(12.5, expo, 3);
    NumericFormat::DoubleToString(12.5, current);
    EXPECT_EQ(len.FormatValue(), expo);
    EXPECT_EQ(len.GetDisplayText(), current);
    EXPECT_NE(expo, current);

    AngleParameterItem ang;
    EXPECT_EQ(ang.GetDisplayText(), CString());
    ang.SetValue(45.5);
    CString angleText;
    NumericFormat::AngleToString(45.5, angleText);
    EXPECT_EQ(ang.GetDisplayText(), angleText);

    ScaleParameterItem s;
    s.SetValue(0.5, 2);
    CString text;
    s.GetValueText(text);
    EXPECT_EQ(text, CString(_T("0.5, 2")));
}

TEST(PointItems, PointArrayRefusesRepeatedPoints)
{
    PointArrayParameterItem a;
    EXPECT_FALSE(a.RemoveLastPoint());
    EXPECT_TRUE(a.AddPoint(RuVaPnt2d(1, 1 + 5e-8)));
    EXPECT_FALSE(a.AddPoint(RuVaPnt2d(1, 1)));
    EXPECT_EQ(a.GetCount(), 1);
    EXPECT_TRUE(a.AddPoint(RuVaPnt2d(1, 1 + 5e-8 + 2e-7)));
    EXPECT_EQ(a.GetCount(), 2);

    KcArrayOfGePnt2d pts{RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(2, 0), RuVaPnt2d(2, 0)};
    EXPECT_FALSE(a.SetPoints(pts));
    EXPECT_EQ(a.GetCount(), 2);

    EXPECT_TRUE(a.RemoveLastPoint());
    EXPECT_TRUE(a.RemoveLastPoint());
    EXPECT_TRUE(a.IsEmpty());
}

TEST(PointItems, NonClearablePointArrayOffersNoPoints)
{
    PointArrayParameterItem a;
    a.AddPoint(RuVaPnt2d(1, 2));
    a.m_bFinished = TRUE;
    a.m_bClearable = FALSE;
    EXPECT_TRUE(a.Clear());
    EXPECT_FALSE(a.IsEmpty());
    EXPECT_EQ(a.GetCount(), 0);
    EXPECT_FALSE(a.m_bFinished);
    // A caller that trusts GetValue must not be handed a list without points.
    KcArrayOfGePnt2d out;
    EXPECT_FALSE(a.GetValue(out));
    RuVaPnt2d p;
    EXPECT_FALSE(a.GetLastPoint(p));
    EXPECT_FALSE(a.GetPointAt(0, p));
}

TEST(PointItems, MultiAcceptsOnlyItsKinds)
{
    MultiParameterItem m;
    m.m_wKindMask = MultiParameterItem::acceptPoint;
    PointParameterItem p;
    p.SetValue(RuVaPnt2d(1, 2));
    LengthParameterItem len;
    len.SetValue(5);
    EXPECT_TRUE(m.SetValueFrom(p));
    EXPECT_FALSE(m.SetValueFrom(len));
    EXPECT_EQ(m.m_nCurrentKind, 8);
    EXPECT_EQ(m.GetActiveItem(), &m.m_pointItem);
    EXPECT_EQ(m.GetNumberItem(), nullptr);

    m.m_wKindMask = MultiParameterItem::acceptPoint | MultiParameterItem::acceptLength;
    EXPECT_TRUE(m.SetValueFrom(len));
    EXPECT_EQ(m.m_nCurrentKind, 2);
    EXPECT_EQ(m.GetActiveItem(), &m.m_numberItem);

    MultiParameterItem asPoint, asNumber;
    asPoint.m_wKindMask = asNumber.m_wKindMask = 0x1F;
    asPoint.SetValueFrom(p);
    DoubleParameterItem num;
    num.SetValue(1);
    asNumber.SetValueFrom(num);
    asNumber.m_pointItem.SetValue(RuVaPnt2d(1, 2));
    EXPECT_FALSE(asPoint.IsEqual(asNumber));

    // A Multi item from a Multi source takes the source's kind.
    MultiParameterItem copy;
    copy.m_wKindMask = 0x1F;
    EXPECT_TRUE(copy.SetValueFrom(m));
    EXPECT_EQ(copy.m_nCurrentKind, 2);
    TextParameterItem text;
    text.SetValue(_T("x"));
    EXPECT_FALSE(copy.SetValueFrom(text));
}

TEST(PointItems, NonClearableMultiHoldsNothingAfterClear)
{
    MultiParameterItem m;
    m.m_wKindMask = 0x1;
    m.m_bClearable = FALSE;
    PointParameterItem p;
    p.SetValue(RuVaPnt2d(1, 2));
    m.SetPointFrom(p);
    EXPECT_FALSE(m.Clear());
    // Without a kind there is no active item, so the item must not claim a value.
    EXPECT_EQ(m.GetActiveItem(), nullptr);
    EXPECT_TRUE(m.IsEmpty());
}

TEST(TextItems, ListAndText)
{
    ListParameterItem list;
    list.SetItemsFromText(_T("one|two|three"));
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetItemText(3), CString());
    EXPECT_EQ(list.GetItemText(1), CString(_T("two")));
    list.SetItemsFromText(_T("a||b|"));
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetItemText(1), CString());
    list.SetItemsFromText(CString());
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_FALSE(list.SetItemsFromStringId(65000));
    EXPECT_EQ(list.GetItemCount(), 1);

    list.SetItemsFromText(_T("a|b|c"));
    list.SetValue(2);
    EXPECT_FALSE(list.Clear());
    int sel = -1;
    ASSERT_TRUE(list.GetValue(sel));
    EXPECT_EQ(sel, 2);
    ListParameterItem other;
    other.SetValue(1);
    EXPECT_TRUE(list.MergeValue(other));
    list.GetValue(sel);
    EXPECT_EQ(sel, 2);

    TextParameterItem t, u;
    t.SetValue(CString());
    CString s;
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_FALSE(t.GetValue(s));
    t.SetValue(_T("abc"));
    u.SetValue(_T("ABC"));
    EXPECT_FALSE(t.IsEqual(u));

    FilePathParameterItem src, dst;
    src.m_bEmpty = FALSE;
    EXPECT_TRUE(dst.SetValueFrom(src));
    EXPECT_FALSE(dst.IsEmpty());
    EXPECT_TRUE(dst.m_strPath.IsEmpty());
}

TEST(FeatureItems, ListSequenceAndGroupRules)
{
    FeatureListParameterItem list;
    list.ToggleFeature(0, 5, RuVaPnt2d());
    list.ToggleFeature(0, 5, RuVaPnt2d());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_FALSE(list.m_bFinished);
    EXPECT_INVALID_ARG(list.RemoveAt(0));

    FeatureListParameterItem ab, ba;
    ab.ToggleFeature(0, 5, RuVaPnt2d());
    ab.ToggleFeature(0, 7, RuVaPnt2d());
    ba.ToggleFeature(0, 7, RuVaPnt2d());
    ba.ToggleFeature(0, 5, RuVaPnt2d());
    EXPECT_FALSE(ab.IsEqual(ba));
    ab.ToggleFeature(0, 9, RuVaPnt2d());
    CDWordArray ids;
    ASSERT_TRUE(ab.GetFeatureIds(ids));
    ASSERT_EQ(ids.GetSize(), 3);
    EXPECT_EQ(ids[0], 5u);
    EXPECT_EQ(ids[2], 9u);

    FeatureSequenceParameterItem s1, s2;
    s1.AddFeature(1, 5, RuVaPnt2d());
    s2.AddFeature(2, 5, RuVaPnt2d());
    EXPECT_TRUE(s1.IsEqual(s2));
    CArray<FeatureLayout> three;
    three.Add(FeatureLayout(1, 0, -1));
    three.Add(FeatureLayout(2, 0, -1));
    three.Add(FeatureLayout(3, 0, -1));
    KcArrayOfGePnt2d two{RuVaPnt2d(), RuVaPnt2d(1, 1)};
    EXPECT_FALSE(s1.SetFeatures(three, two));
    EXPECT_EQ(s1.GetCount(), 1);

    FeatureSequenceListParameterItem sl;
    sl.AddFeature(0, 1, RuVaPnt2d());
    EXPECT_TRUE(sl.FinishLastSequence());
    sl.AddFeature(0, 2, RuVaPnt2d());
    EXPECT_EQ(sl.GetSequenceCount(), 2);
    EXPECT_EQ(sl.GetLastSequenceCount(), 1);
    CArray<FeatureLayout> out;
    EXPECT_INVALID_ARG(sl.GetSequenceFeatures(5, out));

    FeatureGroupParameterItem g;
    CArray<FeatureLayout> f;
    f.Add(FeatureLayout(5, 0, -1));
    g.AddGroup(f, 4, nullptr, 0);
    CArray<FeatureLayout> f2;
    f2.Add(FeatureLayout(6, 0, -1));
    g.AddGroup(f2, 4, nullptr, 1);
    EXPECT_EQ(g.GetGroupCount(), 2);
    g.AddGroup(f, 4, nullptr, 2);  // toggles 5 off: its group empties and goes
    EXPECT_EQ(g.GetGroupCount(), 1);
    EXPECT_FALSE(g.IsEmpty());
    g.AddGroup(f2, 4, nullptr, 2);
    EXPECT_TRUE(g.IsEmpty());

    g.m_bSeveralGroups = FALSE;
    g.AddGroup(f, 4, nullptr, 1);
    g.AddGroup(f2, 4, nullptr, 1);
    EXPECT_EQ(g.GetGroupCount(), 1);
    CArray<FeatureLayout> all;
    ASSERT_TRUE(g.GetFeatureLayouts(all));
    ASSERT_EQ(all.GetSize(), 1);
    EXPECT_EQ(all[0].GetRecordID(), 6);

    FeatureGroupParameterItem taker;
    EXPECT_TRUE(taker.TakeValueFrom(g));
    EXPECT_TRUE(g.IsEmpty());
    EXPECT_FALSE(g.GetFeatureLayouts(all));
    EXPECT_FALSE(taker.IsEmpty());
}

TEST(TableItems, LineWidthComponentDrawingSetting)
{
    LineWidthParameterItem a, b;
    a.SetValue(3, 0.25);
    b.SetValue(3, 0.5);
    EXPECT_TRUE(a.IsEqual(b));
    a.SetValue(0xFFFF, 0.25);
    b.SetValue(0xFFFF, 0.25);
    EXPECT_TRUE(a.IsEqual(b));
    b.SetValue(0xFFFF, 0.5);
    EXPECT_FALSE(a.IsEqual(b));

    DrawComponentParameterItem c;
    c.SetValue(-1);
    int id = 0;
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_FALSE(c.GetValue(id));

    DrawingParameterItem d;
    int fake = 0;
    auto* pLayout = reinterpret_cast<PartDrawingLayout*>(&fake);
    d.SetValue(reinterpret_cast<DrawingFeatureBase*>(&fake), pLayout);
    d.SetValue(nullptr, nullptr);
    EXPECT_TRUE(d.IsEmpty());
    EXPECT_EQ(d.m_pLayout, pLayout);

    SettingParameterItem s;
    TextSetting setting;
    s.SetValue(&setting);
    s.m_bClearable = FALSE;
    EXPECT_TRUE(s.Clear());
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.m_pSetting, nullptr);

    SettingParameterItem full, empty;
    full.SetValue(&setting);
    std::unique_ptr<FeatureSettingBase> before(full.m_pSetting->CopyObject());
    EXPECT_TRUE(full.MergeValue(empty));
    EXPECT_GT(full.m_pSetting->IsEqual(*before), 0);

    ToleranceParameterItem t, u;
    t.SetValue(CString());
    EXPECT_FALSE(t.IsEmpty());
    t.m_nDialogValue = 5;
    u.Copy(t);
    EXPECT_EQ(u.m_nDialogValue, 0);
}
