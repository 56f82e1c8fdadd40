#pragma once
// Deterministic automaton built from an NFA by subset construction, with
// each state's transitions sorted by their first code.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "regex/char_codes.h"
#include "regex/nfa_state_set.h"

class TRE_NFA;

struct TREDfaTransition {
    TRECode First = 0;
    TRECode Last = 0;
    std::uint32_t Target = 0;
};

struct TREDfaState {
    explicit TREDfaState(TRE_NFAStateSet set) : StateSet(std::move(set)) {}
    TRE_NFAStateSet StateSet;
    bool Visited = false;
    bool Accepting = false;  // the set holds the NFA's final state
    std::vector<TREDfaTransition> Transitions;
};

class TRE_DFA {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // The NFA is only read by Build and need not outlive it.
    explicit TRE_DFA(const TRE_NFA& nfa);

    // Raises ERegExpParser when the automaton would pass kDfaStateLimit
    // states or kDfaTransitionLimit transitions.
    void Build();

    std::uint32_t Initial() const { return initial_; }
    bool UsesLineHead() const { return usesLineHead_; }
    bool UsesLineTail() const { return usesLineTail_; }
    const std::vector<TREDfaState>& States() const { return states_; }
    bool Accepting(std::uint32_t state) const { return accepting_[state] != 0; }

    // The successor on a code, or kNone; a walk of the sorted transitions.
    std::uint32_t NextState(std::uint32_t state, TRECode code) const {
        const TREDfaTransition* t = flat_.data() + begin_[state];
        const TREDfaTransition* end = flat_.data() + begin_[state + 1];
        for (; t != end; ++t) {
            if (code < t->First) return kNone;
            if (code <= t->Last) return t->Target;
        }
        return kNone;
    }

    // True when some character whose first byte is b has a transition from
    // the initial state: a start position at another byte cannot begin a
    // non-empty match.
    bool CanStartWith(unsigned char b) const { return startBytes_[b] != 0; }

private:
    std::uint32_t Register(TRE_NFAStateSet set);
    void Closure(TRE_NFAStateSet& set) const;
    void visit(std::uint32_t state);
    void flatten();

    std::vector<TREDfaState> states_;
    std::uint32_t initial_ = 0;
    const TRE_NFA* nfa_;
    bool usesLineHead_ = false;
    bool usesLineTail_ = false;
    std::size_t transitionCount_ = 0;
    std::unordered_map<std::string, std::uint32_t> stateBySet_;  // only during Build

    // The transitions of every state in one array, for matching.
    std::vector<TREDfaTransition> flat_;
    std::vector<std::uint32_t> begin_;
    std::vector<std::uint8_t> accepting_;
    std::vector<std::uint8_t> startBytes_;
};
