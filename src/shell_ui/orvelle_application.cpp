#include "shell_ui/orvelle_application.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <exception>

#include "base/exception.h"
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
        ShowErrorBox(e);
    } catch (...) {
        ShowErrorBox(sjis::fromUtf8(u8"不明なエラーが発生しました"));
    }
    return false;
}

namespace {

void showErrorBoxText(const QString& text) {
    QMessageBox box(QMessageBox::Critical, "Orvelle", text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace

void ShowErrorBox(const std::string& message) { showErrorBoxText(FromSjis(ErrorBoxText(message))); }

// The full-stop rule looks at the last byte only, and every byte of a
// multi-byte UTF-8 character lies above "." as a Shift-JIS one does.
void ShowErrorBox(const std::exception& error) {
    showErrorBoxText(QString::fromStdString(ErrorBoxText(ExceptionText(error))));
}
