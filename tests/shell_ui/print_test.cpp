// Printing and copying from the main window on the offscreen platform: the
// print dialog and its results, PrintMap into a PDF printer (title, copies),
// the refusal of margins that do not fit, one print at a time, the preview,
// the printer setup dialog and the clipboard copy.
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QPainter>
#include <QTest>
#include <filesystem>
#include <regex>

#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"
#include "shell_ui/print_form.h"
#include "support/child.h"
#include "support/cli_run.h"
#include "modal_answers.h"
#include "window_with_town.h"

using testsupport::Child;

namespace fs = std::filesystem;

class PrintTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowWithTown> window_;
    TMainForm* form_ = nullptr;

    fs::path pdf() const { return window_->Dir() / "page.pdf"; }

    // The main window with the town open; its printer writes page.pdf.
    TMainForm& makeForm() {
        window_ = std::make_unique<WindowWithTown>();
        form_ = &window_->Open();
        form_->Printer()->setOutputFormat(QPrinter::PdfFormat);
        form_->Printer()->setOutputFileName(QString::fromStdString(pdf().string()));
        return *form_;
    }

    // The number of pages of page.pdf, 0 when there is none.
    int pdfPages() {
        if (!fs::exists(pdf())) return 0;
        const std::string info = testsupport::RunProgram("pdfinfo", testsupport::ShellQuoted(pdf().string())).out;
        std::smatch m;
        return std::regex_search(info, m, std::regex(R"(\nPages:\s+(\d+)\n)")) ? std::stoi(m[1]) : -1;
    }

    // Runs the print command; `act` sets the dialog and closes it.
    void printThroughDialog(std::function<void(TPrintForm*)> act) {
        whenModal<TPrintForm>([act](TPrintForm* d) {
            act(d);
            return true;
        });
        Child<QAction>(*form_, "FilePrint1")->trigger();
    }

    static QString groupTitle(QWidget* w) { return qobject_cast<QGroupBox*>(w->parentWidget())->title(); }

