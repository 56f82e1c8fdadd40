// The readable drawing as its SVG picture shows it, over many random views of
// a synthetic town: no two texts overlap, none leaves the view or covers a
// mark, and the scale bar matches the view's scale.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRegularExpression>
#include <cmath>
#include <random>

#include "drawing/map_marks.h"
#include "reading/map_loading.h"
#include "render/map_renderer.h"
#include "support/temp_dir.h"
#include "synth.h"

namespace {

struct SvgText {
    QString text;
    QRectF box;  // as the font measures it: the advance, from the ascent to the descent
    double baseline = 0;
    QString fill;
};

// The texts of a picture that QSvgGenerator wrote. A text whose letters come
// from two fonts is written as one element per run, each starting where the
// one before ended on the same baseline: such runs are joined again.
std::vector<SvgText> textsOf(const QByteArray& svg) {
    static const QRegularExpression element(
        R"(<text\b([^>]*)>([^<]*)</text>)");
    static const QRegularExpression attribute(R"re(([a-z-]+)="([^"]*)")re");
    std::vector<SvgText> out;
    for (auto m = element.globalMatch(QString::fromUtf8(svg)); m.hasNext();) {
        const auto e = m.next();
        QMap<QString, QString> a;
        for (auto am = attribute.globalMatch(e.captured(1)); am.hasNext();) {
            const auto att = am.next();
            a[att.captured(1)] = att.captured(2);
        }
        QFont font(a.value("font-family"));
        font.setPixelSize(static_cast<int>(std::lround(a.value("font-size").remove("px").toDouble())));
        const QFontMetricsF metrics(font);
        const QString text = e.captured(2);
        const double x = a.value("x").toDouble(), y = a.value("y").toDouble();
        const QRectF box(x, y - metrics.ascent(), metrics.horizontalAdvance(text), metrics.ascent() + metrics.descent());
        if (!out.empty() && out.back().baseline == y && out.back().fill == a.value("fill") &&
            std::abs(out.back().box.right() - x) < 0.5) {
            out.back().text += text;
            out.back().box = out.back().box.united(box);
            continue;
        }
        out.push_back({text, box, y, a.value("fill")});
    }
    return out;
}

// The length of the scale bar: the last black rectangle, longer than it is
// high, that the picture draws (the bar is drawn after every feature).
double barLength(const QByteArray& svg) {
    static const QRegularExpression rect(
        R"re(<g fill="#000000"[^>]*>\s*<rect x="[-\d.]+" y="[-\d.]+" width="([\d.]+)" height="([\d.]+)"/>)re");
    double length = -1;
    for (auto m = rect.globalMatch(QString::fromUtf8(svg)); m.hasNext();) {
        const auto r = m.next();
        if (r.captured(1).toDouble() > 2 * r.captured(2).toDouble()) length = r.captured(1).toDouble();
    }
    return length;
}

class ReadableRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "render_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc, argv);
        synth::PlanParams p;
        p.cols = 2;
        p.rows = 2;
        p.blocksPerSide = 24;
        p.seed = 3;
        static testsupport::TempDir dir;
        synth::generate(p, dir.path() / "synth");
        std::unique_ptr<TKDKObject> map;
        TErrorList errors;
        LoadDataPath(map, (dir.path() / "synth").string(), errors);
        town_ = std::move(map);
    }
    static void TearDownTestSuite() {
        town_.reset();
        app_.reset();
    }

    inline static std::unique_ptr<QGuiApplication> app_;
    inline static std::shared_ptr<const TKDKObject> town_;
};

}  // namespace

TEST_F(ReadableRenderTest, TextsNeverOverlapLeaveTheViewOrCoverAMarkAndTheBarMatchesTheScale) {
    ASSERT_TRUE(town_);
    const TKDKObject& map = *town_;
    std::mt19937 random(17);
    std::uniform_real_distribution<double> unit(0, 1);
    const double extentWidth = map.NorthEast.X - map.SouthWest.X;
    const std::pair<int, int> sizes[] = {{1280, 960}, {800, 600}, {640, 480}, {300, 200}};
    size_t mostTexts = 0;
    for (int round = 0; round < 60; ++round) {
        MapSnapshot s;
        s.Map = town_;
        s.Display.ViewMode = TViewMode::vmGaiku;
        s.Display.Readable = true;
        TViewport& v = s.Viewport;
        std::tie(v.Width, v.Height) = sizes[round % 4];
        v.PixelsPerInch = round % 3 == 0 ? 192 : 96;
        v.FitExtent(map.SouthWest.X, map.NorthEast.X, map.SouthWest.Y, map.NorthEast.Y);
        // Log-uniform from 100 m across to the whole extent, anywhere on the data.
        const double across = 100 * std::pow(extentWidth / 100, unit(random));
        const double cx = map.SouthWest.X + unit(random) * extentWidth;
        const double cy = map.SouthWest.Y + unit(random) * (map.NorthEast.Y - map.SouthWest.Y);
        v.ZoomToBox(cx - across / 2, cx + across / 2, cy - across / 2, cy + across / 2);
        if (round % 2 == 0) s.Marks.Place = TGeoPoint2D{cx, cy};

        const QByteArray svg = SvgBytes(s, {Qt::white, "t", {}});
        const std::vector<SvgText> texts = textsOf(svg);
        const QRectF view(0, 0, v.Width, v.Height);
        const std::vector<TScreenBox> marks = MarkBoxes(s.Marks, v.ToScreen(), v.PixelsPerInch);
        mostTexts = std::max(mostTexts, texts.size());
        for (size_t i = 0; i < texts.size(); ++i) {
            const QRectF& a = texts[i].box;
            EXPECT_TRUE(view.contains(a)) << round << ": " << texts[i].text.toStdString();
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(a.intersects(texts[j].box))
                    << round << ": " << texts[i].text.toStdString() << " / " << texts[j].text.toStdString();
            for (const TScreenBox& m : marks)
                EXPECT_FALSE(a.intersects(QRectF(m.Left, m.Top, m.Width(), m.Height()))) << texts[i].text.toStdString();
        }

        // The scale bar's texts: the round length and the view's 1:N.
        double metres = 0, denominator = 0;
        static const QRegularExpression length(R"(^(\d+) (m|km)$)"), scale(R"(^1:([\d,]+)$)");
        for (const SvgText& t : texts) {
            if (const auto m = length.match(t.text); m.hasMatch())
                metres = m.captured(1).toDouble() * (m.captured(2) == "km" ? 1000 : 1);
            if (const auto m = scale.match(t.text); m.hasMatch()) denominator = QString(m.captured(1)).remove(',').toDouble();
        }
        if (v.Width < 400) continue;  // a small view may leave the bar out
        ASSERT_GT(metres, 0) << round;
        EXPECT_NEAR(denominator, v.DispScale(), 0.5) << round;
        // The bar: the black rectangle under the length text, as long as the length at the view's scale.
        EXPECT_NEAR(barLength(svg), metres * v.View.ScaleX, 1.0) << round;
    }
    EXPECT_GE(mostTexts, 20u);
}
