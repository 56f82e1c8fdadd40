#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "regex_case.h"

namespace {

// Bytes that exercise the scanner: operators, escapes, lead and trail bytes.
const std::string kPatternBytes = std::string("()[]^$|*+?.\\-x0712abtnr]]") + "\x81\x83\x95\xE0\xFC\x5C\x5D\x40\x0A\x0D";

// A pattern, a NUL and a subject.
std::vector<std::uint8_t> randomCase(std::mt19937& rng) {
    std::vector<std::uint8_t> data;
    const std::size_t size = 1 + rng() % 40;
    const std::size_t split = rng() % size;
    for (std::size_t i = 0; i < size; ++i) {
        const bool anyByte = rng() % 5 == 0;
        data.push_back(i == split  ? std::uint8_t{0}
                       : anyByte   ? static_cast<std::uint8_t>(rng())
                                   : static_cast<std::uint8_t>(kPatternBytes[rng() % kPatternBytes.size()]));
    }
    return data;
}

void expectSound(const std::string& input) {
    const std::string problem =
        RunRegexFuzzCase(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    EXPECT_EQ(problem, "") << input;
}

}  // namespace

// Random inputs must never crash, hang or raise anything but ERegExpParser,
// and every match must lie inside its text. Bounded to a few seconds.
TEST(RegexFuzz, RandomPatternsAndTextsAreHandledSoundly) {
    std::mt19937 rng(7);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int cases = 0;
    for (; cases < 40000 && std::chrono::steady_clock::now() < deadline; ++cases) {
        const std::vector<std::uint8_t> data = randomCase(rng);
        std::string problem;
        ASSERT_NO_THROW(problem = RunRegexFuzzCase(data.data(), data.size()));
        ASSERT_EQ(problem, "") << "case " << cases;
    }
    EXPECT_GT(cases, 1000);
}

// Inputs that once threatened memory, time or the stack.
// Each is compiled plain and through the fuzzy dictionary.
TEST(RegexFuzz, HostilePatternsEndInAnError) {
    expectSound(std::string(5000, '(') + "a");
    expectSound("(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)");
    expectSound("((((((((((((((((((((a+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+");
    expectSound(std::string(300, 'a'));
    expectSound(std::string("a\\0*") + "\x82");
    expectSound(std::string("^$|x", 4) + '\0' + "\r\n\\n");
}
