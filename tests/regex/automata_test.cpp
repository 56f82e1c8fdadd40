#include <gtest/gtest.h>

#include "regex/compile_pattern.h"
#include "regex/engine_limits.h"
#include "regex/nfa.h"
#include "regex/parser.h"
#include "regex/reserved_codes.h"
#include "regex_test_util.h"

namespace {

struct Nfa {
    explicit Nfa(const std::string& pattern) : parser(pattern), nfa(parser, kLineTailCode, kLineHeadCode) {
        parser.Parse();
        nfa.Build();
    }
    TREParser parser;
    TRE_NFA nfa;
};

std::string transitionsText(std::span<const TREDfaTransition> ts) {
    std::string out;
    for (const TREDfaTransition& t : ts) {
        out += t.First == t.Last ? std::to_string(t.First) : std::to_string(t.First) + "-" + std::to_string(t.Last);
        out += ' ';
    }
    return out;
}

// "(a|b)*a" followed by n times "(a|b)": 2^(n+1) DFA states.
std::string exponentialPattern(int n) {
    std::string p = "(a|b)*a";
    for (int i = 0; i < n; ++i) p += "(a|b)";
    return p;
}

std::string errorOf(const std::string& pattern) {
    try {
        CompilePattern(pattern);
    } catch (const ERegExpParser& e) {
        EXPECT_EQ(e.ErrorPos, pattern.size() + 1);
        return sjis::toUtf8(e.what());
    }
    return "";
}

}  // namespace

TEST(RegexAutomata, EmptyPattern) {
    Nfa n("");
    ASSERT_EQ(n.nfa.StateCount(), 2u);
    ASSERT_EQ(n.nfa.TransitionsOf(0).size(), 1u);
    EXPECT_TRUE(n.nfa.TransitionsOf(0)[0].IsEmpty());
    EXPECT_EQ(n.nfa.TransitionsOf(0)[0].Target, 1u);
    EXPECT_TRUE(n.nfa.TransitionsOf(1).empty());
    auto dfa = CompilePattern("");
    ASSERT_EQ(dfa->StateCount(), 1u);
    EXPECT_TRUE(dfa->Accepting(dfa->Initial()));
    EXPECT_TRUE(dfa->Transitions(0).empty());
}

TEST(RegexAutomata, SingleCharacterAndStar) {
    auto a = CompilePattern("a");
    ASSERT_EQ(a->StateCount(), 2u);
    EXPECT_FALSE(a->Accepting(a->Initial()));
    ASSERT_EQ(a->Transitions(0).size(), 1u);
    const std::uint32_t next = a->NextState(a->Initial(), 'a');
    ASSERT_EQ(next, 1u);
    EXPECT_TRUE(a->Accepting(next));
    EXPECT_TRUE(a->Transitions(1).empty());
    EXPECT_EQ(a->NextState(a->Initial(), 'b'), TRE_DFA::kNone);
    EXPECT_TRUE(CompilePattern("a*")->Accepting(0));
}

TEST(RegexAutomata, NfaStatesAreNumberedInCreationOrder) {
    Nfa n("a*");
    ASSERT_EQ(n.nfa.StateCount(), 4u);  // entry, final, star start 2, star end 3
    const auto& s2 = n.nfa.TransitionsOf(2);
    ASSERT_EQ(s2.size(), 2u);
    bool onA = false, toFinal = false;
    for (const TRENfaTransition& t : s2) {
        onA |= !t.IsEmpty() && t.First == 'a' && t.Target == 3;
        toFinal |= t.IsEmpty() && t.Target == 1;
    }
    EXPECT_TRUE(onA && toFinal);
    EXPECT_EQ(n.nfa.TransitionsOf(3).size(), 1u);
    EXPECT_EQ(n.nfa.TransitionsOf(3)[0].Target, 2u);
}

TEST(RegexAutomata, DfaStatesAreNumberedInDiscoveryOrder) {
    // The moves of the initial state are taken a first, then c.
    auto dfa = CompilePattern("ab|cd");
    EXPECT_EQ(dfa->Initial(), 0u);
    EXPECT_EQ(dfa->NextState(0, 'a'), 1u);
    EXPECT_EQ(dfa->NextState(0, 'c'), 2u);
    EXPECT_EQ(dfa->NextState(1, 'b'), 3u);
    EXPECT_EQ(dfa->NextState(2, 'd'), 3u);  // same NFA set {final}
}

