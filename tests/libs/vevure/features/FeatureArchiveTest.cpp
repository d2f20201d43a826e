// Archive of shapes: every kind round-trips field by field; truncated and damaged archives throw
// CArchiveException and hand back nothing.

#include <gtest/gtest.h>

#include <set>

#include "FeatureTestSupport.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"

using namespace feature_test;

TEST(FeatureArchive, EveryKindRoundTripsFieldByField)
{
    const auto samples = MakeSampleFeatures();
    std::set<int> types;
    for (const auto& f : samples) {
        SCOPED_TRACE(f->GetRuntimeClass()->m_lpszClassName);
        ASSERT_TRUE(f->IsValid());
        types.insert(f->GetFeatureType());
        const FeaturePtr loaded = LoadFeature(StoreFeature(f.get()));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->GetRuntimeClass(), f->GetRuntimeClass());
        EXPECT_EQ(loaded->GetFeatureType(), f->GetFeatureType());
        EXPECT_EQ(loaded->GetFeatureNo(), f->GetFeatureNo());
        EXPECT_EQ(loaded->GetRecordID(), f->GetRecordID());
        EXPECT_EQ(loaded->GetColorNo(), f->GetColorNo());
        EXPECT_EQ(loaded->GetColor(), f->GetColor());
        EXPECT_EQ(loaded->GetLineTypeNo(), f->GetLineTypeNo());
        EXPECT_EQ(loaded->GetLineWidthNo(), f->GetLineWidthNo());
        EXPECT_EQ(loaded->GetLineWidth(), f->GetLineWidth());
        EXPECT_EQ(loaded->GetLayerID(), f->GetLayerID());
        ASSERT_EQ(loaded->GetAttribute() != nullptr, f->GetAttribute() != nullptr);
        if (f->GetAttribute()) {
            EXPECT_TRUE(*loaded->GetAttribute() == *f->GetAttribute());
        }
        EXPECT_TRUE(loaded->IsEqualGeometry(f.get()));
        EXPECT_TRUE(loaded->IsEqual(f.get()));
        EXPECT_EQ(loaded->GetBndBox(), f->GetBndBox());
    }
    // Every stored kind is among the samples.
    for (int type : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 30, 31, 32, 50, 51, 52, 53, 54, 55, 59, 70, 71, 80, 90})
        EXPECT_TRUE(types.count(type)) << "no sample of type " << type;
}

TEST(FeatureArchive, EqualityNoticesEveryKindOfChange)
{
    // The round trip test relies on IsEqual; it must not call different shapes equal.
    const auto samples = MakeSampleFeatures();
    for (const auto& f : samples) {
        FeaturePtr other(f->CopyObject(Feature2dBase::copyAll));
        ASSERT_TRUE(other->IsEqual(f.get()));
        other->SetLayerID(f->GetLayerID() + 1);
        EXPECT_FALSE(other->IsEqual(f.get()));
        other.reset(f->CopyObject(Feature2dBase::copyAll));
        FeatureAttribute changed;
        changed.AddAttribute(CString(u"Other"), CString(u"x"));
        other->SetAttribute(changed);
        EXPECT_FALSE(other->IsEqual(f.get()));
    }
}

TEST(FeatureArchive, EveryTruncationThrowsAndLeavesNothing)
{
    const auto samples = MakeSampleFeatures();
    for (const auto& f : samples) {
        SCOPED_TRACE(f->GetRuntimeClass()->m_lpszClassName);
        const Bytes bytes = StoreFeature(f.get());
        for (size_t n = 0; n < bytes.size(); ++n) {
            int cause = -1;
            const FeaturePtr loaded = LoadFeature(Bytes(bytes.begin(), bytes.begin() + (std::ptrdiff_t)n), &cause);
            EXPECT_FALSE(loaded) << n << " of " << bytes.size();
            EXPECT_NE(cause, -1) << n << " of " << bytes.size();
        }
    }
}

