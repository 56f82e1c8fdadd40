// Throughput of the Shift-JIS regular-expression engine: matching attribute
// values, compiling patterns, setting a cached pattern, and, on ASCII texts,
// the ratio to std::regex (ECMAScript) measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "regex/awk_string.h"
#include "regex/compile_pattern.h"
#include "regex/fuzzy_dictionary.h"
#include "regex/preprocessor.h"

namespace {

// Attribute-like values made of words; generated once, with a fixed seed.
std::vector<std::string> makeValues(const std::vector<std::string>& words, const std::string& separator,
                                    std::size_t count) {
    std::mt19937 rng(42);
    std::vector<std::string> values;
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string v;
        const std::size_t n = 1 + rng() % 4;
        for (std::size_t k = 0; k < n; ++k) {
            if (k > 0) v += separator;
            v += words[rng() % words.size()];
        }
        values.push_back(std::move(v));
    }
    return values;
}

const std::vector<std::string>& sjisValues() {
    static const std::vector<std::string> values = [] {
        std::vector<std::string> words;
        for (const char* w : {u8"東京都", u8"千代田区", u8"丸の内", u8"一丁目", u8"二丁目", u8"三番町", u8"駅前",
                              u8"郵便局", u8"小学校", u8"中学校", u8"公園", u8"広場", u8"緑地", u8"市役所",
                              u8"交番", u8"神社", u8"病院", u8"図書館", u8"川", u8"橋", u8"トンネル", u8"ビル",
                              u8"ｶﾞｿﾘﾝｽﾀﾝﾄﾞ", u8"１２３", u8"表参道", u8"ソニー", u8"能登", u8"十日町",
                              u8"予備校", u8"町"})
            words.push_back(sjis::fromUtf8(w));
        return makeValues(words, "", 20000);
    }();
    return values;
}

const std::vector<std::string>& asciiValues() {
    static const std::vector<std::string> values =
        makeValues({"Route", "66", "exit", "12", "north", "south", "east", "west", "bridge", "tunnel", "station",
                    "park", "river", "hall", "No.", "3", "road", "Main", "Street", "avenue"},
                   " ", 20000);
    return values;
}

std::size_t totalBytes(const std::vector<std::string>& values) {
    std::size_t n = 0;
    for (const std::string& v : values) n += v.size();
    return n;
}

void matchValues(benchmark::State& state, const std::string& pattern, const std::vector<std::string>& values) {
    TAWKStr re;
    re.SetRegExp(pattern);
    std::size_t hits = 0;
    for (auto _ : state) {
        for (const std::string& v : values) hits += re.Match(v) > 0 ? 1 : 0;
        benchmark::DoNotOptimize(hits);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * totalBytes(values)));
    state.counters["hits/pass"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}

void stdRegexValues(benchmark::State& state, const std::string& pattern, const std::vector<std::string>& values) {
    const std::regex re(pattern, std::regex::ECMAScript);
    std::size_t hits = 0;
    std::smatch m;
    for (auto _ : state) {
        for (const std::string& v : values) hits += std::regex_search(v, m, re) ? 1 : 0;
        benchmark::DoNotOptimize(hits);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * totalBytes(values)));
    state.counters["hits/pass"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}

