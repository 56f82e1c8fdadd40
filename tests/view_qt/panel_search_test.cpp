// The map panel's side of the attribute search: searching into
// SelectedFeatures, emptying it, and zooming onto one found feature.
#include <QTest>

#include "base/sjis.h"
#include "regex/regex_error.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"
#include "view_qt/geo_panel.h"

using testsupport::MeshFixture;

class PanelSearchTest : public QObject {
    Q_OBJECT

private:
    testsupport::TempDir dir_;
    std::unique_ptr<TGeoPanel> panel_;

    // A shown 600 x 400 panel with the mesh loaded and drawn.
    TGeoPanel& makePanel(const std::filesystem::path& mesh) {
        panel_ = std::make_unique<TGeoPanel>();
        panel_->resize(600, 400);
        panel_->show();
        if (!QTest::qWaitForWindowExposed(panel_.get())) qFatal("panel not exposed");
        panel_->LoadMeshFile(mesh.string());
        panel_->Redraw();
        return *panel_;
    }

    static std::string sj(const char* utf8) { return sjis::fromUtf8(utf8); }

private slots:
    void cleanup() { panel_.reset(); }

    void searchAppendsWithoutRedrawingAndNeedsAMap() {
        TGeoPanel none;
        none.SelectedFeatures.push_back(nullptr);
        QCOMPARE(none.SearchAttrib(-1, -1, false, "x"), -1);
        QCOMPARE(none.SelectedFeatures.size(), size_t{1});

        TGeoPanel& p = makePanel(testsupport::writeTown(dir_.path() / "town"));
        const int renders = p.RenderCount();
        QCOMPARE(p.SearchAttrib(-1, -1, false, sj(u8"東京")), 1);
        QCOMPARE(p.SearchAttrib(24, -1, true, sj(u8"東")), 1);
        QCOMPARE(p.SelectedFeatures.size(), size_t{2});  // appended, not replaced
        QCOMPARE(p.SelectedFeatures[0], p.SelectedFeatures[1]);
        QCOMPARE(p.RenderCount(), renders);
    }

    void searchThatRaisesAppendsNothing() {
        // A line whose value matches, then a point whose value ends in a lone backslash.
        MeshFixture m(dir_.path() / "bad", "B0000001");
        m.description().northEast = {100, 100};
        m.layer("DOURO\\DOURO.ARC", {meshfiles::arcRecord(2110, 0, 1, 2), "10,10", "20,20"});
        m.layer("DOURO\\DOURO.ATR", {meshfiles::attributeRecord('L', 2110, 1, {"abc"})});
        m.layer("KIJUNTEN\\KIJUNTEN.PNT", {meshfiles::pointRecord(7301, 2, {50, 50})});
        m.layer("KIJUNTEN\\KIJUNTEN.ATR", {meshfiles::attributeRecord('P', 7301, 2, {"a\\"})});
        TGeoPanel& p = makePanel(m.write());
        QCOMPARE(p.SearchAttrib(-1, -1, false, "abc"), 1);  // plain: the value is not expanded
        QVERIFY_THROWS_EXCEPTION(ERegExpParser, p.SearchAttrib(-1, -1, true, "a"));
        QCOMPARE(p.SelectedFeatures.size(), size_t{1});
    }

    void clearRedrawsOnlyWhenSomethingWasFound() {
        TGeoPanel& p = makePanel(testsupport::writeTown(dir_.path() / "town"));
        const int renders = p.RenderCount();
        p.ClearSelected();
        QCOMPARE(p.RenderCount(), renders);
        p.SearchAttrib(-1, -1, false, sj(u8"東京"));
        p.ClearSelected();
        QVERIFY(p.SelectedFeatures.empty());
        QCOMPARE(p.RenderCount(), renders + 1);
    }

    void showZoomsOntoTheWidenedBoxWithoutRedrawing() {
        TGeoPanel& p = makePanel(testsupport::writeTown(dir_.path() / "town"));
        QCOMPARE(p.SearchAttrib(11, 8, false, "3"), 1);       // block A, 20..90 x 20..60
        QCOMPARE(p.SearchAttrib(-1, -1, false, sj(u8"東京")), 1);  // the station at (40, 100)
        const TViewState home = p.View();
        const int renders = p.RenderCount();
        for (int outside : {-1, 2}) {
            QVERIFY(!p.ShowSelected(50, outside));
            QCOMPARE(p.View().CenterX, home.CenterX);
            QCOMPARE(p.View().ScaleX, home.ScaleX);
        }
        // Widened by 50 m: 170 m x 140 m, its shorter side across the view's 400 px.
        QVERIFY(p.ShowSelected(50, 0));
        QCOMPARE(p.View().CenterX, 55.0);
        QCOMPARE(p.View().CenterY, 40.0);
        QCOMPARE(p.View().ScaleY, 400.0 / 140);
        // A point: a 100 m square.
        QVERIFY(p.ShowSelected(50, 1));
        QCOMPARE(p.View().CenterX, 40.0);
        QCOMPARE(p.View().CenterY, 100.0);
        QCOMPARE(p.View().ScaleY, 400.0 / 100);
        QCOMPARE(p.RenderCount(), renders);
        p.SelectedFeatures.clear();
        QVERIFY(!p.ShowSelected(50, 0));
    }

    void featureWithoutExtentLeavesTheView() {
        // An area whose outline arc does not exist: its box stays empty.
        MeshFixture m(dir_.path() / "hollow", "H0000001");
        m.description().northEast = {100, 100};
        m.layer("SONOTA\\SONOTA.PGN",
                {meshfiles::polygonRecord(6242, 1, 1, {50, 50}), meshfiles::arcRefRecord(99)});
        m.layer("SONOTA\\SONOTA.ATR", {meshfiles::attributeRecord('A', 6242, 1, {"park"})});
        TGeoPanel& p = makePanel(m.write());
        QCOMPARE(p.SearchAttrib(-1, -1, false, "park"), 1);
        const TViewState before = p.View();
        QVERIFY(!p.ShowSelected(50, 0));
        QCOMPARE(p.View().CenterX, before.CenterX);
        QCOMPARE(p.View().ScaleX, before.ScaleX);
    }
};

QTEST_MAIN(PanelSearchTest)
#include "panel_search_test.moc"
