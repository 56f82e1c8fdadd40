#include "regex/preprocessor.h"

#include <utility>

#include "regex/escapes.h"

TREPreProcessor::TREPreProcessor(std::string text) : scanner_(std::move(text)) {}

void TREPreProcessor::SetText(std::string text) { scanner_.SetText(std::move(text)); }

void TREPreProcessor::Run() {
    result_ = scanner_.Text();
    if (useSynonymDic_) {
        Rewrite(synonymDics_);
        scanner_.SetText(result_);
    }
    if (useFuzzyCharDic_) Rewrite(fuzzyCharDics_);
}

void TREPreProcessor::tokenise() {
    tokens_.clear();
    scanner_.SetText(scanner_.Text());  // from the start, outside any class
    for (;;) {
        TREToken token;
        token.Start = scanner_.Position();
        token.Kind = scanner_.NextToken();
        if (token.Kind == tokEnd) break;
        token.Char = scanner_.Char();
        token.RangeEnd = scanner_.RangeEnd();
        token.End = scanner_.Position();
        tokens_.push_back(token);
    }
    tokens_.push_back(TREToken{});
}

void TREPreProcessor::copySource(const TREToken& token) {
    if (token.End > token.Start)
        result_.append(scanner_.Text(), token.Start - 1, token.End - token.Start);
}

void TREPreProcessor::Rewrite(const std::vector<const TREDictionary*>& dictionaries) {
    tokenise();
    result_.clear();
    bool inPlainClass = false;
    std::size_t i = 0;
    while (i < tokens_.size()) {
        const TREToken& token = tokens_[i];
        if (token.Kind == tokClass) inPlainClass = true;
        if (token.Kind == tokClassEnd) inPlainClass = false;
        if (token.Kind != tokChar || inPlainClass) {
            copySource(token);
            ++i;
            continue;
        }
        std::size_t runEnd = i;
        while (tokens_[runEnd].Kind == tokChar) ++runEnd;
        while (i < runEnd) {
            std::size_t next = findHit(dictionaries, i, runEnd);
            if (next > i) {
                result_ += replacement_;
                i = next;
            } else {
                copySource(tokens_[i]);
                ++i;
            }
        }
    }
}

bool TREPreProcessor::itemMatches(const std::string& item, std::size_t i, std::size_t runEnd,
                                  std::size_t& after) const {
    if (item.empty()) return false;
    std::size_t position = 1;
    while (position <= item.size()) {
        if (i >= runEnd || ReadChar(item, position) != tokens_[i].Char) return false;
        ++i;
    }
    after = i;
    return true;
}

std::size_t TREPreProcessor::findHit(const std::vector<const TREDictionary*>& dictionaries,
                                     std::size_t i, std::size_t runEnd) {
    for (const TREDictionary* dictionary : dictionaries) {
        for (const std::vector<std::string>& items : dictionary->Classes) {
            for (const std::string& item : items) {
                std::size_t after = 0;
                if (!itemMatches(item, i, runEnd, after)) continue;
                replacement_ = "(";
                for (std::size_t k = 0; k < items.size(); ++k) {
                    if (k > 0) replacement_ += '|';
                    replacement_ += QuoteMeta(items[k]);
                }
                replacement_ += ')';
                return after;
            }
        }
    }
    return i;
}
