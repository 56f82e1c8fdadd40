// 表示 → 場所へ移動 on the test town: the index built after the load, the
// matches listed while typing, the chosen place centred, shown whole and
// marked until the next command, and a text that names nothing.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "shell_ui/go_to_place_form.h"
#include "shell_ui/ui_text.h"
#include "support/child.h"
#include "tables/coords_format.h"
#include "modal_answers.h"
#include "window_with_town.h"

using testsupport::Child;

class GoToPlaceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowWithTown> window_;

    TMainForm& openTown() {
        window_ = std::make_unique<WindowWithTown>();
        TMainForm& f = window_->Open(QSize(800, 600));
        if (!QTest::qWaitFor([&f] { return f.PlaceIndexReady(); }, 20000)) qFatal("no place index");
        return f;
    }

    // Types `text` into the dialog; `answer` reads the dialog and closes it.
    void goTo(TMainForm& f, const QString& text, std::function<void(TGoToPlaceForm*)> answer) {
        whenModal<TGoToPlaceForm>([text, answer](TGoToPlaceForm* d) {
            Child<QLineEdit>(*d, "eQuery")->setText(text);  // as typed: the list follows every change
            answer(d);
            return true;
        });
        Child<QAction>(f, "GoToPlace1")->trigger();
    }

private slots:
    void cleanup() { window_.reset(); }

    void aChomeIsCentredShownWholeAndMarkedUntilTheNextCommand() {
        TMainForm& f = openTown();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        QVERIFY(Child<QAction>(f, "GoToPlace1")->isEnabled());
        QCOMPARE(Child<QAction>(f, "GoToPlace1")->shortcut(), QKeySequence("Ctrl+G"));
        QStringList listed;
        goTo(f, "丸の内一丁目", [&listed](TGoToPlaceForm* d) {
            QListWidget* matches = Child<QListWidget>(*d, "lbMatches");
            for (int i = 0; i < matches->count(); ++i) listed << matches->item(i)->text();
            QTest::keyClick(Child<QLineEdit>(*d, "eQuery"), Qt::Key_Return);
        });
        QVERIFY(!listed.isEmpty());
        QCOMPARE(listed.first(), QString("大字・町丁目\t東京都千代田区丸の内一丁目"));

        // The chome spans 10..190 x 10..140: all of it in view, its middle at the centre.
        const TViewState& v = panel.View();
        QVERIFY(v.MinX <= 10 && v.MaxX >= 190 && v.MinY <= 10 && v.MaxY >= 140);
        QVERIFY(v.MaxX - v.MinX < 400 && v.MaxY - v.MinY < 400);
        QCOMPARE((v.MinX + v.MaxX) / 2, 100.0);
        QCOMPARE((v.MinY + v.MaxY) / 2, 75.0);
        QVERIFY(panel.Marks.PlaceBounds.has_value());
        QVERIFY(panel.SvgPicture().contains("#fea500"));

        Child<QAction>(f, "OperationZoomIn1")->trigger();
        QVERIFY(panel.Marks.Empty());
        QVERIFY(!panel.SvgPicture().contains("#fea500"));
    }

    void aCoordinateIsShownInAStreetView() {
        TMainForm& f = openTown();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        const QString system = QString::fromStdString(
            std::string(CoordsFormatName(panel.MapObject()->SourceFormat)));
        QString listed;
        goTo(f, system + " 60 70", [&listed](TGoToPlaceForm* d) {
            QListWidget* matches = Child<QListWidget>(*d, "lbMatches");
            if (matches->count() != 1) {
                listed = Child<QLabel>(*d, "lblStatus")->text();
                return d->reject();
            }
            listed = matches->item(0)->text();
            // A double-click as a mouse makes it: a click, then the second press.
            const QPoint at = matches->visualItemRect(matches->item(0)).center();
            QTest::mouseClick(matches->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(matches->viewport(), Qt::LeftButton, {}, at);
            if (d->isVisible()) {
                listed = "still open after a double-click on " + listed;
                d->reject();
            }
        });
        QVERIFY2(listed.startsWith("地点\t"), qPrintable(system + ": " + listed));
        const TViewState& v = panel.View();
        QCOMPARE((v.MinX + v.MaxX) / 2, 60.0);
        QCOMPARE((v.MinY + v.MaxY) / 2, 70.0);
        QCOMPARE(std::min(v.MaxX - v.MinX, v.MaxY - v.MinY), 300.0);
        QVERIFY(panel.Marks.Place.has_value());
        QVERIFY(!panel.Marks.PlaceBounds.has_value());
    }

    void theExamplesComeFromTheMapsCentreAndAreFoundThere() {
        TMainForm& f = openTown();
        QString placeholder, listed;
        goTo(f, QString(), [&](TGoToPlaceForm* d) {
            QListWidget* matches = Child<QListWidget>(*d, "lbMatches");
            placeholder = Child<QLineEdit>(*d, "eQuery")->placeholderText();
            // The example between the second pair of brackets, typed back.
            const int open = placeholder.lastIndexOf("("), close = placeholder.lastIndexOf(")");
            Child<QLineEdit>(*d, "eQuery")->setText(placeholder.mid(open + 1, close - open - 1));
            listed = matches->count() == 1 ? matches->item(0)->text() : Child<QLabel>(*d, "lblStatus")->text();
            d->reject();
        });
        QVERIFY2(placeholder.startsWith("住所 (" + FromSjis(Child<TGeoPanel>(f, "GeoPanel1")->CenterChome())),
                 qPrintable(placeholder));
        QVERIFY2(listed.startsWith("地点\t"), qPrintable(placeholder + ": " + listed));
    }

    void aTextNamingNothingListsNothingAndKeepsTheView() {
        TMainForm& f = openTown();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        const TViewState before = panel.View();
        bool stayedOpen = false;
        QString status;
        goTo(f, "存在しない町", [&](TGoToPlaceForm* d) {
            QCOMPARE(Child<QListWidget>(*d, "lbMatches")->count(), 0);
            status = Child<QLabel>(*d, "lblStatus")->text();
            QTest::keyClick(Child<QLineEdit>(*d, "eQuery"), Qt::Key_Return);  // nothing to choose
            stayedOpen = d->isVisible();
            d->reject();
        });
        QVERIFY(stayedOpen);
        QCOMPARE(status, QString("該当する場所がありません"));
        QCOMPARE(panel.View().CenterX, before.CenterX);
        QVERIFY(panel.Marks.Empty());

        // A new load drops the index until it is built again for the new map.
        window_->OpenAgain();
        QTRY_VERIFY_WITH_TIMEOUT(f.PlaceIndexReady(), 20000);
        QVERIFY(Child<QAction>(f, "GoToPlace1")->isEnabled());
    }
};

QTEST_MAIN(GoToPlaceTest)
#include "go_to_place_test.moc"
