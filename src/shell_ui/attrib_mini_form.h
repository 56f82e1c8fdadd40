#pragma once
// TAttribMiniForm ("属性"): a small tool window that stays on top and lists
// the details of the features picked in select mode.
#include <QWidget>

class QPlainTextEdit;

class TAttribMiniForm : public QWidget {
public:
    explicit TAttribMiniForm(QWidget* owner);
    // Replaces the text, sizes the window to it (within three quarters of
    // the screen) and shows the window without waiting (again, when closed).
    void ShowDetails(const QString& text);

private:
    // Components; each carries its design name as objectName.
    QPlainTextEdit* Details;

    void fitToText(const QString& text);
};
