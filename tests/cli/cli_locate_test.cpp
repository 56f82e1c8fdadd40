// orvelle-cli locate on the bundled sample: the line format, a query of
// several arguments, and the failures with their exit status.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "support/cli_run.h"

namespace {

using testsupport::CliResult;
using testsupport::ShellQuoted;

CliResult locate(const std::string& arguments) {
    return testsupport::RunProgram(ORVELLE_CLI, "locate " + ShellQuoted(ORVELLE_SAMPLE) + " " + arguments);
}

std::vector<std::vector<std::string>> rows(const std::string& out) {
    std::vector<std::vector<std::string>> table;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
        if (!line.empty() && line.back() == '\t') fields.emplace_back();
        table.push_back(fields);
    }
    return table;
}

// Kind, six numbers with two decimals, the point within the bounds.
void expectPlaceLine(const std::vector<std::string>& f, const std::string& kind) {
    ASSERT_EQ(f.size(), 8u);
    EXPECT_EQ(f[0], kind);
    const std::regex twoDecimals("-?[0-9]+\\.[0-9]{2}");
    for (size_t i = 1; i <= 6; ++i) EXPECT_TRUE(std::regex_match(f[i], twoDecimals)) << f[i];
    const double x = std::stod(f[1]), y = std::stod(f[2]);
    EXPECT_LE(std::stod(f[3]), x);
    EXPECT_LE(std::stod(f[4]), y);
    EXPECT_GE(std::stod(f[5]), x);
    EXPECT_GE(std::stod(f[6]), y);
}

TEST(CliLocate, PrintsOneLinePerMatch) {
    const CliResult block = locate(ShellQuoted(u8"栄里五丁目 3"));
    ASSERT_EQ(block.status, 0) << block.err;
    const auto b = rows(block.out);
    ASSERT_EQ(b.size(), 1u);
    expectPlaceLine(b[0], "block");
    EXPECT_EQ(b[0][7], u8"群馬県青葉市栄里五丁目 3");

    const CliResult many = locate(u8"青葉市");
    ASSERT_EQ(many.status, 0);
    const auto m = rows(many.out);
    ASSERT_EQ(m.size(), 20u);
    expectPlaceLine(m[0], "municipality");
    expectPlaceLine(m[1], "chome");
}

TEST(CliLocate, ACoordinateOfSeveralArgumentsIsOnePoint) {
    const CliResult plane = locate("cfProjectedJGD09 -11937.8 -37453.2");
    ASSERT_EQ(plane.status, 0);
    const auto p = rows(plane.out);
    ASSERT_EQ(p.size(), 1u);
    expectPlaceLine(p[0], "point");
    EXPECT_EQ(p[0][1] + " " + p[0][2] + " " + p[0][5] + " " + p[0][6], "-11937.80 -37453.20 -11937.80 -37453.20");

    const CliResult dms = locate("35 39 54 139 42 11");
    const CliResult marked = locate(ShellQuoted(u8"35°39′54″N 139°42′11″E"));
    ASSERT_EQ(dms.status, 0);
    EXPECT_EQ(dms.out, marked.out);
    EXPECT_EQ(rows(dms.out)[0][7], u8"群馬県青葉市松田五丁目 3");
}

TEST(CliLocate, FailuresExitWithAMessage) {
    const CliResult outside = locate("'48.8566, 2.3522'");
    EXPECT_EQ(outside.status, 1);
    EXPECT_EQ(outside.out, "");
    EXPECT_NE(outside.err.find("outside the range of every plane rectangular coordinate system"), std::string::npos)
        << outside.err;
    const CliResult nothing = locate(u8"どこにもない町");
    EXPECT_EQ(nothing.status, 1);
    EXPECT_NE(nothing.err.find(u8"no place matches 'どこにもない町'"), std::string::npos) << nothing.err;
    EXPECT_EQ(testsupport::RunProgram(ORVELLE_CLI, "locate " + ShellQuoted(ORVELLE_SAMPLE)).status, 2);
}

}  // namespace
