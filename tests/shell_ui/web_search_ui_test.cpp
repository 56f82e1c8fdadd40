// The toolbar "検索" on the main window: the engine list installed at first
// start, a broken or unreadable list, the enabling of both commands, and the
// addresses they hand to the browser.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <fstream>
#include <set>

#include "base/sjis.h"
#include "shell/search_engines.h"
#include "shell/web_addresses.h"
#include "shell_ui/orvelle_application.h"
#include "shell_ui/url_opener.h"
#include "support/child.h"
#include "town_window.h"

using testsupport::Child;

namespace {

namespace fs = std::filesystem;

class RecordingOpener : public TUrlOpener {
public:
    explicit RecordingOpener(std::vector<std::string>& opened) : opened_(opened) {}
    void Open(const std::string& address) override { opened_.push_back(address); }

private:
    std::vector<std::string>& opened_;
};

std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class WebSearchUiTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartInstallsTheShippedListAndTheToolbarOffersIt() {
        testsupport::TownWindow town;
        TMainForm& f = town.start();
        QComboBox* engines = Child<QComboBox>(f, "cbWebSearch");
        QComboBox* keyword = Child<QComboBox>(f, "cbITPSearch");
        QToolBar* toolbar = Child<QToolBar>(f, "tlbWebSearch");
        QAction* webSearch = Child<QAction>(f, "WebSearch1");
        QAction* itpSearch = Child<QAction>(f, "ITPSearch1");
        const fs::path list = town.config() / "engine.lst";
        QVERIFY(fs::exists(list));
        // The list shipped in data/ (share/orvelle when installed).
        QCOMPARE(fileBytes(list), fileBytes(ORVELLE_SOURCE_DATA "/engine.lst"));
        // Shift-JIS text with at least one engine of each encoding.
        std::set<int> encodings;
        for (int i = 0; i < f.EngineList().Count(); ++i) encodings.insert(f.EngineList().Items(i)->Encoding);
        QCOMPARE(encodings, (std::set<int>{eeUtf8, eeSjis, eeEuc}));
        QCOMPARE(engines->count(), f.EngineList().Count());
        QCOMPARE(engines->itemText(0), QString::fromStdString(sjis::toUtf8(f.EngineList().Items(0)->Name)));
        QCOMPARE(engines->currentIndex(), 0);
        QVERIFY(engines->isEnabled() && !engines->isEditable());
        QCOMPARE(engines->toolTip(), QString("検索サイト"));
        QVERIFY(keyword->isEditable());
        QCOMPARE(keyword->currentText(), QString("飲食店"));
        QCOMPARE(keyword->itemText(2), QString("ガソリンスタンド"));
        QCOMPARE(keyword->toolTip(), QString("キーワード"));
        QCOMPARE(webSearch->toolTip(), QString("検索エンジンで表示住所を検索"));
        QCOMPARE(itpSearch->text(), QString("タウンページ検索"));
        // Toolbar order: engines, WebSearch1, separator, keyword, ITPSearch1.
        const QList<QAction*> bar = toolbar->actions();
        QCOMPARE(bar.size(), 5);
        QCOMPARE(toolbar->widgetForAction(bar[0]), engines);
        QCOMPARE(bar[1], webSearch);
        QVERIFY(bar[2]->isSeparator());
        QCOMPARE(toolbar->widgetForAction(bar[3]), keyword);
        QCOMPARE(bar[4], itpSearch);
        QCOMPARE(toolbar->windowTitle(), QString("検索"));

        QVERIFY(!webSearch->isEnabled() && !itpSearch->isEnabled());
        town.openTown();
        QVERIFY(webSearch->isEnabled() && itpSearch->isEnabled());
        Child<QAction>(f, "FileClose1")->trigger();
        QVERIFY(!webSearch->isEnabled() && !itpSearch->isEnabled());
    }

    void brokenOrUnreadableListLeavesWebSearchDisabled() {
        for (bool unreadable : {false, true}) {
            testsupport::TownWindow town;
            fs::create_directories(town.config());
            const fs::path list = town.config() / "engine.lst";
            const std::string broken = "a,b,c,utf8\r\nMy Engine,https://x.example/,q=,UTF8\r\n";
            if (unreadable)
                fs::create_directory(list);
            else
                std::ofstream(list, std::ios::binary) << broken;
            TMainForm& f = town.start();  // a message box would never let it return
            if (!unreadable) QCOMPARE(fileBytes(list), broken);  // the user's list stays
            QCOMPARE(f.EngineList().Count(), 0);
            QCOMPARE(Child<QComboBox>(f, "cbWebSearch")->count(), 0);
            QVERIFY(!Child<QComboBox>(f, "cbWebSearch")->isEnabled());
            town.openTown();
            QVERIFY(!Child<QAction>(f, "WebSearch1")->isEnabled());
            QVERIFY(Child<QAction>(f, "ITPSearch1")->isEnabled());
        }
    }

