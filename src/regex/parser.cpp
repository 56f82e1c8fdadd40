#include "regex/parser.h"

#include <utility>

#include "regex/char_range_node.h"
#include "regex/engine_limits.h"
#include "regex/regex_error.h"

TREParser::TREParser(std::string pattern) : scanner_(std::move(pattern)) {}

void TREParser::raise(TRegexMessage id) const { RaiseRegExpError(id, scanner_.Position()); }

void TREParser::Parse() {
    tree_.Clear();
    depth_ = 0;
    scanner_.NextToken();
    tree_.SetRoot(ParseRegExp());
    if (scanner_.Kind() != tokEnd) raise(TRegexMessage::ExtraCharacters);
    tree_.ForceDisjoint();
}

TRENode* TREParser::ParseRegExp() {
    TRENode* p = ParseTerm();
    while (scanner_.Kind() == tokUnion) {
        scanner_.NextToken();
        p = tree_.MakeNode(nkUnion, p, ParseTerm());
    }
    return p;
}

namespace {
bool endsTerm(TRETokenKind kind) { return kind == tokUnion || kind == tokRPar || kind == tokEnd; }
}  // namespace

TRENode* TREParser::ParseTerm() {
    if (endsTerm(scanner_.Kind())) return tree_.MakeNode(nkEmpty, nullptr, nullptr);
    TRENode* p = ParseFactor();
    while (!endsTerm(scanner_.Kind())) p = tree_.MakeNode(nkConcat, p, ParseFactor());
    return p;
}

TRENode* TREParser::ParseFactor() {
    TRENode* p = ParsePrimary();
    switch (scanner_.Kind()) {
        case tokStar:
            p = tree_.MakeNode(nkStar, p, nullptr);
            break;
        case tokPlus:
            p = tree_.MakeNode(nkConcat, p, tree_.MakeNode(nkStar, p, nullptr));
            break;
        case tokQMark:
            p = tree_.MakeNode(nkUnion, p, tree_.MakeNode(nkEmpty, nullptr, nullptr));
            break;
        default:
            return p;
    }
    scanner_.NextToken();
    return p;
}

TRENode* TREParser::ParsePrimary() {
    TRENode* p = nullptr;
    switch (scanner_.Kind()) {
        case tokChar:
            p = MakeCharRange(tree_, scanner_.Char(), scanner_.Char());
            break;
        case tokLPar:
            return ParseGroup();
        case tokClass:
        case tokNegClass:
            p = scanner_.Kind() == tokClass ? ParseClass(tree_) : ParseNegClass();
            if (scanner_.Kind() != tokClassEnd) raise(TRegexMessage::NeedRightBracket);
            break;
        case tokAny:
            p = tree_.MakeAnyChar();
            break;
        case tokLineHead:
        case tokLineTail:
            p = scanner_.Kind() == tokLineHead ? tree_.MakeLineHead(scanner_.Char())
                                               : tree_.MakeLineTail(scanner_.Char());
            // Where "^" or "$" is no anchor it is a transition on its own
            // character; a leaf of that character keeps the other leaves
            // split around it, so the automaton's ranges stay disjoint.
            tree_.MakeLeaf(scanner_.Char(), scanner_.Char());
            break;
        default:
            raise(TRegexMessage::NeedCharOrLeftParen);
    }
    scanner_.NextToken();
    return p;
}

TRENode* TREParser::ParseGroup() {
    if (++depth_ > kGroupDepthLimit) raise(TRegexMessage::GroupsTooDeep);
    scanner_.NextToken();
    TRENode* p = ParseRegExp();
    if (scanner_.Kind() != tokRPar) raise(TRegexMessage::NeedRightParen);
    --depth_;
    scanner_.NextToken();
    return p;
}

TRENode* TREParser::parseClassItem(TREParseTree& tree) {
    const TRECode last = scanner_.Kind() == tokRange ? scanner_.RangeEnd() : scanner_.Char();
    return MakeCharRange(tree, scanner_.Char(), last);
}

TRENode* TREParser::ParseClass(TREParseTree& tree) {
    if (scanner_.NextToken() == tokClassEnd) raise(TRegexMessage::EmptyClass);
    TRENode* p = parseClassItem(tree);
    while (scanner_.NextToken() != tokClassEnd) p = tree.MakeNode(nkUnion, p, parseClassItem(tree));
    return p;
}

TRENode* TREParser::ParseNegClass() {
    TREParseTree listed;
    listed.SetRoot(ParseClass(listed));
    listed.ForceDisjoint();
    return MakeComplement(tree_, listed);
}
