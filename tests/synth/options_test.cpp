#include "options.h"

#include <gtest/gtest.h>

namespace {

using synth::parseOptions;
using synth::UsageError;

TEST(SynthOptions, DefaultsAreATwoByOneMapOfSixteenBlocksPerSide) {
    const synth::Options o = parseOptions({"--out", "x"});
    EXPECT_EQ(o.out, "x");
    EXPECT_EQ(o.params.cols, 2);
    EXPECT_EQ(o.params.rows, 1);
    EXPECT_EQ(o.params.blocksPerSide, 16);
    EXPECT_EQ(o.params.seed, 1u);
    EXPECT_FALSE(o.targetVertices);
    EXPECT_FALSE(o.force);
}

TEST(SynthOptions, EveryOptionIsRead) {
    const synth::Options o = parseOptions({"--cols", "3", "--rows", "4", "--seed", "18446744073709551615",
                                           "--target-vertices", "2000000", "--force", "--out", "dir"});
    EXPECT_EQ(o.params.cols, 3);
    EXPECT_EQ(o.params.rows, 4);
    EXPECT_EQ(o.params.seed, UINT64_MAX);
    EXPECT_EQ(o.targetVertices, 2000000u);
    EXPECT_TRUE(o.force);
    EXPECT_EQ(parseOptions({"--out", "d", "--blocks-per-side", "250"}).params.blocksPerSide, 250);
}

TEST(SynthOptions, BadCommandLinesAreRefusedWithAReason) {
    auto message = [](std::vector<std::string> args) {
        try {
            parseOptions(args);
        } catch (const UsageError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message({}), "--out DIR is required");
    EXPECT_EQ(message({"--out"}), "--out needs a value");
    EXPECT_EQ(message({"--out", "d", "--cols", "0"}), "--cols must be between 1 and 100");
    EXPECT_EQ(message({"--out", "d", "--rows", "101"}), "--rows must be between 1 and 100");
    EXPECT_EQ(message({"--out", "d", "--cols", "2x"}), "--cols needs a whole number, not '2x'");
    EXPECT_EQ(message({"--out", "d", "--seed", "-1"}), "--seed needs a whole number, not '-1'");
    EXPECT_EQ(message({"--out", "d", "--blocks-per-side", "1"}), "--blocks-per-side must be between 2 and 250");
    EXPECT_EQ(message({"--out", "d", "--target-vertices", "0"}), "--target-vertices must be between 1 and 2000000000");
    EXPECT_EQ(message({"--out", "d", "--blocks-per-side", "8", "--target-vertices", "9"}),
              "give either --blocks-per-side or --target-vertices, not both");
    EXPECT_EQ(message({"--out", "d", "--colour"}), "unknown option '--colour'");
}

TEST(SynthOptions, HelpNeedsNothingElse) { EXPECT_TRUE(parseOptions({"--help"}).help); }

}  // namespace
