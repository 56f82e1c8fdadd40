#pragma once
// Recursive-descent parser from a (preprocessed) pattern to a parse tree.
//   RegExp  := Term ("|" Term)*
//   Term    := Factor*            (empty before "|", ")" and the end)
//   Factor  := Primary ("*" | "+" | "?")?
//   Primary := char | "(" RegExp ")" | class | "." | "^" | "$"
#include <cstddef>
#include <string>

#include "regex/parse_tree.h"
#include "regex/pattern_scanner.h"

class TREParser {
public:
    explicit TREParser(std::string pattern);

    // Builds the tree with disjoint leaves; raises ERegExpParser on a
    // malformed pattern (the tree is then left half-built).
    void Parse();
    const TREParseTree& Tree() const { return tree_; }
    // The scanner position: after Parse, the pattern length + 1.
    std::size_t Position() const { return scanner_.Position(); }

private:
    TRENode* ParseRegExp();
    TRENode* ParseTerm();
    TRENode* ParseFactor();
    TRENode* ParsePrimary();
    TRENode* ParseGroup();
    // Reads the items of a class, up to its "]", into the given tree.
    TRENode* ParseClass(TREParseTree& tree);
    TRENode* ParseNegClass();
    TRENode* parseClassItem(TREParseTree& tree);
    [[noreturn]] void raise(TRegexMessage id) const;

    TREParseTree tree_;
    TREScanner scanner_;
    std::size_t depth_ = 0;
};
