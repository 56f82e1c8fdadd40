// The attribute search dialog on the main window's map: its controls and
// state, the hit walk in both directions, the status text, the error box of
// a malformed pattern, closing, and the remembered texts.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "base/sjis.h"
#include "modal_answers.h"
#include "regex/regex_error.h"
#include "shell/error_text.h"
#include "shell_ui/orvelle_application.h"
#include "shell_ui/search_attrib_form.h"
#include "shell_ui/ui_text.h"
#include "support/child.h"
#include "town_window.h"

using testsupport::Child;

class SearchDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::TownWindow> town_;
    TMainForm* f_ = nullptr;
    TSearchAttribForm* d_ = nullptr;

    // The window on the loaded town with the dialog shown.
    void openDialog() {
        town_ = std::make_unique<testsupport::TownWindow>();
        f_ = &town_->start();
        town_->openTown();
        d_ = Child<TSearchAttribForm>(*f_, "SearchAttribForm");
        Child<QAction>(*f_, "EditSearchAttrib1")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(d_));
    }
    TGeoPanel& panel() const { return *Child<TGeoPanel>(*f_, "GeoPanel1"); }
    // Replaces the search text as an input method commits typed Japanese.
    void type(const QString& text) {
        QLineEdit* edit = Child<QComboBox>(*d_, "SearchText")->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(edit, &commit);
    }
    // A click on a button's indicator (its middle may lie beyond the caption).
    static void clickIndicator(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }
    void press() { QTest::mouseClick(Child<QPushButton>(*d_, "btnSearch"), Qt::LeftButton); }
    // The hit (counting from 1) the view is centred on, 0 for none.
    int shownHit() const {
        const TGeoPanel& p = *Child<TGeoPanel>(*f_, "GeoPanel1");
        for (size_t i = 0; i < p.SelectedFeatures.size(); ++i) {
            const auto& hit = static_cast<const TKDKPlacedElement&>(*p.SelectedFeatures[i]);
            if ((hit.BoundsMin.X + hit.BoundsMax.X) / 2 == p.View().CenterX &&
                (hit.BoundsMin.Y + hit.BoundsMax.Y) / 2 == p.View().CenterY)
                return int(i) + 1;
        }
        return 0;
    }
    // Presses once per entry and notes the hit shown after each.
    QList<int> walk(int presses) {
        QList<int> shown;
        for (int i = 0; i < presses; ++i) {
            press();
            shown << shownHit();
        }
        return shown;
    }
    // Searches the three areas of the town whose texts hold 丸の内.
    void searchThreeAreas() {
        Child<QComboBox>(*d_, "cbTarget")->setCurrentIndex(1);  // "境界"
        clickIndicator(Child<QCheckBox>(*d_, "cbRegExp"));
        type("丸の内");
    }

