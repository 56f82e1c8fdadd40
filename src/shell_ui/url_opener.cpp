#include "shell_ui/url_opener.h"

#include <QDesktopServices>

#include "shell_ui/ui_text.h"

QUrl WebUrlOf(const std::string& address) {
    // Tolerant parsing percent-encodes the quotes of a phrase search; the
    // checks below decide what may reach the browser.
    const QUrl url(FromSjis(address), QUrl::TolerantMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || url.isRelative() || (scheme != "http" && scheme != "https") || url.host().isEmpty())
        return {};
    return url;
}

void TDesktopUrlOpener::Open(const std::string& address) {
    const QUrl url = WebUrlOf(address);
    if (!url.isEmpty()) QDesktopServices::openUrl(url);
}
