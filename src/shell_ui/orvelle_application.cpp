#include "shell_ui/orvelle_application.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <exception>

#include "base/sjis.h"
#include "shell/error_text.h"
#include "shell_ui/ui_text.h"

TOrvelleApplication::TOrvelleApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // No display name: Qt would append it to every window title ("Orvelle -
    // sample — Orvelle"); the windows carry the program's name themselves.
    setApplicationName("orvelle");
    if (!InstallQtTranslations(*this)) qWarning("orvelle: Qt's Japanese translations are not installed");
}

bool InstallQtTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

bool TOrvelleApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
    } catch (...) {
        ShowErrorBox(sjis::fromUtf8(u8"不明なエラーが発生しました"));
    }
    return false;
}

void ShowErrorBox(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, "Orvelle", FromSjis(ErrorBoxText(message)), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
