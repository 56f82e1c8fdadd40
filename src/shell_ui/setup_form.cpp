#include "shell_ui/setup_form.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "map/display_categories.h"
#include "reading/mesh_reader.h"
#include "shell/cache_folder.h"
#include "shell_ui/object_names.h"
#include "shell_ui/ui_text.h"

QCheckBox* TSetupForm::*const TSetupForm::kCategoryBoxes[] = {
    &TSetupForm::cbVC11, &TSetupForm::cbVC21, &TSetupForm::cbVC23, &TSetupForm::cbVC24,
    &TSetupForm::cbVC35, &TSetupForm::cbVC51, &TSetupForm::cbVC62, &TSetupForm::cbVC73};

TSetupForm::TSetupForm(QWidget* owner) : QDialog(owner) {
    static_assert(std::size(kCategoryBoxes) == kCategoryCount);
    setWindowTitle("環境設定");
    PageControl1 = new QTabWidget(this);

    auto* display = new QWidget;
    auto* grid = new QGridLayout(display);
    // The categories' check boxes in table order, down the left column, then the right.
    constexpr size_t kRows = (kCategoryCount + 1) / 2;
    for (size_t i = 0; i < kCategoryCount; ++i) {
        const std::string_view caption = kDisplayCategories[i].Caption;
        this->*kCategoryBoxes[i] =
            new QCheckBox(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), display);
        grid->addWidget(this->*kCategoryBoxes[i], static_cast<int>(i % kRows), static_cast<int>(i / kRows));
    }
    rgDatumShift = new QGroupBox("日本測地系の変換", display);
    rbDatumHelmert = new QRadioButton("3パラメータ", rgDatumShift);
    rbDatumGrid = new QRadioButton("国土地理院パラメータ (TKY2JGD)", rgDatumShift);
    rbDatumHelmert->setChecked(true);
    auto* shiftLayout = new QVBoxLayout(rgDatumShift);
    shiftLayout->addWidget(rbDatumHelmert);
    shiftLayout->addWidget(rbDatumGrid);
    grid->addWidget(rgDatumShift, static_cast<int>(kRows), 0, 1, 2);
    grid->setRowStretch(static_cast<int>(kRows) + 1, 1);
    // Focus moves row by row.
    std::vector<QWidget*> order;
    for (size_t row = 0; row < kRows; ++row)
        for (size_t i = row; i < kCategoryCount; i += kRows) order.push_back(this->*kCategoryBoxes[i]);
    order.push_back(rbDatumHelmert);
    order.push_back(rbDatumGrid);
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    PageControl1->addTab(display, "表示");

    auto* cache = new QWidget;
    auto* cacheLayout = new QGridLayout(cache);
    lbVolume = new QLabel("(サイズ: 0 Mbyte)", cache);
    eCacheFilePath = new QLineEdit(cache);
    eCacheFilePath->setReadOnly(true);
    eCacheFilePath->setEnabled(false);
    btnCashClear = new QPushButton("すべて削除する", cache);
    cbEndCacheClear = new QCheckBox("アプリケーション終了時に削除する", cache);
    cacheLayout->addWidget(new QLabel("格納場所", cache), 0, 0);
    cacheLayout->addWidget(lbVolume, 0, 1);
    cacheLayout->addWidget(eCacheFilePath, 1, 0, 1, 3);
    cacheLayout->addWidget(btnCashClear, 2, 0);
    cacheLayout->addWidget(cbEndCacheClear, 3, 0, 1, 3);
    seReadingJobs = new QSpinBox(cache);
    seReadingJobs->setRange(0, kMaxReadingJobs);
    seReadingJobs->setSpecialValueText(QString("自動 (%1)").arg(DefaultReadingJobs()));
    auto* jobsLabel = new QLabel("同時に読み込むメッシュ数", cache);
    jobsLabel->setBuddy(seReadingJobs);
    cacheLayout->addWidget(jobsLabel, 4, 0);
    cacheLayout->addWidget(seReadingJobs, 4, 1);
    cacheLayout->setRowStretch(5, 1);
    connect(btnCashClear, &QPushButton::clicked, this, [this] { btnCashClearClick(); });
    PageControl1->addTab(cache, "キャッシュ");

    ErrorLog = new QPlainTextEdit;
    ErrorLog->setReadOnly(true);
    ErrorLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    ErrorLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ErrorLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PageControl1->addTab(ErrorLog, "エラーログ");

    OKBtn = new QPushButton("OK", this);
    CancelBtn = new QPushButton("キャンセル", this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    resize(420, 300);
    SetObjectNames({{this, "SetupForm"}, {PageControl1, "PageControl1"}, {cbVC11, "cbVC11"}, {cbVC21, "cbVC21"},
                    {cbVC23, "cbVC23"}, {cbVC24, "cbVC24"}, {cbVC35, "cbVC35"}, {cbVC51, "cbVC51"}, {cbVC62, "cbVC62"},
                    {cbVC73, "cbVC73"}, {rgDatumShift, "rgDatumShift"}, {rbDatumHelmert, "rbDatumHelmert"},
                    {rbDatumGrid, "rbDatumGrid"}, {lbVolume, "lbVolume"}, {eCacheFilePath, "eCacheFilePath"},
                    {btnCashClear, "btnCashClear"}, {cbEndCacheClear, "cbEndCacheClear"}, {seReadingJobs, "seReadingJobs"}, {ErrorLog, "ErrorLog"},
                    {OKBtn, "OKBtn"}, {CancelBtn, "CancelBtn"}});
}

