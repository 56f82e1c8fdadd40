#pragma once
// The compiled-pattern cache: preprocessed pattern texts with their
// automata. Entry 0 (the empty pattern) stays first; new patterns enter at
// index 1 and push the older ones down, and when the cache is full the
// entry inserted longest ago (the last) goes. A hit does not move its entry.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "regex/dfa.h"

class TREPatternCache {
public:
    explicit TREPatternCache(std::size_t capacity) : capacity_(capacity) {}

    // The first entry whose text equals the given one, byte for byte.
    std::optional<std::size_t> Find(const std::string& text) const;
    // Adds an entry without automaton at index 1 (0 when empty), first
    // dropping the last entry when the cache is full; returns the index.
    std::size_t Insert(std::string text);
    void SetAutomaton(std::size_t index, std::unique_ptr<TRE_DFA> dfa);
    void Erase(std::size_t index);

    std::size_t Count() const { return entries_.size(); }
    std::size_t Capacity() const { return capacity_; }
    const std::string& Text(std::size_t index) const { return entries_[index].Text; }
    const TRE_DFA* Automaton(std::size_t index) const { return entries_[index].Dfa.get(); }

private:
    struct Entry {
        std::string Text;
        std::unique_ptr<TRE_DFA> Dfa;
    };
    std::vector<Entry> entries_;
    std::size_t capacity_;
};
