// The typed-value history: its list rules, and its stored form in the settings store, read back by a
// fresh history as the next run of the program does.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "command/AngleParameterItem.h"
#include "command/DoubleParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ParameterHistory.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"

using namespace QZ2Command;

namespace {

LengthParameterItem Length(double value)
{
    LengthParameterItem item;
    item.SetValue(value);
    return item;
}

AngleParameterItem Angle(double value)
{
    AngleParameterItem item;
    item.SetValue(value);
    return item;
}

ScaleParameterItem Scale(double x, double y)
{
    ScaleParameterItem item;
    item.SetValue(x, y);
    return item;
}

TextParameterItem Text(const CString& text)
{
    TextParameterItem item;
    item.SetValue(text);
    return item;
}

std::vector<double> Doubles(const ParameterHistory& history, int nType)
{
    std::vector<double> values;
    for (int i = 0; i < history.GetCount(nType); ++i) {
        const auto* pItem = dynamic_cast<const DoubleParameterItem*>(history.GetAt(nType, i));
        values.push_back(pItem != nullptr ? pItem->m_dValue : -999.0);
    }
    return values;
}

class ParameterHistoryTest : public ::testing::Test
{
protected:
    void SetUp() override { Registry(FALSE).DeleteKey(ParameterHistory::GetStorePath()); }

    CBCGPRegistry& Registry(BOOL bReadOnly) { return sp.Create(FALSE, bReadOnly); }
    // A key of the stored history opened for writing, as a damaged or older store left it.
    CBCGPRegistry& StoredKey(LPCTSTR pszKey)
    {
        CBCGPRegistry& reg = Registry(FALSE);
        EXPECT_TRUE(reg.CreateKey(ParameterHistory::GetStorePath() + pszKey));
        return reg;
    }

    CBCGPRegistrySP sp;
};

}  // namespace

TEST_F(ParameterHistoryTest, ListsKeepTheNewestFirstWithoutRepeatsUpToTheMaximum)
{
    ParameterHistory history(10);
    history.Add(Length(5));
    history.Add(Length(7));
    history.Add(Length(5));
    EXPECT_EQ(Doubles(history, ParameterItemBase::typeLength), std::vector<double>({5, 7}));

    history.RemoveAll();
    for (int i = 1; i <= 10; ++i)
        history.Add(Length(i));
    // Equal to the 4th stored value: moves to the front, nothing is dropped.
    history.Add(Length(7));
    EXPECT_EQ(Doubles(history, ParameterItemBase::typeLength), std::vector<double>({7, 10, 9, 8, 6, 5, 4, 3, 2, 1}));
    // An eleventh value drops the oldest.
    history.Add(Length(11));
    EXPECT_EQ(Doubles(history, ParameterItemBase::typeLength), std::vector<double>({11, 7, 10, 9, 8, 6, 5, 4, 3, 2}));
    // Kinds are kept apart.
    EXPECT_EQ(history.GetCount(ParameterItemBase::typeAngle), 0);
    EXPECT_EQ(history.GetAt(ParameterItemBase::typeAngle, 0), nullptr);
    EXPECT_EQ(history.GetAt(ParameterItemBase::typeLength, 10), nullptr);
    EXPECT_EQ(history.GetAt(ParameterItemBase::typeLength, -1), nullptr);
}

TEST_F(ParameterHistoryTest, WhatIsRefused)
{
    ParameterHistory history(10);
    DoubleParameterItem plain;
    plain.SetValue(3);
    const struct {
        const char* what;
        std::unique_ptr<ParameterItemBase> item;
        BOOL bStored;
    } cases[] = {
        {"an empty length", std::make_unique<LengthParameterItem>(), FALSE},
        {"a plain number (type 1)", std::unique_ptr<ParameterItemBase>(plain.Clone()), FALSE},
        {"an empty text", std::make_unique<TextParameterItem>(Text(CString())), FALSE},
        {"a text of 256 characters", std::make_unique<TextParameterItem>(Text(CString(u'a', 256))), TRUE},
        {"a text of 257 characters", std::make_unique<TextParameterItem>(Text(CString(u'b', 257))), FALSE},
        {"a scale", std::make_unique<ScaleParameterItem>(Scale(2, 3)), TRUE},
        {"an angle", std::make_unique<AngleParameterItem>(Angle(30)), TRUE},
    };
    for (const auto& c : cases) {
        const int nType = c.item->GetTypeCode();
        const int before = history.GetCount(nType);
        EXPECT_EQ(history.Add(*c.item), c.bStored) << c.what;
        EXPECT_EQ(history.GetCount(nType), before + (c.bStored ? 1 : 0)) << c.what;
    }
}

TEST_F(ParameterHistoryTest, InsertRemoveAtAndRemoveType)
{
    ParameterHistory history(10);
    history.Add(Length(1));
    history.Add(Length(2));
    EXPECT_TRUE(history.Insert(99, Length(3)));  // beyond the end: the end
    EXPECT_TRUE(history.Insert(-1, Length(4)));  // below 0: the end
    EXPECT_TRUE(history.Insert(1, Length(5)));
    EXPECT_EQ(Doubles(history, ParameterItemBase::typeLength), std::vector<double>({2, 5, 1, 3, 4}));
    EXPECT_TRUE(history.RemoveAt(ParameterItemBase::typeLength, 1));
    EXPECT_FALSE(history.RemoveAt(ParameterItemBase::typeLength, 4));
    EXPECT_FALSE(history.RemoveAt(ParameterItemBase::typeLength, -1));
    EXPECT_FALSE(history.RemoveAt(ParameterItemBase::typeAngle, 0));
    EXPECT_EQ(Doubles(history, ParameterItemBase::typeLength), std::vector<double>({2, 1, 3, 4}));
    history.Add(Angle(45));
    EXPECT_TRUE(history.RemoveType(ParameterItemBase::typeLength));
    EXPECT_FALSE(history.RemoveType(ParameterItemBase::typeLength));
    EXPECT_EQ(history.GetCount(ParameterItemBase::typeLength), 0);
    EXPECT_EQ(history.GetCount(ParameterItemBase::typeAngle), 1);
}

