#include "regex/nfa.h"

#include "regex/engine_limits.h"
#include "regex/parser.h"
#include "regex/regex_error.h"
#include "regex/reserved_codes.h"

TRE_NFA::TRE_NFA(const TREParser& parser, TRECode tailCode, TRECode headCode)
    : parser_(&parser), headCode_(headCode), tailCode_(tailCode) {}

std::size_t TRE_NFA::ErrorPosition() const { return parser_->Position(); }

void TRE_NFA::Build() {
    states_.clear();
    emptyTargets_.clear();
    usesLineHead_ = usesLineTail_ = false;
    entry_ = NewState();
    final_ = NewState();
    GenerateStateList(parser_->Tree().Root(), entry_, final_);
}

std::uint32_t TRE_NFA::NewState() {
    if (states_.size() >= kNfaStateLimit)
        RaiseRegExpError(TRegexMessage::TooManyNfaStates, ErrorPosition());
    states_.emplace_back();
    emptyTargets_.emplace_back();
    return static_cast<std::uint32_t>(states_.size() - 1);
}

void TRE_NFA::AddTransition(std::uint32_t from, std::uint32_t to, TRECode first, TRECode last) {
    states_[from].push_back(TRENfaTransition{first, last, to});
}

void TRE_NFA::AddEmpty(std::uint32_t from, std::uint32_t to) {
    AddTransition(from, to, kEmptyTransitionCode, kEmptyTransitionCode);
    emptyTargets_[from].push_back(to);
}

void TRE_NFA::AddAnchorOrCharacter(const TRENode& node, std::uint32_t from, std::uint32_t to, bool isAnchor,
                                   TRECode pseudoCode, bool& usesAnchor) {
    if (isAnchor) {
        usesAnchor = true;
        AddTransition(from, to, pseudoCode, pseudoCode);
    } else {
        AddTransition(from, to, node.First, node.Last);
    }
}

// Depth first with an explicit stack, so that deep trees (long patterns are
// left-deep chains of concatenations) cannot exhaust the call stack. Each
// node does all its own work before its children, left child first, which
// numbers the states exactly as the recursive construction would.
void TRE_NFA::GenerateStateList(const TRENode* root, std::uint32_t from, std::uint32_t to) {
    struct Step {
        const TRENode* node;
        std::uint32_t from, to;
    };
    std::vector<Step> pending{{root, from, to}};
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        const TRENode* n = step.node;
        switch (n->Kind) {
            case nkChar:
                AddTransition(step.from, step.to, n->First, n->Last);
                break;
            case nkLineHead:
                // An anchor where it begins at the entry, else the character "^".
                AddAnchorOrCharacter(*n, step.from, step.to, step.from == entry_, headCode_, usesLineHead_);
                break;
            case nkLineTail:
                // An anchor where it ends at the final state, else the character "$".
                AddAnchorOrCharacter(*n, step.from, step.to, step.to == final_, tailCode_, usesLineTail_);
                break;
            case nkConcat: {
                const std::uint32_t middle = NewState();
                pending.push_back({n->Right, middle, step.to});
                pending.push_back({n->Left, step.from, middle});
                break;
            }
            case nkUnion:
                pending.push_back({n->Right, step.from, step.to});
                pending.push_back({n->Left, step.from, step.to});
                break;
            case nkStar: {
                const std::uint32_t s = NewState();
                const std::uint32_t e = NewState();
                AddEmpty(step.from, s);
                AddEmpty(e, s);
                AddEmpty(s, step.to);
                pending.push_back({n->Left, s, e});
                break;
            }
            case nkEmpty:
                AddEmpty(step.from, step.to);
                break;
            case nkNothing:
                break;
            default:
                RaiseInternalError("This cannot happen in TRE_NFA.GenerateStateList");
        }
    }
}
