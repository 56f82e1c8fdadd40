#include "shell_ui/url_opener.h"

#include <QDesktopServices>
#include <QUrl>

#include "shell_ui/ui_text.h"

void TDesktopUrlOpener::Open(const std::string& address) {
    QDesktopServices::openUrl(QUrl(FromSjis(address), QUrl::TolerantMode));
}
