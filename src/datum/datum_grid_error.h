#pragma once
// A datum grid that cannot be used: missing, unreadable, damaged or not the
// grid expected. The message names the file and what is wrong with it.
#include <string>

#include "base/exception.h"

class EDatumGridError : public Exception {
public:
    // `message` is UTF-8 (it names a file).
    explicit EDatumGridError(const std::string& message) : Exception(Utf8{message}) {}
};
