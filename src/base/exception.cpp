#include "base/exception.h"

#include "base/sjis.h"

Exception::Exception(const std::string& message) : std::runtime_error(message) {}

Exception::Exception(Utf8 message)
    : std::runtime_error(sjis::fromUtf8(message.text)), utf8_(std::move(message.text)), madeInUtf8_(true) {}

std::string Exception::Utf8Text() const { return madeInUtf8_ ? utf8_ : sjis::toUtf8(what()); }

std::string ExceptionText(const std::exception& e) {
    if (const auto* own = dynamic_cast<const Exception*>(&e)) return own->Utf8Text();
    return e.what();
}
