#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "fuzz_input.h"

namespace {

// Bytes that exercise the scanner: operators, escapes, lead and trail bytes.
const std::string kPatternBytes = std::string("()[]^$|*+?.\\-x0712abtnr]]") + "\x81\x83\x95\xE0\xFC\x5C\x5D\x40\x0A\x0D";

std::vector<std::uint8_t> randomCase(std::mt19937& rng) {
    std::vector<std::uint8_t> data;
    const std::size_t size = 1 + rng() % 40;
    data.push_back(static_cast<std::uint8_t>(rng()));
    for (std::size_t i = 1; i < size; ++i) {
        const bool anyByte = rng() % 5 == 0;
        data.push_back(anyByte ? static_cast<std::uint8_t>(rng())
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
TEST(RegexFuzz, HostilePatternsEndInAnError) {
    const char noOptions = '\0';
    const char fuzzy = '\1';
    expectSound(noOptions + std::string(5000, '(') + "a");
    expectSound(noOptions + std::string("(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)"));
    expectSound(noOptions + std::string("((((((((((((((((((((a+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+"));
    expectSound(fuzzy + std::string(300, 'a'));
    expectSound(noOptions + std::string("a\\0*") + "\x82");
}
