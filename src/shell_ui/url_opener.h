#pragma once
// Hands a web address to the user's default browser. The main window opens
// its searches through one of these, so that tests can put their own in.
#include <QUrl>
#include <string>

class TUrlOpener {
public:
    virtual ~TUrlOpener() = default;
    // `address`: Shift-JIS (after percent-encoding, normally plain ASCII).
    // Whether the browser could be started is not reported.
    virtual void Open(const std::string& address) = 0;
};

// The address as a URL when it is a well-formed absolute http or https
// address with a host; an empty URL otherwise (another scheme, a relative
// text such as an option a launcher would read).
QUrl WebUrlOf(const std::string& address);

// Opens through QDesktopServices::openUrl, only what WebUrlOf accepts.
class TDesktopUrlOpener : public TUrlOpener {
public:
    void Open(const std::string& address) override;
};
