#pragma once
// The built-in fuzzy-character dictionary: 145 classes of characters that
// users take for the same (full-width and half-width forms, hiragana and
// katakana, voiced kana written with a separate voicing mark, numerals...).
#include "regex/dictionary.h"

// Built once, on first use, and shared read-only by every component.
const TREDictionary& FuzzyCharDic();
