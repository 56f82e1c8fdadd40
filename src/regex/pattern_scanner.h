#pragma once
// Turns a pattern into tokens, reading whole Shift-JIS characters.
#include <cstddef>
#include <cstdint>
#include <string>

#include "regex/char_codes.h"

enum class TRegexMessage;

// Token kinds; the values are shared by the scanner, the preprocessor and
// the parser.
enum TRETokenKind : std::uint8_t {
    tokChar = 0,    // any other character or an escape; a single character in a class
    tokRange,       // «x-y» inside a class
    tokUnion,       // |
    tokLPar,        // (
    tokRPar,        // )
    tokStar,        // *
    tokPlus,        // +
    tokQMark,       // ?
    tokClass,       // [ not followed by ^
    tokNegClass,    // [^
    tokClassEnd,    // ]
    tokAny,         // .
    tokLineHead,    // ^
    tokLineTail,    // $
    tokEnd,         // end of the pattern
};

class TREScanner {
public:
    explicit TREScanner(std::string text = {});

    // Restarts on a new pattern, outside any class, at position 1.
    void SetText(std::string text);
    // Reads the next token; Char and RangeEnd describe it.
    TRETokenKind NextToken();

    const std::string& Text() const { return text_; }
    std::size_t Position() const { return position_; }
    TRETokenKind Kind() const { return kind_; }
    // The token's character, or a range's first character.
    TRECode Char() const { return char_; }
    TRECode RangeEnd() const { return rangeEnd_; }
    bool InClass() const { return inClass_; }

private:
    TRETokenKind ReadToken();
    TRETokenKind ReadClassToken();
    // Reads one class character; after a backslash the escape's value.
    TRECode readClassChar(bool& escaped);
    [[noreturn]] void raise(TRegexMessage id) const;

    std::string text_;
    std::size_t position_ = 1;
    TRETokenKind kind_ = tokEnd;
    TRECode char_ = 0;
    TRECode rangeEnd_ = 0;
    bool inClass_ = false;
};
