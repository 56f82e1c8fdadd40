#include <gtest/gtest.h>

#include "regex/dictionary.h"
#include "regex/fuzzy_dictionary.h"
#include "regex/preprocessor.h"
#include "regex_test_util.h"

namespace {

std::string fuzzy(const char* utf8Pattern) {
    TREPreProcessor pre;
    pre.FuzzyCharDics().push_back(&FuzzyCharDic());
    pre.SetUseFuzzyCharDic(true);
    pre.SetText(S(utf8Pattern));
    pre.Run();
    return sjis::toUtf8(pre.Result());
}

std::vector<std::string> utf8Items(const std::vector<std::string>& items) {
    std::vector<std::string> out;
    for (const std::string& i : items) out.push_back(sjis::toUtf8(i));
    return out;
}

using Items = std::vector<std::string>;

}  // namespace

TEST(RegexFuzzyDictionary, HoldsTheClassesInOrder) {
    const auto& classes = FuzzyCharDic().Classes;
    ASSERT_EQ(classes.size(), 145u);
    EXPECT_EQ(utf8Items(classes[0]), (Items{u8"Ａ", u8"ａ", "A", "a"}));
    EXPECT_EQ(utf8Items(classes[25]), (Items{u8"Ｚ", u8"ｚ", "Z", "z"}));
    EXPECT_EQ(utf8Items(classes[27]), (Items{"1", u8"１", u8"一", u8"①", u8"Ⅰ", u8"壱"}));
    EXPECT_EQ(utf8Items(classes[36]), (Items{u8"　", " "}));
    EXPECT_EQ(utf8Items(classes[38]), (Items{"\"", u8"”"}));
    EXPECT_EQ(utf8Items(classes[48]), (Items{u8"ー", u8"～", u8"ｰ", ""}));
    EXPECT_EQ(utf8Items(classes[60]), (Items{"\\", u8"￥"}));
    EXPECT_EQ(utf8Items(classes[68]), (Items{",", u8"､", u8"、", u8"，"}));
    EXPECT_EQ(utf8Items(classes[73]), (Items{u8"が", u8"ガ", u8"ｶﾞ", u8"か゛", u8"カ゛"}));
    EXPECT_EQ(utf8Items(classes[91]), (Items{u8"ぱ", u8"パ", u8"ﾊﾟ", u8"は゜", u8"ハ゜"}));
    EXPECT_EQ(utf8Items(classes[96]), (Items{u8"あ", u8"ア", u8"ｱ", u8"ぁ", u8"ァ", u8"ｧ"}));
    EXPECT_EQ(utf8Items(classes[101]), (Items{u8"か", u8"カ", u8"ｶ"}));
    EXPECT_EQ(utf8Items(classes[113]), (Items{u8"つ", u8"ツ", u8"ﾂ", u8"っ", u8"ッ", u8"ｯ"}));
    EXPECT_EQ(utf8Items(classes[138]), (Items{u8"ろ", u8"ロ", u8"ﾛ"}));
    EXPECT_EQ(utf8Items(classes[144]), (Items{u8"ﾟ", u8"゜"}));
}

TEST(RegexFuzzyDictionary, EveryItemIsValidShiftJis) {
    for (const auto& items : FuzzyCharDic().Classes) {
        ASSERT_FALSE(items.empty());
        for (const std::string& item : items) {
            std::string back;
            EXPECT_TRUE(sjis::tryFromUtf8(sjis::toUtf8(item), back));
            EXPECT_EQ(back, item);
            // Only the one literal question mark may look like a lost character.
            if (item == "?") {
                EXPECT_EQ(items[0], "?");
            }
        }
    }
}

TEST(RegexPreprocessor, RewritesLiteralsIntoGroupsOfTheirClass) {
    EXPECT_EQ(fuzzy(u8"ｶﾞｽ"), u8"(が|ガ|ｶﾞ|か゛|カ゛)(す|ス|ｽ)");
    EXPECT_EQ(fuzzy("A1"), u8"(Ａ|ａ|A|a)(1|１|一|①|Ⅰ|壱)");
    EXPECT_EQ(fuzzy(u8"ー"), u8"(ー|～|ｰ|)");
    EXPECT_EQ(fuzzy(u8"-"), u8"(-|ー|－|～|ｰ)");
    // Escaped characters take part by their value and items are quoted.
    EXPECT_EQ(fuzzy("\\("), u8"(\\(|（)");
    EXPECT_EQ(fuzzy("\\\\"), u8"(\\\\|￥)");
    // The first matching item wins, not the longest: う comes before うぁ.
    EXPECT_EQ(fuzzy(u8"うぁ"), u8"(う|ウ|ｳ|ぅ|ゥ|ｩ)(あ|ア|ｱ|ぁ|ァ|ｧ)");
    // Characters of no class are copied.
    EXPECT_EQ(fuzzy(u8"駅"), u8"駅");
}

TEST(RegexPreprocessor, LeavesOperatorsAndPlainClassesAlone) {
    EXPECT_EQ(fuzzy("[ab]"), "[ab]");
    EXPECT_EQ(fuzzy("[a-z]x*"), u8"[a-z](Ｘ|ｘ|X|x)*");
    EXPECT_EQ(fuzzy(u8"(駅|.)+$"), u8"(駅|.)+$");
    // A negated class does not protect its characters.
    EXPECT_EQ(fuzzy("[^a]"), u8"[^(Ａ|ａ|A|a)]");
}

TEST(RegexPreprocessor, WithoutDictionariesThePatternIsKeptByteForByte) {
    TREPreProcessor pre;
    pre.FuzzyCharDics().push_back(&FuzzyCharDic());
    for (const std::string& pattern : {std::string("[a"), S(u8"ｶﾞｽ(a|"), std::string("\\")}) {
        pre.SetText(pattern);
        pre.Run();
        EXPECT_EQ(pre.Result(), pattern);
    }
}

TEST(RegexPreprocessor, SynonymsRunFirstThenFuzzyCharacters) {
    TREDictionary synonyms;
    synonyms.Classes.push_back({S(u8"駅"), S(u8"ステーション")});
    TREPreProcessor pre;
    pre.SynonymDics().push_back(&synonyms);
    pre.FuzzyCharDics().push_back(&FuzzyCharDic());
    pre.SetUseSynonymDic(true);
    pre.SetText(S(u8"東京駅"));
    pre.Run();
    EXPECT_EQ(sjis::toUtf8(pre.Result()), u8"東京(駅|ステーション)");
    pre.SetUseFuzzyCharDic(true);
    pre.SetText(S(u8"駅a"));
    pre.Run();
    EXPECT_EQ(sjis::toUtf8(pre.Result()),
              u8"(駅|(す|ス|ｽ)(て|テ|ﾃ)(ー|～|ｰ|)(し|シ|ｼ)(よ|ヨ|ﾖ|ょ|ョ|ｮ)(ん|ン|ﾝ))(Ａ|ａ|A|a)");
}

TEST(RegexPreprocessor, TokenisingErrorsReachTheCaller) {
    TREPreProcessor pre;
    pre.FuzzyCharDics().push_back(&FuzzyCharDic());
    pre.SetUseFuzzyCharDic(true);
    pre.SetText("[abc");
    ExpectRegexError([&] { pre.Run(); }, kNeedBracket, 5);
}
