// Extraction throughput: uncompressed bytes written per second, for a stored
// (-lh0-) archive and a jlha -lh5- archive of the same files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "archive/unlha.h"
#include "support/lzh_writer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 8;
constexpr int kLinesPerFile = 12000;  // about 0.4 MB each

struct Fixture {
    testsupport::TempDir tmp;
    fs::path stored, lh5;
    int64_t bytes = 0;
    Fixture() {
        std::vector<testsupport::CraftedMember> members;
        std::vector<std::string> names;
        for (int f = 0; f < kFiles; ++f) {
            std::string text;
            for (int i = 0; i < kLinesPerFile; ++i)
                text += "L" + std::to_string(f) + "," + std::to_string(i * 7919 % 100003) + "," +
                        std::to_string((i * i + f) % 9973) + "\r\n";
            std::string name = "m" + std::to_string(f) + ".txt";
            testsupport::WriteBytes(tmp.path() / "src/13101" / name, text);
            members.push_back({.level = 2, .name = name, .folder = "13101\xFF", .data = text});
            names.push_back("13101/" + name);
            bytes += static_cast<int64_t>(text.size());
        }
        stored = tmp.path() / "stored.lzh";
        testsupport::WriteBytes(stored, testsupport::CraftArchive(members));
        lh5 = tmp.path() / "lh5.lzh";
        testsupport::MakeArchiveWithJlha(tmp.path() / "src", lh5, "o5", names);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void extract(benchmark::State& state, const fs::path& archive) {
    Fixture& f = fixture();
    std::string line = "E -x1 \"" + archive.string() + "\" \"" + (f.tmp.path() / "out").string() + "/\"";
    for (auto _ : state) {
        std::string log;
        if (Unlha(line, log) != 0) state.SkipWithError(log.c_str());
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

void BM_ExtractStored(benchmark::State& state) { extract(state, fixture().stored); }
void BM_ExtractLh5(benchmark::State& state) { extract(state, fixture().lh5); }

BENCHMARK(BM_ExtractStored)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractLh5)->Unit(benchmark::kMillisecond);

}  // namespace