TEST(FeatureArchive, DamagedBytesNeverCrashAndLoadOnlyValidShapes)
{
    // Flip every byte of every sample in turn: loading either throws or gives a valid shape.
    const auto samples = MakeSampleFeatures();
    for (const auto& f : samples) {
        const Bytes bytes = StoreFeature(f.get());
        for (size_t i = 0; i < bytes.size(); ++i) {
            for (BYTE mask : {(BYTE)0xFF, (BYTE)0x80}) {
                Bytes damaged = bytes;
                damaged[i] ^= mask;
                int cause = -1;
                const FeaturePtr loaded = LoadFeature(damaged, &cause);
                if (loaded) {
                    EXPECT_TRUE(loaded->IsValid()) << f->GetRuntimeClass()->m_lpszClassName << " byte " << i;
                } else {
                    EXPECT_NE(cause, -1);
                }
            }
        }
    }
}

struct BadBaseCase {
    const char* name;
    short colorNo;
    short lineTypeNo;
    short lineWidthNo;
    double lineWidth;
};

TEST(FeatureArchive, OutOfRangeBaseFieldsAreRefused)
{
    // Values that the setters refuse must not come in through a file either.
    const BadBaseCase cases[] = {
        {"colour 257", 257, 0, 0, 0.0},
        {"line type 32767", 0, 32767, 0, 0.0},
        {"width number 16", 0, 0, 16, 0.0},
        {"negative width", 0, 0, 0, -1.0},
        {"NaN width", 0, 0, 0, std::nan("")},
    };
    for (const auto& c : cases) {
        const Bytes bytes = Store([&](CArchive& ar) {
            ar << (WORD)FeatureTypeLine << (LONG)1 << (LONG)2 << c.colorNo << (COLORREF)0 << c.lineTypeNo
               << c.lineWidthNo << c.lineWidth << (LONG)0 << (BYTE)0;
            ar << RuVaPnt2d(0, 0) << RuVaPnt2d(1, 0);
        });
        int cause = -1;
        EXPECT_FALSE(LoadFeature(bytes, &cause)) << c.name;
        EXPECT_EQ(cause, CArchiveException::generic) << c.name;
    }
}

TEST(FeatureArchive, BadGeometryAndUnknownTypesAreRefused)
{
    auto lineBytes = [](const RuVaPnt2d& a, const RuVaPnt2d& b) {
        return Store([&](CArchive& ar) {
            ar << (WORD)FeatureTypeLine << (LONG)-1 << (LONG)-1 << (short)0 << (COLORREF)0 << (short)0 << (short)0
               << 0.0 << (LONG)-1 << (BYTE)0 << a << b;
        });
    };
    int cause = -1;
    EXPECT_TRUE(LoadFeature(lineBytes(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0)), &cause));
    EXPECT_FALSE(LoadFeature(lineBytes(RuVaPnt2d(0, 0), RuVaPnt2d(0, 0)), &cause));  // a point, not a line
    EXPECT_EQ(cause, CArchiveException::generic);
    EXPECT_FALSE(LoadFeature(lineBytes(RuVaPnt2d(0, 0), RuVaPnt2d(std::nan(""), 0)), &cause));

    for (WORD type : {(WORD)14, (WORD)99, (WORD)100, (WORD)0xFFFF}) {
        const Bytes bytes = Store([&](CArchive& ar) { ar << type << (LONG)0; });
        EXPECT_FALSE(LoadFeature(bytes, &cause));
        EXPECT_EQ(cause, CArchiveException::badClass) << type;
    }
    // A stored null loads as NULL without an error.
    EXPECT_FALSE(LoadFeature(StoreFeature(nullptr), &cause));
    EXPECT_EQ(cause, -1);
}

TEST(FeatureArchive, HugeCountsFailBeforeAllocating)
{
    // A polyline claiming two billion vertices in a short file.
    const Bytes bytes = Store([&](CArchive& ar) {
        ar << (WORD)FeatureTypePolyline << (LONG)-1 << (LONG)-1 << (short)0 << (COLORREF)0 << (short)0 << (short)0
           << 0.0 << (LONG)-1 << (BYTE)0;
        ar.WriteCount(0x7FFFFFFF);
        ar << 1.0 << 2.0;
    });
    int cause = -1;
    EXPECT_FALSE(LoadFeature(bytes, &cause));
    EXPECT_EQ(cause, CArchiveException::endOfFile);
}

