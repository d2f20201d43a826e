// The plot setting is saved with the drawing: it comes back after a save and a load, a drawing saved
// before plot settings were kept opens with the default one, and a stored setting out of range (a
// damaged or edited file) reads as the default while the drawing still opens.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <functional>
#include <vector>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PlotSetting.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"

namespace {

// The setting's bytes: mark, schema, paper, orientation, offsets, scale mode, scale, range, colour, widths,
// markers; then the end mark.
constexpr size_t kPlotBlock = 4 + 2 + 2 + 4 + 8 + 8 + 4 + 8 + 4 + 4 + 4 + 4;
constexpr size_t kEndMark = 4;
// Where the scale lies from the start of the block.
constexpr size_t kScaleAt = 4 + 2 + 2 + 4 + 8 + 8 + 4;

std::vector<BYTE> Save(const Draw2dDocument& doc)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        doc.SaveToArchive(ar, DrawViewInfo(), 0x3000A);
    }
    return std::vector<BYTE>(file.GetBuffer(), file.GetBuffer() + file.GetLength());
}

void Load(Draw2dDocument& doc, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    DrawViewInfo views;
    CString msg;
    doc.LoadFromArchive(ar, views, msg);
}

PlotSetting Edited()
{
    PlotSetting s;
    EXPECT_TRUE(s.SetPaperType(8));
    EXPECT_TRUE(s.SetOrientType(PlotSetting::orientPortrait));
    EXPECT_TRUE(s.SetOffset(12.5, -7.0));
    EXPECT_TRUE(s.SetScaleMode(PlotSetting::scaleRatio));
    EXPECT_TRUE(s.SetScale(0.5));
    EXPECT_TRUE(s.SetRangeMode(PlotSetting::rangePrintRange));
    EXPECT_TRUE(s.SetConvertColorMode(PlotSetting::colorBlack));
    s.SetLineWidthPrintable(FALSE);
    s.SetPointMarkerPrintable(FALSE);
    return s;
}

TEST(PlotSettingArchiveTest, SavedSettingComesBack)
{
    Draw2dDocument doc;
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 10));
    ASSERT_GT(doc.AddFeature(&line, nullptr, 1), 0);
    doc.SetPlotSetting(Edited());
    Draw2dDocument loaded;
    Load(loaded, Save(doc));
    EXPECT_TRUE(loaded.GetPlotSetting() == Edited());
    EXPECT_EQ(loaded.GetFeatureCount(), 1);
}

TEST(PlotSettingArchiveTest, DrawingWithoutSettingOpensWithTheDefault)
{
    Draw2dDocument doc;
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 10));
    ASSERT_GT(doc.AddFeature(&line, nullptr, 1), 0);
    doc.SetPlotSetting(Edited());
    std::vector<BYTE> bytes = Save(doc);
    ASSERT_GT(bytes.size(), kPlotBlock + kEndMark);
    // As written before plot settings were kept: the end mark follows the saved views at once.
    bytes.erase(bytes.end() - static_cast<long>(kPlotBlock + kEndMark), bytes.end() - static_cast<long>(kEndMark));
    Draw2dDocument loaded;
    loaded.SetPlotSetting(Edited());
    Load(loaded, bytes);
    EXPECT_TRUE(loaded.GetPlotSetting() == PlotSetting());
    EXPECT_EQ(loaded.GetFeatureCount(), 1);
}

TEST(PlotSettingArchiveTest, StoredValuesOutOfRangeReadAsTheDefault)
{
    for (double scale : {-1.0, 0.0, 1e9, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(scale);
        Draw2dDocument doc;
        doc.SetPlotSetting(Edited());
        std::vector<BYTE> bytes = Save(doc);
        std::memcpy(bytes.data() + bytes.size() - kEndMark - kPlotBlock + kScaleAt, &scale, sizeof scale);
        Draw2dDocument loaded;
        Load(loaded, bytes);
        EXPECT_TRUE(loaded.GetPlotSetting() == PlotSetting());
    }
}

// The setters refuse what the dialog refuses.
TEST(PlotSettingTest, SettersRefuseValuesOutOfRange)
{
    PlotSetting s;
    EXPECT_FALSE(s.SetOffset(10000.5, 0));
    EXPECT_FALSE(s.SetOffset(0, -10001));
    EXPECT_TRUE(s.SetOffset(-10000, 10000));
    EXPECT_FALSE(s.SetScale(0));
    EXPECT_FALSE(s.SetScale(-0.5));
    EXPECT_FALSE(s.SetScale(100.01));
    EXPECT_TRUE(s.SetScale(100.0));
    EXPECT_FALSE(s.SetRangeMode(3));
    EXPECT_FALSE(s.SetScaleMode(2));
    EXPECT_FALSE(s.SetOrientType(2));
    EXPECT_FALSE(s.SetConvertColorMode(2));
    EXPECT_TRUE(s.IsValid());
}

}  // namespace
