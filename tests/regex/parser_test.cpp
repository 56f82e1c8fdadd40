#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "regex/engine_limits.h"
#include "regex/parser.h"
#include "regex_test_util.h"

namespace {

std::string code(TRECode c) {
    if (c > ' ' && c < 0x7F) return std::string(1, static_cast<char>(c));
    char buf[8];
    std::snprintf(buf, sizeof buf, "%X", c);
    return buf;
}

// The tree as text: leaves as a character or a range, E for empty, N for
// nothing, ^ and $ for line heads and tails, C/U/S for the operators.
std::string shape(const TRENode* n) {
    switch (n->Kind) {
        case nkChar: return n->First == n->Last ? code(n->First) : code(n->First) + "-" + code(n->Last);
        case nkLineHead: return "^";
        case nkLineTail: return "$";
        case nkConcat: return "C(" + shape(n->Left) + "," + shape(n->Right) + ")";
        case nkUnion: return "U(" + shape(n->Left) + "," + shape(n->Right) + ")";
        case nkStar: return "S(" + shape(n->Left) + ")";
        case nkEmpty: return "E";
        case nkNothing: return "N";
    }
    return "?";
}

std::string parsed(const std::string& pattern) {
    TREParser parser(pattern);
    parser.Parse();
    return shape(parser.Tree().Root());
}

using Ranges = std::vector<std::pair<unsigned, unsigned>>;

// The leaf ranges of a parsed pattern, sorted.
Ranges leaves(const std::string& pattern) {
    TREParser parser(pattern);
    parser.Parse();
    Ranges out;
    for (const auto& leaf : parser.Tree().Leaves()) out.emplace_back(leaf->First, leaf->Last);
    std::sort(out.begin(), out.end());
    return out;
}

// Every nkChar node reachable from the root.
void reachableLeaves(const TRENode* n, std::vector<const TRENode*>& out) {
    if (n == nullptr) return;
    if (n->Kind == nkChar) out.push_back(n);
    reachableLeaves(n->Left, out);
    reachableLeaves(n->Right, out);
}

}  // namespace

TEST(RegexParser, GrammarBuildsLeftDeepTrees) {
    EXPECT_EQ(parsed(""), "E");
    EXPECT_EQ(parsed("a|"), "U(a,E)");
    EXPECT_EQ(parsed("|a"), "U(E,a)");
    EXPECT_EQ(parsed("()"), "E");
    EXPECT_EQ(parsed("ab|cd"), "U(C(a,b),C(c,d))");
    EXPECT_EQ(parsed("abc"), "C(C(a,b),c)");
    EXPECT_EQ(parsed("a?"), "U(a,E)");
    EXPECT_EQ(parsed("(ab)*c"), "C(S(C(a,b)),c)");
    EXPECT_EQ(parsed("^a$"), "C(C(^,a),$)");
    EXPECT_EQ(parsed("\\^"), "^");  // escaped: the character, a leaf
}

TEST(RegexParser, PlusSharesItsOperand) {
    TREParser parser("a+");
    parser.Parse();
    const TRENode* root = parser.Tree().Root();
    ASSERT_EQ(shape(root), "C(a,S(a))");
    EXPECT_EQ(root->Left, root->Right->Left);
    EXPECT_EQ(parser.Tree().Leaves().size(), 1u);
}

TEST(RegexParser, AnyCharacterExcludesNulLfAndCr) {
    EXPECT_EQ(parsed("."), "U(U(1-9,B-C),E-FCFC)");
}

TEST(RegexParser, LeafSplittingMakesDisjointRanges) {
    EXPECT_EQ(leaves("[a-c][b-d]"), (Ranges{{'a', 'a'}, {'b', 'c'}, {'d', 'd'}}));
    EXPECT_EQ(leaves("[a-z]m"), (Ranges{{'a', 'l'}, {'m', 'm'}, {'n', 'z'}}));
    EXPECT_EQ(leaves("[a-f][a-c]"), (Ranges{{'a', 'c'}, {'d', 'f'}}));
    EXPECT_EQ(leaves("[a-c][a-f]"), (Ranges{{'a', 'c'}, {'d', 'f'}}));
    EXPECT_EQ(leaves("[d-f][a-f]"), (Ranges{{'a', 'c'}, {'d', 'f'}}));
    // The split leaf is turned into a union in place: the tree still means the same.
    EXPECT_EQ(parsed("[a-c][b-d]"), "C(U(a,b-c),U(b-c,d))");
    EXPECT_EQ(parsed(S(u8"[一-龠]表")), "C(U(U(88EA-955B,955C),955D-EA9E),955C)");
}

