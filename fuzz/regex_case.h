#pragma once
// One fuzz case of the regular-expression engine, shared by regex_fuzz and
// the regex tests. The input is a pattern and a subject, split at the first
// NUL byte or, when there is none, at the first line feed (no split: the
// whole input is the pattern, the subject is empty). The pattern is compiled
// as it is and through the fuzzy-character dictionary, and each automaton is
// matched against the subject in both line modes; then the subject's escapes
// are expanded and the expansion matched too.
//
// Returns an empty string when every invariant held, else what went wrong.
// Any exception other than ERegExpParser escapes to the caller.
#include <cstddef>
#include <cstdint>
#include <string>

std::string RunRegexFuzzCase(const std::uint8_t* data, std::size_t size);
