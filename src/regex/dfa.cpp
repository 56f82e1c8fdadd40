#include "regex/dfa.h"

#include <algorithm>

#include "base/sjis.h"
#include "regex/engine_limits.h"
#include "regex/nfa.h"
#include "regex/regex_error.h"

namespace {

// The NFA states reached on one input range from a DFA state.
struct Move {
    TRECode First;
    TRECode Last;
    TRE_NFAStateSet Set;
};

}  // namespace

TRE_DFA::TRE_DFA(const TRE_NFA& nfa) : nfa_(&nfa) {}

void TRE_DFA::Build() {
    usesLineHead_ = nfa_->UsesLineHead();
    usesLineTail_ = nfa_->UsesLineTail();
    TRE_NFAStateSet start(nfa_->StateCount());
    start.Include(nfa_->Entry());
    Closure(start);
    initial_ = Register(std::move(start));
    // States are appended as they are found, so the first unvisited one is
    // always the next in order.
    for (std::uint32_t d = 0; d < states_.size(); ++d) visit(d);
    flatten();
    // Released with their capacity (assigning {} would keep it).
    states_ = std::vector<TREDfaState>();
    stateBySet_ = std::unordered_map<std::string, std::uint32_t>();
    closureWork_ = std::vector<std::uint32_t>();
    nfa_ = nullptr;
}

std::size_t TRE_DFA::MemoryBytes() const {
    return sizeof(*this) + flat_.capacity() * sizeof(TREDfaTransition) + begin_.capacity() * sizeof(std::uint32_t) +
           accepting_.capacity() + startKinds_.capacity() + byteTable_.capacity() * sizeof(std::uint16_t);
}

void TRE_DFA::visit(std::uint32_t d) {
    states_[d].Visited = true;
    // Moves grouped by identical ranges (leaf ranges are disjoint); a new
    // move goes to the head of the list, which is read from the back here.
    std::vector<Move> moves;
    std::unordered_map<std::uint32_t, std::size_t> moveByRange;
    states_[d].StateSet.ForEach([&](std::size_t i) {
        const std::vector<TRENfaTransition>& chain = nfa_->TransitionsOf(i);
        for (auto t = chain.rbegin(); t != chain.rend(); ++t) {
            if (t->IsEmpty()) continue;
            auto [it, added] =
                moveByRange.try_emplace(static_cast<std::uint32_t>(t->First) << 16 | t->Last, moves.size());
            if (added) moves.push_back(Move{t->First, t->Last, TRE_NFAStateSet(nfa_->StateCount())});
            moves[it->second].Set.Include(t->Target);
        }
    });
    std::vector<TREDfaTransition> transitions;
    transitions.reserve(moves.size());
    for (auto move = moves.rbegin(); move != moves.rend(); ++move) {
        Closure(move->Set);
        if (++transitionCount_ > kDfaTransitionLimit)
            RaiseRegExpError(TRegexMessage::TooManyDfaTransitions, nfa_->ErrorPosition());
        transitions.push_back(TREDfaTransition{move->First, move->Last, Register(std::move(move->Set))});
    }
    std::stable_sort(transitions.begin(), transitions.end(),
                     [](const TREDfaTransition& a, const TREDfaTransition& b) { return a.First < b.First; });
    states_[d].Transitions = std::move(transitions);
}

std::uint32_t TRE_DFA::Register(TRE_NFAStateSet set) {
    auto found = stateBySet_.find(set.Bytes());
    if (found != stateBySet_.end()) return found->second;
    if (states_.size() >= kDfaStateLimit)
        RaiseRegExpError(TRegexMessage::TooManyDfaStates, nfa_->ErrorPosition());
    const auto index = static_cast<std::uint32_t>(states_.size());
    stateBySet_.emplace(set.Bytes(), index);
    const bool accepting = set.Has(nfa_->Final());
    states_.emplace_back(std::move(set));
    states_.back().Accepting = accepting;
    return index;
}

void TRE_DFA::Closure(TRE_NFAStateSet& set) {
    std::vector<std::uint32_t>& work = closureWork_;
    work.clear();
    set.ForEach([&](std::size_t i) { work.push_back(static_cast<std::uint32_t>(i)); });
    while (!work.empty()) {
        const std::uint32_t i = work.back();
        work.pop_back();
        for (std::uint32_t target : nfa_->EmptyTargetsOf(i)) {
            if (!set.Has(target)) {
                set.Include(target);
                work.push_back(target);
            }
        }
    }
}

void TRE_DFA::flatten() {
    flat_.clear();
    flat_.reserve(transitionCount_);
    begin_.assign(1, 0);
    begin_.reserve(states_.size() + 1);
    accepting_.clear();
    accepting_.reserve(states_.size());
    for (const TREDfaState& state : states_) {
        flat_.insert(flat_.end(), state.Transitions.begin(), state.Transitions.end());
        begin_.push_back(static_cast<std::uint32_t>(flat_.size()));
        accepting_.push_back(state.Accepting ? 1 : 0);
    }
    // Rows start as "no successor", with lead bytes sent to the full read.
    static const std::vector<std::uint16_t> emptyRow = [] {
        std::vector<std::uint16_t> row(256, kByteNone);
        for (unsigned b = 0; b < 256; ++b)
            if (sjis::isLeadByte(static_cast<unsigned char>(b))) row[b] = kByteUseList;
        return row;
    }();
    byteTable_.clear();
    if (states_.size() <= kByteTableStateLimit) {
        byteTable_.reserve(states_.size() * 256);
        for (const TREDfaState& state : states_) {
            const std::size_t rowStart = byteTable_.size();
            byteTable_.insert(byteTable_.end(), emptyRow.begin(), emptyRow.end());
            std::uint16_t* row = byteTable_.data() + rowStart;
            for (const TREDfaTransition& t : state.Transitions)
                for (unsigned b = std::max<unsigned>(t.First, 1); b <= std::min<unsigned>(t.Last, 0xFF); ++b)
                    if (row[b] != kByteUseList) row[b] = static_cast<std::uint16_t>(t.Target);
        }
    }
    static const std::vector<std::uint8_t> skipAll = [] {
        std::vector<std::uint8_t> kinds(256, kSkipSingle);
        for (unsigned b = 0; b < 256; ++b)
            if (sjis::isLeadByte(static_cast<unsigned char>(b))) kinds[b] = kSkipLead;
        kinds[0] = kTerminator;
        return kinds;
    }();
    startKinds_ = skipAll;
    for (const TREDfaTransition& t : states_[initial_].Transitions) {
        // Single-byte codes start with their own value, double-byte codes
        // with their high byte; a lone lead byte before the terminator is
        // read as its own value, which the first case covers.
        for (unsigned b = std::max<unsigned>(t.First, 1); b <= std::min<unsigned>(t.Last, 0xFF); ++b)
            startKinds_[b] = kMayStart;
        for (unsigned b = std::max<unsigned>(t.First >> 8, 1); b <= (t.Last >> 8u); ++b) startKinds_[b] = kMayStart;
    }
}
