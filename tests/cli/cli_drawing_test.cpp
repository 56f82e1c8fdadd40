// orvelle-cli render, print, pick, address and route, run as a program on the town fixture.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QTransform>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "base/sjis.h"
#include "reading/map_loading.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"
#include "support/unwritable.h"

namespace {

using testsupport::CliResult;
using testsupport::ShellQuoted;

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

// Colours through PDF and back may differ by a step of rounding.
bool nearColour(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 && std::abs(qBlue(a) - qBlue(b)) <= 2;
}

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

    // Prints into a PDF (status as expected) and gives its path.
    std::filesystem::path print(const std::string& options, int expectedStatus = 0) {
        const std::filesystem::path out = dir_.path() / "page.pdf";
        std::filesystem::remove(out);
        const CliResult r = run("print", ShellQuoted(out.string()) + " " + options);
        EXPECT_EQ(r.status, expectedStatus) << r.err;
        return out;
    }

    // A rectangle of one page of the PDF rasterised by pdftoppm at the printer's 600 dpi: one pixel per dot.
    QImage pageDots(const std::filesystem::path& pdf, int left, int top, int width, int height, int page = 1) {
        const std::filesystem::path png = dir_.path() / "dots";
        std::filesystem::remove(png.string() + ".png");
        const std::string area = "-x " + std::to_string(left) + " -y " + std::to_string(top) + " -W " +
                                 std::to_string(width) + " -H " + std::to_string(height);
        const std::string pages = "-f " + std::to_string(page) + " -l " + std::to_string(page);
        testsupport::RunProgram("pdftoppm", "-r 600 -png -singlefile " + pages + " " + area + " " +
                                                ShellQuoted(pdf.string()) + " " + ShellQuoted(png.string()));
        return QImage(QString::fromStdString(png.string() + ".png")).convertToFormat(QImage::Format_RGB32);
    }

    // The text of one page of the PDF, as pdftotext reads it.
    std::string pageText(const std::filesystem::path& pdf, int page) {
        const std::string pages = "-f " + std::to_string(page) + " -l " + std::to_string(page);
        return testsupport::RunProgram("pdftotext", pages + " " + ShellQuoted(pdf.string()) + " -").out;
    }

    // The first and last dot of the colour in one row of dots (-1, -1 when it has none).
    static std::pair<int, int> runOf(const QImage& row, QRgb colour) {
        std::pair<int, int> run{-1, -1};
        for (int x = 0; x < row.width(); ++x) {
            if (!nearColour(row.pixel(x, 0), colour)) continue;
            if (run.first < 0) run.first = x;
            run.second = x;
        }
        return run;
    }

    std::string pdfInfo(const std::filesystem::path& pdf) {
        return testsupport::RunProgram("pdfinfo", ShellQuoted(pdf.string())).out;
    }

    testsupport::TempDir dir_;
    std::filesystem::path town_;
};

// The A4 sheet of Qt's PDF printer at 600 dpi, and 10 mm in dots.
constexpr int kSheetWidth = 4958, kSheetHeight = 7017, kMargin = 236;

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

    std::ofstream(list) << "\xEF\xBB\xBF" "145 40\n";  // a byte order mark, as Windows editors write
    EXPECT_EQ(run("address", points).out, u8"145\t40\t東京都\t千代田区\t丸の内一丁目\t5,6\n");

    for (const char* line : {"145 forty", "0x10 40", "145 inf"}) {
        std::ofstream(list) << "145 40\n" << line << "\n";
        const CliResult bad = run("address", points);  // nothing answered, the line named
        EXPECT_EQ(bad.status, 1) << line;
        EXPECT_EQ(bad.out, "");
        EXPECT_NE(bad.err.find("points.txt:2:"), std::string::npos) << bad.err;
    }
    EXPECT_EQ(run("pick", "0x10 40").status, 2);
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
    // 4.81 km east of the main road's end: refused with the distance, though that road would lead there.
    const CliResult far = run("route", "5000 75 20 75");
    EXPECT_EQ(far.status, 1);
    EXPECT_EQ(far.out, "");
    EXPECT_NE(far.err.find("the nearest road is 4.8 km from the start point"), std::string::npos) << far.err;
    EXPECT_EQ(far.err.find("no road connects"), std::string::npos) << far.err;
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

