#pragma once
// Leftmost-longest matching of the current automaton over zero-terminated
// Shift-JIS texts. Start positions are always character starts, so a trail
// byte never begins a match; no procedure backtracks.
#include <cstdint>

#include "regex/regular_expression.h"

enum TMatchCORE_LineSeparator : std::uint8_t {
    mcls_CRLF = 0,  // a line ends before CR
    mcls_LF = 1,    // a line ends before LF
};

// A match from Start to End (exclusive); Start is null when there is none.
struct TMatchSpan {
    const char* Start = nullptr;
    const char* End = nullptr;
};

class TMatchCORE : public TRegularExpression {
public:
    TMatchCORE_LineSeparator LineSeparator() const { return lineSeparator_; }
    void SetLineSeparator(TMatchCORE_LineSeparator separator) { lineSeparator_ = separator; }

    // For patterns without "^" or "$" anchors.
    TMatchSpan MatchPlain(const char* text) const;
    // For patterns with anchors: a line starts at the text's start and after
    // every LF; it ends at the terminator and before every line separator.
    TMatchSpan MatchAnchored(const char* text) const;

protected:
    TMatchSpan SearchAnchored(const char* text) const;
    // End of the longest match at a line start, or null.
    const char* MatchAtLineHead(const char* p, std::uint32_t state) const;
    // End of the longest match from p, or null.
    const char* MatchHere(const char* p, std::uint32_t state) const;
    bool IsLineEnd(TRECode code) const { return code == (lineSeparator_ == mcls_LF ? 10 : 13); }

private:
    TMatchCORE_LineSeparator lineSeparator_ = mcls_CRLF;
};
