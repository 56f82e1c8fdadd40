#include "shell_ui/print_form.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "shell_ui/object_names.h"
#include "shell_ui/printer_setup.h"

namespace {

// The largest scale denominator 縮尺 takes, as orvelle-cli print --scale does.
constexpr int kLargestScale = 10000000;

// The denominator in 縮尺, 0 when it is empty, -1 when it is out of range.
int scaleOf(const QString& text) {
    if (text.isEmpty()) return 0;
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 1 && n <= kLargestScale ? n : -1;
}

QSpinBox* spinBox(QWidget* parent, int minimum, int maximum, int value) {
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

}  // namespace

TPrintForm::TPrintForm(QWidget* owner, QPrinter& printer) : QDialog(owner), printer_(printer) {
    setWindowTitle("印刷");

    Label1 = new QLabel("現在選択されているプリンタ", this);
    lbPrinterName = new QLabel(this);
    btnPrintSetup = new QPushButton("設定", this);
    connect(btnPrintSetup, &QPushButton::clicked, this, [this] { btnPrintSetupClick(); });

    rgArea = new QGroupBox("印刷範囲", this);
    areaItems_ = new QButtonGroup(this);
    auto* areaLayout = new QVBoxLayout(rgArea);
    int id = 0;
    for (const char* item : {"表示部分", "全領域"}) {
        auto* button = new QRadioButton(item, rgArea);
        areaItems_->addButton(button, id++);
        areaLayout->addWidget(button);
    }
    SetAreaIndex(0);

    auto* copies = new QGroupBox("部数", this);
    seCopies = spinBox(copies, 1, 99, 1);
    (new QVBoxLayout(copies))->addWidget(seCopies);

    auto* scale = new QGroupBox("縮尺", this);
    auto* scaleLayout = new QHBoxLayout(scale);
    eScale = new QLineEdit(scale);
    eScale->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,8}"), eScale));
    scaleLayout->addWidget(new QLabel("1 :", scale));
    scaleLayout->addWidget(eScale);
    connect(eScale, &QLineEdit::textChanged, this, [this] { scaleEdited(); });

    auto* margins = new QGroupBox("余白 (mm)", this);
    auto* marginLayout = new QGridLayout(margins);
    seLeft = spinBox(margins, 0, 999, 10);
    seRight = spinBox(margins, 0, 999, 10);
    seTop = spinBox(margins, 0, 999, 10);
    seBottom = spinBox(margins, 0, 999, 10);
    const std::pair<const char*, QSpinBox*> sides[] = {{"左", seLeft}, {"右", seRight}, {"上", seTop}, {"下", seBottom}};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(sides[i].first, margins);
        label->setBuddy(sides[i].second);
        marginLayout->addWidget(label, i / 2, (i % 2) * 2);
        marginLayout->addWidget(sides[i].second, i / 2, (i % 2) * 2 + 1);
    }

    OKBtn = new QPushButton("OK", this);
    CancelBtn = new QPushButton("キャンセル", this);
    btnPreview = new QPushButton("プレビュー", this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, [this] { okBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnPreview, &QPushButton::clicked, this, [this] {
        if (OnPreview) OnPreview(ControlRequest());
    });

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(lbPrinterName, 1, 0);
    layout->addWidget(btnPrintSetup, 1, 1);
    layout->addWidget(rgArea, 2, 0);
    layout->addWidget(copies, 2, 1);
    layout->addWidget(scale, 3, 0, 1, 2);
    layout->addWidget(margins, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnPreview);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons, 5, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog border
    SetObjectNames({{this, "PrintForm"}, {Label1, "Label1"}, {lbPrinterName, "lbPrinterName"}, {rgArea, "rgArea"},
                    {seCopies, "seCopies"}, {eScale, "eScale"}, {seLeft, "seLeft"}, {seRight, "seRight"}, {seTop, "seTop"},
                    {seBottom, "seBottom"}, {OKBtn, "OKBtn"}, {CancelBtn, "CancelBtn"}, {btnPrintSetup, "btnPrintSetup"},
                    {btnPreview, "btnPreview"}});
}

int TPrintForm::AreaIndex() const { return areaItems_->checkedId(); }

void TPrintForm::SetAreaIndex(int index) {
    if (QAbstractButton* button = areaItems_->button(index)) button->setChecked(true);
}

TPrintRequest TPrintForm::ControlRequest() const {
    return {{seLeft->value(), seTop->value(), seRight->value(), seBottom->value()}, seCopies->value(),
            AreaIndex() == 1, static_cast<double>(std::max(0, scaleOf(eScale->text())))};
}

void TPrintForm::scaleEdited() {
    const bool printable = scaleOf(eScale->text()) >= 0;
    OKBtn->setEnabled(printable);
    btnPreview->setEnabled(printable);
}

void TPrintForm::showEvent(QShowEvent* event) {
    lbPrinterName->setText(PrinterNameText(printer_));
    QDialog::showEvent(event);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TPrintForm::okBtnClick() {
    chosen_ = ControlRequest();
    accept();
}

void TPrintForm::btnPrintSetupClick() {
    if (ShowPrinterSetup(printer_, this)) lbPrinterName->setText(PrinterNameText(printer_));
}
