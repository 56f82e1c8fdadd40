#include "shell/error_text.h"

#include "base/sjis.h"

std::string ErrorBoxText(std::string message) {
    if (message.empty()) return message;
    // The last character starts at its lead byte when it is a double-byte one.
    size_t last = 0;
    for (size_t i = 0; i < message.size(); i += sjis::isLeadByte(static_cast<unsigned char>(message[i])) ? 2 : 1)
        last = i;
    if (static_cast<unsigned char>(message[last]) > '.') message += '.';
    return message;
}
