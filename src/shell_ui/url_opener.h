#pragma once
// Hands a web address to the user's default browser. The main window opens
// its searches through one of these, so that tests can put their own in.
#include <string>

class TUrlOpener {
public:
    virtual ~TUrlOpener() = default;
    // `address`: Shift-JIS (after percent-encoding, normally plain ASCII).
    // Whether the browser could be started is not reported.
    virtual void Open(const std::string& address) = 0;
};

// Opens through QDesktopServices::openUrl.
class TDesktopUrlOpener : public TUrlOpener {
public:
    void Open(const std::string& address) override;
};