TEST_F(CliDrawing, PrintFramesTheWholeAreaAtTheMargins) {
    const std::filesystem::path pdf = print("--whole");
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_NE(pdfInfo(pdf).find("Page size:       595 x 842 pts (A4)"), std::string::npos);
    // The one-dot frame on the outermost dots of the print rectangle, nothing outside it.
    const int right = kSheetWidth - kMargin - 1, bottom = kSheetHeight - kMargin - 1;
    const QImage topLeft = pageDots(pdf, kMargin - 5, kMargin - 5, 20, 20);
    ASSERT_EQ(topLeft.size(), QSize(20, 20));
    for (int i = 5; i < 20; ++i) {
        EXPECT_EQ(topLeft.pixel(i, 5), kBlack) << i;  // top edge
        EXPECT_EQ(topLeft.pixel(5, i), kBlack) << i;  // left edge
        EXPECT_EQ(topLeft.pixel(i, 4), kWhite) << i;
        EXPECT_EQ(topLeft.pixel(4, i), kWhite) << i;
    }
    const QImage bottomRight = pageDots(pdf, right - 14, bottom - 14, 20, 20);
    for (int i = 0; i <= 14; ++i) {
        EXPECT_EQ(bottomRight.pixel(i, 14), kBlack) << i;
        EXPECT_EQ(bottomRight.pixel(14, i), kBlack) << i;
        EXPECT_EQ(bottomRight.pixel(i, 15), kWhite) << i;
        EXPECT_EQ(bottomRight.pixel(15, i), kWhite) << i;
    }
    // The town's 200 m fill the 4486 dots across (22.43 dots a metre) around the rectangle's middle:
    // world (x, y) at dot (236 + 22.43 x, 3508.5 - 22.43 (y - 75)). The row through the park, y = 97.5 m.
    const int row = static_cast<int>(3508.5 - 22.43 * 22.5);
    const QImage band = pageDots(pdf, 0, row, kSheetWidth, 1);
    auto at = [&](double x) { return band.pixel(static_cast<int>(kMargin + 22.43 * x), 0); };
    const QRgb park = fillOf(6242);
    for (double x : {121.0, 150.0, 179.0}) EXPECT_TRUE(nearColour(at(x), park)) << x;
    for (double x : {118.0, 182.0}) EXPECT_FALSE(nearColour(at(x), park)) << x;
}

TEST_F(CliDrawing, PrintShowsTheViewAtTheScreensScale) {
    // The view of 400 x 300 pixels at 2 px/m around (100, 75) on a 96 dpi screen: 12.5 dots a metre on paper.
    const std::filesystem::path pdf = print("--size 400x300 --box 0,0,200,150");
    const double middleX = kMargin + (kSheetWidth - 2 * kMargin) / 2.0, middleY = kSheetHeight / 2.0;
    const QImage band = pageDots(pdf, 0, static_cast<int>(middleY - 12.5 * 22.5), kSheetWidth, 1);
    auto at = [&](double x) { return band.pixel(static_cast<int>(middleX + 12.5 * (x - 100)), 0); };
    const QRgb park = fillOf(6242);
    for (double x : {121.0, 150.0, 179.0}) EXPECT_TRUE(nearColour(at(x), park)) << x;
    for (double x : {118.0, 182.0}) EXPECT_FALSE(nearColour(at(x), park)) << x;
    // The paper shows more than the screen: the town ends 1250 dots either side of the middle.
    EXPECT_EQ(band.pixel(static_cast<int>(middleX - 1270), 0), kWhite);
    EXPECT_EQ(band.pixel(kMargin, 0), kBlack);
}