TEST(FeatureArchive, DeeplyNestedGroupsAreRefused)
{
    // Groups inside groups far beyond any drawing's need would exhaust the stack while loading.
    auto nested = std::make_unique<DrawGroup2dFeature>();
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    nested->AddFeature(&line, 1);
    for (int depth = 0; depth < 80; ++depth) {
        auto outer = std::make_unique<DrawGroup2dFeature>();
        outer->AddFeature(nested.release(), 0);
        nested = std::move(outer);
    }
    int cause = -1;
    EXPECT_FALSE(LoadFeature(StoreFeature(nested.get()), &cause));
    EXPECT_EQ(cause, CArchiveException::generic);

    // Ten levels are fine and come back equal.
    auto shallow = std::make_unique<DrawGroup2dFeature>();
    shallow->AddFeature(&line, 1);
    for (int depth = 0; depth < 10; ++depth) {
        auto outer = std::make_unique<DrawGroup2dFeature>();
        outer->AddFeature(shallow.release(), 0);
        shallow = std::move(outer);
    }
    const FeaturePtr loaded = LoadFeature(StoreFeature(shallow.get()));
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->IsEqual(shallow.get()));
}

TEST(FeatureArchive, ListLoadsWholeOrLeavesTheOldList)
{
    const auto samples = MakeSampleFeatures();
    Feature2dList list;
    for (const auto& f : samples)
        list.AddFeature(static_cast<const Feature2dBase*>(f.get()));
    const Bytes bytes = Store([&](CArchive& ar) { list.Serialize(ar); });

    Feature2dList loaded;
    ASSERT_EQ(Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), -1);
    ASSERT_EQ(loaded.GetFeatureSize(), list.GetFeatureSize());
    for (int i = 0; i < list.GetFeatureSize(); ++i)
        EXPECT_TRUE(loaded.GetFeature(i)->IsEqual(list.GetFeature(i))) << i;

    Feature2dList kept;
    Circle2dFeature circle(RuVaPnt2d(1, 1), 2.0);
    kept.AddFeature(static_cast<const Feature2dBase*>(&circle));
    const Bytes cut(bytes.begin(), bytes.begin() + (std::ptrdiff_t)(bytes.size() / 2));
    EXPECT_EQ(Load(cut, [&](CArchive& ar) { kept.Serialize(ar); }), CArchiveException::endOfFile);
    ASSERT_EQ(kept.GetFeatureSize(), 1);
    EXPECT_TRUE(kept.GetFeature(0)->IsEqual(&circle));
}

TEST(FeatureArchive, AttributeListRefusesRepeatedNamesAndIds)
{
    auto bytesOf = [](std::initializer_list<std::pair<LONG, const char16_t*>> items) {
        return Store([&](CArchive& ar) {
            ar.WriteCount(items.size());
            for (const auto& [id, name] : items)
                ar << id << CString(name) << CString(u"v");
            ar << (LONG)1;
        });
    };
    FeatureAttribute attr;
    attr.AddAttribute(CString(u"Keep"), CString(u"me"));
    const FeatureAttribute before = attr;
    EXPECT_EQ(Load(bytesOf({{1, u"A"}, {2, u"A"}}), [&](CArchive& ar) { attr.Serialize(ar); }),
              CArchiveException::generic);
    EXPECT_EQ(Load(bytesOf({{3, u"A"}, {3, u"B"}}), [&](CArchive& ar) { attr.Serialize(ar); }),
              CArchiveException::generic);
    EXPECT_EQ(Load(bytesOf({{3, u""}}), [&](CArchive& ar) { attr.Serialize(ar); }), CArchiveException::generic);
    EXPECT_TRUE(attr == before);
    ASSERT_EQ(Load(bytesOf({{5, u"A"}, {9, u"B"}}), [&](CArchive& ar) { attr.Serialize(ar); }), -1);
    EXPECT_EQ(attr.GetAttributeCount(), 2);
    // New items keep ids unique after a load.
    const int index = attr.AddAttribute(CString(u"C"), CString(u""), 0);
    EXPECT_GT(attr.GetAttributeId(index), 9);
}
