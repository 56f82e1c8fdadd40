#pragma once
// The exception of the regular-expression engine and the texts it carries.
#include <cstddef>
#include <string>

#include "base/exception.h"

// A malformed pattern or escape text. what() is the Shift-JIS message;
// ErrorPos is the 1-based reader position when the fault was found, normally
// just behind the offending character or token.
class ERegExpParser : public Exception {
public:
    ERegExpParser(const std::string& message, std::size_t errorPos)
        : Exception(message), ErrorPos(errorPos) {}
    std::size_t ErrorPos;
};

enum class TRegexMessage {
    BadDoubleByte,
    NothingAfterBackslash,
    BadHexCode,
    BadOctalCode,
    NeedRightBracket,
    BadRange,
    ExtraCharacters,
    NeedRightParen,
    NeedCharOrLeftParen,
    EmptyClass,
    GroupsTooDeep,
    TooManyNfaStates,
    TooManyDfaStates,
    TooManyDfaTransitions,
};

// The Shift-JIS text of a message, converted once.
const std::string& RegexMessage(TRegexMessage id);

[[noreturn]] void RaiseRegExpError(TRegexMessage id, std::size_t position);

// Internal consistency failures (never caused by a pattern): a plain
// exception with the given UTF-8 text converted to Shift-JIS.
[[noreturn]] void RaiseInternalError(const char* utf8Message);