QCheckBox* TSetupForm::box(int code) const {
    const int i = CategoryIndex(code);
    return i < 0 ? nullptr : this->*kCategoryBoxes[i];
}

bool TSetupForm::GetCategory(int code) const { return box(code) && box(code)->isChecked(); }

void TSetupForm::SetCategory(int code, bool on) {
    if (QCheckBox* cb = box(code)) cb->setChecked(on);
}

void TSetupForm::SetCacheFolder(const std::string& path) { eCacheFilePath->setText(FromSjis(path)); }

std::string TSetupForm::GetCacheFolder() const { return ToSjis(eCacheFilePath->text()); }

void TSetupForm::SetErrorLog(const TErrorList* list) {
    if (!list) return;
    ErrorLog->clear();
    QStringList lines;
    for (const std::string& line : *list) lines.append(FromSjis(line));
    ErrorLog->setPlainText(lines.join('\n'));
}

void TSetupForm::SetDatumShift(TDatumShift shift) {
    (shift == TDatumShift::dsGrid ? rbDatumGrid : rbDatumHelmert)->setChecked(true);
}

TDatumShift TSetupForm::GetDatumShift() const {
    return rbDatumGrid->isChecked() ? TDatumShift::dsGrid : TDatumShift::dsHelmert;
}

void TSetupForm::SetClearAtEnd(bool on) { cbEndCacheClear->setChecked(on); }

bool TSetupForm::GetClearAtEnd() const { return cbEndCacheClear->isChecked(); }

void TSetupForm::SetReadingJobs(int jobs) { seReadingJobs->setValue(jobs); }

int TSetupForm::GetReadingJobs() const { return seReadingJobs->value(); }

void TSetupForm::UpdateCacheSize() {
    double total = 0;
    FolderSize(GetCacheFolder(), total);
    lbVolume->setText(QString("(サイズ: %1 Mbyte)").arg(total / 1024 / 1024, 0, 'f', 1));
}

void TSetupForm::showEvent(QShowEvent* event) {
    UpdateCacheSize();
    QDialog::showEvent(event);
}

void TSetupForm::btnCashClearClick() {
    btnCashClear->setText("削除中");
    btnCashClear->repaint();
    ClearFolder(GetCacheFolder());
    UpdateCacheSize();
    btnCashClear->setText("すべて削除する");
}
