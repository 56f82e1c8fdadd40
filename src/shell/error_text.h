#pragma once
// The text of the top-level error box.
#include <string>

// The message with a full stop appended when its last character lies above
// "." in the character table (a text ending in ")" gets none; one ending in
// a letter or a Japanese character gets one). Shift-JIS in and out.
std::string ErrorBoxText(std::string message);