private slots:
    void cleanup() {
        window_.reset();
        form_ = nullptr;
    }

    void printDialogKeepsItsValuesAndHandsThemOnWithOk() {
        TMainForm& f = makeForm();
        TPrintForm* d = Child<TPrintForm>(f, "PrintForm");
        QCOMPARE(d->windowTitle(), QString("印刷"));
        QCOMPARE(Child<QLabel>(*d, "Label1")->text(), QString("現在選択されているプリンタ"));
        QCOMPARE(Child<QGroupBox>(*d, "rgArea")->title(), QString("印刷範囲"));
        const QList<QRadioButton*> items = Child<QGroupBox>(*d, "rgArea")->findChildren<QRadioButton*>();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->text(), QString("表示部分"));
        QCOMPARE(items[1]->text(), QString("全領域"));
        QCOMPARE(d->AreaIndex(), 0);
        QCOMPARE(groupTitle(Child<QSpinBox>(*d, "seCopies")), QString("部数"));
        QCOMPARE(groupTitle(Child<QSpinBox>(*d, "seLeft")), QString("余白 (mm)"));
        const QSpinBox* copies = Child<QSpinBox>(*d, "seCopies");
        QCOMPARE(std::make_pair(copies->minimum(), copies->maximum()), std::make_pair(1, 99));
        QCOMPARE(copies->value(), 1);
        for (const char* side : {"seLeft", "seRight", "seTop", "seBottom"}) {
            const QSpinBox* margin = Child<QSpinBox>(*d, side);
            QCOMPARE(std::make_pair(margin->minimum(), margin->maximum()), std::make_pair(0, 999));
            QCOMPARE(margin->value(), 10);
        }
        QStringList sideLabels;
        for (QLabel* l : d->findChildren<QLabel*>())
            if (l->buddy()) sideLabels << l->text();
        QCOMPARE(sideLabels, (QStringList{"左", "右", "上", "下"}));
        QVERIFY(Child<QPushButton>(*d, "OKBtn")->isDefault());
        QCOMPARE(Child<QPushButton>(*d, "CancelBtn")->text(), QString("キャンセル"));
        QCOMPARE(Child<QPushButton>(*d, "btnPrintSetup")->text(), QString("設定"));
        QCOMPARE(Child<QPushButton>(*d, "btnPreview")->text(), QString("プレビュー"));

        // Cancel: nothing printed, no result taken.
        QString printerShown;
        printThroughDialog([&printerShown](TPrintForm* d) {
            printerShown = Child<QLabel>(*d, "lbPrinterName")->text();
            Child<QSpinBox>(*d, "seLeft")->setValue(20);
            Child<QSpinBox>(*d, "seTop")->setValue(15);
            Child<QSpinBox>(*d, "seRight")->setValue(12);
            Child<QSpinBox>(*d, "seBottom")->setValue(11);
            Child<QSpinBox>(*d, "seCopies")->setValue(3);
            d->SetAreaIndex(1);
            QTest::mouseClick(Child<QPushButton>(*d, "CancelBtn"), Qt::LeftButton);
        });
        QCOMPARE(printerShown, QString::fromStdString(pdf().string()));
        QCOMPARE(pdfPages(), 0);
        QCOMPARE(std::make_tuple(d->MarginLeft(), d->MarginTop(), d->MarginRight(), d->MarginBottom(), d->Copies(),
                                 d->WholeArea()),
                 std::make_tuple(10, 10, 10, 10, 1, false));

        // Shown again, the controls hold the last values; OK takes and prints them.
        std::vector<int> shown;
        printThroughDialog([&shown](TPrintForm* d) {
            for (const char* name : {"seLeft", "seTop", "seRight", "seBottom", "seCopies"})
                shown.push_back(Child<QSpinBox>(*d, name)->value());
            shown.push_back(d->AreaIndex());
            QTest::mouseClick(Child<QPushButton>(*d, "OKBtn"), Qt::LeftButton);
        });
        QCOMPARE(shown, (std::vector<int>{20, 15, 12, 11, 3, 1}));
        QCOMPARE(std::make_tuple(d->MarginLeft(), d->MarginTop(), d->MarginRight(), d->MarginBottom(), d->Copies(),
                                 d->WholeArea()),
                 std::make_tuple(20, 15, 12, 11, 3, true));
        // A PDF printer makes no copies itself: the page is printed once per copy.
        QCOMPARE(f.Printer()->copyCount(), 3);
        QCOMPARE(pdfPages(), 3);
        QCOMPARE(f.Printer()->docName(), QString("丸の内一丁目"));  // the chome at the map centre
    }

    void fiveCopiesOfOnePageTitledWithTheCentreChome() {
        TMainForm& f = makeForm();
        f.PrintMap(10, 10, 10, 10, 5, false);
        QCOMPARE(f.Printer()->copyCount(), 5);
        QCOMPARE(pdfPages(), 5);
        const std::string info = testsupport::RunProgram("pdfinfo", testsupport::ShellQuoted(pdf().string())).out;
        QVERIFY2(std::regex_search(info, std::regex(u8"(^|\n)Title:\\s+丸の内一丁目\n")), info.c_str());
    }

    void marginsThatDoNotFitShowTheErrorAndStartNoJob() {
        TMainForm& f = makeForm();
        ErrorBoxSeen seen;
        answerErrorBox(seen);
        f.PrintMap(999, 10, 999, 10, 1, false);
        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.title, QString("エラー"));
        QCOMPARE(seen.text, QString("印刷範囲が小さすぎます"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QVERIFY(!fs::exists(pdf()));

        // Through the dialog: refused, the value kept, and at once printable with a smaller one.
        answerErrorBox(seen);
        printThroughDialog([](TPrintForm* d) {
            Child<QSpinBox>(*d, "seTop")->setValue(999);
            Child<QSpinBox>(*d, "seBottom")->setValue(999);
            QTest::mouseClick(Child<QPushButton>(*d, "OKBtn"), Qt::LeftButton);
        });
        QCOMPARE(seen.count, 2);
        QVERIFY(!fs::exists(pdf()));
        QVERIFY(!f.Printing());
        std::pair<int, int> kept;
        printThroughDialog([&kept](TPrintForm* d) {
            kept = {Child<QSpinBox>(*d, "seTop")->value(), Child<QSpinBox>(*d, "seBottom")->value()};
            Child<QSpinBox>(*d, "seTop")->setValue(10);
            Child<QSpinBox>(*d, "seBottom")->setValue(10);
            QTest::mouseClick(Child<QPushButton>(*d, "OKBtn"), Qt::LeftButton);
        });
        QCOMPARE(kept, std::make_pair(999, 999));
        QCOMPARE(pdfPages(), 1);
    }

    void scaleFieldPrintsTheWholeAreaOnPagesAtThatScale() {
        TMainForm& f = makeForm();
        TPrintForm* d = Child<TPrintForm>(f, "PrintForm");
        auto* scale = Child<QLineEdit>(*d, "eScale");
        QCOMPARE(groupTitle(scale), QString("縮尺"));
        QCOMPARE(scale->text(), QString());
        // 1:0 cannot be printed: neither OK nor プレビュー while it stands there.
        scale->setText("0");
        QVERIFY(!Child<QPushButton>(*d, "OKBtn")->isEnabled());
        QVERIFY(!Child<QPushButton>(*d, "btnPreview")->isEnabled());
        scale->setText("");
        QVERIFY(Child<QPushButton>(*d, "OKBtn")->isEnabled());

        // The town's 200 x 150 m at 1:500 need 3 columns and 2 rows of A4 or Letter pages, after the overview.
        printThroughDialog([](TPrintForm* d) {
            Child<QLineEdit>(*d, "eScale")->setText("500");
            d->SetAreaIndex(1);
            QTest::mouseClick(Child<QPushButton>(*d, "OKBtn"), Qt::LeftButton);
        });
        QCOMPARE(d->Scale(), 500.0);
        QCOMPARE(pdfPages(), 7);
        const std::string firstPage =
            testsupport::RunProgram("pdftotext", "-f 1 -l 1 " + testsupport::ShellQuoted(pdf().string()) + " -").out;
        // The page labels ("R1 C1" ...: pdftotext reads their letters) on the overview, "1:500" on the pages.
        QVERIFY2(firstPage.find("R C") != std::string::npos && firstPage.find("1:500") == std::string::npos,
                 firstPage.c_str());
        const std::string lastPage =
            testsupport::RunProgram("pdftotext", "-f 7 -l 7 " + testsupport::ShellQuoted(pdf().string()) + " -").out;
        QVERIFY2(lastPage.find("1:500") != std::string::npos, lastPage.c_str());

        // Emptied again: one page of the whole area, as before.
        printThroughDialog([](TPrintForm* d) {
            Child<QLineEdit>(*d, "eScale")->clear();
            QTest::mouseClick(Child<QPushButton>(*d, "OKBtn"), Qt::LeftButton);
        });
        QCOMPARE(d->Scale(), 0.0);
        QCOMPARE(pdfPages(), 1);
    }

    void printPressedAgainWhilePrintingDoesNothing() {
        TMainForm& f = makeForm();
        QVERIFY(!f.Printing());
        // A second print command would show the dialog again inside the first one.
        QTest::failOnWarning(QRegularExpression("Recursive call"));
        bool printingMeanwhile = false;
        QWidget* modalAfter = nullptr;
        printThroughDialog([&](TPrintForm* d) {
            printingMeanwhile = f.Printing();
            Child<QAction>(f, "FilePrint1")->trigger();
            modalAfter = QApplication::activeModalWidget();
            QTest::mouseClick(Child<QPushButton>(*d, "OKBtn"), Qt::LeftButton);
        });
        QVERIFY(printingMeanwhile);
        QCOMPARE(modalAfter, static_cast<QWidget*>(Child<TPrintForm>(f, "PrintForm")));
        QVERIFY(!f.Printing());
        QCOMPARE(pdfPages(), 1);
    }

    void previewShowsThePagesPrintMapPrints() {
        makeForm();
        int previewPages = -1;
        QString previewTitle;
        ErrorBoxSeen refused;
        printThroughDialog([&](TPrintForm* d) {
            Child<QSpinBox>(*d, "seCopies")->setValue(2);
            whenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
                previewTitle = preview->windowTitle();
                previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
                preview->reject();
                return true;
            });
            QTest::mouseClick(Child<QPushButton>(*d, "btnPreview"), Qt::LeftButton);
            // Margins that leave no room: the error instead of a preview.
            Child<QSpinBox>(*d, "seLeft")->setValue(999);
            answerErrorBox(refused);
            QTest::mouseClick(Child<QPushButton>(*d, "btnPreview"), Qt::LeftButton);
            Child<QSpinBox>(*d, "seLeft")->setValue(10);
            QTest::mouseClick(Child<QPushButton>(*d, "CancelBtn"), Qt::LeftButton);
        });
        QCOMPARE(previewTitle, QString("印刷プレビュー"));
        QCOMPARE(previewPages, 2);  // the page once per copy, as PrintMap prints on this PDF printer
        QCOMPARE(refused.count, 1);
        QCOMPARE(refused.text, QString("印刷範囲が小さすぎます"));
        QVERIFY(!fs::exists(pdf()));  // a preview prints nothing
    }

    void printerSetupOpensQtsPrintDialog() {
        TMainForm& f = makeForm();
        QString title, okText;
        whenModal<QPrintDialog>([&](QPrintDialog* p) {
            title = p->windowTitle();
            okText = p->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
            p->reject();
            return true;
        });
        Child<QAction>(f, "FilePrintSetup1")->trigger();
        QCOMPARE(title, QString("プリンタの設定"));
        QCOMPARE(okText, QString("OK"));

        // "設定" in the print dialog: confirmed, the dialog shows the printer then chosen.
        const QString other = QString::fromStdString((window_->Dir() / "other.pdf").string());
        QString shownAfter;
        printThroughDialog([&](TPrintForm* d) {
            whenModal<QPrintDialog>([&](QPrintDialog* p) {
                auto* file = p->findChild<QLineEdit*>("filename");
                if (!file) return false;
                file->setText(other);
                p->accept();
                return true;
            });
            QTest::mouseClick(Child<QPushButton>(*d, "btnPrintSetup"), Qt::LeftButton);
            shownAfter = Child<QLabel>(*d, "lbPrinterName")->text();
            QTest::mouseClick(Child<QPushButton>(*d, "CancelBtn"), Qt::LeftButton);
        });
        QCOMPARE(f.Printer()->outputFileName(), other);
        QCOMPARE(shownAfter, other);
    }

    void copyPutsOnlyTheSvgPictureOnTheClipboard() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        QGuiApplication::clipboard()->setText("before");
        QVERIFY(Child<QAction>(f, "EditCopy1")->isEnabled());
        Child<QAction>(f, "EditCopy1")->trigger();
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime);
        QCOMPARE(mime->formats(), QStringList{"image/svg+xml"});
        QVERIFY(!mime->hasText());
        QVERIFY(!mime->hasImage());
        QVERIFY(!mime->hasFormat("image/png"));
        const QByteArray svg = mime->data("image/svg+xml");
        QVERIFY(svg.contains("<svg"));
        QCOMPARE(svg, panel.SvgPicture());  // the current view
        QVERIFY(svg.contains(u8"<title>東京都千代田区丸の内一丁目</title>"));
        // Drawn over grey, it shows the screen's white client area where no feature lies.
        QSvgRenderer picture(svg);
        QCOMPARE(picture.viewBox().size(), panel.Image().size());
        QImage drawn(panel.Image().size(), QImage::Format_RGB32);
        drawn.fill(Qt::gray);
        QPainter painter(&drawn);
        picture.render(&painter);
        painter.end();
        QCOMPARE(panel.Image().pixel(2, 2), qRgb(255, 255, 255));
        QCOMPARE(drawn.pixel(2, 2), qRgb(255, 255, 255));
    }
};

int main(int argc, char** argv) {
    TOrvelleApplication app(argc, argv);
    PrintTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "print_test.moc"
