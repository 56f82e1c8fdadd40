#pragma once
// Rewrites a pattern before compilation so that each literal character (or
// group of characters) listed in a dictionary also matches its equivalents.
#include <cstddef>
#include <string>
#include <vector>

#include "regex/dictionary.h"
#include "regex/pattern_scanner.h"

// A token with the span of its source text: bytes Start .. End - 1 (1-based).
struct TREToken {
    TRETokenKind Kind = tokEnd;
    TRECode Char = 0;
    TRECode RangeEnd = 0;
    std::size_t Start = 0;
    std::size_t End = 0;
};

class TREPreProcessor {
public:
    explicit TREPreProcessor(std::string text = {});

    void SetText(std::string text);
    // Computes Result: the text itself unless a dictionary is switched on.
    void Run();
    const std::string& Result() const { return result_; }

    // The dictionaries are not owned.
    std::vector<const TREDictionary*>& SynonymDics() { return synonymDics_; }
    std::vector<const TREDictionary*>& FuzzyCharDics() { return fuzzyCharDics_; }
    bool UseFuzzyCharDic() const { return useFuzzyCharDic_; }
    void SetUseFuzzyCharDic(bool on) { useFuzzyCharDic_ = on; }
    bool UseSynonymDic() const { return useSynonymDic_; }
    void SetUseSynonymDic(bool on) { useSynonymDic_ = on; }

private:
    void Rewrite(const std::vector<const TREDictionary*>& dictionaries);
    void tokenise();
    // Index after the dictionary hit at token i of a run ending at runEnd,
    // with Replacement set; i itself when there is none.
    std::size_t findHit(const std::vector<const TREDictionary*>& dictionaries, std::size_t i,
                        std::size_t runEnd);
    bool itemMatches(const std::string& item, std::size_t i, std::size_t runEnd,
                     std::size_t& after) const;
    void copySource(const TREToken& token);

    TREScanner scanner_;
    std::string result_;
    std::vector<const TREDictionary*> synonymDics_;
    std::vector<const TREDictionary*> fuzzyCharDics_;
    std::vector<TREToken> tokens_;
    std::string replacement_;
    bool useFuzzyCharDic_ = false;
    bool useSynonymDic_ = false;
};
