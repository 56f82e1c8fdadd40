#include <gtest/gtest.h>

#include <cstdio>

#include "reference_matcher.h"
#include "regex/awk_string.h"

namespace {

std::string hexBytes(const std::string& s) {
    std::string out;
    char buf[4];
    for (unsigned char c : s) {
        std::snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    return out;
}

std::string describe(std::size_t found, std::size_t position, std::size_t length) {
    if (found == 0) return "none";
    return std::to_string(position) + " " + std::to_string(length);
}

}  // namespace

// The engine and the backtracking reference must find the same leftmost,
// then longest match on thousands of random patterns and Shift-JIS texts.
TEST(RegexDifferential, AgreesWithABacktrackingReference) {
    std::mt19937 rng(20240611);
    TAWKStr re;
    int compared = 0, matched = 0, anchored = 0;
    for (int round = 0; round < 5000; ++round) {
        const auto tree = reference::RandomPattern(rng);
        const std::string pattern = reference::Render(*tree);
        const bool lf = rng() % 4 == 0;
        re.SetLineSeparator(lf ? mcls_LF : mcls_CRLF);
        try {
            re.SetRegExp(pattern);
        } catch (const std::exception& e) {
            FAIL() << "pattern [" << hexBytes(pattern) << "] rejected: " << e.what();
        }
        anchored += re.UsesAnchoredMatch() ? 1 : 0;
        for (int k = 0; k < 6; ++k) {
            const std::string text = reference::RandomText(rng);
            const reference::Span want = reference::Match(*tree, text, lf);
            std::size_t position = 0, length = 0;
            const std::size_t found = re.Match(text, position, length);
            ++compared;
            matched += want.found ? 1 : 0;
            ASSERT_EQ(describe(found, position, length),
                      want.found ? describe(1, want.position, want.length) : "none")
                << "pattern [" << hexBytes(pattern) << "] text [" << hexBytes(text) << "]"
                << (lf ? " LF" : " CRLF");
        }
    }
    // The small alphabet keeps both outcomes frequent, anchors included.
    EXPECT_GT(matched, compared / 5);
    EXPECT_LT(matched, compared * 4 / 5);
    EXPECT_GT(anchored, 500);
}
