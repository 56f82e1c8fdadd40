#include "regex/awk_string.h"

#include "regex/escapes.h"
#include "regex/fuzzy_dictionary.h"

TAWKStr::TAWKStr() { PreProcessor().FuzzyCharDics().push_back(&FuzzyCharDic()); }

void TAWKStr::ChangeRegExp(const std::string& pattern) {
    TMatchCORE::ChangeRegExp(pattern);
    const TRE_DFA& dfa = CurrentDFA();
    matchProc_ = (dfa.UsesLineHead() || dfa.UsesLineTail()) ? &TMatchCORE::MatchAnchored
                                                            : &TMatchCORE::MatchPlain;
}

std::size_t TAWKStr::Match(const std::string& text, std::size_t& position, std::size_t& length) const {
    const char* start = text.c_str();
    const TMatchSpan span = (this->*matchProc_)(start);
    if (span.Start == nullptr) {
        position = length = 0;
        return 0;
    }
    position = static_cast<std::size_t>(span.Start - start) + 1;
    length = static_cast<std::size_t>(span.End - span.Start);
    return position;
}

std::size_t TAWKStr::Match(const std::string& text) const {
    std::size_t position = 0, length = 0;
    return Match(text, position, length);
}

std::string TAWKStr::ExpandEscapes(std::string_view text) { return ::ExpandEscapes(text); }
