#include "shell/error_text.h"

std::string ErrorBoxText(std::string message) {
    // The bytes of a double-byte character all lie above ".", so the last
    // byte decides for it too.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
    return message;
}
