#include "regex/compile_pattern.h"

#include "regex/nfa.h"
#include "regex/parser.h"
#include "regex/reserved_codes.h"

std::unique_ptr<TRE_DFA> CompilePattern(const std::string& pattern) {
    TREParser parser(pattern);
    parser.Parse();
    TRE_NFA nfa(parser, kLineTailCode, kLineHeadCode);
    nfa.Build();
    auto dfa = std::make_unique<TRE_DFA>(nfa);
    dfa->Build();
    return dfa;
}
