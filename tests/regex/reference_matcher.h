#pragma once
// An independent reference for the engine: random pattern trees rendered
// into pattern syntax, and a backtracking matcher that works on the tree
// itself (leftmost, then longest), knowing nothing of the engine's scanner,
// parser or automata.
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace reference {

using Code = std::uint16_t;

struct Node {
    enum Kind { Char, Class, Any, Head, Tail, Empty, Concat, Union, Star, Plus, Optional } kind = Empty;
    Code code = 0;                                // Char
    std::vector<std::pair<Code, Code>> ranges;    // Class
    bool negated = false;                         // Class
    int spelling = 0;                             // how a Char or class item is written
    std::unique_ptr<Node> left, right;
};

// The pattern text (Shift-JIS) for a tree.
std::string Render(const Node& root);

struct Span {
    bool found = false;
    std::size_t position = 0;  // 1-based byte position
    std::size_t length = 0;
};

// "^" is an anchor where nothing of the pattern precedes it, "$" where
// nothing follows it; elsewhere they are the characters themselves. A line
// starts at the text's start and after LF, and ends at the end and before
// the separator (CR, or LF when lfSeparator).
Span Match(const Node& root, const std::string& text, bool lfSeparator);

// Random trees and texts over a small alphabet rich in Shift-JIS traps:
// trail bytes 0x5C and 0x5D, "^", "$", "\", "]", "-", CR and LF. Patterns
// holding an anchor never consume CR or LF.
std::unique_ptr<Node> RandomPattern(std::mt19937& rng);
std::string RandomText(std::mt19937& rng);

}  // namespace reference
