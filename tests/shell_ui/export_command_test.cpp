// The viewer's export command, driven through its action and save dialog on
// the offscreen platform: the file it writes holds the map, the status bar
// counts what was written, a failure reaches the error box in Japanese, and
// the dialog starts in the last export's folder (kept across runs) with a
// file named after the opened data.
#include <QAbstractItemView>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "modal_answers.h"
#include "support/child.h"
#include "support/mesh_fixture.h"
#include "window_with_town.h"

using testsupport::Child;

namespace fs = std::filesystem;

namespace {

// Feature counts of every layer of an OGR data source, by layer name.
std::map<std::string, int64_t> layerCounts(const fs::path& file) {
    GDALAllRegister();
    std::unique_ptr<GDALDataset> ds(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    std::map<std::string, int64_t> counts;
    if (!ds) return counts;
    for (OGRLayer* layer : ds->GetLayers()) counts[layer->GetName()] = layer->GetFeatureCount();
    return counts;
}

struct Proposal {
    QString folder, name;
};

// Triggers the export command and records what its dialog proposes, then
// answers it with `answer` (a file name) or cancels it when that is empty.
Proposal proposalOf(TMainForm& f, const QString& answer = {}) {
    Proposal seen;
    whenModal<QFileDialog>([&seen, answer](QFileDialog* d) {
        auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
        if (!edit) return false;
        seen = {d->directory().absolutePath(), edit->text()};
        if (answer.isEmpty()) {
            d->reject();
        } else {
            edit->setText(answer);
            static_cast<QDialog*>(d)->accept();
        }
        return !d->isVisible();
    });
    Child<QAction>(f, "FileExport1")->trigger();
    return seen;
}

}  // namespace

class ExportCommandTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowWithTown> window_;

    TMainForm& openTown() {
        window_ = std::make_unique<WindowWithTown>();
        if (Child<QAction>(window_->Form(), "FileExport1")->isEnabled()) qFatal("export enabled without data");
        return window_->Open();
    }
    const fs::path& dir() const { return window_->Dir(); }

private slots:
    void cleanup() { window_.reset(); }

    void writesTheMapToTheNamedFileAndCountsIt() {
        TMainForm& f = openTown();
        QVERIFY(Child<QAction>(f, "FileExport1")->isEnabled());
        const fs::path out = dir() / "town-export.gpkg";
        // A name typed without its suffix gets the chosen format's.
        const QString typed = QString::fromStdString((dir() / "town-export").string());
        whenModal<QFileDialog>([typed](QFileDialog* d) {
            auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
            if (!edit) return false;
            edit->setText(typed);
            static_cast<QDialog*>(d)->accept();
            return !d->isVisible();
        });
        Child<QAction>(f, "FileExport1")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!f.Exporting(), 20000);
        QVERIFY(Child<QAction>(f, "FileExport1")->isEnabled());