TEST_F(CliDrawing, PrintAtAChosenScaleMeasuresRightOnPaper) {
    // The park is 60 m wide (x 120 to 180 m), 25 m high (y 85 to 110 m): 24 mm and 10 mm at 1:2,500, 60 mm
    // and 25 mm at 1:1,000, around the view's centre (100, 75) in the print rectangle's middle.
    const QRgb park = fillOf(6242);
    const double dotsPerMillimetre = 600 / 25.4;  // pdftoppm's dots at -r 600
    const double middleX = kMargin + (kSheetWidth - 2 * kMargin) / 2.0, middleY = kSheetHeight / 2.0;
    for (const int scale : {2500, 1000}) {
        const std::filesystem::path pdf =
            print("--size 400x300 --box 0,0,200,150 --scale " + std::to_string(scale));
        ASSERT_NE(pdfInfo(pdf).find("Page size:       595 x 842 pts (A4)"), std::string::npos);
        const double dotsPerMetre = dotsPerMillimetre * 1000 / scale;
        // Across the park through its middle row, and down it through its middle column.
        const QImage across = pageDots(pdf, 0, static_cast<int>(middleY - 22.5 * dotsPerMetre), kSheetWidth, 1);
        const QImage down = pageDots(pdf, static_cast<int>(middleX + 50 * dotsPerMetre), 0, 1, kSheetHeight)
                                .transformed(QTransform().rotate(90));
        const auto [west, east] = runOf(across, park);
        const auto [south, north] = runOf(down, park);
        ASSERT_GE(west, 0) << scale;
        ASSERT_GE(south, 0) << scale;
        // The map's metres over the paper's millimetres, within 0.5 %.
        const double measuredAcross = 60 / ((east - west + 1) / dotsPerMillimetre / 1000);
        const double measuredDown = 25 / ((north - south + 1) / dotsPerMillimetre / 1000);
        EXPECT_NEAR(measuredAcross, scale, scale * 0.005) << "across " << east - west + 1 << " dots";
        EXPECT_NEAR(measuredDown, scale, scale * 0.01) << "down " << north - south + 1 << " dots";
        // The scale and a scale bar of 100 m (40 mm) at 1:2,500 or 50 m (50 mm) at 1:1,000.
        const std::string text = pageText(pdf, 1);
        EXPECT_NE(text.find(scale == 2500 ? "1:2,500" : "1:1,000"), std::string::npos) << text;
        int longest = 0;  // the bar: the longest unbroken black run in a row of the lower-left corner
        const QImage corner = pageDots(pdf, kMargin + 2, kSheetHeight - kMargin - 300, 1600, 290);
        for (int y = 0; y < corner.height(); ++y) {
            for (int x = 0, run = 0; x < corner.width(); ++x) {
                run = corner.pixel(x, y) == kBlack ? run + 1 : 0;
                longest = std::max(longest, run);
            }
        }
        const double barMillimetres = longest / dotsPerMillimetre;
        EXPECT_NEAR(barMillimetres, scale == 2500 ? 40 : 50, 1.5) << longest;
    }
    // Without --scale the page prints as ever: no scale text on it.
    EXPECT_EQ(pageText(print("--size 400x300 --box 0,0,200,150"), 1).find("1:"), std::string::npos);
}

