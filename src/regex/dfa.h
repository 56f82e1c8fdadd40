#pragma once
// Deterministic automaton built from an NFA by subset construction, with
// each state's transitions sorted by their first code.
#include <cstddef>
#include <cstdint>
#include <span>
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

// A state while the automaton is built: the set of NFA states it stands for
// and its transitions.
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
    // states or kDfaTransitionLimit transitions. Keeps only what matching
    // needs: the NFA state sets of the subset construction, which can take
    // megabytes, go when it is done.
    void Build();

    std::uint32_t Initial() const { return initial_; }
    bool UsesLineHead() const { return usesLineHead_; }
    bool UsesLineTail() const { return usesLineTail_; }
    std::size_t StateCount() const { return accepting_.size(); }
    // A state's transitions, sorted by their first code.
    std::span<const TREDfaTransition> Transitions(std::uint32_t state) const {
        return {flat_.data() + begin_[state], flat_.data() + begin_[state + 1]};
    }
    bool Accepting(std::uint32_t state) const { return accepting_[state] != 0; }
    // The bytes the built automaton holds.
    std::size_t MemoryBytes() const;

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

    // Reads the character at q (moving past it, but never past the
    // terminator) into code and returns the successor state, or kNone.
    // The terminator has no successor.
    std::uint32_t Step(std::uint32_t state, const char*& q, TRECode& code) const {
        const auto c = static_cast<unsigned char>(*q);
        if (!byteTable_.empty()) {
            const std::uint16_t next = byteTable_[state * 256u + c];
            if (next != kByteUseList) {
                code = c;
                if (c != 0) ++q;
                return next == kByteNone ? kNone : next;
            }
        }
        code = ReadCharAt(q);
        return code == 0 ? kNone : NextState(state, code);
    }

    // What a start position at a byte can be, for skipping quickly to the
    // positions where a non-empty match may begin.
    enum StartKind : std::uint8_t {
        kTerminator = 0,
        kSkipSingle,  // a single-byte character no transition of the initial state takes
        kSkipLead,    // the lead byte of such a double-byte character
        kMayStart,    // some character beginning with this byte has a transition
    };
    StartKind StartKindOf(unsigned char b) const { return static_cast<StartKind>(startKinds_[b]); }

private:
    std::uint32_t Register(TRE_NFAStateSet set);
    void Closure(TRE_NFAStateSet& set);
    void visit(std::uint32_t state);
    void flatten();

    std::vector<TREDfaState> states_;  // only during Build
    std::uint32_t initial_ = 0;
    const TRE_NFA* nfa_;
    bool usesLineHead_ = false;
    bool usesLineTail_ = false;
    std::size_t transitionCount_ = 0;
    std::unordered_map<std::string, std::uint32_t> stateBySet_;  // only during Build
    std::vector<std::uint32_t> closureWork_;                     // only during Build

    // The transitions of every state in one array, for matching.
    std::vector<TREDfaTransition> flat_;
    std::vector<std::uint32_t> begin_;
    std::vector<std::uint8_t> accepting_;
    std::vector<std::uint8_t> startKinds_;
    // For small automata, the successor of every state on every single-byte
    // character, so that ASCII and half-width kana cost one look-up.
    static constexpr std::size_t kByteTableStateLimit = 256;
    static constexpr std::uint16_t kByteNone = 0xFFFF;
    static constexpr std::uint16_t kByteUseList = 0xFFFE;  // a lead byte: read the whole character
    std::vector<std::uint16_t> byteTable_;
};
