// Searching attribute texts of lines, polygons and points.
#include <gtest/gtest.h>

#include "support/reading_test_util.h"
#include "regex/regex_error.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"

using meshfiles::arcRecord;
using meshfiles::attributeRecord;

namespace {

class Search : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::MeshFixture m(dir.path(), "53394611");
        m.layer("A\\A.ARC", {arcRecord(2110, 0, 1, 1), "0,0", arcRecord(2300, 0, 2, 1), "0,0",
                             arcRecord(2110, 0, 3, 1), "0,0", arcRecord(1106, 0, 4, 1), "0,0"});
        m.layer("A\\A.PGN", {meshfiles::polygonRecord(3500, 1, 1, {0, 0}), "4",
                             meshfiles::polygonRecord(3501, 2, 1, {0, 0}), "4"});
        m.layer("A\\A.PNT", {meshfiles::pointRecord(2420, 1, {1, 1}), meshfiles::pointRecord(2420, 2, {1, 1})});
        m.layer("A\\A.ATR", {attributeRecord('L', 2110, 1, {u8"国道", u8"駅"}),
                             attributeRecord('L', 2300, 2, {u8"東京駅", u8"駅"}),
                             attributeRecord('A', 3500, 1, {"3524", u8"駅"}),
                             attributeRecord('A', 3501, 2, {"x"}),
                             attributeRecord('P', 2420, 1, {u8"東京駅"}),
                             attributeRecord('P', 2420, 2, {})});
        attempt = loadMesh(m.write());
        ASSERT_TRUE(attempt.ok) << attempt.fatal;
    }
    // "kind:id" of every hit, in order.
    std::vector<std::string> search(int major, int minor, bool regex, const char* text) {
        std::vector<const TKDKElement*> found;
        int n = SearchAttrib(*attempt.map, major, minor, found, regex, sj(text));
        EXPECT_EQ(static_cast<size_t>(n), found.size());
        std::vector<std::string> out;
        for (const TKDKElement* f : found) {
            const char* kind = f->FeatureKind == TFeatureKind::Line      ? "L"
                               : f->FeatureKind == TFeatureKind::Polygon ? "A"
                                                                         : "P";
            out.push_back(std::string(kind) + std::to_string(f->Id));
        }
        return out;
    }
    using Hits = std::vector<std::string>;
    testsupport::TempDir dir;
    LoadAttempt attempt;
};

}  // namespace

TEST_F(Search, PlainComparesWholeValuesAndListsEachFeatureOnce) {
    EXPECT_EQ(search(-1, -1, false, u8"駅"), (Hits{"L1", "L2", "A1"}));
    EXPECT_EQ(search(-1, -1, false, u8"東京駅"), (Hits{"L2", "P1"}));
    EXPECT_EQ(search(-1, -1, false, u8"東京"), Hits{});
    EXPECT_EQ(search(-1, -1, false, ""), Hits{});  // no value is empty
}

TEST_F(Search, PatternsMatchAnywhereAndAnchorsBindToTheValue) {
    EXPECT_EQ(search(-1, -1, true, u8"駅"), (Hits{"L1", "L2", "A1", "P1"}));
    EXPECT_EQ(search(-1, -1, true, u8"^駅$"), (Hits{"L1", "L2", "A1"}));
    // An empty match counts: every feature whose record has a value.
    // Polygons in drawing order: the unlisted code 3501 before public buildings.
    EXPECT_EQ(search(-1, -1, true, "x*"), (Hits{"L1", "L2", "A2", "A1", "P1"}));
}

TEST_F(Search, TargetCodesSelectTheFeatures) {
    EXPECT_EQ(search(21, -1, false, u8"駅"), (Hits{"L1"}));
    EXPECT_EQ(search(23, 0, true, u8"駅"), (Hits{"L2"}));
    EXPECT_EQ(search(35, 1, false, "x"), (Hits{"A2"}));
    EXPECT_EQ(search(35, 0, false, "x"), Hits{});
    EXPECT_EQ(search(-1, 0, true, "x*"), Hits{});  // a minor code without a major selects nothing
    EXPECT_EQ(search(24, -1, true, "x*"), (Hits{"P1"}));  // stations are railway facilities
    EXPECT_EQ(search(51, -1, true, "x*"), Hits{});
}

TEST_F(Search, MalformedPatternRaisesAndFindsNothing) {
    std::vector<const TKDKElement*> found;
    EXPECT_THROW(SearchAttrib(*attempt.map, -1, -1, found, true, "[a"), ERegExpParser);
    EXPECT_TRUE(found.empty());
    // Without any attribute record the pattern is never set, so nothing raises.
    TKDKObject empty;
    EXPECT_EQ(SearchAttrib(empty, -1, -1, found, true, "[a"), 0);
}

TEST(SearchEscapes, ValuesAreExpandedBeforeMatchingAndBadEscapesRaise) {
    testsupport::TempDir dir;
    testsupport::MeshFixture m(dir.path(), "53394611");
    m.layer("A\\A.PNT", {meshfiles::pointRecord(7301, 1, {0, 0}), meshfiles::pointRecord(7301, 2, {0, 0})});
    m.layer("A\\A.ATR", {attributeRecord('P', 7301, 1, {"a\\x41"}), attributeRecord('P', 7301, 2, {"b\\"})});
    LoadAttempt a = loadMesh(m.write());
    ASSERT_TRUE(a.ok) << a.fatal;
    std::vector<const TKDKElement*> found;
    EXPECT_EQ(SearchAttrib(*a.map, 73, 1, found, false, "a\\x41"), 1);  // plain: the text as stored
    found.clear();
    EXPECT_THROW(SearchAttrib(*a.map, 73, 1, found, true, "aA"), ERegExpParser);  // "b\" ends in a backslash
    ASSERT_EQ(found.size(), 1u);  // the first point matched before the second raised
    EXPECT_EQ(found[0]->Id, 1);
}