TEST(RegexAutomata, AnchorsOnlyAtTheEntryAndTheFinalState) {
    auto head = CompilePattern("^a");
    EXPECT_TRUE(head->UsesLineHead());
    EXPECT_FALSE(head->UsesLineTail());
    EXPECT_EQ(transitionsText(head->Transitions(0)), "65533 ");
    auto middle = CompilePattern("a^b");
    EXPECT_FALSE(middle->UsesLineHead() || middle->UsesLineTail());
    EXPECT_TRUE(CompilePattern("a$")->UsesLineTail());
    EXPECT_TRUE(CompilePattern("a$|b")->UsesLineTail());
    EXPECT_TRUE(CompilePattern("(^a|b)c")->UsesLineHead());
    EXPECT_FALSE(CompilePattern("a$b")->UsesLineTail());
    EXPECT_FALSE(CompilePattern("(^a)*")->UsesLineHead());
}

TEST(RegexAutomata, TransitionsAreSortedAndDisjoint) {
    auto dfa = CompilePattern("[a-f]1|[d-k]2");
    EXPECT_EQ(transitionsText(dfa->Transitions(0)), "97-99 100-102 103-107 ");
    const std::uint32_t both = dfa->NextState(0, 'e');
    EXPECT_TRUE(dfa->Accepting(dfa->NextState(both, '1')));
    EXPECT_TRUE(dfa->Accepting(dfa->NextState(both, '2')));
    EXPECT_EQ(dfa->NextState(dfa->NextState(0, 'a'), '2'), TRE_DFA::kNone);
    // A literal "^" keeps the class split around it.
    auto literal = CompilePattern("x^1|x[A-z]2");
    EXPECT_EQ(transitionsText(literal->Transitions(literal->NextState(0, 'x'))),
              "65-93 94 95-119 120 121-122 ");
}

TEST(RegexAutomata, NoTransitionConsumesTheTerminatorOrAMarker) {
    for (const char* pattern : {"a\\0*", "[\\0-\\x20]", "\\xFFFF|\\xFFFD", "[^\\x1-\\xFCFC]"}) {
        auto dfa = CompilePattern(pattern);
        for (std::uint32_t state = 0; state < dfa->StateCount(); ++state)
            for (const TREDfaTransition& t : dfa->Transitions(state)) {
                EXPECT_GE(t.First, 1) << pattern;
                EXPECT_LE(t.Last, kLastPatternCode) << pattern;
            }
    }
}

TEST(RegexAutomata, ExponentialPatternsAreBoundedByTheStateLimit) {
    auto big = CompilePattern(exponentialPattern(12));  // over 8192 states: below the bound
    EXPECT_GT(big->StateCount(), 8192u);
    EXPECT_LE(big->StateCount(), kDfaStateLimit);
    EXPECT_EQ(errorOf(exponentialPattern(13)), u8"正規表現が複雑すぎます(DFAの状態数が上限の10000を超えました)");
    EXPECT_EQ(errorOf(exponentialPattern(40)), u8"正規表現が複雑すぎます(DFAの状態数が上限の10000を超えました)");
}

TEST(RegexAutomata, NestedPlusIsBoundedByTheNfaLimit) {
    std::string nested = "a";
    for (int i = 0; i < 30; ++i) nested = "(" + nested + ")+";
    EXPECT_EQ(errorOf(nested), u8"正規表現が複雑すぎます(NFAの状態数が上限の20000を超えました)");
}

TEST(RegexAutomata, WideStatesAreBoundedByTheTransitionLimit) {
    // 4096 states, each with a transition for each of 300 separate characters.
    std::string wide = "([";
    for (int c = 0; c < 300; ++c) wide += "\\x" + std::to_string(1000 + 2 * c);
    wide += "]|a|b)*a" + std::string("(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)");
    EXPECT_EQ(errorOf(wide), u8"正規表現が複雑すぎます(DFAの遷移数が上限の1000000を超えました)");
}
