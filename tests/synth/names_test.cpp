#include "names.h"

#include <gtest/gtest.h>

#include <set>

#include "base/sjis.h"

namespace {

TEST(SynthNames, KanjiNumeralsAsChomeAreNumbered) {
    EXPECT_EQ(synth::kanjiNumeral(1), "一");
    EXPECT_EQ(synth::kanjiNumeral(10), "十");
    EXPECT_EQ(synth::kanjiNumeral(12), "十二");
    EXPECT_EQ(synth::kanjiNumeral(40), "四十");
    EXPECT_EQ(synth::kanjiNumeral(99), "九十九");
    EXPECT_EQ(synth::chomeName("桜台", 3), "桜台三丁目");
}

TEST(SynthNames, RoadNumbersAreFullWidth) {
    EXPECT_EQ(synth::fullWidthNumber(1), "１");
    EXPECT_EQ(synth::fullWidthNumber(254), "２５４");
}

TEST(SynthNames, TownNamesDoNotRepeatWhileCombinationsLast) {
    const auto names = synth::townNames(4, 500);
    ASSERT_EQ(names.size(), 500u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 500u);
    EXPECT_EQ(names, synth::townNames(4, 500));
    EXPECT_NE(names, synth::townNames(5, 500));
    // Many more towns than combinations still get a name each.
    EXPECT_EQ(synth::townNames(4, 20000).size(), 20000u);
}

TEST(SynthNames, EveryNameHasAShiftJisForm) {
    std::string out;
    for (const std::string& n : synth::townNames(9, 6000)) EXPECT_TRUE(sjis::tryFromUtf8(n, out)) << n;
    for (std::uint64_t seed = 0; seed < 30; ++seed) {
        EXPECT_TRUE(sjis::tryFromUtf8(synth::municipalityStem(seed), out));
        EXPECT_TRUE(sjis::tryFromUtf8(synth::riverName(seed), out));
    }
}

}  // namespace
