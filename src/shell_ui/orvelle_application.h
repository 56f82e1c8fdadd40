#pragma once
// The viewer's application object: every exception that reaches the event
// loop from a command is shown in the top-level error box, the command is
// abandoned, and the program carries on. Qt's own dialogs speak Japanese.
#include <QApplication>
#include <exception>
#include <string>

class TOrvelleApplication : public QApplication {
public:
    TOrvelleApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Loads Qt's Japanese translations (file and print dialogs, message box
// buttons) from Qt's translations folder; false when they are not installed.
bool InstallQtTranslations(QCoreApplication& app);

// The error box: the message (Shift-JIS) with the full-stop rule, titled
// "Orvelle", with a stop icon and an OK button.
void ShowErrorBox(const std::string& message);
// The same for an exception's text, whatever its kind.
void ShowErrorBox(const std::exception& error);
