// The main window's web searches: the toolbar "検索" with the engine list
// and the yellow-pages keyword, and the two commands that open an address
// built from the address at the map centre.
#include <QComboBox>
#include <QFile>
#include <QToolBar>

#include "base/shipped_data.h"
#include "shell/web_addresses.h"
#include "shell_ui/main_form.h"
#include "shell_ui/ui_text.h"
#include "shell_ui/url_opener.h"

void TMainForm::createWebSearchBar() {
    // A row of its own: beside the operation buttons it would not fit the
    // window's 640 pixels and would hide its commands behind the extension arrow.
    addToolBarBreak();
    tlbWebSearch = addToolBar("検索");
    tlbWebSearch->setObjectName("tlbWebSearch");
    cbWebSearch = new QComboBox(tlbWebSearch);
    cbWebSearch->setToolTip("検索サイト");
    cbWebSearch->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cbITPSearch = new QComboBox(tlbWebSearch);
    cbITPSearch->setEditable(true);
    cbITPSearch->setInsertPolicy(QComboBox::NoInsert);
    cbITPSearch->addItems({"飲食店", "コンビニ", "ガソリンスタンド"});
    cbITPSearch->setEditText("飲食店");
    cbITPSearch->setToolTip("キーワード");
    cbITPSearch->setMinimumContentsLength(10);
    tlbWebSearch->addWidget(cbWebSearch);
    tlbWebSearch->addAction(WebSearch1);
    tlbWebSearch->addSeparator();
    tlbWebSearch->addWidget(cbITPSearch);
    tlbWebSearch->addAction(ITPSearch1);
}

void TMainForm::loadEngineList(const std::string& configFolder) {
    // A first start puts the shipped list in place; a list the user has,
    // even an empty or broken one, stays as it is.
    const std::string path = configFolder + "engine.lst";
    // The shipped list is share/orvelle/engine.lst of the installation.
    const std::filesystem::path shippedPath = FindShippedFile("engine.lst");
    QFile shipped(QString::fromStdString(shippedPath.string()));
    if (!shippedPath.empty() && shipped.open(QIODevice::ReadOnly))
        InstallEngineList(path, shipped.readAll().toStdString());
    else
        qWarning("orvelle: the installation has no share/orvelle/engine.lst");
    engineList_.LoadFromFile(path);
    for (int i = 0; i < engineList_.Count(); ++i) cbWebSearch->addItem(FromSjis(engineList_.Items(i)->Name), i);
    cbWebSearch->setEnabled(cbWebSearch->count() > 0);
    if (cbWebSearch->count() > 0) cbWebSearch->setCurrentIndex(0);
}

std::string TMainForm::centreAddress() const {
    return GeoPanel1->CenterPrefName() + GeoPanel1->CenterCityName() + GeoPanel1->CenterChome();
}

void TMainForm::SetUrlOpener(std::unique_ptr<TUrlOpener> opener) { urlOpener_ = std::move(opener); }

void TMainForm::webSearchExecute() {
    const QVariant bound = cbWebSearch->currentData();
    const TSearchEngine* engine = engineList_.Items(bound.isValid() ? bound.toInt() : -1);
    if (!GeoPanel1->DataLoaded() || !engine) return;
    urlOpener_->Open(WebSearchAddress(*engine, centreAddress()));
}

void TMainForm::itpSearchExecute() {
    if (!GeoPanel1->DataLoaded()) return;
    urlOpener_->Open(TownPageAddress(centreAddress(), ToSjis(cbITPSearch->currentText())));
}
