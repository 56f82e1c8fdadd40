#include "regex/regular_expression.h"

#include "regex/compile_pattern.h"

TRegularExpression::TRegularExpression() {
    currentIndex_ = cache_.Insert(std::string());
    Compile(std::string());
    patternInForce_ = true;
}

void TRegularExpression::setCurrent(std::size_t index) {
    currentIndex_ = index;
    current_ = cache_.Automaton(index);
}

void TRegularExpression::SetUseFuzzyCharDic(bool on) {
    preProcessor_.SetUseFuzzyCharDic(on);
    patternInForce_ = false;
    ChangeRegExp(patternText_);
}

void TRegularExpression::SetUseSynonymDic(bool on) {
    preProcessor_.SetUseSynonymDic(on);
    patternInForce_ = false;
    ChangeRegExp(patternText_);
}

void TRegularExpression::ChangeRegExp(const std::string& pattern) {
    if (patternInForce_ && pattern == patternText_) return;
    // A preprocessing error leaves everything as it was.
    preProcessor_.SetText(pattern);
    preProcessor_.Run();
    const std::string& processed = preProcessor_.Result();
    try {
        if (auto index = cache_.Find(processed)) {
            setCurrent(*index);
        } else {
            currentIndex_ = cache_.Insert(processed);
            Compile(processed);
        }
        patternText_ = pattern;
    } catch (...) {
        setCurrent(0);
        patternText_.clear();
        patternInForce_ = true;  // the empty pattern, whatever the flags
        throw;
    }
    patternInForce_ = true;
}

void TRegularExpression::Compile(const std::string& pattern) {
    try {
        cache_.SetAutomaton(currentIndex_, CompilePattern(pattern));
        setCurrent(currentIndex_);
    } catch (...) {
        cache_.Erase(currentIndex_);
        setCurrent(0);
        throw;
    }
}
