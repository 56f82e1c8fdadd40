#include "geometry.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using synth::Pt;
using synth::Rect;
using synth::TaggedRing;

TaggedRing square(synth::Cm x0, synth::Cm y0, synth::Cm x1, synth::Cm y1) {
    TaggedRing r;
    for (Pt p : {Pt{x0, y0}, Pt{x1, y0}, Pt{x1, y1}, Pt{x0, y1}}) r.add(p, synth::kTagOrdinary);
    return r;
}

TEST(Geometry, RoundDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(synth::roundDiv(5, 2), 3);
    EXPECT_EQ(synth::roundDiv(-5, 2), -3);
    EXPECT_EQ(synth::roundDiv(4, 3), 1);
    EXPECT_EQ(synth::roundDiv(-4, 3), -1);
    EXPECT_EQ(synth::roundDiv(0, 7), 0);
}

TEST(Geometry, ARingInsideTheBoxStaysOneClosedRun) {
    const auto runs = synth::ringRuns(synth::clipRing(square(10, 10, 20, 20), {0, 0, 100, 100}));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].tag, synth::kTagOrdinary);
    ASSERT_EQ(runs[0].pts.size(), 5u);
    EXPECT_EQ(runs[0].pts.front(), runs[0].pts.back());
}

TEST(Geometry, ARingCutByTheBoxIsClosedAlongTheEdge) {
    const TaggedRing cut = synth::clipRing(square(-10, 0, 10, 20), {0, -50, 100, 50});
    const auto runs = synth::ringRuns(cut);
    ASSERT_EQ(runs.size(), 2u);
    // The runs join end to end into the ring x 0..10, y 0..20.
    EXPECT_EQ(runs[0].pts.back(), runs[1].pts.front());
    EXPECT_EQ(runs[1].pts.back(), runs[0].pts.front());
    const auto& edge = runs[0].tag == synth::kTagSheetEdge ? runs[0] : runs[1];
    const auto& rest = runs[0].tag == synth::kTagSheetEdge ? runs[1] : runs[0];
    ASSERT_EQ(edge.tag, synth::kTagSheetEdge);
    for (Pt p : edge.pts) EXPECT_EQ(p.x, 0);
    EXPECT_EQ(rest.tag, synth::kTagOrdinary);
    EXPECT_EQ(rest.pts.size(), 4u);  // (0,0) (10,0) (10,20) (0,20)
}

TEST(Geometry, ARingOutsideTheBoxVanishes) {
    EXPECT_TRUE(synth::clipRing(square(200, 200, 300, 300), {0, 0, 100, 100}).pts.empty());
    EXPECT_TRUE(synth::ringRuns({}).empty());
}

TEST(Geometry, TagsOfTheRingSurviveTheCut) {
    TaggedRing r = square(-10, 0, 10, 20);
    r.tags[2] = synth::kTagClosing;  // the east side, into (10, 20)
    std::set<int> tags;
    for (const auto& run : synth::ringRuns(synth::clipRing(r, {0, -50, 100, 50}))) tags.insert(run.tag);
    EXPECT_EQ(tags, (std::set<int>{synth::kTagOrdinary, synth::kTagClosing, synth::kTagSheetEdge}));
}

TEST(Geometry, NeighbouringBoxesCutASegmentAtTheSamePoint) {
    // The crossing is computed the same way from either side.
    TaggedRing r;
    r.add({-7, 3}, 0);
    r.add({13, 11}, 0);
    r.add({13, 40}, 0);
    const TaggedRing left = synth::clipRing(r, {-100, -100, 0, 100});
    const TaggedRing right = synth::clipRing(r, {0, -100, 100, 100});
    std::set<std::pair<long long, long long>> onEdgeLeft, onEdgeRight;
    for (Pt p : left.pts) if (p.x == 0) onEdgeLeft.insert({p.x, p.y});
    for (Pt p : right.pts) if (p.x == 0) onEdgeRight.insert({p.x, p.y});
    EXPECT_EQ(onEdgeLeft, onEdgeRight);
    EXPECT_EQ(onEdgeLeft.size(), 2u);
}

TEST(Geometry, APolylineIsCutIntoThePiecesInsideTheBox) {
    const std::vector<Pt> line{{-10, 5}, {10, 5}, {10, 30}, {5, 30}, {5, 8}};
    const auto pieces = synth::clipPolyline(line, {0, 0, 20, 20});
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], (std::vector<Pt>{{0, 5}, {10, 5}, {10, 20}}));
    EXPECT_EQ(pieces[1], (std::vector<Pt>{{5, 20}, {5, 8}}));
    EXPECT_TRUE(synth::clipPolyline({{-5, -5}, {-1, -1}}, {0, 0, 20, 20}).empty());
    EXPECT_TRUE(synth::clipPolyline({{0, 0}}, {0, 0, 20, 20}).empty());
}

TEST(Geometry, InteriorPointFallsBackToTheWidestSpan) {
    // An L-shaped ring whose box centre lies in the notch.
    const std::vector<Pt> ring{{0, 0}, {100, 0}, {100, 20}, {20, 20}, {20, 100}, {0, 100}};
    EXPECT_FALSE(synth::insideRing(ring, {50, 50}));
    const Pt p = synth::interiorPoint(ring, {50, 50});
    EXPECT_TRUE(synth::insideRing(ring, p));
    EXPECT_EQ(p.y, 50);
    EXPECT_EQ(synth::interiorPoint(ring, {10, 10}), (Pt{10, 10}));
}

}  // namespace
