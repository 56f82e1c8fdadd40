// The queries by code group visit exactly what the box queries visit with
// the same filter, in the same order, whichever way each mesh is walked.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "map/grouped_queries.h"
#include "support/feature_builders.h"

namespace {

// Two finished meshes of lines (four codes in three colours), points and labels.
void fillTown(TKDKObject& map, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> coord(-1500, 1500), step(-40, 40);
    const int lineCodes[] = {2110, 2101, 1106, 2300};
    const TColor colors[] = {clBlack, clMaroon, clNavy};
    for (int mesh = 0; mesh < 2; ++mesh) {
        TKDKObject part;
        TKDKObject& target = mesh == 0 ? map : part;
        target.BeginMesh(std::make_unique<TKDKDescription>(0, mesh == 0 ? "a\\A.txt" : "b\\B.txt"));
        for (int i = 0; i < 3000; ++i) {
            std::vector<TGeoPoint> v{At(coord(rng), coord(rng))};
            v.push_back(At(v.back().X + step(rng), v.back().Y + step(rng)));
            AddLineTo(target, lineCodes[rng() % 4], 0, v).Color = colors[rng() % 3];
        }
        for (int i = 0; i < 800; ++i) {
            TKDKPoint& q = AddPointFeatureTo(target, i % 2 ? 7301 : 2420, At(coord(rng), coord(rng)));
            TKDKAttribute& a = Attach(target, q, i % 3 ? 2420 : 3501, {"st"});
            if (i % 4) a.SetLabel("st", q.Position, clMaroon, 15);
        }
        target.FinishMesh();
        if (mesh == 1) {
            TErrorList errors;
            ASSERT_TRUE(map.Merge(part, errors));
        }
    }
}

}  // namespace

TEST(GroupedQueries, VisitWhatAFilteredBoxQueryVisits) {
    TKDKObject map;
    fillTown(map, 3);
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> coord(-1700, 1700), side(0, 4000);
    const std::vector<TCodeGroupKey> keys{{2110, clBlack}, {2110, clMaroon}, {2101, clNavy}, {1106, clBlack},
                                          {2300, clMaroon},   {7301, 0},     {2420, 0},       {3501, 0}};
    size_t visited = 0;
    for (int i = 0; i < 400; ++i) {
        // Boxes from a point to more than the whole map; any subset of the groups.
        const double x = coord(rng), y = coord(rng), w = side(rng) * (i % 2), h = side(rng) * (i % 3 == 0);
        const TGridBox box{x - w, y - h, x + w, y + h};
        std::set<std::pair<int32_t, TColor>> chosen;
        for (const TCodeGroupKey& k : keys)
            if (rng() % 3 == 0) chosen.insert({k.Code, k.Color});
        auto wanted = [&](TCodeGroupKey k) { return chosen.count({k.Code, k.Color}) > 0; };

        std::vector<const TKDKElement*> expected, got;
        auto keep = [](std::vector<const TKDKElement*>& out) { return [&out](const TKDKElement& f) { out.push_back(&f); }; };
        auto filtered = [&](auto& out) {
            return [&](const auto& f) {
                if (wanted(CodeGroupKeyOf(f))) out.push_back(&f);
            };
        };
        map.ForEachLineOverlapping(box, filtered(expected));
        map.ForEachPointOverlapping(box, filtered(expected));
        map.ForEachLabelOverlapping(box, filtered(expected));
        ForEachLineInGroups(map, box, wanted, keep(got));
        ForEachPointInGroups(map, box, wanted, keep(got));
        ForEachLabelInGroups(map, box, wanted, keep(got));
        ASSERT_EQ(got, expected) << x << " " << y << " " << w << " " << h;
        visited += got.size();
    }
    EXPECT_GT(visited, 20000u);
}
