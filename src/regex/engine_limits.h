#pragma once
// Bounds that keep a hostile or mistyped pattern from exhausting memory,
// time or the stack. Each is far above what a pattern typed into a search
// box needs; reaching one raises ERegExpParser.
#include <cstddef>

// Nesting of parentheses: the parser descends recursively per group.
inline constexpr std::size_t kGroupDepthLimit = 256;
// States of the nondeterministic automaton; nested "+" doubles its operand
// on every level, so «((a+)+)+…» grows exponentially.
inline constexpr std::size_t kNfaStateLimit = 20000;
// States and transitions of the deterministic automaton; subset
// construction is exponential for patterns such as «(a|b)*a(a|b)(a|b)…».
inline constexpr std::size_t kDfaStateLimit = 10000;
inline constexpr std::size_t kDfaTransitionLimit = 1000000;
