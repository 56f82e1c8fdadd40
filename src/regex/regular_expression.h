#pragma once
// A pattern with its preprocessing, compilation and compiled-pattern cache.
#include <cstddef>
#include <string>

#include "regex/dfa.h"
#include "regex/pattern_cache.h"
#include "regex/preprocessor.h"
#include "regex/reserved_codes.h"

class TRegularExpression {
public:
    static constexpr std::size_t kCacheCapacity = 30;
    // Automata of more bytes than this together make the cache full too (a
    // hostile pattern's automaton takes up to about 12 MB).
    static constexpr std::size_t kCacheByteBudget = std::size_t{32} << 20;

    TRegularExpression();
    virtual ~TRegularExpression() = default;
    TRegularExpression(const TRegularExpression&) = delete;
    TRegularExpression& operator=(const TRegularExpression&) = delete;

    // The pattern as last set, before preprocessing.
    const std::string& RegExp() const { return patternText_; }
    // Preprocesses and compiles the pattern, or finds it in the cache.
    // Raises ERegExpParser on a malformed pattern; RegExp is then empty and
    // the empty pattern is in force. Setting the pattern in force again
    // costs one comparison.
    void SetRegExp(const std::string& pattern) { ChangeRegExp(pattern); }

    bool UseFuzzyCharDic() const { return preProcessor_.UseFuzzyCharDic(); }
    void SetUseFuzzyCharDic(bool on);
    bool UseSynonymDic() const { return preProcessor_.UseSynonymDic(); }
    void SetUseSynonymDic(bool on);

    TRECode LineHeadCode() const { return kLineHeadCode; }
    TRECode LineTailCode() const { return kLineTailCode; }

    const TRE_DFA& CurrentDFA() const { return *current_; }
    const TREPatternCache& Cache() const { return cache_; }
    std::size_t CurrentIndex() const { return currentIndex_; }

protected:
    virtual void ChangeRegExp(const std::string& pattern);
    void Compile(const std::string& pattern);
    TREPreProcessor& PreProcessor() { return preProcessor_; }

private:
    void setCurrent(std::size_t index);

    std::string patternText_;
    TREPatternCache cache_{kCacheCapacity, kCacheByteBudget};
    std::size_t currentIndex_ = 0;
    const TRE_DFA* current_ = nullptr;
    TREPreProcessor preProcessor_;
    // The current entry was made from patternText_ with the present flags.
    bool patternInForce_ = false;
};
