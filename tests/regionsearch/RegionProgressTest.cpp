// Progress reports, cancellation from the callback, the time limit, and boundaries of many pieces.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/afx/ResourceModule.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "regionsearch/KcRegionSearcher.h"

namespace {

// A regular polygon of n separate lines around the origin.
void AddPolygon(Draw2dDocument& doc, int n, double radius)
{
    for (int i = 0; i < n; ++i) {
        const double a0 = RuVa::TwoPi * i / n, a1 = RuVa::TwoPi * (i + 1) / n;
        Line2dFeature line(RuVaPnt2d(radius * std::cos(a0), radius * std::sin(a0)),
                           RuVaPnt2d(radius * std::cos(a1), radius * std::sin(a1)));
        ASSERT_GT(doc.AddFeature(&line, nullptr, 0), 0);
    }
}

struct Record {
    int kind;
    int displayType;
    int rangeMin;
    int position;
    int rangeMax;
    std::u16string text;
};

struct Recorder {
    std::vector<Record> records;
    int stopAtStep = -1;  // answer zero at this step record (1-based)
    int steps = 0;

    static int Callback(NotifyProgressInfo* info, void* user)
    {
        Recorder* self = static_cast<Recorder*>(user);
        self->records.push_back({info->m_nKind, info->m_nDisplayType, info->m_nRangeMin, info->m_nPosition,
                                 info->m_nRangeMax, info->m_pszText ? std::u16string(info->m_pszText) : u"(null)"});
        if (info->m_nKind == NotifyProgressInfo::kindStep && ++self->steps == self->stopAtStep)
            return 0;
        return 1;
    }
    int Count(int kind) const
    {
        int n = 0;
        for (const Record& r : records)
            n += r.kind == kind ? 1 : 0;
        return n;
    }
};

class RegionProgress : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxSetProgramString(11467, u"Looking for the closed region...");
        doc.InitDocument();
        AddPolygon(doc, 24, 10.0);
        searcher.SetNotifyProgressFunction(&Recorder::Callback, &recorder);
    }
    Draw2dDocument doc;
    Draw2dView view{&doc};
    KcRegionSearcher searcher{&doc};
    Recorder recorder;
};

TEST_F(RegionProgress, ASearchReportsBeginEveryStepAndEnd)
{
    ASSERT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(0.5, 0.25), 0), KcRegionSearcher::statusFound);
    ASSERT_GE(recorder.records.size(), 26u);
    EXPECT_EQ(recorder.records.front().kind, NotifyProgressInfo::kindBegin);
    EXPECT_EQ(recorder.records.back().kind, NotifyProgressInfo::kindFinish);
    EXPECT_EQ(recorder.Count(NotifyProgressInfo::kindBegin), 1);
    EXPECT_EQ(recorder.Count(NotifyProgressInfo::kindFinish), 1);
    EXPECT_GE(recorder.Count(NotifyProgressInfo::kindStep), 24);
    for (const Record& r : recorder.records) {
        EXPECT_EQ(r.displayType, 2);
        EXPECT_EQ(r.rangeMin, 0);
        EXPECT_EQ(r.position, 0);
        EXPECT_EQ(r.rangeMax, 100);
        EXPECT_EQ(r.text, u"Looking for the closed region...");
    }
    EXPECT_EQ(searcher.GetRegion()->GetFeatureCount(), 24);
}

TEST_F(RegionProgress, AZeroAnswerStopsWithinOneStep)
{
    for (int stopAt : {1, 2, 7, 20}) {
        SCOPED_TRACE(stopAt);
        recorder = Recorder();
        recorder.stopAtStep = stopAt;
        EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(0.5, 0.25), 0), KcRegionSearcher::statusCancelled);
        EXPECT_EQ(searcher.GetRegion(), nullptr);
        EXPECT_EQ(recorder.Count(NotifyProgressInfo::kindStep), stopAt);
        ASSERT_FALSE(recorder.records.empty());
        EXPECT_EQ(recorder.records.back().kind, NotifyProgressInfo::kindFinish);
        EXPECT_EQ(recorder.Count(NotifyProgressInfo::kindFinish), 1);
    }
}

