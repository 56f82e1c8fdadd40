#pragma once
// The viewer's application object: every exception that reaches the event
// loop from a command is shown in the top-level error box, the command is
// abandoned, and the program carries on.
#include <QApplication>
#include <string>

class TOrvelleApplication : public QApplication {
public:
    TOrvelleApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The error box: the message (Shift-JIS) with the full-stop rule, titled
// "Orvelle", with a stop icon and an OK button.
void ShowErrorBox(const std::string& message);