    void onlyWebAddressesReachTheBrowser() {
        // What the engines build passes, quotes of the phrase included.
        QCOMPARE(WebUrlOf("https://u.example/s?q=\"%e6%9d%b1\"").host(), QString("u.example"));
        QCOMPARE(WebUrlOf(std::string(kTownPageSearchUrl) + "?Location=a&free_word=a b%26c").scheme(), QString("https"));
        for (const char* refused : {"file:///etc/passwd", "javascript:alert(1)", "--renderer-cmd-prefix=xterm",
                                    "ftp://x.example/", "http://", "mailto:a@b.example", "//x.example/"})
            QVERIFY2(WebUrlOf(refused).isEmpty(), refused);
    }

    void eachCommandOpensTheAddressOfTheCentre() {
        testsupport::TownWindow town;
        fs::create_directories(town.config());
        std::ofstream(town.config() / "engine.lst", std::ios::binary)
            << "U,https://u.example/s,q=,UTF8\nS,https://s.example/s,ie=Shift_JIS&q=,SJIS\nE,https://e.example/s,p=,EUC\n";
        TMainForm& f = town.start();
        QAction* itpSearch = Child<QAction>(f, "ITPSearch1");
        std::vector<std::string> opened;
        f.SetUrlOpener(std::make_unique<RecordingOpener>(opened));
        town.openTown();
        QCOMPARE(f.StatusText(2), QString("東京都千代田区丸の内一丁目付近"));
        for (int i = 0; i < 3; ++i) {
            Child<QComboBox>(f, "cbWebSearch")->setCurrentIndex(i);
            Child<QAction>(f, "WebSearch1")->trigger();
        }
        const std::vector<std::string> expected = {
            "https://u.example/s?q=\"%e6%9d%b1%e4%ba%ac%e9%83%bd%e5%8d%83%e4%bb%a3%e7%94%b0%e5%8c%ba"
            "%e4%b8%b8%e3%81%ae%e5%86%85%e4%b8%80%e4%b8%81%e7%9b%ae\"",
            "https://s.example/s?ie=Shift_JIS&q=\"%93%8c%8b%9e%93%73%90%e7%91%e3%93%63%8b%e6"
            "%8a%db%82%cc%93%e0%88%ea%92%9a%96%da\"",
            "https://e.example/s?p=\"%c5%ec%b5%fe%c5%d4%c0%e9%c2%e5%c5%c4%b6%e8%b4%dd%a4%ce%c6%e2%b0%ec%c3%fa%cc%dc\""};
        QCOMPARE(opened, expected);

        // The keyword as offered, then as typed over the items.
        const std::string location = "%93%8c%8b%9e%93%73%90%e7%91%e3%93%63%8b%e6%8a%db%82%cc%93%e0%88%ea%92%9a%96%da";
        itpSearch->trigger();
        QCOMPARE(opened.back(), std::string(kTownPageSearchUrl) + "?Location=" + location + "&free_word=%88%f9%90%48%93%58");
        Child<QComboBox>(f, "cbITPSearch")->lineEdit()->clear();
        QTest::keyClicks(Child<QComboBox>(f, "cbITPSearch")->lineEdit(), "a b&c");
        itpSearch->trigger();
        QCOMPARE(opened.back(), std::string(kTownPageSearchUrl) + "?Location=" + location + "&free_word=a b%26c");

        // Outside every area the names are empty: the quotes only, an empty location.
        Child<TGeoPanel>(f, "GeoPanel1")->CentreOn(-500, -500);
        Child<QComboBox>(f, "cbWebSearch")->setCurrentIndex(0);
        Child<QAction>(f, "WebSearch1")->trigger();
        QCOMPARE(opened.back(), std::string("https://u.example/s?q=\"\""));
        itpSearch->trigger();
        QCOMPARE(opened.back(), std::string(kTownPageSearchUrl) + "?Location=&free_word=a b%26c");
        QCOMPARE(opened.size(), size_t{7});
    }
};

int main(int argc, char** argv) {
    TOrvelleApplication app(argc, argv);
    WebSearchUiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "web_search_ui_test.moc"
