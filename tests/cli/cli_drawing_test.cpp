// orvelle-cli render, pick and address, run as a program on the town fixture.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <regex>

#include "base/sjis.h"
#include "reading/map_loading.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"

namespace {

using testsupport::CliResult;
using testsupport::ShellQuoted;

class CliDrawing : public ::testing::Test {
protected:
    CliDrawing() : town_(testsupport::writeTown(dir_.path())) {}

    CliResult run(const std::string& command, const std::string& rest = "") {
        return testsupport::RunProgram(ORVELLE_CLI, command + " " + ShellQuoted(town_.string()) + " " + rest);
    }

    // Renders into a PNG and reads it back (a null image when nothing was written).
    QImage render(const std::string& options, int expectedStatus = 0) {
        const std::filesystem::path out = dir_.path() / "map.png";
        std::filesystem::remove(out);
        EXPECT_EQ(run("render", "-o " + ShellQuoted(out.string()) + " " + options).status, expectedStatus);
        return QImage(QString::fromStdString(out.string()));
    }

    // The fill colour of the first polygon of the code, as the readers styled it.
    QRgb fillOf(int code) {
        std::unique_ptr<TKDKObject> map;
        TErrorList errors;
        LoadDataPath(map, town_.string(), errors);
        for (const auto& p : map->Polygons())
            if (p->Code() == code) return qRgb(p->FillColor & 0xFF, (p->FillColor >> 8) & 0xFF, p->FillColor >> 16);
        return 0;
    }

    testsupport::TempDir dir_;
    std::filesystem::path town_;
};

const QRgb kWhite = qRgb(255, 255, 255);

}  // namespace

TEST_F(CliDrawing, PickPrintsTheDetailsWithCrLf) {
    const CliResult r = run("pick", "100 72");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind(u8"道路線\r\n名称=中央通り\r\n------------------------------\r\n市区町村\r\n", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find(u8"大字・町丁目名=丸の内一丁目\r\n------------------------------\r\n"), std::string::npos);
    // Polygons in drawing order: the school after the block that holds it.
    const CliResult school = run("pick", "40 40");
    const size_t block = school.out.find(u8"街区\r\n"), building = school.out.find(u8"公共建物コード=3524(学校)");
    ASSERT_NE(block, std::string::npos);
    ASSERT_NE(building, std::string::npos);
    EXPECT_LT(block, building);

    EXPECT_NE(run("pick", "100 65.5").out.find(u8"三角点"), std::string::npos);
    EXPECT_EQ(run("pick", "100 67 --tolerance 1.5").out.find(u8"三角点"), std::string::npos);
    EXPECT_NE(run("pick", "100 67 --tolerance 2.5").out.find(u8"三角点"), std::string::npos);
    const CliResult nothing = run("pick", "-50 -50");
    EXPECT_EQ(nothing.status, 0);
    EXPECT_EQ(nothing.out, "");
}

TEST_F(CliDrawing, PickAndAddressRejectBadArguments) {
    EXPECT_EQ(run("pick", "1").status, 2);
    EXPECT_EQ(run("pick", "1 x").status, 2);
    EXPECT_EQ(run("pick", "1 2 --tolerance").status, 2);
    EXPECT_EQ(run("pick", "1 2 --tolerance -1").status, 2);
    EXPECT_EQ(run("address", "1").status, 2);
    EXPECT_EQ(run("address", "1 2 3").status, 2);
    EXPECT_EQ(testsupport::RunProgram(ORVELLE_CLI, "address /nonexistent/x.txt 1 2").status, 1);
}

TEST_F(CliDrawing, AddressPrintsFourLines) {
    EXPECT_EQ(run("address", "145 40").out, u8"東京都\n千代田区\n丸の内一丁目\n5,6\n");
    EXPECT_EQ(run("address", "100 100").out, u8"東京都\n千代田区\n丸の内一丁目\n\n");
    const CliResult outside = run("address", "-5 -5");
    EXPECT_EQ(outside.status, 0);
    EXPECT_EQ(outside.out, "\n\n\n\n");
}

TEST_F(CliDrawing, PointListsAnswerEachPointAsASingleQueryDoes) {
    const std::filesystem::path list = dir_.path() / "points.txt";
    std::ofstream(list) << "# clicks\n145 40\n\n100,100\n  -5 -5\n";
    const std::string points = "--points " + ShellQuoted(list.string());
    EXPECT_EQ(run("address", points).out, u8"145\t40\t東京都\t千代田区\t丸の内一丁目\t5,6\n"
                                           u8"100\t100\t東京都\t千代田区\t丸の内一丁目\t\n"
                                           "-5\t-5\t\t\t\t\n");
    EXPECT_EQ(run("pick", points).out, "# 145 40\n" + run("pick", "145 40").out + "# 100 100\n" +
                                           run("pick", "100 100").out + "# -5 -5\n");

    std::ofstream(list) << "145 40\n145 forty\n";
    const CliResult bad = run("address", points);  // nothing answered, the line named
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("points.txt:2:"), std::string::npos) << bad.err;
}

