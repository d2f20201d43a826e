// Grid settings, saved views and versions.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "ArchiveBytes.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/KcLanguage.h"
#include "libs/vevure/QZ2FileVersion.h"
#include "libs/vevure/QZ2ProductVersion.h"
#include "libs/vevure/ViewControlSetting.h"

using namespace settings_test;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(GridSettingTest, SettersRefuseValuesOutsideTheirRules)
{
    GridSetting grid;
    const GridSetting before = grid;
    EXPECT_FALSE(grid.SetNGridCount(1));
    EXPECT_FALSE(grid.SetNGridCount(101));
    EXPECT_FALSE(grid.SetType(3));
    EXPECT_FALSE(grid.SetType(-1));
    EXPECT_FALSE(grid.SetStep(0.0, 1.0));
    EXPECT_FALSE(grid.SetStep(1.0, 1e15));
    EXPECT_FALSE(grid.SetAngle(90.0, 0.0));
    EXPECT_FALSE(grid.SetAngle(0.0, -90.0));
    EXPECT_FALSE(grid.SetOrigin(kNaN, 0.0));
    EXPECT_FALSE(grid.SetMaxGridPnt(RuVaPnt2d(std::numeric_limits<double>::infinity(), 0.0)));
    EXPECT_TRUE(grid == before);

    EXPECT_TRUE(grid.SetNGridCount(2));
    EXPECT_TRUE(grid.SetNGridCount(100));
    EXPECT_TRUE(grid.SetType(2));
    EXPECT_TRUE(grid.SetStep(0.5, 2.0));
    EXPECT_TRUE(grid.SetAngle(-89.9, 30.0));
    EXPECT_TRUE(grid.SetOrigin(-3.0, 4.0));
    double x = 0, y = 0;
    grid.GetStep(x, y);
    EXPECT_EQ(0.5, x);
    EXPECT_EQ(2.0, y);
    grid.GetAngle(x, y);
    EXPECT_EQ(-89.9, x);
    EXPECT_EQ(30.0, y);
    grid.GetOrigin(x, y);
    EXPECT_EQ(-3.0, x);
    grid.SetColorRef1(0xFF123456);
    EXPECT_EQ(0x123456u, grid.GetColorRef1());
}

TEST(GridSettingTest, ArchiveRoundTripTruncationAndDamage)
{
    GridSetting grid;
    grid.ShowGrid(TRUE);
    grid.SetColorRef2(RGB(1, 2, 3));
    ASSERT_TRUE(grid.SetNGridCount(7));
    ASSERT_TRUE(grid.SetType(1));
    ASSERT_TRUE(grid.SetOrigin(RuVaPnt2d(5.0, -6.0)));
    ASSERT_TRUE(grid.SetStep(2.5, 3.5));
    ASSERT_TRUE(grid.SetAngle(10.0, 80.0));
    grid.SetGridAllWindow(FALSE);
    ASSERT_TRUE(grid.SetMinGridPnt(RuVaPnt2d(-1.0, -2.0)));
    ASSERT_TRUE(grid.SetMaxGridPnt(RuVaPnt2d(300.0, 200.0)));
    const Bytes bytes = Store([&](CArchive& ar) { grid.Serialize(ar); });
    GridSetting loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_TRUE(loaded == grid);
    EXPECT_EQ(300.0, loaded.GetMaxGridPnt().X());
    EXPECT_FALSE(loaded.GetGridAllWindow());

    GridSetting target;
    const GridSetting fresh;
    ExpectEveryTruncationFails(bytes, [&](CArchive& ar) { target.Serialize(ar); },
                               [&] { EXPECT_TRUE(target == fresh); });
    // Grid count 7 follows the schema word, the show flag and the two colours.
    Bytes damaged = bytes;
    const short badCount = 500;
    std::memcpy(&damaged[2 + 4 + 4 + 4], &badCount, sizeof(short));
    EXPECT_EQ(CArchiveException::genericException, Load(damaged, [&](CArchive& ar) { target.Serialize(ar); }));
    EXPECT_TRUE(target == fresh);
}

