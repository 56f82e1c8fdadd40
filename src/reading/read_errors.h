#pragma once
// The readers' exceptions and the error list. All texts are Shift-JIS.
#include "base/exception.h"
#include <string>
#include <string_view>
#include <vector>

#include "map/error_list.h"

// Ends the loading of a mesh. With number >= 0 the message is
// context "(" number "): " text; with a negative number the text alone.
class TKDKReadException : public Exception {
public:
    TKDKReadException(std::string_view text, int number, std::string_view context);
    const std::string& text() const { return text_; }
    int number() const { return number_; }
    const std::string& context() const { return context_; }

private:
    std::string text_;
    int number_;
    std::string context_;
};

// A reader read a field that the record does not have, or a line that the
// file does not have.
class EKDKIndexError : public Exception {
public:
    static EKDKIndexError MissingField(std::string_view file, int line, size_t fieldIndex,
                                       size_t fieldCount);
    static EKDKIndexError MissingLine(std::string_view file, int line);

private:
    explicit EKDKIndexError(const std::string& message) : Exception(message) {}
};

// A code field whose rest is not an integer.
class EKDKConvertError : public Exception {
public:
    EKDKConvertError(std::string_view file, int line, std::string_view field);
};

// Appends text + entry + "(" line ")" to the error list (the line is left out when negative).
void AppendError(TErrorList& errors, std::string_view text, std::string_view entry, int line = -1);
