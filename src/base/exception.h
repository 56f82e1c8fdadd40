#pragma once
// The one base of Orvelle's exceptions. what() is Shift-JIS, as every text
// inside is (the data's, the error list's, the system's own messages). A
// message made in UTF-8 (file names, a library's words) is kept as it was
// too, so that an edge shows it without a round trip through Shift-JIS.
//
// Conversion happens at the edges only, through ExceptionText: the command
// line's output and Qt's texts take it, whatever the exception.
#include <exception>
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    // A message made in UTF-8.
    struct Utf8 {
        std::string text;
    };

    // A Shift-JIS message.
    explicit Exception(const std::string& message);
    // what() holds the message in Shift-JIS ('?' for a character it lacks).
    explicit Exception(Utf8 message);

    // The message in UTF-8: as it was made, or converted from Shift-JIS.
    std::string Utf8Text() const;

private:
    std::string utf8_;  // empty when the message was made in Shift-JIS
    bool madeInUtf8_ = false;
};

// The UTF-8 text of any exception: Orvelle's through Utf8Text, the standard
// library's (ASCII or UTF-8 already, e.g. a file system error naming a path)
// as they are.
std::string ExceptionText(const std::exception& e);
