#include "shell_ui/orvelle_application.h"

#include <QMessageBox>
#include <exception>

#include "shell/error_text.h"
#include "shell_ui/ui_text.h"

TOrvelleApplication::TOrvelleApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("orvelle");
    setApplicationDisplayName("Orvelle");
}

bool TOrvelleApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
    } catch (...) {
        ShowErrorBox("Unknown error");
    }
    return false;
}

void ShowErrorBox(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, "Orvelle", FromSjis(ErrorBoxText(message)), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
