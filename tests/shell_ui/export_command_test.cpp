// The viewer's export command, driven through its action and save dialog on
// the offscreen platform: the file it writes holds the map, the status bar
// counts what was written, and a failure reaches the error box.
#include <QAbstractItemView>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "modal_answers.h"
#include "window_with_town.h"

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

}  // namespace

class ExportCommandTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowWithTown> window_;

    TMainForm& openTown() {
        window_ = std::make_unique<WindowWithTown>();
        if (window_->Form().FileExport1->isEnabled()) qFatal("export enabled without data");
        return window_->Open();
    }
    const fs::path& dir() const { return window_->Dir(); }

private slots:
    void cleanup() { window_.reset(); }

    void writesTheMapToTheNamedFileAndCountsIt() {
        TMainForm& f = openTown();
        QVERIFY(f.FileExport1->isEnabled());
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
        f.FileExport1->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!f.Exporting(), 20000);
        QVERIFY(f.FileExport1->isEnabled());

        const auto counts = layerCounts(out);
        QVERIFY(!counts.empty());
        int64_t total = 0;
        for (const auto& [name, n] : counts) total += n;
        QCOMPARE(counts.at("lines"), static_cast<int64_t>(f.GeoPanel1->MapObject()->Lines().size()));
        QCOMPARE(f.StatusText(3), QString("エクスポート: %1件").arg(total));
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
        QVERIFY(!seen.text.isEmpty());
        QVERIFY(!fs::exists(out.parent_path()));
        QCOMPARE(f.StatusText(3), before);
        QVERIFY(f.FileExport1->isEnabled());
    }
};

QTEST_MAIN(ExportCommandTest)
#include "export_command_test.moc"
