// Archives with random byte changes: every reader either loads a setting that keeps its rules or
// throws CArchiveException; nothing else (no crash, no other exception, no unbounded allocation).

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "ArchiveBytes.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/TextSettingStyles.h"

using namespace settings_test;

namespace {

// One reader: stores a sample, and loads into a fresh object, answering whether what it loaded keeps
// its rules.
struct Reader {
    std::string name;
    std::function<Bytes()> store;
    std::function<bool(CArchive&)> load;
};

template <class T>
Reader ReaderOf(const std::string& name, std::function<void(T&)> fill, std::function<bool(const T&)> valid)
{
    return Reader{name,
                  [fill] {
                      T sample;
                      fill(sample);
                      return Store([&](CArchive& ar) { sample.Serialize(ar); });
                  },
                  [valid](CArchive& ar) {
                      T target;
                      target.Serialize(ar);
                      return valid(target);
                  }};
}

std::vector<Reader> Readers()
{
    std::vector<Reader> readers;
    readers.push_back(ReaderOf<DimensionSetting>(
        "dimension", [](DimensionSetting& d) { d.SetPreAdditionText(CString(u"R")); },
        [](const DimensionSetting& d) { return d.IsValidSetting() != FALSE; }));
    readers.push_back(ReaderOf<LeadSetting>("lead", [](LeadSetting&) {},
                                            [](const LeadSetting& s) { return s.IsValidSetting() != FALSE; }));
    readers.push_back(ReaderOf<HatchSetting>("hatch", [](HatchSetting&) {},
                                             [](const HatchSetting& s) { return s.IsValidSetting() != FALSE; }));
    readers.push_back(ReaderOf<DimensionSettingStyles>(
        "dimension styles",
        [](DimensionSettingStyles& s) {
            DimensionSetting d;
            s.SetSettingStyle(CString(u"A"), &d);
            s.SetSettingStyle(CString(u"B"), &d);
            s.SetCurrentSettingStyleName(CString(u"B"));
        },
        [](const DimensionSettingStyles& s) {
            for (int i = 0; i < s.GetSettingStyleCount(); ++i) {
                if (!s.GetSettingStyleAt(i)->IsValidSetting() || s.GetSettingStyleAt(i)->HasUndefinedValue())
                    return false;
            }
            return true;
        }));
    readers.push_back(ReaderOf<ColorFeatureTable>("colours", [](ColorFeatureTable& t) { t.InitializeColors(); },
                                                  [](const ColorFeatureTable& t) { return t.GetColorSize() <= 256; }));
    readers.push_back(ReaderOf<LineTypeFeatureTable>(
        "line types", [](LineTypeFeatureTable& t) { t.InitializeLineTypes(); },
        [](const LineTypeFeatureTable& t) {
            for (int i = 0; i < t.GetLineTypeSize(); ++i) {
                if (t.GetAt(i)->GetLineTypeSegment() > LineTypeFeature::kMaxSegmentCount)
                    return false;
            }
            return true;
        }));
    readers.push_back(ReaderOf<LineWidthFeatureTable>(
        "line widths", [](LineWidthFeatureTable& t) { t.InitializeLineWidths(); },
        [](const LineWidthFeatureTable& t) { return t.GetLineWidthSize() <= 16; }));
    readers.push_back(ReaderOf<GridSetting>("grid", [](GridSetting&) {},
                                            [](const GridSetting& g) { return g.IsValidSetting() != FALSE; }));
    readers.push_back(ReaderOf<HatchPatternTable>(
        "hatch patterns",
        [](HatchPatternTable& t) {
            LineHatchPattern p;
            p.SetPatternName(CString(u"P"));
            p.AddLineItem(LineHatchPatternLineItem());
            t.AddHatchPattern(&p);
        },
        [](const HatchPatternTable& t) {
            for (int i = 0; i < t.GetHatchPatternCount(); ++i) {
                if (!t.GetHatchPatternByIndex(i)->IsValidPattern())
                    return false;
            }
            return true;
        }));
    return readers;
}

TEST(MutatedArchiveTest, ReadersLoadValidDataOrThrowArchiveExceptions)
{
    std::mt19937 random(20261210);
    for (const Reader& reader : Readers()) {
        SCOPED_TRACE(reader.name);
        const Bytes original = reader.store();
        ASSERT_FALSE(original.empty());
        int loaded = 0;
        for (int round = 0; round < 400; ++round) {
            Bytes bytes = original;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int c = 0; c < changes; ++c) {
                const size_t at = random() % bytes.size();
                switch (random() % 3) {
                case 0: bytes[at] = static_cast<BYTE>(random()); break;
                case 1: bytes[at] ^= static_cast<BYTE>(1u << (random() % 8)); break;
                default: bytes[at] = (random() % 2) ? 0xFF : 0x00; break;
                }
            }
            if (random() % 5 == 0)
                bytes.resize(random() % bytes.size());
            bool valid = true;
            const int cause = Load(bytes, [&](CArchive& ar) { valid = reader.load(ar); });
            if (cause == -1) {
                ++loaded;
                EXPECT_TRUE(valid) << "round " << round;
            }
        }
        // Some changes hit values that stay within their rules.
        EXPECT_GT(loaded, 0);
    }
}

}  // namespace
