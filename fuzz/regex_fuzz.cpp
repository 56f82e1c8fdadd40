// libFuzzer target: the regular-expression engine must survive any pattern
// and subject and keep its match invariants (regex_case.h).
#include <cstdio>
#include <cstdlib>

#include "regex_case.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem = RunRegexFuzzCase(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "regex_fuzz: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