TEST_F(CliDrawing, TheWholeAreaAtAScaleGoesOnOverlappingPages) {
    // At 1:500 an A4 rectangle shows 94.95 x 138.54 m: the town's 200 x 150 m take 3 columns and 2 rows.
    const std::filesystem::path pdf = print("--whole --scale 500");
    const std::string info = pdfInfo(pdf);
    EXPECT_NE(info.find("Pages:           7\n"), std::string::npos) << info;
    // Each page's label ("R1 C2"; Qt's PDF text of the Japanese font leaves the digits out of the text
    // that pdftotext reads, so the letters are counted) and its scale; the overview shows all six labels.
    auto count = [](const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    const std::string overview = pageText(pdf, 1);
    EXPECT_EQ(count(overview, "R C"), 6u) << overview;
    EXPECT_EQ(overview.find("1:500"), std::string::npos);  // the overview is not at that scale
    for (int page = 2; page <= 7; ++page) {
        const std::string text = pageText(pdf, page);
        EXPECT_EQ(count(text, "R C"), 1u) << page << text;
        EXPECT_EQ(count(text, "1:500"), 1u) << page << text;
    }
    // The park (x 120 to 180 m) runs off the east edge of R1 C2 and on from the west edge of R1 C3: the
    // two pieces together are the park's 120 mm and the overlap.
    const QRgb park = fillOf(6242);
    const double dotsPerMillimetre = 600 / 25.4;
    int pieces = 0;
    // The park's middle row, 44.27 m below the first row's centre (y 141.77 m): 88.5 mm below the page's middle.
    const int row = static_cast<int>(kSheetHeight / 2.0 + 88.5 * dotsPerMillimetre);
    for (const int page : {3, 4}) {
        const auto [first, last] = runOf(pageDots(pdf, 0, row, kSheetWidth, 1, page), park);
        ASSERT_GE(first, 0) << page;
        pieces += last - first + 1;
    }
    EXPECT_NEAR(pieces / dotsPerMillimetre - 120, 10, 0.3) << pieces;

    // Pages beyond count are refused before anything is written.
    const std::filesystem::path out = dir_.path() / "page.pdf";
    std::filesystem::remove(out);
    const CliResult many = run("print", ShellQuoted(out.string()) + " --whole --scale 10");
    EXPECT_EQ(many.status, 1);
    EXPECT_NE(many.err.find("the whole area at 1:10 needs"), std::string::npos) << many.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    for (const char* bad : {"--scale 0", "--scale 2.5", "--scale x", "--scale 10000001", "--scale"})
        EXPECT_FALSE(std::filesystem::exists(print(bad, 2))) << bad;
}

TEST_F(CliDrawing, PrintCopiesTitleAndPaper) {
    const std::string info = pdfInfo(print("--copies 5"));
    EXPECT_NE(info.find("Pages:           5\n"), std::string::npos) << info;  // a PDF holds each copy as a page
    EXPECT_TRUE(std::regex_search(info, std::regex(u8"(^|\n)Title:\\s+丸の内一丁目\n"))) << info;  // the centre's chome
    EXPECT_NE(pdfInfo(print("--paper a5")).find("(A5)"), std::string::npos);
}

TEST_F(CliDrawing, PrintRefusesMarginsThatDoNotFitAndLeavesNoFile) {
    // 110 + 100 mm are 4961 dots across the 4958 of A4.
    const std::filesystem::path out = dir_.path() / "page.pdf";
    const CliResult r = run("print", ShellQuoted(out.string()) + " --margins 110,10,100,10");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(u8"印刷範囲が小さすぎます"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_TRUE(std::filesystem::exists(print("--margins 110,10,100,10 --paper A3")));  // room on A3

    for (const char* bad : {"--copies 0", "--copies 100", "--margins 1,2,3", "--margins -1,0,0,0",
                            "--margins 1.5,0,0,0", "--margins 1000,0,0,0", "--margins 0x10,0,0,0",
                            "--margins nan,0,0,0", "--paper Z9", "--paper Custom", "--size 0x1",
                            "--size 20000x20000", "--size 8001x8000", "--bogus"})
        EXPECT_FALSE(std::filesystem::exists(print(bad, 2))) << bad;
    // A box that shows nothing of the data would print a blank page.
    const CliResult outside = run("print", ShellQuoted(out.string()) + " --box 1000,1000,2000,2000");
    EXPECT_EQ(outside.status, 1);
    EXPECT_NE(outside.err.find("--box lies outside the data (X 0.00 to 200.00, Y 0.00 to 150.00)"),
              std::string::npos) << outside.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(run("print", ShellQuoted((dir_.path() / "page.png").string())).status, 2);
    EXPECT_EQ(run("print").status, 2);
    EXPECT_EQ(run("print", "/nonexistent/dir/page.pdf").status, 1);
}

// print and route --geojson write beside OUT and rename the whole file into place.
class CliOutputs : public CliDrawing {
protected:
    CliOutputs() { std::filesystem::create_directory(folder_); }
    CliResult printTo(const std::string& name) { return run("print", ShellQuoted((folder_ / name).string())); }
    CliResult routeTo(const std::string& name) {
        return run("route", "20 70 180 76 --geojson " + ShellQuoted((folder_ / name).string()));
    }
    std::string text(const std::string& name) {
        std::ifstream in(folder_ / name);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    // The names in the output folder: a temporary file left behind shows here.
    std::set<std::string> names() {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) found.insert(entry.path().filename());
        return found;
    }
    std::string cannotWrite(const std::string& name, int error) {
        return "cannot write " + (folder_ / name).string() + ": " + std::strerror(error) + "\n";
    }

    const std::filesystem::path folder_ = dir_.path() / "out";
};

TEST_F(CliOutputs, WhatCannotBeReplacedStaysAsItWas) {
    for (const char* name : {"d.pdf", "r.geojson"}) std::filesystem::create_directory(folder_ / name);
    const CliResult intoFolder = printTo("d.pdf");
    EXPECT_EQ(intoFolder.status, 1);
    EXPECT_NE(intoFolder.err.find(cannotWrite("d.pdf", EISDIR)), std::string::npos) << intoFolder.err;
    const CliResult routeIntoFolder = routeTo("r.geojson");
    EXPECT_EQ(routeIntoFolder.status, 1);
    EXPECT_NE(routeIntoFolder.err.find(cannotWrite("r.geojson", EISDIR)), std::string::npos) << routeIntoFolder.err;

    // A write that fails half-way (beyond the file size limit, SIGXFSZ ignored) keeps the old file.
    std::ofstream(folder_ / "old.pdf") << "old";
    const std::string limited = "trap '' XFSZ; ulimit -f 8; exec " ORVELLE_CLI " print " +
                                ShellQuoted(town_.string()) + " " + ShellQuoted((folder_ / "old.pdf").string());
    const CliResult cut = testsupport::RunProgram("sh -c", ShellQuoted(limited));
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("cannot write " + (folder_ / "old.pdf").string()), std::string::npos) << cut.err;
    EXPECT_EQ(text("old.pdf"), "old");

    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "d.pdf"));
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "r.geojson"));
    EXPECT_EQ(names(), (std::set<std::string>{"d.pdf", "r.geojson", "old.pdf"}));
}

