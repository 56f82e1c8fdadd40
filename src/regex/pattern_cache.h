#pragma once
// The compiled-pattern cache: preprocessed pattern texts with their
// automata. Entry 0 (the empty pattern) stays first; new patterns enter at
// index 1 and push the older ones down, and when the cache is full the
// entry inserted longest ago (the last) goes. A hit does not move its entry.
//
// Full means `capacity` entries, or automata of more than `byteBudget`
// bytes together: an automaton can take megabytes, and a component lives
// as long as its map, so the count alone would not bound its memory. The
// newest entry stays whatever its size.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "regex/dfa.h"

class TREPatternCache {
public:
    TREPatternCache(std::size_t capacity, std::size_t byteBudget) : capacity_(capacity), byteBudget_(byteBudget) {}

    // The first entry whose text equals the given one, byte for byte.
    std::optional<std::size_t> Find(const std::string& text) const;
    // Adds an entry without automaton at index 1 (0 when empty), first
    // dropping the last entry when the cache is full; returns the index.
    std::size_t Insert(std::string text);
    // Gives the entry at `index` its automaton, then drops the last entries
    // (never entry 0 nor this one) while the automata pass the byte budget.
    void SetAutomaton(std::size_t index, std::unique_ptr<TRE_DFA> dfa);
    void Erase(std::size_t index);

    std::size_t Count() const { return entries_.size(); }
    std::size_t Capacity() const { return capacity_; }
    // The bytes of the automata held.
    std::size_t AutomataBytes() const { return bytes_; }
    const std::string& Text(std::size_t index) const { return entries_[index].Text; }
    const TRE_DFA* Automaton(std::size_t index) const { return entries_[index].Dfa.get(); }

private:
    struct Entry {
        std::string Text;
        std::unique_ptr<TRE_DFA> Dfa;
    };
    void dropLast();

    std::vector<Entry> entries_;
    std::size_t capacity_;
    std::size_t byteBudget_;
    std::size_t bytes_ = 0;
};
