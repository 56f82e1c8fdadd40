#include "regex/match_core.h"

TMatchSpan TMatchCORE::MatchPlain(const char* text) const {
    const TRE_DFA& dfa = CurrentDFA();
    const std::uint32_t initial = dfa.Initial();
    const bool mustConsume = !dfa.Accepting(initial);
    if (*text == 0) return mustConsume ? TMatchSpan{} : TMatchSpan{text, text};
    for (const char* p = text; *p != 0; p += CharLengthAt(p)) {
        if (mustConsume) {
            // Skip the characters that cannot begin a match.
            TRE_DFA::StartKind kind;
            while ((kind = dfa.StartKindOf(static_cast<unsigned char>(*p))) == TRE_DFA::kSkipSingle) ++p;
            while (kind != TRE_DFA::kMayStart) {
                if (kind == TRE_DFA::kTerminator) return {};
                p += (kind == TRE_DFA::kSkipLead && p[1] != 0) ? 2 : 1;
                kind = dfa.StartKindOf(static_cast<unsigned char>(*p));
            }
        }
        std::uint32_t state = initial;
        const char* q = p;
        const char* end = nullptr;
        TRECode k = 0;
        for (;;) {
            if (dfa.Accepting(state)) end = q;
            state = dfa.Step(state, q, k);
            if (state == TRE_DFA::kNone) break;
        }
        if (end != nullptr) return {p, end};
    }
    return {};
}

const char* TMatchCORE::MatchHere(const char* p, std::uint32_t state) const {
    if (state == TRE_DFA::kNone) return nullptr;
    const TRE_DFA& dfa = CurrentDFA();
    const char* last = nullptr;
    TRECode k = 0;
    for (;;) {
        if (dfa.Accepting(state)) last = p;
        const std::uint32_t next = dfa.Step(state, p, k);
        if (next == TRE_DFA::kNone) break;
        state = next;
    }
    // The walk ended at the terminator or a line separator: a "$" may end
    // the match just before it.
    if ((k == 0 || IsLineEnd(k)) && dfa.NextState(state, kLineTailCode) != TRE_DFA::kNone)
        return k == 0 ? p : p - 1;
    return last;
}

// The longer of the matches with and without the line-head anchor. (When
// only the unanchored one exists it is the result too: otherwise an empty
// text would miss the empty match of a pattern such as «^a|x*».)
const char* TMatchCORE::MatchAtLineHead(const char* p, std::uint32_t state) const {
    const TRE_DFA& dfa = CurrentDFA();
    if (!dfa.UsesLineHead()) return MatchHere(p, state);
    const char* anchored = MatchHere(p, dfa.NextState(state, kLineHeadCode));
    const char* free = MatchHere(p, state);
    if (anchored == nullptr) return free;
    return (free != nullptr && free >= anchored) ? free : anchored;
}

TMatchSpan TMatchCORE::MatchAnchored(const char* text) const {
    if (const char* end = MatchAtLineHead(text, CurrentDFA().Initial())) return {text, end};
    return SearchAnchored(text);
}

TMatchSpan TMatchCORE::SearchAnchored(const char* text) const {
    const TRE_DFA& dfa = CurrentDFA();
    const std::uint32_t initial = dfa.Initial();
    const char* p = text;
    for (; *p != 0; p += CharLengthAt(p)) {
        if (const char* end = MatchHere(p, initial)) return {p, end};
        if (*p == '\n' && dfa.UsesLineHead()) {
            if (const char* end = MatchAtLineHead(p + 1, initial)) return {p + 1, end};
        }
    }
    if (dfa.UsesLineTail() && dfa.NextState(initial, kLineTailCode) != TRE_DFA::kNone) return {p, p};
    return {};
}
