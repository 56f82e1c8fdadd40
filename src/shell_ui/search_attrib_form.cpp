#include "shell_ui/search_attrib_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

#include "map/display_categories.h"
#include "shell_ui/object_names.h"
#include "shell_ui/ui_text.h"
#include "view_qt/geo_panel.h"

namespace {

// The target list: every category, then each display category by its major code.
constexpr const char* kEveryCategory = "すべて";

}  // namespace

TSearchAttribForm::TSearchAttribForm(TGeoPanel& panel, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint), panel_(panel) {
    setWindowTitle("文字列検索");

    lbTarget = new QLabel("検索対象", this);
    cbTarget = new QComboBox(this);
    cbTarget->addItem(kEveryCategory);
    for (const TDisplayCategory& c : kDisplayCategories)
        cbTarget->addItem(QString::fromUtf8(c.SearchCaption.data(), static_cast<qsizetype>(c.SearchCaption.size())));
    cbTarget->setCurrentIndex(0);

    lbSearchText = new QLabel("検索する文字列", this);
    SearchText = new QComboBox(this);
    SearchText->setEditable(true);
    SearchText->setInsertPolicy(QComboBox::NoInsert);  // the search adds the texts itself
    SearchText->setCompleter(nullptr);                 // what is typed stays as typed
    SearchText->setMinimumWidth(240);
    lbTarget->setBuddy(cbTarget);
    lbSearchText->setBuddy(SearchText);

    rgDirection = new QGroupBox("検索方向", this);
    rgDirectionUp = new QRadioButton("上へ", rgDirection);
    rgDirectionDown = new QRadioButton("下へ", rgDirection);
    rgDirectionDown->setChecked(true);
    auto* directions = new QGridLayout(rgDirection);
    directions->addWidget(rgDirectionUp, 0, 0);
    directions->addWidget(rgDirectionDown, 0, 1);

    cbRegExp = new QCheckBox("正規表現", this);
    btnSearch = new QPushButton("次を検索", this);
    btnSearch->setDefault(true);
    btnSearch->setEnabled(false);
    btnCancel = new QPushButton("キャンセル", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lbTarget, 0, 0);
    grid->addWidget(cbTarget, 0, 1);
    grid->addWidget(btnSearch, 0, 2);
    grid->addWidget(lbSearchText, 1, 0);
    grid->addWidget(SearchText, 1, 1);
    grid->addWidget(btnCancel, 1, 2);
    grid->addWidget(cbRegExp, 2, 0, Qt::AlignTop);
    grid->addWidget(rgDirection, 2, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);  // fixed dialog border
    setTabOrder(cbTarget, SearchText);
    setTabOrder(SearchText, rgDirectionUp);
    setTabOrder(rgDirectionDown, cbRegExp);
    setTabOrder(cbRegExp, btnSearch);
    setTabOrder(btnSearch, btnCancel);

    connect(cbTarget, &QComboBox::currentIndexChanged, this, [this] { cbTargetChange(); });
    connect(SearchText, &QComboBox::editTextChanged, this, [this] { SearchTextChange(); });
    connect(cbRegExp, &QCheckBox::clicked, this, [this] { cbRegExpClick(); });
    for (QRadioButton* b : {rgDirectionUp, rgDirectionDown})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) rgDirectionClick();
        });
    connect(btnSearch, &QPushButton::clicked, this, [this] { btnSearchClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { close(); });
    SetObjectNames({{this, "SearchAttribForm"}, {lbTarget, "lbTarget"}, {cbTarget, "cbTarget"},
                    {lbSearchText, "lbSearchText"}, {SearchText, "SearchText"}, {rgDirection, "rgDirection"},
                    {rgDirectionUp, "rgDirectionUp"}, {rgDirectionDown, "rgDirectionDown"}, {cbRegExp, "cbRegExp"},
                    {btnSearch, "btnSearch"}, {btnCancel, "btnCancel"}});
}

// Shown or hidden by the program; the window system's own (minimising,
// restoring) leave the walk alone.
void TSearchAttribForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    FormShow();
}

void TSearchAttribForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) FormHide();
}

void TSearchAttribForm::FormShow() {
    FFoundIndex = 0;
    FFoundCount = 0;
    FNeedSearch = true;
    SearchText->setFocus();
}

void TSearchAttribForm::FormHide() {
    panel_.ClearSelected();
    showStatus({});
}

void TSearchAttribForm::SearchTextChange() {
    btnSearch->setEnabled(!SearchText->currentText().isEmpty());
    FFoundIndex = 0;
    FNeedSearch = true;
}

void TSearchAttribForm::cbTargetChange() {
    const int category = std::clamp(cbTarget->currentIndex(), 0, static_cast<int>(kCategoryCount)) - 1;
    FTargetMajor = category < 0 ? -1 : kDisplayCategories[static_cast<size_t>(category)].Major;
    FTargetMinor = -1;
    FFoundIndex = 0;
    FNeedSearch = true;
}

void TSearchAttribForm::cbRegExpClick() {
    FFoundIndex = 0;
    FNeedSearch = true;
}

void TSearchAttribForm::rgDirectionClick() {
    FSearchDown = rgDirectionDown->isChecked();
    StepIndex();
    if (!FSearchDown) StepIndex();
}

void TSearchAttribForm::btnSearchClick() {
    if (FFoundIndex >= FFoundCount) FFoundIndex = 0;
    if (FNeedSearch) {
        panel_.ClearSelected();
        const QString text = SearchText->currentText();
        remember(text);
        // A malformed pattern raises here: nothing is selected, and the
        // count, the status text and the need to search stay as they were.
        FFoundCount = panel_.SearchAttrib(FTargetMajor, FTargetMinor, cbRegExp->isChecked(), ToSjis(text));
        FNeedSearch = false;
        // Without a map the count is -1; the status shows no hits.
        showStatus(QString("検索: %1件").arg(std::max(FFoundCount, 0)));
    }
    panel_.ShowSelected(kShowMargin, FFoundIndex);
    panel_.Redraw();
    StepIndex();
}

void TSearchAttribForm::StepIndex() {
    if (FSearchDown) {
        if (FFoundIndex < FFoundCount - 1) ++FFoundIndex;
    } else if (FFoundIndex > 0) {
        --FFoundIndex;
    }
}

void TSearchAttribForm::remember(const QString& text) {
    // Newest first, each text once; the edit keeps what was typed.
    const QSignalBlocker block(SearchText);
    const int existing = SearchText->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (existing >= 0) SearchText->removeItem(existing);
    SearchText->insertItem(0, text);
    while (SearchText->count() > kHistorySize) SearchText->removeItem(SearchText->count() - 1);
    SearchText->setCurrentIndex(0);
    SearchText->setEditText(text);
}

void TSearchAttribForm::showStatus(const QString& text) {
    if (OnStatus) OnStatus(text);
}
