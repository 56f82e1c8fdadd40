#pragma once
// TOpenFolderForm ("フォルダ選択"): a tree of folders and the edit box
// eFolder; OK takes the text only when it names an existing folder.
#include <QDialog>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

class TOpenFolderForm : public QDialog {
public:
    explicit TOpenFolderForm(QWidget* owner);
    QString Folder;  // the chosen folder; empty when none valid was chosen
    QTreeView* ShellTreeView1;
    QLineEdit* eFolder;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void okBtnClick();
    QFileSystemModel* model_;
};
