// orvelle-cli locate on the bundled sample: the line format, a query of
// several arguments, the failures with their exit status, and address lists.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

#include "base/sjis.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

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

// The records of CSV text: fields split at commas outside double quotes, "" inside them one quote.
std::vector<std::vector<std::string>> csvRecords(const std::string& text) {
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                records.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                records.back().back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\n') {
            records.emplace_back(1);
        } else {
            records.back().back() += c;
        }
    }
    if (records.back().size() == 1 && records.back()[0].empty()) records.pop_back();
    return records;
}

class CliAddressList : public ::testing::Test {
protected:
    // Writes the lines (UTF-8) into a file in the encoding given and answers it.
    CliResult answer(const std::vector<std::string>& lines, bool shiftJis = false) {
        std::ofstream out(list_, std::ios::binary);
        for (const std::string& line : lines) out << (shiftJis ? sjis::fromUtf8(line) : line) << "\r\n";
        out.close();
        return locate("--queries " + ShellQuoted(list_));
    }

    testsupport::TempDir dir_;
    const std::string list_ = (dir_.path() / "list.txt").string();
};

TEST_F(CliAddressList, EachLineIsAnsweredAsASingleLocateAnswersIt) {
    const std::vector<std::string> queries = {
        u8"栄里五丁目 3",  u8"青葉市",        u8"松田五丁目", u8"35 39 54 139 42 11", u8"どこにもない町",
        "",               u8"48.8566, 2.3522", u8"栄里５－３"};
    const CliResult list = answer(queries);
    ASSERT_EQ(list.status, 0) << list.err;
    const auto records = csvRecords(list.out);
    ASSERT_EQ(records.size(), queries.size() + 1);
    EXPECT_EQ(records[0], (std::vector<std::string>{"query", "match", "name", "x", "y", "latitude", "longitude"}));
    for (size_t i = 0; i < queries.size(); ++i) {
        const std::vector<std::string>& r = records[i + 1];
        ASSERT_EQ(r.size(), 7u) << i;
        EXPECT_EQ(r[0], queries[i]);
        const CliResult single = locate(ShellQuoted(queries[i]));
        const auto places = rows(single.out);
        if (single.status != 0) {
            EXPECT_EQ(r, (std::vector<std::string>{queries[i], "nothing", "", "", "", "", ""})) << i;
            continue;
        }
        ASSERT_FALSE(places.empty()) << i;
        const std::vector<std::string>& best = places[0];
        EXPECT_EQ(r[1], best[0] == "point" ? "coordinate" : best[0]) << i;
        EXPECT_EQ(r[2], best[7]) << i;
        EXPECT_EQ(r[3], best[1]) << i;
        EXPECT_EQ(r[4], best[2]) << i;
        // Latitude and longitude as coords gives them for the point (hundredths of a second, longitude first).
        const CliResult g = testsupport::RunProgram(ORVELLE_CLI, "coords --from cfProjectedJGD09 --to cfGeodeticWGS " +
                                                                     r[3] + " " + r[4]);
        std::istringstream lonLat(g.out);
        double lon = 0, lat = 0;
        ASSERT_TRUE(lonLat >> lon >> lat) << g.out << g.err;
        EXPECT_NEAR(std::stod(r[5]), lat / 360000, 1e-7) << i;
        EXPECT_NEAR(std::stod(r[6]), lon / 360000, 1e-7) << i;
    }
    EXPECT_EQ(records[1][1], "block");
    EXPECT_EQ(records[2][1], "municipality");
    EXPECT_EQ(records[3][1], "chome");
    EXPECT_EQ(records[4][1], "coordinate");
    // The coordinate comes back as the degrees it was given: 35°39′54″, 139°42′11″.
    EXPECT_NEAR(std::stod(records[4][5]), 35 + 39 / 60.0 + 54 / 3600.0, 1e-7);
    EXPECT_NEAR(std::stod(records[4][6]), 139 + 42 / 60.0 + 11 / 3600.0, 1e-7);
    // The comma of a query is quoted; the unmatched lines are named with their reasons.
    EXPECT_NE(list.out.find(u8"\n\"48.8566, 2.3522\",nothing,"), std::string::npos) << list.out;
    EXPECT_NE(list.err.find(u8"list.txt:5: no place matches 'どこにもない町'"), std::string::npos) << list.err;
    EXPECT_NE(list.err.find("list.txt:7: '48.8566, 2.3522' lies outside the range"), std::string::npos) << list.err;
}

TEST_F(CliAddressList, ShiftJisAndStandardInputGiveTheSameAnswers) {
    const std::vector<std::string> queries = {u8"栄里五丁目 3", u8"松田五丁目", u8"群馬県青葉市"};
    const CliResult utf8 = answer(queries);
    ASSERT_EQ(utf8.status, 0);
    EXPECT_EQ(csvRecords(utf8.out).size(), 4u);
    const CliResult shiftJis = answer(queries, true);
    ASSERT_EQ(shiftJis.status, 0) << shiftJis.err;
    EXPECT_EQ(shiftJis.out, utf8.out);
    const CliResult piped = testsupport::RunProgram(
        ORVELLE_CLI, "locate " + ShellQuoted(ORVELLE_SAMPLE) + " --queries - < " + ShellQuoted(list_));
    EXPECT_EQ(piped.out, utf8.out);

    // Bytes that are neither: the line is named and nothing is answered.
    std::ofstream(list_, std::ios::binary) << sjis::fromUtf8(u8"栄里五丁目") << "\n\x81\x20\n";
    const CliResult neither = locate("--queries " + ShellQuoted(list_));
    EXPECT_EQ(neither.status, 1);
    EXPECT_EQ(neither.out, "");
    EXPECT_NE(neither.err.find("list.txt:2: neither UTF-8 nor Shift_JIS"), std::string::npos) << neither.err;
    EXPECT_EQ(locate("--queries " + ShellQuoted((dir_.path() / "none.txt").string())).status, 1);
    EXPECT_EQ(locate("--queries " + ShellQuoted(list_) + " " + ShellQuoted(u8"青葉市")).status, 2);
    EXPECT_EQ(locate("--queries").status, 2);
}

}  // namespace
