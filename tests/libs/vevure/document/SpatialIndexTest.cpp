#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSpatialIndex.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"

namespace {

std::vector<long> BruteForce(const Draw2dDocument& doc, const DrawingFeatureBase* d, const RuVaBndBox2d& box)
{
    std::vector<long> ids;
    for (long id = doc.GetNextFeatureRecordID(d, -1, 0); id != -1; id = doc.GetNextFeatureRecordID(d, id, 0)) {
        const RuVaBndBox2d b = doc.GetFeature(id)->GetBndBox();
        if (!b.IsVoid() && !b.IsOut(box))
            ids.push_back(id);
    }
    return ids;
}

// Every shape that meets the box is found; extra candidates may only lie within float rounding of it.
void ExpectSameAsBruteForce(const Draw2dDocument& doc, const DrawingFeatureBase* d, const RuVaBndBox2d& box)
{
    std::vector<long> found;
    doc.GetFeaturesInBox(d, box, found);
    std::sort(found.begin(), found.end());
    EXPECT_TRUE(std::adjacent_find(found.begin(), found.end()) == found.end()) << "an id twice";
    const std::vector<long> expected = BruteForce(doc, d, box);
    EXPECT_TRUE(std::includes(found.begin(), found.end(), expected.begin(), expected.end()));
    RuVaBndBox2d grown = box;
    grown.Enlarge(1e-3);
    for (long id : found) {
        ASSERT_NE(doc.GetFeature(id), nullptr);
        EXPECT_EQ(doc.GetFeatureDrawingID(id), d->GetDrawingID());
        EXPECT_FALSE(doc.GetFeature(id)->GetBndBox().IsOut(grown)) << "record " << id;
    }
}

TEST(SpatialIndexTest, TreeFindsWhatMeetsTheBox)
{
    FeatureSpatialIndex index;
    std::vector<FeatureSpatialIndex::Entry> entries;
    for (int i = 0; i < 1000; ++i) {
        FeatureSpatialIndex::Entry e;
        bool unbounded = false;
        ASSERT_TRUE(FeatureSpatialIndex::MakeEntry(
            i + 1, RuVaBndBox2d(RuVaPnt2d(i % 40, i / 40), RuVaPnt2d(i % 40 + 0.5, i / 40 + 0.5)), e, unbounded));
        EXPECT_FALSE(unbounded);
        entries.push_back(e);
    }
    index.Build(entries, {{RuVaBndBox2d(RuVaPnt2d(-1e300, 3), RuVaPnt2d(1e300, 3)), 5000},
                          {RuVaBndBox2d(RuVaPnt2d(-1e300, 9), RuVaPnt2d(1e300, 9)), 5001}});
    std::vector<long> found;
    index.Query(10.2, 2.9, 11.1, 3.4, [&](long id) { found.push_back(id); });
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<long>{3 * 40 + 10 + 1, 3 * 40 + 11 + 1, 5000}));
    FeatureSpatialIndex::Entry e;
    bool unbounded = false;
    EXPECT_FALSE(FeatureSpatialIndex::MakeEntry(1, RuVaBndBox2d(), e, unbounded));
}

TEST(SpatialIndexTest, DocumentQueriesFollowEveryChange)
{
    Draw2dDocument doc;
    const long part = doc.AddPartDrawingFeature(nullptr);
    DrawingFeatureBase* drawings[] = {doc.GetPaperFeature(0), doc.GetDrawingFeatureByID(part)};
    std::mt19937 rng(99);
    auto coord = [&] { return static_cast<double>(rng() % 2000) * 0.5; };
    auto add = [&](int n) {
        for (int i = 0; i < n; ++i) {
            const double x = coord(), y = coord();
            if (rng() % 50 == 0) {
                InfiniteLine2dFeature l;
                doc.AddFeature(&l, drawings[rng() % 2], 0);
            } else if (rng() % 2) {
                Line2dFeature l(RuVaPnt2d(x, y), RuVaPnt2d(x + coord() * 0.01, y + 3));
                doc.AddFeature(&l, drawings[rng() % 2], 0);
            } else {
                Circle2dFeature c(RuVaPnt2d(x, y), 1 + rng() % 5);
                doc.AddFeature(&c, drawings[rng() % 2], 0);
            }
        }
    };
    auto randomBox = [&] {
        const double x = coord(), y = coord();
        return RuVaBndBox2d(RuVaPnt2d(x, y), RuVaPnt2d(x + coord() * 0.1, y + coord() * 0.1));
    };
    add(3000);
    for (int round = 0; round < 40; ++round) {
        for (int q = 0; q < 5; ++q)
            ExpectSameAsBruteForce(doc, drawings[q % 2], randomBox());
        // Changes between queries: moves, deletions, additions, undo and redo.
        std::vector<long> ids;
        for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id))
            ids.push_back(id);
        for (int k = 0; k < 30; ++k) {
            const long id = ids[rng() % ids.size()];
            if (doc.GetFeature(id) == nullptr)
                continue;
            if (rng() % 3 == 0) {
                doc.DeleteFeature(id, 0);
            } else {
                Line2dFeature moved(RuVaPnt2d(coord(), coord()), RuVaPnt2d(coord(), coord()));
                doc.UpdateFeature(id, &moved, 0, 0xFFFF);
            }
        }
        add(static_cast<int>(rng() % 40));
        if (round % 5 == 4)
            add(5000);  // enough to rebuild the trees
        if (round % 3 == 0)
            doc.Undo(1 + static_cast<int>(rng() % 10));
        if (round % 6 == 0)
            doc.Redo(1 + static_cast<int>(rng() % 5));
    }
    std::vector<long> none;
    EXPECT_EQ(doc.GetFeaturesInBox(nullptr, RuVaBndBox2d(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)), none), 0);
}

}  // namespace
