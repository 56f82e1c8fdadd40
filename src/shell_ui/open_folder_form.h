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
    // The chosen folder; empty when none valid was chosen. Set before the
    // dialog is shown, it is the folder offered.
    const QString& Folder() const { return folder_; }
    void SetFolder(const QString& folder) { folder_ = folder; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Components; each carries its design name as objectName.
    QTreeView* ShellTreeView1;
    QLineEdit* eFolder;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void okBtnClick();
    QFileSystemModel* model_;
    QString folder_;
};