TEST_F(RegionProgress, NothingIsReportedBeforeTracingBegins)
{
    // On a shape, and with a direction that meets nothing.
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(10, 0), 0), KcRegionSearcher::statusNoRegion);
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(30, 0), 0), KcRegionSearcher::statusNoRegion);
    EXPECT_EQ(searcher.SearchRegion(nullptr, RuVaPnt2d(0, 0), 0), KcRegionSearcher::statusNoRegion);
    EXPECT_TRUE(recorder.records.empty());
}

TEST_F(RegionProgress, WithoutACallbackTheSearchRunsToItsEnd)
{
    searcher.SetNotifyProgressFunction(nullptr, nullptr);
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(0.5, 0.25), 0), KcRegionSearcher::statusFound);
    EXPECT_TRUE(recorder.records.empty());
}

// A clock that moves on by a fixed step at every reading after the first.
struct StepClock {
    DWORD start;
    DWORD step;
    int reads = 0;
    static DWORD Tick(void* user)
    {
        StepClock* c = static_cast<StepClock*>(user);
        return c->start + c->step * static_cast<DWORD>(c->reads++ == 0 ? 0 : 1);
    }
};

TEST_F(RegionProgress, TheTimeLimitEndsTheSearchWithNoRegion)
{
    StepClock late{1000, 15001};
    searcher.SetTickCountFunction(&StepClock::Tick, &late);
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(0.5, 0.25), 0), KcRegionSearcher::statusNoRegion);
    EXPECT_EQ(searcher.GetRegion(), nullptr);
    // Stopped at the first step, and no further start curve was tried.
    EXPECT_EQ(recorder.Count(NotifyProgressInfo::kindStep), 1);
    EXPECT_EQ(recorder.records.back().kind, NotifyProgressInfo::kindFinish);
}

TEST_F(RegionProgress, TheTimeLimitCountsOnAWrappingTickCount)
{
    // Exactly at the limit is still in time; the tick count may wrap around meanwhile.
    StepClock atLimit{0xFFFFF000u, 15000};
    searcher.SetTickCountFunction(&StepClock::Tick, &atLimit);
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(0.5, 0.25), 0), KcRegionSearcher::statusFound);
    StepClock wrappedLate{0xFFFFF000u, 15001};
    searcher.SetTickCountFunction(&StepClock::Tick, &wrappedLate);
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(0.5, 0.25), 0), KcRegionSearcher::statusNoRegion);
    searcher.SetTickCountFunction(nullptr, nullptr);
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(0.5, 0.25), 0), KcRegionSearcher::statusFound);
}

TEST(NotifyProgressInfoRecord, DefaultsAndCopies)
{
    NotifyProgressInfo info;
    EXPECT_EQ(info.m_nKind, 0);
    EXPECT_EQ(info.m_nDisplayType, 0);
    EXPECT_EQ(info.m_nRangeMin, 0);
    EXPECT_EQ(info.m_nPosition, 0);
    EXPECT_EQ(info.m_nRangeMax, 100);
    EXPECT_EQ(info.m_pszText, nullptr);
    const char16_t* text = u"step";
    info.m_nKind = 3;
    info.m_nPosition = 42;
    info.m_pszText = text;
    NotifyProgressInfo copy(info);
    EXPECT_EQ(copy.m_nKind, 3);
    EXPECT_EQ(copy.m_nPosition, 42);
    EXPECT_EQ(copy.m_pszText, text);  // the pointer, not a copy of the text
    NotifyProgressInfo assigned;
    assigned = info;
    EXPECT_EQ(assigned.m_pszText, text);
    EXPECT_EQ(assigned.m_nRangeMax, 100);
}

TEST(RegionDepth, ABoundaryOfManyPiecesIsFoundWhole)
{
    // A walk of more than 300 steps once gave up here.
    for (int sides : {250, 400}) {
        SCOPED_TRACE(sides);
        Draw2dDocument doc;
        doc.InitDocument();
        AddPolygon(doc, sides, 100.0);
        Draw2dView view(&doc);
        KcRegionSearcher searcher(&doc);
        ASSERT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(0.5, 0.25), 0), KcRegionSearcher::statusFound);
        EXPECT_EQ(searcher.GetRegion()->GetFeatureCount(), sides);
    }
}

}  // namespace