TEST_F(CliDrawing, RouteFollowsTheRoadsOrSaysWhyNot) {
    const std::filesystem::path out = dir_.path() / "route.geojson";
    const CliResult r = run("route", "20 70 180 76 --geojson " + ShellQuoted(out.string()));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, u8"length 160.00 m, 1 arcs, snapped 5.00 m / 1.00 m\n中央通り\n");
    std::ifstream in(out);
    const std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(json.find(R"("coordinates":[[20,75],[100,75],[180,75]])"), std::string::npos) << json;
    // The road of (150, 130) touches no other: no route, exit 1 with the reason.
    const CliResult none = run("route", "20 75 150 130");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("no road connects"), std::string::npos) << none.err;
    EXPECT_EQ(run("route", "1 2 3").status, 2);
}

TEST_F(CliDrawing, RenderFitsTheExtentInBlockMode) {
    // 800 x 600 shows 200 x 150 m at 3 px/m from (-33.3, 175) at the top left.
    const QImage image = render("");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 600));
    EXPECT_EQ(image.pixel(340, 450), fillOf(1108));  // world (80, 25) in block A
    EXPECT_EQ(image.pixel(145, 255), kWhite);         // world (15, 90): chome areas hidden
    EXPECT_EQ(image.pixel(10, 10), kWhite);

    EXPECT_EQ(render("--mode nogaiku").pixel(145, 255), fillOf(1106));
    EXPECT_EQ(render("--mode nogaiku").pixel(340, 450), fillOf(1106));
    EXPECT_EQ(render("--hide 11,21").pixel(340, 450), kWhite);
}

TEST_F(CliDrawing, RenderZoomsToTheBoxAtTheSize) {
    // The 70 x 40 m box fills 300 pixels with its 40 m side: 7.5 px/m around (55, 40).
    const QImage image = render("--box 20,20,90,60 --size 400x300");
    ASSERT_EQ(image.size(), QSize(400, 300));
    // The view is 53.3 x 40 m: x 28.3..81.7, y 20..60.
    EXPECT_EQ(image.pixel(200, 100), fillOf(1108));  // world (55, 46.7)
    EXPECT_EQ(image.pixel(125, 210), fillOf(3500));  // world (45, 32): the school
    EXPECT_EQ(render("--box 20,20,90,60 --size 400x300 --dpi 300").size(), QSize(400, 300));
}

TEST_F(CliDrawing, RenderWritesSvg) {
    const std::filesystem::path out = dir_.path() / "map.SVG";
    ASSERT_EQ(run("render", "-o " + ShellQuoted(out.string())).status, 0);
    std::ifstream in(out);
    const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("<path"), std::string::npos);      // filled areas
    EXPECT_NE(svg.find("<polyline"), std::string::npos);  // lines
    EXPECT_NE(svg.find(u8">千代田小学校<"), std::string::npos);
    EXPECT_NE(svg.find("font-family=\"Noto Sans CJK JP\""), std::string::npos);
}

TEST_F(CliDrawing, RenderTimingIsOneLineOnStandardError) {
    const std::filesystem::path out = dir_.path() / "timed.png";
    const CliResult r = run("render", "-o " + ShellQuoted(out.string()) + " --timing");
    ASSERT_EQ(r.status, 0);
    // Qt may add its own warnings; the timing is one whole line.
    EXPECT_TRUE(std::regex_search(
        r.err, std::regex(R"((^|\n)load \d+\.\d ms, first draw \d+\.\d ms, draw \d+\.\d ms\n)")))
        << r.err;
    EXPECT_FALSE(QImage(QString::fromStdString(out.string())).isNull());
}

TEST_F(CliDrawing, RenderRejectsBadArguments) {
    const std::string out = "-o " + ShellQuoted((dir_.path() / "x.png").string());
    EXPECT_EQ(run("render").status, 2);  // no output
    EXPECT_EQ(run("render", "-o " + ShellQuoted((dir_.path() / "x.jpg").string())).status, 2);
    EXPECT_EQ(run("render", out + " --mode some").status, 2);
    EXPECT_EQ(run("render", out + " --hide 41").status, 2);
    EXPECT_EQ(run("render", out + " --size 10").status, 2);
    EXPECT_EQ(run("render", out + " --size 0x10").status, 2);
    EXPECT_EQ(run("render", out + " --box 1,2,3").status, 2);
    EXPECT_EQ(run("render", out + " --box 5,5,1,1").status, 2);
    EXPECT_EQ(run("render", out + " --dpi x").status, 2);
    EXPECT_EQ(run("render", out + " --bogus").status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "x.png"));
    EXPECT_EQ(testsupport::RunProgram(ORVELLE_CLI, "render /nonexistent/x.txt " + out).status, 1);
    EXPECT_EQ(run("render", "-o /nonexistent/dir/x.png").status, 1);
}
