// libFuzzer entry point (built with clang only): the engine must survive any
// input and keep its match invariants.
#include <cstdlib>
#include <cstdio>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem = RunRegexFuzzCase(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