TEST(ViewControlSettingTest, EnabledWhenScaledAndOnADrawing)
{
    ViewControlSetting v;
    EXPECT_FALSE(v.IsEnableSetting());
    v.SetScale(2.0);
    EXPECT_FALSE(v.IsEnableSetting());
    v.SetDrawingID(4);
    EXPECT_TRUE(v.IsEnableSetting());
    v.SetScale(0.0);
    EXPECT_FALSE(v.IsEnableSetting());

    ViewControlSetting a;
    a.SetIndex(3);
    a.SetCenterPoint(RuVaPnt2d(1.0, 2.0));
    a.SetScale(0.25);
    a.SetDrawingID(8);
    a.SetLayoutID(9);
    ViewControlSetting b;
    b = a;
    EXPECT_TRUE(a == b);
    b.Clear();
    EXPECT_EQ(3, b.GetIndex());
    EXPECT_FALSE(b.IsEnableSetting());
    EXPECT_EQ(-1, b.GetLayoutID());

    const Bytes bytes = Store([&](CArchive& ar) { a.Serialize(ar); });
    ViewControlSetting loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_TRUE(loaded == a);
    ViewControlSetting target;
    ExpectEveryTruncationFails(bytes, [&](CArchive& ar) { target.Serialize(ar); },
                               [&] { EXPECT_TRUE(target == ViewControlSetting()); });
    Bytes negativeScale = bytes;
    const double bad = -1.0;
    std::memcpy(&negativeScale[4 + 16], &bad, sizeof(double));
    EXPECT_EQ(CArchiveException::genericException,
              Load(negativeScale, [&](CArchive& ar) { target.Serialize(ar); }));
}

TEST(VersionTest, VersionNumbersCompareAsNumbers)
{
    EXPECT_EQ(0x0000000400150000ull, QZ2ProductVersion::MakeProductVersion(4, 21, 0));
    EXPECT_EQ(0x0000000300100002ull, QZ2ProductVersion::MakeProductVersion(3, 16, 2));
    // Each part is taken as 16 bits.
    EXPECT_EQ(QZ2ProductVersion::MakeProductVersion(0, 0, 0xFFFF),
              QZ2ProductVersion::MakeProductVersion(0, 0, -1));
    EXPECT_LT(QZ2ProductVersion::MakeProductVersion(4, 9, 999), QZ2ProductVersion::MakeProductVersion(4, 10, 0));
    const QZ2ProductVersion current = QZ2ProductVersion::GetCurrentVersion();
    EXPECT_EQ(4, current.GetMajorVersion());
    EXPECT_EQ(21, current.GetMinorVersion());
    EXPECT_EQ(0, current.GetBuildNumber());

    EXPECT_EQ(0x3000Au, QZ2FileVersion::MakeFileVersion(3, 10));
    EXPECT_EQ(QZ2FileVersion::kVersion310, QZ2FileVersion::MakeFileVersion(3, 10));
    QZ2FileVersion older(CString(u"old"), 3, 10, 3, 0, CString(u"X"));
    EXPECT_LT(older.GetVersionNumber(), 0x40000u);
    EXPECT_GE(QZ2FileVersion::GetCurrentVersion().GetVersionNumber(), 0x40000u);
}

TEST(VersionTest, ArchiveRoundTrips)
{
    QZ2ProductVersion product(4, 21, 7, 2, CString(u"Studio"));
    const Bytes pb = Store([&](CArchive& ar) { product.Serialize(ar); });
    QZ2ProductVersion loadedProduct;
    ASSERT_EQ(-1, Load(pb, [&](CArchive& ar) { loadedProduct.Serialize(ar); }));
    EXPECT_TRUE(loadedProduct == product);

    QZ2FileVersion file(CString(u"Drawing"), 4, 21, 4, 1, CString(u"Studio"));
    const Bytes fb = Store([&](CArchive& ar) { file.Serialize(ar); });
    QZ2FileVersion loadedFile;
    ASSERT_EQ(-1, Load(fb, [&](CArchive& ar) { loadedFile.Serialize(ar); }));
    EXPECT_TRUE(loadedFile == file);
    EXPECT_EQ(CString(u"Studio"), loadedFile.GetRequiredProductName());
    QZ2FileVersion target;
    ExpectEveryTruncationFails(fb, [&](CArchive& ar) { target.Serialize(ar); },
                               [&] { EXPECT_TRUE(target == QZ2FileVersion()); });
}

TEST(KcLanguageTest, ClearReturnsToEnglish)
{
    EXPECT_EQ(CString(u"ENG"), KcLanguage::GetLanguageCode());
    KcLanguage::SetLanguageCode(CString(u"jpn"));
    EXPECT_TRUE(KcLanguage::IsJapanese());
    KcLanguage::SetLanguageCode(CString());
    EXPECT_EQ(CString(u"ENG"), KcLanguage::GetLanguageCode());
    KcLanguage::SetLanguageCode(CString(u"JPN"));
    KcLanguage::Clear();
    EXPECT_FALSE(KcLanguage::IsJapanese());
}

}  // namespace
