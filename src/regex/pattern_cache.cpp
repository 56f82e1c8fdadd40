#include "regex/pattern_cache.h"

#include <utility>

namespace {

std::size_t bytesOf(const TRE_DFA* dfa) { return dfa ? dfa->MemoryBytes() : 0; }

}  // namespace

std::optional<std::size_t> TREPatternCache::Find(const std::string& text) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].Text == text) return i;
    return std::nullopt;
}

std::size_t TREPatternCache::Insert(std::string text) {
    if (entries_.size() >= capacity_ && entries_.size() > 1) dropLast();
    const std::size_t index = entries_.empty() ? 0 : 1;
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), Entry{std::move(text), nullptr});
    return index;
}

void TREPatternCache::SetAutomaton(std::size_t index, std::unique_ptr<TRE_DFA> dfa) {
    bytes_ -= bytesOf(entries_[index].Dfa.get());
    bytes_ += bytesOf(dfa.get());
    entries_[index].Dfa = std::move(dfa);
    while (bytes_ > byteBudget_ && entries_.size() - 1 > index) dropLast();
}

void TREPatternCache::Erase(std::size_t index) {
    bytes_ -= bytesOf(entries_[index].Dfa.get());
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TREPatternCache::dropLast() {
    bytes_ -= bytesOf(entries_.back().Dfa.get());
    entries_.pop_back();
}
