#pragma once
// Pattern text to deterministic automaton: parse, NFA, DFA.
#include <memory>
#include <string>

#include "regex/dfa.h"

// Raises ERegExpParser on a malformed or too complex pattern. The parse
// tree and the NFA are released before returning.
std::unique_ptr<TRE_DFA> CompilePattern(const std::string& pattern);
