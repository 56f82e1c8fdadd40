#pragma once
// Numbers written as text, by the rules of the data files (also used for the
// codes in attribute values):
// - integer: optional leading blanks (bytes 0x01 to 0x20), optional "+" or
//   "-", then decimal digits, or hexadecimal digits after "$", "x", "X", "0x"
//   or "0X"; the whole text is used and the value fits 32 signed bits;
// - real: optional leading blanks, optional sign, digits with an optional "."
//   (at least one digit on either side), an optional exponent of "e" or "E",
//   an optional sign and at least one digit; the whole text is used.
// The Try forms return nothing for a text that breaks these rules.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/exception.h"

std::optional<int32_t> TryReadInt(std::string_view text);
std::optional<double> TryReadFloat(std::string_view text);

// A text that should hold a number does not (a code in an attribute value).
class EConvertError : public Exception {
public:
    // The message names the text: "'abc' は有効な整数値ではありません" (Shift-JIS).
    static EConvertError NotAnInteger(std::string_view text);

private:
    explicit EConvertError(const std::string& message) : Exception(message) {}
};