TEST(RegexParser, NoTwoLeavesOverlapAndAllReachableLeavesAreListed) {
    for (const char* pattern : {"[a-m][f-z].x|[^k-p]+", "(.|[\\x1-\\xFFFF])a*", "[0-9a-f]+[c-x]?\\x63"}) {
        TREParser parser(pattern);
        parser.Parse();
        Ranges all = leaves(pattern);
        for (std::size_t i = 1; i < all.size(); ++i) EXPECT_LT(all[i - 1].second, all[i].first) << pattern;
        std::vector<const TRENode*> reachable;
        reachableLeaves(parser.Tree().Root(), reachable);
        for (const TRENode* leaf : reachable) {
            bool listed = std::any_of(parser.Tree().Leaves().begin(), parser.Tree().Leaves().end(),
                                      [leaf](const auto& l) { return l.get() == leaf; });
            EXPECT_TRUE(listed) << pattern;
        }
    }
}

TEST(RegexParser, NegatedClassesAreTheAnyCharacterSetMinusTheItems) {
    EXPECT_EQ(leaves("[^a]"), (Ranges{{1, 9}, {11, 12}, {14, 0x60}, {0x62, 0xFCFC}}));
    EXPECT_EQ(leaves("[^\\t-\\r]"), (Ranges{{1, 8}, {14, 0xFCFC}}));
    EXPECT_EQ(leaves("[^\\0-\\x5]"), (Ranges{{6, 9}, {11, 12}, {14, 0xFCFC}}));
    EXPECT_EQ(leaves("[^\\x1-\\xFCFC]x"), (Ranges{{'x', 'x'}}));
    EXPECT_EQ(parsed("[^\\x1-\\xFCFC]"), "N");  // nothing is left: matches nothing
    EXPECT_EQ(leaves("[^a-cb-d]"), (Ranges{{1, 9}, {11, 12}, {14, 0x60}, {0x65, 0xFCFC}}));
}

TEST(RegexParser, CodesNoTextHoldsBecomeNothing) {
    EXPECT_EQ(parsed("\\0"), "N");
    EXPECT_EQ(parsed("\\xFFFD|\\xFFFF"), "U(N,N)");
    EXPECT_EQ(leaves("[\\0-\\x3]"), (Ranges{{1, 3}}));
    EXPECT_EQ(leaves("[\\xFF00-\\xFFFF]"), (Ranges{{0xFF00, 0xFFFC}}));
}

TEST(RegexParser, LiteralAnchorCharactersStayDisjointFromOtherLeaves) {
    // "^" and "$" get a leaf of their own character, so a class covering it
    // is split around it.
    EXPECT_EQ(leaves("x^1|x[A-z]2"),
              (Ranges{{'1', '1'}, {'2', '2'}, {'A', ']'}, {'^', '^'}, {'_', 'w'}, {'x', 'x'}, {'y', 'z'}}));
}

TEST(RegexParser, SyntaxErrorsCarryTheScannerPosition) {
    ExpectRegexError([] { parsed("a)"); }, kExtra, 3);
    ExpectRegexError([] { parsed("ab)c"); }, kExtra, 4);
    ExpectRegexError([] { parsed("(a"); }, kNeedParen, 3);
    ExpectRegexError([] { parsed("((a)"); }, kNeedParen, 5);
    ExpectRegexError([] { parsed("[ab"); }, kNeedBracket, 4);
    ExpectRegexError([] { parsed("*a"); }, kNeedFactor, 2);
    ExpectRegexError([] { parsed("a**"); }, kNeedFactor, 4);
    ExpectRegexError([] { parsed("a+?"); }, kNeedFactor, 4);
    ExpectRegexError([] { parsed("(?)"); }, kNeedFactor, 3);
    ExpectRegexError([] { parsed("]"); }, kNeedFactor, 2);
    ExpectRegexError([] { parsed("[]"); }, kEmptyClass, 3);
    ExpectRegexError([] { parsed("[^]"); }, kEmptyClass, 4);
    ExpectRegexError([] { parsed("[z-a]"); }, kBadRange, 5);
}

TEST(RegexParser, DeepNestingIsAnErrorNotACrash) {
    const std::size_t depth = kGroupDepthLimit;
    EXPECT_NO_THROW(parsed(std::string(depth, '(') + "a" + std::string(depth, ')')));
    const std::string tooDeep = std::string(100000, '(') + "a";
    try {
        parsed(tooDeep);
        ADD_FAILURE() << "deep nesting accepted";
    } catch (const ERegExpParser& e) {
        EXPECT_EQ(sjis::toUtf8(e.what()), u8"括弧の入れ子が深すぎます(上限は256段です)");
        EXPECT_EQ(e.ErrorPos, kGroupDepthLimit + 2);
    }
}
