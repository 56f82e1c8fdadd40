#include "shell_ui/open_folder_form.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include "shell_ui/object_names.h"

TOpenFolderForm::TOpenFolderForm(QWidget* owner) : QDialog(owner) {
    setWindowTitle("フォルダ選択");
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QDir::rootPath());
    ShellTreeView1 = new QTreeView(this);
    ShellTreeView1->setModel(model_);
    ShellTreeView1->setRootIsDecorated(false);
    for (int c = 1; c < model_->columnCount(); ++c) ShellTreeView1->hideColumn(c);
    ShellTreeView1->header()->hide();
    ShellTreeView1->setRootIndex(model_->index(QDir::rootPath()));
    connect(ShellTreeView1, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        eFolder->setText(QDir::toNativeSeparators(model_->filePath(index)) + QDir::separator());
    });

    auto* label = new QLabel("フォルダ名:", this);
    eFolder = new QLineEdit(this);
    label->setBuddy(eFolder);
    OKBtn = new QPushButton("OK", this);
    CancelBtn = new QPushButton("キャンセル", this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, [this] { okBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(ShellTreeView1, 0, 0, 1, 2);
    layout->addWidget(label, 1, 0);
    layout->addWidget(eFolder, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons, 2, 0, 1, 2);
    resize(360, 420);
    SetObjectNames({{this, "OpenFolderForm"}, {ShellTreeView1, "ShellTreeView1"}, {eFolder, "eFolder"}, {OKBtn, "OKBtn"},
                    {CancelBtn, "CancelBtn"}});
}

void TOpenFolderForm::showEvent(QShowEvent* event) {
    if (!folder_.isEmpty()) {
        const QModelIndex index = model_->index(folder_);
        ShellTreeView1->setCurrentIndex(index);
        ShellTreeView1->scrollTo(index);
        eFolder->setText(folder_);
    }
    QDialog::showEvent(event);
}

void TOpenFolderForm::okBtnClick() {
    if (QFileInfo(eFolder->text()).isDir()) {
        folder_ = eFolder->text();
        accept();
    } else {
        folder_.clear();
    }
}
