#pragma once
// The pattern component of the attribute search: set a pattern (a cache
// look-up once it has been compiled), then match Shift-JIS texts.
//
//   TAWKStr re;
//   re.SetRegExp(pattern);                       // per feature: cheap
//   if (re.Match(TAWKStr::ExpandEscapes(value)) > 0) ...
#include <cstddef>
#include <string>
#include <string_view>

#include "regex/match_core.h"

class TAWKStr : public TMatchCORE {
public:
    TAWKStr();

    // Leftmost-longest match of the current pattern. Returns the 1-based
    // byte position of the match (also stored in position), 0 without a
    // match; length is the match's byte length (0 without a match). The
    // text ends at its first NUL byte.
    std::size_t Match(const std::string& text, std::size_t& position, std::size_t& length) const;
    std::size_t Match(const std::string& text) const;

    // The text with its backslash escapes replaced; raises ERegExpParser.
    static std::string ExpandEscapes(std::string_view text);

    // Whether the current pattern is matched with the anchor-aware procedure.
    bool UsesAnchoredMatch() const { return matchProc_ == &TMatchCORE::MatchAnchored; }

protected:
    void ChangeRegExp(const std::string& pattern) override;

private:
    using MatchProc = TMatchSpan (TMatchCORE::*)(const char*) const;
    // Before the first pattern the empty pattern is in force, which the
    // plain procedure fits.
    MatchProc matchProc_ = &TMatchCORE::MatchPlain;
};