TEST_F(CliOutputs, ALinkAtTheOutputIsReplacedNotWrittenThrough) {
    std::ofstream(folder_ / "precious.txt") << "precious";
    for (const char* name : {"map.pdf", "route.geojson"})
        std::filesystem::create_symlink("precious.txt", folder_ / name);
    EXPECT_EQ(printTo("map.pdf").status, 0);
    EXPECT_EQ(routeTo("route.geojson").status, 0);
    EXPECT_FALSE(std::filesystem::is_symlink(folder_ / "map.pdf"));
    EXPECT_FALSE(std::filesystem::is_symlink(folder_ / "route.geojson"));
    EXPECT_EQ(text("map.pdf").rfind("%PDF-", 0), 0u);
    EXPECT_EQ(text("route.geojson").rfind(R"({"type":"FeatureCollection")", 0), 0u);
    EXPECT_EQ(text("precious.txt"), "precious");
    EXPECT_EQ(names(), (std::set<std::string>{"map.pdf", "route.geojson", "precious.txt"}));
}

TEST_F(CliOutputs, AFileTheUserMayNotWriteIsKept) {
    std::ofstream(folder_ / "contract.pdf") << "signed";
    {
        testsupport::Unwritable readOnly(folder_ / "contract.pdf");
        if (!readOnly.works()) GTEST_SKIP() << "running as root where the immutable attribute is not allowed";
        const int probe = ::open((folder_ / "contract.pdf").c_str(), O_WRONLY | O_CLOEXEC);
        const int reason = errno;
        ASSERT_LT(probe, 0);
        const CliResult r = printTo("contract.pdf");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(cannotWrite("contract.pdf", reason)), std::string::npos) << r.err;
    }
    EXPECT_EQ(text("contract.pdf"), "signed");
    EXPECT_EQ(names(), std::set<std::string>{"contract.pdf"});
}