        const auto counts = layerCounts(out);
        QVERIFY(!counts.empty());
        int64_t total = 0;
        for (const auto& [name, n] : counts) total += n;
        QCOMPARE(counts.at("lines"),
                 static_cast<int64_t>(Child<TGeoPanel>(f, "GeoPanel1")->MapObject()->Lines().size()));
        QCOMPARE(f.StatusText(3), QString("エクスポート: %1件").arg(total));
    }

    // A format that takes an encoding asks for it after the file name.
    void aShapefileInShiftJisIsChosenInTheDialogs() {
        TMainForm& f = openTown();
        const QString typed = QString::fromStdString((dir() / "town-sjis.shp").string());
        whenModal<QFileDialog>([typed](QFileDialog* d) {
            auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
            if (!edit) return false;
            d->selectNameFilter("ESRI Shapefile (*.shp)");
            edit->setText(typed);
            static_cast<QDialog*>(d)->accept();
            return !d->isVisible();
        });
        QStringList offered;
        whenModal<QInputDialog>([&offered](QInputDialog* d) {
            offered = d->comboBoxItems();
            d->setTextValue("Shift_JIS (CP932)");
            d->accept();
            return true;
        });
        Child<QAction>(f, "FileExport1")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!f.Exporting(), 20000);
        QCOMPARE(offered, QStringList({"UTF-8", "Shift_JIS (CP932)"}));
        std::ifstream cpg(dir() / "town-sjis_areas.cpg");
        std::string codePage;
        cpg >> codePage;
        QCOMPARE(codePage, std::string("932"));
        GDALAllRegister();
        std::unique_ptr<GDALDataset> ds(
            GDALDataset::Open((dir() / "town-sjis_areas.shp").c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
        QVERIFY(ds);
        bool found = false;
        for (auto& feature : *ds->GetLayer(0)) {
            found |= std::string(feature->GetFieldAsString("name")) == u8"千代田区";
            // Every feature names the data it came from: the opened description file's stem.
            QCOMPARE(std::string(feature->GetFieldAsString("source")), std::string("09LD1001"));
        }
        QVERIFY(found);
    }

    void aFailureReachesTheErrorBoxAndLeavesNothing() {
        TMainForm& f = openTown();
        const QString before = f.StatusText(3);
        const fs::path out = dir() / "missing-folder" / "x.gpkg";
        ErrorBoxSeen seen;
        answerErrorBox(seen);
        f.ExportTo(QString::fromStdString(out.string()), "GPKG");
        QTRY_COMPARE_WITH_TIMEOUT(seen.count, 1, 20000);
        QVERIFY(!f.Exporting());
        QCOMPARE(seen.title, QString("Orvelle"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QVERIFY2(seen.text.startsWith(QString::fromStdString(out.parent_path().string())), qPrintable(seen.text));
        QVERIFY2(seen.text.contains("書き込めません: "), qPrintable(seen.text));
        QVERIFY(!fs::exists(out.parent_path()));
        QCOMPARE(f.StatusText(3), before);
        QVERIFY(Child<QAction>(f, "FileExport1")->isEnabled());
    }

    void aMapWithoutFeaturesIsRefusedInJapanese() {
        window_ = std::make_unique<WindowWithTown>();
        TMainForm& f = window_->Form();
        f.show();
        const fs::path empty = testsupport::MeshFixture(dir() / "empty", "09LD1002").write();
        f.OpenPaths({QString::fromStdString(empty.string())});
        QTRY_VERIFY_WITH_TIMEOUT(!f.Loading(), 20000);
        QVERIFY(Child<TGeoPanel>(f, "GeoPanel1")->DataLoaded());
        ErrorBoxSeen seen;
        answerErrorBox(seen);
        f.ExportTo(QString::fromStdString((dir() / "empty.gpkg").string()), "GPKG");
        QTRY_COMPARE_WITH_TIMEOUT(seen.count, 1, 20000);
        QCOMPARE(seen.text, QString("エクスポートする地物がありません."));  // the error box's full stop
        QVERIFY(!fs::exists(dir() / "empty.gpkg"));
    }

    void theDialogStartsInTheLastExportFolderWithTheDataName() {
        testsupport::TempDir dir;
        const fs::path town = testsupport::writeTown(dir.path() / "town");
        const fs::path home = dir.path() / "home", exports = dir.path() / "exports";
        fs::create_directories(home / "Documents");
        fs::create_directories(exports);
        qputenv("HOME", QByteArray::fromStdString(home.string()));
        qunsetenv("XDG_CONFIG_HOME");
        auto start = [&dir, &town] {
            auto f = std::make_unique<TMainForm>((dir.path() / "config").string() + "/", (dir.path() / "Maps").string() + "/");
            f->show();
            f->OpenPaths({QString::fromStdString(town.string())});
            if (!QTest::qWaitFor([&f] { return !f->Loading(); }, 20000)) qFatal("town not loaded");
            return f;
        };
        const QString name = QString::fromStdString(town.stem().string()) + ".gpkg";  // the description's name

        // First: the documents folder; the file chosen there sets the folder.
        auto f = start();
        const Proposal first = proposalOf(*f, QString::fromStdString((exports / "mine.gpkg").string()));
        QCOMPARE(first.folder, QString::fromStdString((home / "Documents").string()));
        QCOMPARE(first.name, name);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Exporting(), 20000);
        QVERIFY(fs::exists(exports / "mine.gpkg"));
        f.reset();  // the INI file keeps the folder

        f = start();
        const Proposal next = proposalOf(*f);
        QCOMPARE(next.folder, QString::fromStdString(exports.string()));
        QCOMPARE(next.name, name);
    }
};

QTEST_MAIN(ExportCommandTest)
#include "export_command_test.moc"
