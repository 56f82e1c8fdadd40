#include "shell_ui/go_to_place_form.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell_ui/object_names.h"
#include "shell_ui/ui_text.h"

QString PlaceKindText(TPlaceKind kind) {
    switch (kind) {
        case TPlaceKind::Municipality: return "市区町村";
        case TPlaceKind::Chome: return "大字・町丁目";
        case TPlaceKind::Block: return "街区";
        case TPlaceKind::Point: break;
    }
    return "地点";
}

namespace {

QString statusText(TLocateStatus status) {
    switch (status) {
        case TLocateStatus::Found: return {};
        case TLocateStatus::NothingFound: return "該当する場所がありません";
        case TLocateStatus::OutsideRange: return "座標が平面直角座標系の範囲外です";
        case TLocateStatus::NotPlaneSystem: return "平面直角座標系の名前ではありません";
        case TLocateStatus::Malformed: return "座標の書き方が正しくありません";
        case TLocateStatus::NoConversion: return "この地図の座標系には変換できません";
    }
    return {};
}

}  // namespace

TGoToPlaceForm::TGoToPlaceForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle("場所へ移動");
    eQuery = new QLineEdit(this);
    eQuery->setObjectName("eQuery");
    SetExamples({}, {});
    lbMatches = new QListWidget(this);
    lbMatches->setObjectName("lbMatches");
    lblStatus = new QLabel(this);
    buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("キャンセル", QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(eQuery);
    layout->addWidget(lbMatches);
    layout->addWidget(lblStatus);
    layout->addWidget(buttons);
    resize(420, 320);

    connect(eQuery, &QLineEdit::textChanged, this, [this] { lookUp(); });
    // Enter in the edit takes the first match, as a double-click takes its own.
    connect(eQuery, &QLineEdit::returnPressed, this, [this] { choose(); });
    connect(lbMatches, &QListWidget::itemActivated, this, [this] { choose(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { choose(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SetObjectNames({{this, "GoToPlaceForm"}, {lblStatus, "lblStatus"}, {buttons, "buttons"}});
}

void TGoToPlaceForm::SetExamples(const QString& address, const QString& latLon) {
    const QString a = address.isEmpty() ? "住所" : "住所 (" + address + ")";
    const QString c = latLon.isEmpty() ? "緯度経度" : "緯度経度 (" + latLon + ")";
    eQuery->setPlaceholderText(a + "、" + c + (address.isEmpty() && latLon.isEmpty() ? "など" : " など"));
}

void TGoToPlaceForm::SetIndex(const TPlaceIndex* index) {
    index_ = index;
    chosen_.reset();
    lookUp();
}

void TGoToPlaceForm::lookUp() {
    lbMatches->clear();
    result_ = {};
    const QString text = eQuery->text().trimmed();
    if (!index_ || text.isEmpty()) {
        lblStatus->clear();
        return;
    }
    result_ = Locate(*index_, text.toStdString(), kMaxPlaceMatches, shift_);
    for (const TPlaceMatch& m : result_.Matches) {
        const QString name = m.Name.empty() ? QString("%1, %2").arg(m.Area.At.X, 0, 'f', 2).arg(m.Area.At.Y, 0, 'f', 2)
                                            : FromSjis(m.Name);
        lbMatches->addItem(PlaceKindText(m.Kind) + "\t" + name);
    }
    if (lbMatches->count() > 0) lbMatches->setCurrentRow(0);
    lblStatus->setText(statusText(result_.Status));
}

void TGoToPlaceForm::choose() {
    const int row = lbMatches->currentRow();
    if (row < 0 || row >= static_cast<int>(result_.Matches.size())) return;
    chosen_ = result_.Matches[static_cast<size_t>(row)];
    accept();
}
