#pragma once
// TAboutBox ("バージョン情報"): the program's picture with its name and
// version over it and the maker's labels below; clicking the picture or a
// label opens the project's web page in the browser.
#include <QDialog>
#include <QUrl>
#include <functional>
#include <utility>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
public:
    explicit TAboutBox(QWidget* owner);

    static const QUrl ProjectPage;
    // Replaces what opens a web address (the default browser), so that tests see the address.
    void SetOpenUrl(std::function<void(const QUrl&)> openUrl) { OpenUrl = std::move(openUrl); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Components; each carries its design name as objectName.
    QLabel* Image1;
    QLabel *ProductName, *Version, *Copyright;
    QLabel *lbCompany, *lbZip, *lbAddress, *lbPhone;
    QLabel* lbGridSource;  // the attribution GSI's terms ask for the shipped datum grids
    QPushButton* OKButton;

    std::function<void(const QUrl&)> OpenUrl;
};