TEST_F(ParameterHistoryTest, SavedValuesComeBackInTheNextRun)
{
    {
        ParameterHistory history(10);
        history.Add(Length(30));
        history.Add(Length(12.5));
        history.Add(Angle(-45.25));
        history.Add(Scale(2, 0.5));
        history.Add(Scale(1e-10, 1e14));
        history.Add(Text(CString(u"first")));
        history.Add(Text(CString(u"\u65e5\u672c, second")));
        history.Save();
    }
    ParameterHistory next(10);
    EXPECT_EQ(Doubles(next, ParameterItemBase::typeLength), std::vector<double>({12.5, 30}));
    EXPECT_EQ(Doubles(next, ParameterItemBase::typeAngle), std::vector<double>({-45.25}));
    ASSERT_EQ(next.GetCount(ParameterItemBase::typeScale), 2);
    EXPECT_TRUE(next.GetAt(ParameterItemBase::typeScale, 0)->IsEqual(Scale(1e-10, 1e14)));
    EXPECT_TRUE(next.GetAt(ParameterItemBase::typeScale, 1)->IsEqual(Scale(2, 0.5)));
    ASSERT_EQ(next.GetCount(ParameterItemBase::typeText), 2);
    EXPECT_TRUE(next.GetAt(ParameterItemBase::typeText, 0)->IsEqual(Text(CString(u"\u65e5\u672c, second"))));
    EXPECT_TRUE(next.GetAt(ParameterItemBase::typeText, 1)->IsEqual(Text(CString(u"first"))));

    // Removed kinds are gone from the store after the next save.
    next.RemoveType(ParameterItemBase::typeText);
    next.Save();
    ParameterHistory third(10);
    EXPECT_EQ(third.GetCount(ParameterItemBase::typeText), 0);
    EXPECT_EQ(third.GetCount(ParameterItemBase::typeLength), 2);
}

TEST_F(ParameterHistoryTest, ARunThatNeverUsedTheHistoryKeepsTheStoredValues)
{
    {
        ParameterHistory history(10);
        history.Add(Length(8));
        history.Save();
    }
    {
        ParameterHistory idle(10);
        idle.Save();  // never loaded: nothing to write, nothing wiped
    }
    ParameterHistory next(10);
    // A value added in this run is newer than the stored ones.
    next.Add(Length(9));
    EXPECT_EQ(Doubles(next, ParameterItemBase::typeLength), std::vector<double>({9, 8}));
}

TEST_F(ParameterHistoryTest, ADamagedStoreIsReadAsFarAsItMakesSense)
{
    {
        CBCGPRegistry& reg = StoredKey(_T("LengthParameter"));
        reg.Write(_T("1"), 1.0);
        reg.Write(_T("2"), std::numeric_limits<double>::quiet_NaN());  // skipped
        reg.Write(_T("3"), _T("not a number"));                        // unreadable: skipped
        reg.Write(_T("4"), std::numeric_limits<double>::infinity());   // skipped
        reg.Write(_T("5"), 5.0);
        reg.Write(_T("6"), 1.0);  // a repeat of a newer value: dropped
        reg.Write(_T("8"), 8.0);  // after the missing "7": not read
        reg.Close();
    }
    {
        CBCGPRegistry& reg = StoredKey(_T("ScaleParameter"));
        double twelve[2] = {2.0, 3.0};
        reg.Write(_T("1"), reinterpret_cast<LPBYTE>(twelve), 12);  // 12 bytes: skipped
        double outOfRange[2] = {0.0, 1.0};
        reg.Write(_T("2"), reinterpret_cast<LPBYTE>(outOfRange), 16);  // no valid scale: skipped
        double good[2] = {4.0, 0.25};
        reg.Write(_T("3"), reinterpret_cast<LPBYTE>(good), 16);
        reg.Close();
    }
    {
        CBCGPRegistry& reg = StoredKey(_T("TextParameter"));
        reg.Write(_T("1"), CString(u'x', 257));  // too long: skipped
        reg.Write(_T("2"), _T(""));               // empty: skipped
        reg.Write(_T("3"), _T("kept"));
        reg.Close();
    }
    {
        CBCGPRegistry& reg = StoredKey(_T("AngleParameter"));
        for (int n = 1; n <= 40; ++n) {  // more than the maximum: the newest ten are kept
            CString name;
            name.Format(_T("%d"), n);
            reg.Write(name, static_cast<double>(n));
        }
        reg.Close();
    }
    ParameterHistory history(10);
    EXPECT_EQ(Doubles(history, ParameterItemBase::typeLength), std::vector<double>({1, 5}));
    ASSERT_EQ(history.GetCount(ParameterItemBase::typeScale), 1);
    EXPECT_TRUE(history.GetAt(ParameterItemBase::typeScale, 0)->IsEqual(Scale(4, 0.25)));
    ASSERT_EQ(history.GetCount(ParameterItemBase::typeText), 1);
    EXPECT_TRUE(history.GetAt(ParameterItemBase::typeText, 0)->IsEqual(Text(CString(u"kept"))));
    EXPECT_EQ(Doubles(history, ParameterItemBase::typeAngle), std::vector<double>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}
