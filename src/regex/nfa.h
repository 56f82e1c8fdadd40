#pragma once
// Nondeterministic automaton with empty transitions, built from a parse tree
// by Thompson construction. State 0 is the entry, state 1 the final state.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "regex/char_codes.h"
#include "regex/parse_tree.h"
#include "regex/reserved_codes.h"

class TREParser;

// A transition on First .. Last; First = Last = 0xFFFF marks an empty one.
struct TRENfaTransition {
    TRECode First = 0;
    TRECode Last = 0;
    std::uint32_t Target = 0;
    bool IsEmpty() const { return First == kEmptyTransitionCode && Last == kEmptyTransitionCode; }
};

class TRE_NFA {
public:
    TRE_NFA(const TREParser& parser, TRECode tailCode, TRECode headCode);

    // Creates the states; raises ERegExpParser past kNfaStateLimit states.
    void Build();

    std::size_t StateCount() const { return states_.size(); }
    // A state's transitions in the order they were added; the automaton
    // reads them most recent first.
    const std::vector<TRENfaTransition>& TransitionsOf(std::size_t state) const {
        return states_[state];
    }
    // The targets of a state's empty transitions.
    const std::vector<std::uint32_t>& EmptyTargetsOf(std::size_t state) const { return emptyTargets_[state]; }
    std::uint32_t Entry() const { return entry_; }
    std::uint32_t Final() const { return final_; }
    bool UsesLineHead() const { return usesLineHead_; }
    bool UsesLineTail() const { return usesLineTail_; }
    TRECode HeadCode() const { return headCode_; }
    TRECode TailCode() const { return tailCode_; }
    // Where a size error is reported: the end of the pattern.
    std::size_t ErrorPosition() const;

private:
    std::uint32_t NewState();
    void AddTransition(std::uint32_t from, std::uint32_t to, TRECode first, TRECode last);
    void AddEmpty(std::uint32_t from, std::uint32_t to);
    void AddAnchorOrCharacter(const TRENode& node, std::uint32_t from, std::uint32_t to, bool isAnchor,
                              TRECode pseudoCode, bool& usesAnchor);
    void GenerateStateList(const TRENode* root, std::uint32_t from, std::uint32_t to);

    std::vector<std::vector<TRENfaTransition>> states_;
    std::vector<std::vector<std::uint32_t>> emptyTargets_;
    std::uint32_t entry_ = 0;
    std::uint32_t final_ = 0;
    const TREParser* parser_;
    bool usesLineHead_ = false;
    bool usesLineTail_ = false;
    TRECode headCode_;
    TRECode tailCode_;
};