// One long text of all values separated by CR LF, for raw scanning speed.
void matchLongText(benchmark::State& state, const std::string& pattern) {
    std::string text;
    for (const std::string& v : sjisValues()) text += v + "\r\n";
    text += pattern;  // the one match, at the very end
    TAWKStr re;
    re.SetRegExp(pattern);
    for (auto _ : state) benchmark::DoNotOptimize(re.Match(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void compile(benchmark::State& state, const std::string& pattern) {
    std::size_t states = 0;
    for (auto _ : state) {
        auto dfa = CompilePattern(pattern);
        states = dfa->StateCount();
        benchmark::DoNotOptimize(dfa);
    }
    state.counters["dfa_states"] = static_cast<double>(states);
}

// Setting patterns that are all cached: `count` patterns in turn (1 is the
// pattern already in force).
void cacheHit(benchmark::State& state, std::size_t count) {
    TAWKStr re;
    std::vector<std::string> patterns;
    for (std::size_t i = 0; i < count; ++i) patterns.push_back(sjis::fromUtf8(u8"郵便局|駅") + std::to_string(i));
    for (const std::string& p : patterns) re.SetRegExp(p);
    std::size_t i = 0;
    for (auto _ : state) {
        re.SetRegExp(patterns[i]);
        if (++i == count) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

// The pattern as the fuzzy-character dictionary rewrites it.
std::string fuzzyRewritten(const std::string& pattern) {
    TREPreProcessor pre;
    pre.FuzzyCharDics().push_back(&FuzzyCharDic());
    pre.SetUseFuzzyCharDic(true);
    pre.SetText(pattern);
    pre.Run();
    return pre.Result();
}

struct NamedPattern {
    const char* name;
    const char* utf8;
};

const NamedPattern kSjisPatterns[] = {
    {"literal", u8"郵便局"},
    {"kanji_class", u8"[一-龠]+町"},
    {"alternation", u8"公園|広場|緑地"},
};

const NamedPattern kAsciiPatterns[] = {
    {"literal", "tunnel"},
    {"class", "[0-9]+"},
    {"alternation", "bridge|station|river"},
};

void registerAll() {
    for (const NamedPattern& p : kSjisPatterns) {
        const std::string pattern = sjis::fromUtf8(p.utf8);
        benchmark::RegisterBenchmark((std::string("Match/sjis/") + p.name).c_str(),
                                     [pattern](benchmark::State& s) { matchValues(s, pattern, sjisValues()); });
    }
    benchmark::RegisterBenchmark("Match/sjis_long_text/literal",
                                 [](benchmark::State& s) { matchLongText(s, sjis::fromUtf8(u8"郵便局前")); });
    for (const NamedPattern& p : kAsciiPatterns) {
        const std::string pattern = p.utf8;
        benchmark::RegisterBenchmark((std::string("Ascii/") + p.name + "/orvelle").c_str(),
                                     [pattern](benchmark::State& s) { matchValues(s, pattern, asciiValues()); });
        benchmark::RegisterBenchmark((std::string("Ascii/") + p.name + "/std_regex").c_str(),
                                     [pattern](benchmark::State& s) { stdRegexValues(s, pattern, asciiValues()); });
    }
    const NamedPattern compiled[] = {
        {"literal", u8"郵便局"},
        {"kanji_class", u8"[一-龠]+町"},
        {"alternation", u8"公園|広場|緑地"},
        {"negated_class", u8"[^ぁ-ん]+駅"},
        {"exponential_64_states", u8"(a|b)*a(a|b)(a|b)(a|b)(a|b)"},
    };
    for (const NamedPattern& p : compiled) {
        const std::string pattern = sjis::fromUtf8(p.utf8);
        benchmark::RegisterBenchmark((std::string("Compile/") + p.name).c_str(),
                                     [pattern](benchmark::State& s) { compile(s, pattern); });
    }
    const std::string rewritten = fuzzyRewritten(sjis::fromUtf8(u8"ｶﾞｿﾘﾝｽﾀﾝﾄﾞ"));
    benchmark::RegisterBenchmark("Compile/fuzzy_rewritten_gasoline_stand",
                                 [rewritten](benchmark::State& s) { compile(s, rewritten); });
    benchmark::RegisterBenchmark("CacheHit/pattern_in_force", [](benchmark::State& s) { cacheHit(s, 1); });
    benchmark::RegisterBenchmark("CacheHit/two_patterns_alternating", [](benchmark::State& s) { cacheHit(s, 2); });
    benchmark::RegisterBenchmark("CacheHit/29_patterns_in_turn", [](benchmark::State& s) { cacheHit(s, 29); });
}

// Prints the runs as usual and remembers each one's bytes per second: the
// median when the runs are repeated, else the single run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            auto it = r.counters.find("bytes_per_second");
            if (it == r.counters.end()) continue;
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (r.run_type == Run::RT_Aggregate && !median) continue;
            if (median || !bytesPerSecond.count(r.run_name.str())) bytesPerSecond[r.run_name.str()] = it->second.value;
        }
    }
    std::map<std::string, double> bytesPerSecond;
};

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nASCII matching, orvelle / std::regex (ECMAScript), same run:\n");
    for (const NamedPattern& p : kAsciiPatterns) {
        const std::string base = std::string("Ascii/") + p.name;
        auto ours = reporter.bytesPerSecond.find(base + "/orvelle");
        auto theirs = reporter.bytesPerSecond.find(base + "/std_regex");
        if (ours == reporter.bytesPerSecond.end() || theirs == reporter.bytesPerSecond.end()) continue;
        std::printf("  %-12s %8.1f MiB/s vs %8.1f MiB/s  = %.1fx\n", p.name, ours->second / 1048576.0,
                    theirs->second / 1048576.0, ours->second / theirs->second);
    }
    benchmark::Shutdown();
    return 0;
}