private slots:
    void cleanup() {
        town_.reset();
        f_ = nullptr;
        d_ = nullptr;
    }

    void controlsAndInitialState() {
        town_ = std::make_unique<testsupport::TownWindow>();
        f_ = &town_->start();
        d_ = Child<TSearchAttribForm>(*f_, "SearchAttribForm");
        QVERIFY(!d_->isVisible());
        QVERIFY(!Child<QAction>(*f_, "EditSearchAttrib1")->isEnabled());
        QCOMPARE(Child<QAction>(*f_, "EditSearchAttrib1")->shortcut(), QKeySequence("Ctrl+S"));
        // Creation values.
        QVERIFY(d_->SearchDown() && !d_->NeedSearch());
        QCOMPARE(d_->TargetMajor(), -1);
        QCOMPARE(d_->TargetMinor(), -1);
        QCOMPARE(d_->FoundIndex(), 0);
        QCOMPARE(d_->FoundCount(), 0);

        QCOMPARE(d_->windowTitle(), QString("文字列検索"));
        QVERIFY(d_->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(Child<QLabel>(*d_, "lbTarget")->text(), QString("検索対象"));
        QCOMPARE(Child<QLabel>(*d_, "lbSearchText")->text(), QString("検索する文字列"));
        QStringList targets;
        for (int i = 0; i < Child<QComboBox>(*d_, "cbTarget")->count(); ++i)
            targets << Child<QComboBox>(*d_, "cbTarget")->itemText(i);
        QCOMPARE(targets, QStringList({"すべて", "境界", "道路", "鉄道", "鉄道施設", "建物注記", "水部", "諸地・場地", "基準点"}));
        QVERIFY(!Child<QComboBox>(*d_, "cbTarget")->isEditable());
        QCOMPARE(Child<QComboBox>(*d_, "cbTarget")->currentIndex(), 0);
        QVERIFY(Child<QComboBox>(*d_, "SearchText")->currentText().isEmpty());
        QCOMPARE(Child<QGroupBox>(*d_, "rgDirection")->title(), QString("検索方向"));
        QCOMPARE(Child<QRadioButton>(*d_, "rgDirectionUp")->text(), QString("上へ"));
        QCOMPARE(Child<QRadioButton>(*d_, "rgDirectionDown")->text(), QString("下へ"));
        QVERIFY(Child<QRadioButton>(*d_, "rgDirectionDown")->isChecked() &&
                !Child<QRadioButton>(*d_, "rgDirectionUp")->isChecked());
        QCOMPARE(Child<QCheckBox>(*d_, "cbRegExp")->text(), QString("正規表現"));
        QVERIFY(!Child<QCheckBox>(*d_, "cbRegExp")->isChecked());
        QCOMPARE(Child<QPushButton>(*d_, "btnSearch")->text(), QString("次を検索"));
        QVERIFY(Child<QPushButton>(*d_, "btnSearch")->isDefault() &&
                !Child<QPushButton>(*d_, "btnSearch")->isEnabled());
        QCOMPARE(Child<QPushButton>(*d_, "btnCancel")->text(), QString("キャンセル"));
        QVERIFY(Child<QPushButton>(*d_, "btnCancel")->isEnabled());

        town_->openTown();
        Child<QAction>(*f_, "EditSearchAttrib1")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(d_));
        QVERIFY(!d_->isModal());
        QVERIFY(d_->NeedSearch());
        QCOMPARE(d_->minimumSize(), d_->maximumSize());  // fixed border
        QVERIFY((d_->frameGeometry().center() - d_->screen()->availableGeometry().center()).manhattanLength() <= 1);
        // Each target sets its codes.
        const int majors[] = {-1, 11, 21, 23, 24, 35, 51, 62, 73};
        for (int i = 8; i >= 0; --i) {
            Child<QComboBox>(*d_, "cbTarget")->setCurrentIndex(i);
            QCOMPARE(d_->TargetMajor(), majors[i]);
            QCOMPARE(d_->TargetMinor(), -1);
        }
        // An empty text leaves the button disabled and Enter does nothing.
        const int renders = panel().RenderCount();
        QTest::keyClick(Child<QComboBox>(*d_, "SearchText"), Qt::Key_Return);
        QVERIFY(d_->NeedSearch() && f_->StatusText(3).isEmpty());
        QCOMPARE(panel().RenderCount(), renders);
        type("x");
        QVERIFY(Child<QPushButton>(*d_, "btnSearch")->isEnabled());
        type("");
        QVERIFY(!Child<QPushButton>(*d_, "btnSearch")->isEnabled());
    }

    void hitWalkStopsAtTheLastAndTurnsBackToTheFirst() {
        openDialog();
        searchThreeAreas();
        const TViewState home = panel().View();
        const int renders = panel().RenderCount();
        QCOMPARE(walk(5), QList<int>({1, 2, 3, 3, 3}));
        QCOMPARE(panel().RenderCount(), renders + 5);
        QVERIFY(panel().View().ScaleX > home.ScaleX);
        QCOMPARE(f_->StatusText(3), QString("検索: 3件"));
        QCOMPARE(d_->FoundCount(), 3);
        QCOMPARE(panel().SelectedFeatures.size(), size_t{3});
        clickIndicator(Child<QRadioButton>(*d_, "rgDirectionUp"));  // back twice: to hit 1
        QVERIFY(!d_->SearchDown());
        QCOMPARE(walk(2), QList<int>({1, 1}));
        // Down again steps once per change: 0 -> 1, then the walk goes on.
        clickIndicator(Child<QRadioButton>(*d_, "rgDirectionDown"));
        QCOMPARE(walk(2), QList<int>({2, 3}));
        QCOMPARE(panel().SelectedFeatures.size(), size_t{3});  // searched once
    }

    void upRightAfterASearchShowsTheFirstHitEveryTime() {
        openDialog();
        clickIndicator(Child<QRadioButton>(*d_, "rgDirectionUp"));
        searchThreeAreas();
        QCOMPARE(walk(3), QList<int>({1, 1, 1}));
        QCOMPARE(f_->StatusText(3), QString("検索: 3件"));
    }

    void noHitRedrawsWithoutMoving() {
        openDialog();
        type("駅");  // plain: no value is exactly 駅
        const TViewState before = panel().View();
        const int renders = panel().RenderCount();
        press();
        QCOMPARE(f_->StatusText(3), QString("検索: 0件"));
        QCOMPARE(panel().RenderCount(), renders + 1);
        QCOMPARE(panel().View().CenterX, before.CenterX);
        QCOMPARE(panel().View().ScaleX, before.ScaleX);
        QVERIFY(panel().SelectedFeatures.empty());
        // Data closed under the open dialog: the panel answers -1, shown as no hits.
        Child<QAction>(*f_, "FileClose1")->trigger();
        type("東京");
        press();
        QCOMPARE(d_->FoundCount(), -1);
        QCOMPARE(f_->StatusText(3), QString("検索: 0件"));
        QCOMPARE(walk(1), QList<int>({0}));
    }

    void emptyMatchFindsEveryFeatureWithAValue() {
        openDialog();
        clickIndicator(Child<QCheckBox>(*d_, "cbRegExp"));
        type("x*");
        press();
        const TKDKObject& map = *panel().MapObject();
        int expected = 0;
        auto count = [&](const auto* f) { expected += f->Attribute && !f->Attribute->Values.empty(); };
        for (const TKDKLine* l : map.Lines()) count(l);
        for (const TKDKPolygon* p : map.Polygons()) count(p);
        for (const TKDKPoint* p : map.Points()) count(p);
        QVERIFY(expected >= 10);
        QCOMPARE(d_->FoundCount(), expected);
        QCOMPARE(f_->StatusText(3), QString("検索: %1件").arg(expected));
    }

    void malformedPatternReachesTheErrorBoxAndTheNextPressSearchesAgain() {
        openDialog();
        searchThreeAreas();
        press();
        type("[a");
        const QString message = FromSjis(ErrorBoxText(RegexMessage(TRegexMessage::NeedRightBracket)));
        for (int attempt = 1; attempt <= 2; ++attempt) {
            ErrorBoxSeen seen;
            answerErrorBox(seen);
            press();
            QTRY_COMPARE(seen.count, 1);
            QCOMPARE(seen.title, QString("Orvelle"));
            QCOMPARE(seen.text, message);
            QVERIFY(panel().SelectedFeatures.empty());
            QVERIFY(d_->NeedSearch());
            QCOMPARE(d_->FoundCount(), 3);
            QCOMPARE(f_->StatusText(3), QString("検索: 3件"));
        }
        type("[丸]の内一");
        QCOMPARE(walk(1), QList<int>({1}));
        QCOMPARE(panel().SelectedFeatures.size(), size_t{3});
    }

    void closingClearsTheHighlightAndTheStatus() {
        openDialog();
        searchThreeAreas();
        press();
        int renders = panel().RenderCount();
        QTest::mouseClick(Child<QPushButton>(*d_, "btnCancel"), Qt::LeftButton);
        QVERIFY(!d_->isVisible());
        QVERIFY(panel().SelectedFeatures.empty());
        QCOMPARE(panel().RenderCount(), renders + 1);
        QCOMPARE(f_->StatusText(3), QString());
        // Shown again: the walk starts over, the choices are kept.
        Child<QAction>(*f_, "EditSearchAttrib1")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(d_));
        QVERIFY(d_->NeedSearch());
        QCOMPARE(d_->FoundCount(), 0);
        QCOMPARE(Child<QComboBox>(*d_, "SearchText")->currentText(), QString("丸の内"));
        QVERIFY(Child<QCheckBox>(*d_, "cbRegExp")->isChecked());
        QCOMPARE(walk(1), QList<int>({1}));
        // Esc closes as the cancel button does.
        renders = panel().RenderCount();
        QTest::keyClick(Child<QComboBox>(*d_, "SearchText"), Qt::Key_Escape);
        QVERIFY(!d_->isVisible());
        QVERIFY(panel().SelectedFeatures.empty());
        QCOMPARE(panel().RenderCount(), renders + 1);
    }

    void enterSearchesAndTheLastTenTextsAreOffered() {
        openDialog();
        for (int i = 1; i <= 12; ++i) {
            type(QString("t%1").arg(i));
            QTest::keyClick(Child<QComboBox>(*d_, "SearchText"), Qt::Key_Return);
            QVERIFY(!d_->NeedSearch());  // searched
        }
        type("t5");
        QTest::keyClick(Child<QComboBox>(*d_, "SearchText"), Qt::Key_Return);
        QStringList offered;
        for (int i = 0; i < Child<QComboBox>(*d_, "SearchText")->count(); ++i)
            offered << Child<QComboBox>(*d_, "SearchText")->itemText(i);
        QCOMPARE(offered, QStringList({"t5", "t12", "t11", "t10", "t9", "t8", "t7", "t6", "t4", "t3"}));
        // Picking a remembered text starts a new search; typing is not completed.
        Child<QComboBox>(*d_, "SearchText")->setCurrentIndex(1);
        QCOMPARE(Child<QComboBox>(*d_, "SearchText")->currentText(), QString("t12"));
        QVERIFY(d_->NeedSearch());
        type("t1");
        QCOMPARE(Child<QComboBox>(*d_, "SearchText")->currentText(), QString("t1"));
    }
};

int main(int argc, char** argv) {
    TOrvelleApplication app(argc, argv);
    SearchDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "search_dialog_test.moc"
