#pragma once
// A datum grid that cannot be used: missing, unreadable, damaged or not the
// grid expected. The message names the file and what is wrong with it.
#include <stdexcept>
#include <string>

class EDatumGridError : public std::runtime_error {
public:
    explicit EDatumGridError(const std::string& message) : std::runtime_error(message) {}
};
